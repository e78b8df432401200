#pragma once

// Many lines of text kept compactly: their bytes in a few large blocks and
// one small span per line, instead of a string object (and an allocation)
// per line. Lines are added at the end; the order of the lines can be
// changed by swapping spans, which never moves the bytes; a line may be
// given a prefix in room left in front of it when it was added.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace quor::generate {

class LineArena {
  public:
    // Adds a line; room bytes are kept free in front of it for prepend.
    // A line longer than 4 GiB is not supported (lines here are short).
    void push_back(std::string_view line, std::size_t room = 0);

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t i) const;
    std::string_view back() const { return (*this)[size() - 1]; }

    // The bytes of every line together (without line ends).
    std::size_t textBytes() const;

    // Exchanges the places of lines i and j.
    void swap(std::size_t i, std::size_t j) { std::swap(spans_[i], spans_[j]); }

    // Puts prefix in front of line i: in the room left for it when there
    // is enough, else the line is copied once with the prefix.
    void prepend(std::size_t i, std::string_view prefix);

    // Drops the lines from index count on; their bytes stay until clear.
    void truncate(std::size_t count) { spans_.resize(count); }
    void clear();

    class const_iterator {
      public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const LineArena* lines, std::size_t at) : lines_(lines), at_(at) {}
        std::string_view operator*() const { return (*lines_)[at_]; }
        std::string_view operator[](difference_type n) const {
            return (*lines_)[at_ + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++() { return ++at_, *this; }
        const_iterator operator++(int) { return {lines_, at_++}; }
        const_iterator& operator--() { return --at_, *this; }
        const_iterator operator--(int) { return {lines_, at_--}; }
        const_iterator& operator+=(difference_type n) {
            return at_ += static_cast<std::size_t>(n), *this;
        }
        const_iterator& operator-=(difference_type n) {
            return at_ -= static_cast<std::size_t>(n), *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.at_ == b.at_;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.at_ <=> b.at_;
        }

      private:
        const LineArena* lines_ = nullptr;
        std::size_t at_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

  private:
    struct Span {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t room;  // free bytes in front of offset
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t used = 0;
        std::size_t capacity = 0;
    };

    char* allocate(std::size_t bytes, std::uint32_t& block, std::uint32_t& offset);

    std::vector<Block> blocks_;
    std::vector<Span> spans_;
};

}  // namespace quor::generate
