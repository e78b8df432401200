#include "common/read_to_end.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace quor {

namespace {

constexpr std::size_t kReadBeyondLimit = 65536;

// How much the next read may take: what is free, but not beyond the limit's
// allowance.
std::size_t nextReadSize(std::size_t size, std::size_t capacity, std::size_t maxBytes) {
    const std::size_t allowed = maxBytes - size;  // size <= maxBytes here
    if (allowed > std::numeric_limits<std::size_t>::max() - kReadBeyondLimit) {
        return capacity - size;
    }
    return std::min(capacity - size, allowed + kReadBeyondLimit);
}

}  // namespace

ReadOutcome readToEnd(int fd, std::size_t expectedSize, std::size_t maxBytes,
                      const ReadRoom& room) {
    std::size_t capacity = std::min(expectedSize, maxBytes) + 1;
    char* data = room(capacity, 0);
    ReadOutcome read;
    while (read.size <= maxBytes) {
        if (read.size == capacity) {
            capacity *= 2;
            data = room(capacity, read.size);
        }
        const ssize_t got =
            ::read(fd, data + read.size, nextReadSize(read.size, capacity, maxBytes));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            read.error = errno;
            return read;
        }
        if (got == 0) {
            break;
        }
        read.size += static_cast<std::size_t>(got);
    }
    return read;
}

}  // namespace quor
