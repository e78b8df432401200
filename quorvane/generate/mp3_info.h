#pragma once

// Bitrate and song length of an MP3 file, from the first MPEG-1 Layer III
// frame header found in the first 5001 bytes and, for a variable-bitrate
// file, the "Xing" header inside that frame. Everything else (MPEG-2 and
// 2.5, other layers, free format, a frame that starts too late) is unknown.
// At most the first 5001 bytes and the 48 bytes from the frame start are
// read, and two bytes where the next frame should start.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quor::generate {

inline constexpr std::size_t kMp3SearchBytes = 5001;  // bytes the frame search may read
inline constexpr std::size_t kMp3FrameBytes = 48;     // bytes read from the frame start

// The 0-based offset of the first sync pattern (0xFF followed by 0xFA or
// 0xFB) at or after from that starts in the first 5000 bytes of head; npos
// when there is none.
std::size_t findMp3Frame(std::string_view head, std::size_t from = 0);

// The length in bytes of the MPEG-1 Layer III frame with this header
// (144 x bitrate / sample rate, plus the padding slot); 0 for any other
// stream, free format and invalid indexes.
std::size_t mp3FrameLength(std::uint32_t header);

// The bitrate in kbit/s (0 = unknown) from the bytes at the frame start
// (up to 48; fewer when the file ends sooner) and the file's size. A "Xing"
// frame gives the average from its frame count; else the header's table
// value.
std::int64_t bitrateFromFrame(std::string_view frame, std::uint64_t fileSize);

// The bitrate of an open file (read with pread), 0 when unknown. A sync
// pattern counts as the first frame only when the next frame header follows
// it (two bytes more are read there) or the file ends there; else the
// search goes on after it.
std::int64_t mp3BitrateOfFile(int fd, std::uint64_t fileSize);

// The column text for a known (> 0) or unknown (0) bitrate:
//   both flags        " 128k  3:39 "
//   bitrate only      " 128k "
//   length only       " 3:39 "
//   unknown           " ???k " with the bitrate flag, else " ??:?? "
std::string mp3ColumnText(std::int64_t bitrate, std::uint64_t fileSize, bool mp3InfoFlag,
                          bool songLengthFlag);

// The song length "m:ss" of a file of fileSize bytes at bitrate kbit/s (> 0).
std::string songLengthText(std::int64_t bitrate, std::uint64_t fileSize);

// The column text of an open file (fd < 0: the unknown text).
std::string mp3TextOfFile(int fd, std::uint64_t fileSize, bool mp3InfoFlag, bool songLengthFlag);

// Opens the file (relative to dirFd, or a path), reads its stream
// information and closes it. A file that cannot be opened or read gives the
// unknown text.
std::string mp3Text(int dirFd, const char* name, std::uint64_t fileSize, bool mp3InfoFlag,
                    bool songLengthFlag);
std::string mp3Text(const std::filesystem::path& file, std::uint64_t fileSize, bool mp3InfoFlag,
                    bool songLengthFlag);

// True when the last four characters of name are ".mp3" in any case.
bool hasMp3Extension(std::string_view name);

}  // namespace quor::generate
