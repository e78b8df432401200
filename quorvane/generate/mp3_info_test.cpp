#include "quorvane/generate/mp3_info.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"

namespace quor::generate {
namespace {

// A frame header: sync 0xFF, then the second byte (0xFB MPEG-1 Layer III
// without CRC), bitrate index and sample rate index, channel mode (3 mono).
std::string header(unsigned char second, int bitrateIndex, int rateIndex = 0, int mode = 0) {
    std::string h(4, '\0');
    h[0] = static_cast<char>(0xFF);
    h[1] = static_cast<char>(second);
    h[2] = static_cast<char>((bitrateIndex << 4) | (rateIndex << 2));
    h[3] = static_cast<char>(mode << 6);
    return h;
}

std::string bigEndian(std::uint32_t v) {
    std::string b(4, '\0');
    for (int i = 0; i < 4; ++i) {
        b[static_cast<std::size_t>(i)] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    }
    return b;
}

// A frame with a Xing header at offset (36 two-channel, 21 mono).
std::string xingFrame(std::uint32_t frames, std::size_t offset = 36, int mode = 0) {
    std::string f = header(0xFB, 9, 0, mode);
    f.resize(offset, '\0');
    f += "Xing";
    f += bigEndian(0x0F);  // flags, not examined
    f += bigEndian(frames);
    f.resize(417, '\0');
    return f;
}

class Mp3Files : public ::testing::Test {
  protected:
    // Writes prefix + frame and pads the file to size bytes; returns the
    // column text with both flags.
    std::string text(std::string_view contents, bool info = true, bool length = true,
                     std::uint64_t claimedSize = 0) {
        const auto file = tree.file("f.mp3", contents);
        return mp3Text(file, claimedSize ? claimedSize : contents.size(), info, length);
    }
    static std::string padded(std::string data, std::size_t size) {
        data.resize(size, '\0');
        return data;
    }
    // prefix, then frame with a second header where its length says the
    // next frame starts, padded to size bytes.
    static std::string stream(const std::string& prefix, const std::string& frame,
                              std::size_t size) {
        std::string data = prefix + frame;
        data.resize(prefix.size() + mp3FrameLength(0xFF000000u | bits(frame)), '\0');
        data += frame.substr(0, 4);
        return padded(data, size);
    }
    static std::uint32_t bits(const std::string& frame) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(frame[1]) << 16 |
                                          static_cast<unsigned char>(frame[2]) << 8 |
                                          static_cast<unsigned char>(frame[3]));
    }
    quor::testing::TempTree tree;
};

TEST_F(Mp3Files, ConstantBitrateAndSongLength) {
    const std::string cbr = stream("", header(0xFB, 9), 3500000);  // 128 kbit/s
    EXPECT_EQ(text(cbr), " 128k  3:39 ");                          // 218750 ms -> 219 s
    EXPECT_EQ(text(cbr, true, false), " 128k ");
    EXPECT_EQ(text(cbr, false, true), " 3:39 ");
    // 1,000,000 bytes: 62500 ms, 62.5 s rounds to the even 62.
    EXPECT_EQ(text(stream("", header(0xFB, 9), 1000000), false, true), " 1:02 ");
    EXPECT_EQ(text(padded(header(0xFA, 14), 1000)), " 320k  0:00 ");  // with CRC
}

TEST_F(Mp3Files, UnknownStreams) {
    const struct {
        const char* what;
        std::string contents;
    } cases[] = {
        {"MPEG-2 Layer III", padded(header(0xF3, 9), 10000)},
        {"MPEG-2 with CRC", padded(header(0xF2, 9), 10000)},
        {"free format", padded(header(0xFB, 0), 10000)},
        {"bad bitrate index", padded(header(0xFB, 15), 10000)},
        {"no frame", std::string(10000, 'x')},
        {"empty file", ""},
        {"sync at the last byte", std::string(10, 'x') + "\xFF"},
        {"tag longer than the search",
         padded("ID3" + std::string(5997, 'x') + header(0xFB, 9), 20000)},
        {"Xing with no frames", xingFrame(0)},
        {"Xing with a reserved sample rate",
         [] {
             std::string f = xingFrame(100);
             f[2] = static_cast<char>(0x9C);
             return f;
         }()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(c.contents), " ???k ") << c.what;
        EXPECT_EQ(text(c.contents, false, true), " ??:?? ") << c.what;
    }
}

