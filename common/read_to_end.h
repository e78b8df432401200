#pragma once

// The one loop that reads a file descriptor to its end.

#include <cstddef>
#include <functional>

namespace quor {

// Gives memory for capacity bytes whose first kept bytes hold what was read
// so far.
using ReadRoom = std::function<char*(std::size_t capacity, std::size_t kept)>;

struct ReadOutcome {
    std::size_t size = 0;  // the bytes read
    int error = 0;         // the errno of a read that failed, else 0
};

// Reads fd from its offset to its end into memory from room, retrying
// interrupted reads. The first capacity is one byte more than expectedSize
// (so that a file of that size ends in the same pass), doubled whenever it
// fills. Reading stops once more than maxBytes are read, without reading
// more than maxBytes + 64 KiB.
ReadOutcome readToEnd(int fd, std::size_t expectedSize, std::size_t maxBytes, const ReadRoom& room);

}  // namespace quor
