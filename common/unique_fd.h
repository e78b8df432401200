#pragma once

// Ownership of one open file descriptor: closed when its owner goes, so
// that no return path can leak it. Move-only.

#include <unistd.h>

#include <utility>

namespace quor {

class UniqueFd {
  public:
    UniqueFd() = default;
    // Takes fd (-1 for none).
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    ~UniqueFd() { reset(); }

    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const noexcept { return fd_; }
    bool valid() const noexcept { return fd_ >= 0; }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership: the caller closes what it returns.
    [[nodiscard]] int release() noexcept { return std::exchange(fd_, -1); }

    // Closes the descriptor held (a failure goes unseen: nothing written
    // depends on it) and takes fd.
    void reset(int fd = -1) noexcept {
        if (fd_ >= 0) {
            (void)::close(fd_);
        }
        fd_ = fd;
    }

    // Closes the descriptor now and tells whether the close succeeded, with
    // errno set when not: for a file written through it, whose last write
    // errors may only show here. Nothing is held afterwards either way.
    [[nodiscard]] bool close() noexcept {
        const int fd = release();
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_ = -1;
};

}  // namespace quor
