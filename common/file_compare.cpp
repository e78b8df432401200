#include "common/file_compare.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace quor {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// Size of the regular file fd, or -1.
off_t regularSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return info.st_size;
}

// Reads exactly size bytes at offset (retrying short reads and EINTR);
// false on an error or an early end.
bool readAt(int fd, char* buffer, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, buffer, size, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        buffer += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// True when fd has no bytes at offset (its end is where it was measured).
bool endsAt(int fd, off_t offset) {
    char byte = 0;
    ssize_t n = 0;
    do {
        n = ::pread(fd, &byte, 1, offset);
    } while (n < 0 && errno == EINTR);
    return n == 0;
}

}  // namespace

UniqueFd openForComparison(const std::filesystem::path& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    if (fd && regularSize(fd.get()) < 0) {
        fd.reset();
    }
    return fd;
}

bool fileHolds(int fd, std::string_view contents) {
    if (regularSize(fd) != static_cast<off_t>(contents.size())) {
        return false;
    }
    std::array<char, kChunk> buffer;
    for (std::size_t done = 0; done < contents.size();) {
        const std::size_t size = std::min(kChunk, contents.size() - done);
        if (!readAt(fd, buffer.data(), size, static_cast<off_t>(done)) ||
            std::memcmp(buffer.data(), contents.data() + done, size) != 0) {
            return false;
        }
        done += size;
    }
    return endsAt(fd, static_cast<off_t>(contents.size()));
}

bool sameContents(int a, int b) {
    const off_t size = regularSize(a);
    if (size < 0 || regularSize(b) != size) {
        return false;
    }
    // On the heap: two chunks are too much for some threads' stacks.
    const auto buffers = std::make_unique<std::array<char, 2 * kChunk>>();
    char* const first = buffers->data();
    char* const second = first + kChunk;
    for (off_t done = 0; done < size;) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<off_t>(kChunk, size - done));
        if (!readAt(a, first, chunk, done) || !readAt(b, second, chunk, done) ||
            std::memcmp(first, second, chunk) != 0) {
            return false;
        }
        done += static_cast<off_t>(chunk);
    }
    return endsAt(a, size) && endsAt(b, size);
}

bool sameFile(int a, int b) {
    struct stat first {};
    struct stat second {};
    return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace quor