TEST_F(Mp3Files, FrameFoundAtTheEndOfTheSearch) {
    // 1-based position 5000 is the last one the search looks at, and its
    // Xing header lies beyond the first 5001 bytes (a second read).
    const std::string late = stream(std::string(4999, 'x'), xingFrame(1000), 2000000);
    EXPECT_EQ(text(late), " 612k  0:26 ");  // 612.5 rounds to even; 26143 ms
    const std::string tooLate = padded(std::string(5000, 'x') + header(0xFB, 9), 20000);
    EXPECT_EQ(text(tooLate), " ???k ");
    // An ID3v2 tag before the frame, within the search.
    EXPECT_EQ(text(stream("ID3" + std::string(997, '\0'), header(0xFB, 9), 3500000)),
              " 128k  3:39 ");
}

TEST_F(Mp3Files, XingAverageWithoutOverflow) {
    // Three hours at 128 kbit/s: 413000 frames (more than 16 bits hold) in a
    // file of 172,620,000 bytes (more than 256 MiB of bits).
    EXPECT_EQ(text(xingFrame(413000), true, true, 172620000), " 128k  179:49 ");
    // A single-channel file keeps its Xing header 21 bytes after the start.
    EXPECT_EQ(text(xingFrame(1000, 21, 3), true, true, 2000000), " 612k  0:26 ");
    // In a two-channel frame the bytes at 21 are side information.
    EXPECT_EQ(text(xingFrame(1000, 21, 0), true, false, 2000000), " 128k ");
}

TEST_F(Mp3Files, ChanceSyncPatternsAreNotFrames) {
    // The frame length: 144 x 128000 / 44100 = 417 bytes, one more with the
    // padding bit.
    EXPECT_EQ(mp3FrameLength(0xFFFB9000u), 417u);
    EXPECT_EQ(mp3FrameLength(0xFFFB9200u), 418u);
    EXPECT_EQ(mp3FrameLength(0xFFF39000u), 0u);  // MPEG-2
    EXPECT_EQ(mp3FrameLength(0xFFFB0000u), 0u);  // free format
    // MPEG-2 frames (0xFF 0xF3) whose data holds 0xFF 0xFB by chance: the
    // pattern is not followed by a frame, so the stream stays unknown.
    std::string mpeg2 = header(0xF3, 8) + std::string(100, 'x') + header(0xFB, 14, 0, 1);
    EXPECT_EQ(text(padded(mpeg2, 20000)), " ???k ");
    // A chance pattern in a tag before the real frame is passed over.
    const std::string tag = "ID3" + std::string(20, 'x') + header(0xFB, 1) + std::string(50, 'y');
    EXPECT_EQ(text(stream(tag, header(0xFB, 9), 3500000)), " 128k  3:39 ");
    // A frame that ends the file needs no next header.
    EXPECT_EQ(text(padded(header(0xFB, 9), 417)), " 128k  0:00 ");
    EXPECT_EQ(text(padded(header(0xFB, 9), 3500000)), " ???k ");
}

TEST(Mp3Names, ExtensionInAnyCase) {
    EXPECT_TRUE(hasMp3Extension("a.mp3"));
    EXPECT_TRUE(hasMp3Extension("A.MP3"));
    EXPECT_TRUE(hasMp3Extension(".mp3"));
    EXPECT_FALSE(hasMp3Extension("song.mp3.txt"));
    EXPECT_FALSE(hasMp3Extension("mp3"));
    EXPECT_FALSE(hasMp3Extension("a.mp4"));
}

TEST(Mp3Texts, SongLengths) {
    EXPECT_EQ(songLengthText(128, 720000), "0:45");     // 45 s
    EXPECT_EQ(songLengthText(128, 72000000), "75:00");  // 4500 s
}

TEST(Mp3Texts, MissingFileIsUnknown) {
    EXPECT_EQ(mp3Text(std::filesystem::path("/nonexistent/x.mp3"), 100, true, true), " ???k ");
}

}  // namespace
}  // namespace quor::generate
