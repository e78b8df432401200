#include "quorvane/generate/mp3_info.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "common/unique_fd.h"

namespace quor::generate {

namespace {

// MPEG-1 Layer III tables (ISO/IEC 11172-3). Bitrate index 0 is free format
// and 15 is invalid: both unknown.
constexpr std::array<int, 16> kBitrates = {0,   32,  40,  48,  56,  64,  80,  96,
                                           112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<int, 4> kSampleRates = {44100, 48000, 32000, 0};
constexpr int kSlotCoefficientLayer3 = 144;

// The Xing header follows the side information: 32 bytes in a two-channel
// MPEG-1 frame, 17 in a single-channel one, after the 4 header bytes.
constexpr std::size_t kXingOffsetStereo = 36;
constexpr std::size_t kXingOffsetMono = 21;
constexpr int kChannelModeMono = 3;

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Reads up to count bytes at offset into out; returns how many were read.
std::size_t readFully(int fd, char* out, std::size_t count, off_t offset) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = pread(fd, out + done, count - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Whole part, then halves to even, as the length and bitrate need.
std::int64_t roundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace

std::size_t findMp3Frame(std::string_view head, std::size_t from) {
    const std::size_t last = std::min<std::size_t>(head.size(), kMp3SearchBytes);
    const char* begin = head.data();
    for (std::size_t p = from; p + 1 < last; ++p) {
        const void* sync = std::memchr(begin + p, 0xFF, last - 1 - p);
        if (sync == nullptr) {
            break;
        }
        p = static_cast<std::size_t>(static_cast<const char*>(sync) - begin);
        const auto next = static_cast<unsigned char>(head[p + 1]);
        if (next == 0xFA || next == 0xFB) {
            return p;
        }
    }
    return std::string_view::npos;
}

std::int64_t bitrateFromFrame(std::string_view frame, std::uint64_t fileSize) {
    if (frame.size() < 4) {
        return 0;
    }
    const std::uint32_t header = bigEndian32(frame, 0);
    // The sync search admits only MPEG-1 Layer III, whose version and layer
    // bits are 11 and 01.
    const bool mpeg1Layer3 = ((header >> 19) & 0x3) == 0x3 && ((header >> 17) & 0x3) == 0x1;
    if (!mpeg1Layer3) {
        return 0;
    }
    const int channelMode = static_cast<int>((header >> 6) & 0x3);
    const std::size_t xing = channelMode == kChannelModeMono ? kXingOffsetMono : kXingOffsetStereo;
    if (frame.size() >= xing + 12 && frame.substr(xing, 4) == "Xing") {
        const std::uint32_t frames = bigEndian32(frame, xing + 8);
        const int sampleRate = kSampleRates[(header >> 10) & 0x3];
        if (frames == 0 || sampleRate == 0) {
            return 0;
        }
        const double perSecond = static_cast<double>(sampleRate) * static_cast<double>(fileSize) /
                                 static_cast<double>(frames) / 1000.0;
        return roundHalfEven(perSecond / kSlotCoefficientLayer3);
    }
    return kBitrates[(header >> 12) & 0xF];
}

std::size_t mp3FrameLength(std::uint32_t header) {
    const bool mpeg1Layer3 = ((header >> 19) & 0x3) == 0x3 && ((header >> 17) & 0x3) == 0x1;
    const int bitrate = kBitrates[(header >> 12) & 0xF];
    const int sampleRate = kSampleRates[(header >> 10) & 0x3];
    if (!mpeg1Layer3 || bitrate == 0 || sampleRate == 0) {
        return 0;
    }
    const std::size_t padding = (header >> 9) & 0x1;
    return static_cast<std::size_t>(kSlotCoefficientLayer3 * bitrate * 1000 / sampleRate) + padding;
}

namespace {

// A sync pattern is a frame when the next MPEG-1 Layer III header follows
// where its length says, or the file ends there. Without this a chance
// 0xFF 0xFB in an MPEG-2 stream or a tag gives a made-up bitrate.
bool nextFrameFollows(int fd, std::string_view frame, std::size_t at) {
    if (frame.size() < 4) {
        return false;
    }
    const std::size_t length = mp3FrameLength(bigEndian32(frame, 0));
    if (length == 0) {
        return false;
    }
    std::array<char, 2> next{};
    const std::size_t got =
        readFully(fd, next.data(), next.size(), static_cast<off_t>(at + length));
    if (got < next.size()) {
        return true;
    }
    return static_cast<unsigned char>(next[0]) == 0xFF &&
           (static_cast<unsigned char>(next[1]) | 0x1) == 0xFB;
}

}  // namespace

std::int64_t mp3BitrateOfFile(int fd, std::uint64_t fileSize) {
    std::array<char, kMp3SearchBytes + kMp3FrameBytes> buffer;  // only the bytes read are used
    const std::size_t got = readFully(fd, buffer.data(), kMp3SearchBytes, 0);
    const std::string_view head(buffer.data(), got);
    for (std::size_t p = findMp3Frame(head); p != std::string_view::npos;
         p = findMp3Frame(head, p + 1)) {
        std::size_t have = got;
        if (got == kMp3SearchBytes && p + kMp3FrameBytes > got) {
            have += readFully(fd, buffer.data() + got, p + kMp3FrameBytes - got,
                              static_cast<off_t>(got));
        }
        const std::size_t frameEnd = std::min(have, p + kMp3FrameBytes);
        const std::string_view frame(buffer.data() + p, frameEnd - p);
        if (nextFrameFollows(fd, frame, p)) {
            return bitrateFromFrame(frame, fileSize);
        }
    }
    return 0;
}

std::string songLengthText(std::int64_t bitrate, std::uint64_t fileSize) {
    const double milliseconds =
        std::floor(static_cast<double>(fileSize) * 8.0 / static_cast<double>(bitrate));
    const std::int64_t seconds = roundHalfEven(milliseconds / 1000.0);
    std::string out = std::to_string(seconds / 60) + ":";
    const std::int64_t rest = seconds % 60;
    if (rest < 10) {
        out += '0';
    }
    out += std::to_string(rest);
    return out;
}

std::string mp3ColumnText(std::int64_t bitrate, std::uint64_t fileSize, bool mp3InfoFlag,
                          bool songLengthFlag) {
    if (bitrate <= 0) {
        return mp3InfoFlag ? " ???k " : " ??:?? ";
    }
    const std::string rate = " " + std::to_string(bitrate) + "k";
    if (mp3InfoFlag && songLengthFlag) {
        return rate + "  " + songLengthText(bitrate, fileSize) + " ";
    }
    if (mp3InfoFlag) {
        return rate + " ";
    }
    return " " + songLengthText(bitrate, fileSize) + " ";
}

std::string mp3TextOfFile(int fd, std::uint64_t fileSize, bool mp3InfoFlag, bool songLengthFlag) {
    const std::int64_t bitrate = fd >= 0 ? mp3BitrateOfFile(fd, fileSize) : 0;
    return mp3ColumnText(bitrate, fileSize, mp3InfoFlag, songLengthFlag);
}

std::string mp3Text(int dirFd, const char* name, std::uint64_t fileSize, bool mp3InfoFlag,
                    bool songLengthFlag) {
    const UniqueFd fd(openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    return mp3TextOfFile(fd.get(), fileSize, mp3InfoFlag, songLengthFlag);
}

std::string mp3Text(const std::filesystem::path& file, std::uint64_t fileSize, bool mp3InfoFlag,
                    bool songLengthFlag) {
    return mp3Text(AT_FDCWD, file.c_str(), fileSize, mp3InfoFlag, songLengthFlag);
}

bool hasMp3Extension(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - 4);
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return tail[0] == '.' && lower(tail[1]) == 'm' && lower(tail[2]) == 'p' && tail[3] == '3';
}

}  // namespace quor::generate
