#pragma once

// Memory reused from one file to the next: a search reads many large files
// in turn, and fresh memory for each of them (every page zero-filled and
// mapped on first touch) would cost more than the search itself. The memory
// is mapped with all its pages at once, which costs far less than taking
// them one fault at a time.

#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

namespace quor::find {

class ScratchBuffer {
  public:
    ScratchBuffer() = default;
    ~ScratchBuffer() { release(); }
    ScratchBuffer(const ScratchBuffer&) = delete;
    ScratchBuffer& operator=(const ScratchBuffer&) = delete;

    // At least size bytes, their contents undefined except that the first
    // keep bytes are preserved. Throws std::bad_alloc when no memory is left.
    char* reserve(std::size_t size, std::size_t keep = 0) {
        if (size > capacity_) {
            const std::size_t capacity = std::max(size, capacity_ + capacity_ / 2);
            void* grown = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
            if (grown == MAP_FAILED) {
                throw std::bad_alloc();
            }
            if (keep > 0) {
                std::memcpy(grown, data_, std::min(keep, capacity_));
            }
            release();
            data_ = static_cast<char*>(grown);
            capacity_ = capacity;
        }
        return data_;
    }
    std::size_t capacity() const { return capacity_; }

  private:
    void release() {
        if (data_ != nullptr) {
            ::munmap(data_, capacity_);
        }
        data_ = nullptr;
        capacity_ = 0;
    }

    char* data_ = nullptr;
    std::size_t capacity_ = 0;
};

}  // namespace quor::find
