#pragma once

// Memory reused from one file to the next: a search reads many large files
// in turn, and fresh (zero-filled, newly mapped) memory for each of them
// would cost more than the search itself.

#include <algorithm>
#include <cstring>
#include <memory>

namespace quor::find {

class ScratchBuffer {
  public:
    // At least size bytes, their contents undefined unless keep is set, in
    // which case the first kept bytes are preserved.
    char* reserve(std::size_t size, std::size_t keep = 0) {
        if (size > capacity_) {
            const std::size_t capacity = std::max(size, capacity_ + capacity_ / 2);
            auto grown = std::make_unique_for_overwrite<char[]>(capacity);
            if (keep > 0) {
                std::memcpy(grown.get(), data_.get(), std::min(keep, capacity_));
            }
            data_ = std::move(grown);
            capacity_ = capacity;
        }
        return data_.get();
    }
    std::size_t capacity() const { return capacity_; }

  private:
    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
};

}  // namespace quor::find
