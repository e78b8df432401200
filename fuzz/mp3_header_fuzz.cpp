// MP3 stream information: the fuzzer's bytes are the start of a file (with
// or without tags and Xing frames). The frame search must find the first
// sync at a place it may look, and the file reader (preads) must agree with
// the same rule applied to the bytes in memory: the first sync whose next
// frame header follows.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "quorvane/generate/mp3_info.h"

namespace quor::fuzz {
namespace {

using namespace quor::generate;

bool isSync(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) == 0xFF &&
           (static_cast<unsigned char>(bytes[at + 1]) == 0xFA ||
            static_cast<unsigned char>(bytes[at + 1]) == 0xFB);
}

void checkFrameSearch(std::string_view bytes) {
    const std::size_t found = findMp3Frame(bytes);
    const std::size_t searched = std::min(bytes.size(), kMp3SearchBytes);
    std::size_t first = std::string_view::npos;
    for (std::size_t p = 0; p + 1 < searched; ++p) {
        if (isSync(bytes, p)) {
            first = p;
            break;
        }
    }
    check(found == first, "the frame search finds the first sync in the first 5001 bytes");
}

// A sync counts as a frame when its header gives a frame length and the
// next header follows there (or fewer than two bytes are left).
bool nextFrameFollows(std::string_view bytes, std::size_t p) {
    if (bytes.size() - p < 4) {
        return false;
    }
    const std::uint32_t header = (std::uint32_t{static_cast<unsigned char>(bytes[p])} << 24) |
                                 (std::uint32_t{static_cast<unsigned char>(bytes[p + 1])} << 16) |
                                 (std::uint32_t{static_cast<unsigned char>(bytes[p + 2])} << 8) |
                                 std::uint32_t{static_cast<unsigned char>(bytes[p + 3])};
    const std::size_t length = mp3FrameLength(header);
    if (length == 0) {
        return false;
    }
    const std::size_t next = p + length;
    return next + 2 > bytes.size() || isSync(bytes, next);
}

std::int64_t bitrateInMemory(std::string_view bytes, std::uint64_t fileSize) {
    const std::string_view head = bytes.substr(0, kMp3SearchBytes);
    for (std::size_t p = findMp3Frame(head); p != std::string_view::npos;
         p = findMp3Frame(head, p + 1)) {
        if (nextFrameFollows(bytes, p)) {
            return bitrateFromFrame(bytes.substr(p, kMp3FrameBytes), fileSize);
        }
    }
    return 0;
}

std::int64_t bitrateOfFile(std::string_view bytes, std::uint64_t fileSize) {
    const std::filesystem::path file = scratchFolder() / "song.mp3";
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    check(fd >= 0, "the scratch file opens");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        check(n > 0, "the scratch file is written");
        done += static_cast<std::size_t>(n);
    }
    const std::int64_t bitrate = mp3BitrateOfFile(fd, fileSize);
    ::close(fd);
    return bitrate;
}

void checkColumnText(std::int64_t bitrate, std::uint64_t fileSize, bool info, bool length) {
    const std::string text = mp3ColumnText(bitrate, fileSize, info, length);
    check(text.size() >= 4 && text.front() == ' ' && text.back() == ' ',
          "the column is blank-framed");
    check(text.find_first_of("\r\n*>") == std::string::npos, "the column holds no marker");
    if (bitrate > 0 && length) {
        const std::string minutesAndSeconds = songLengthText(bitrate, fileSize);
        const std::size_t colon = minutesAndSeconds.find(':');
        check(colon != std::string::npos && minutesAndSeconds.size() - colon == 3,
              "a song length is m:ss");
        check(minutesAndSeconds[colon + 1] <= '5', "seconds stay below 60");
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    FuzzInput in(data, size);
    const bool info = in.flag();
    const bool length = in.flag();
    // Sizes as a file system reports them: the bytes given, or a larger
    // file of which they are the start.
    const std::uint64_t extra = static_cast<std::uint64_t>(in.byte()) << (in.byte() % 40);
    const std::string_view bytes = in.rest();
    const std::uint64_t fileSize = bytes.size() + extra;
    checkFrameSearch(bytes);
    const std::int64_t memory = bitrateInMemory(bytes, fileSize);
    check(memory >= 0, "a bitrate is never negative");
    check(bitrateOfFile(bytes, fileSize) == memory, "the file reader agrees with the rule");
    checkColumnText(memory, fileSize, info, length);
    return 0;
}
