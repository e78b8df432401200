#include "quorvane/generate/line_arena.h"

#include <algorithm>
#include <cstring>

namespace quor::generate {

namespace {

// Blocks are this large unless a line needs more; a block is never grown,
// so the bytes of a line never move and no block is copied.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

}  // namespace

char* LineArena::allocate(std::size_t bytes, std::uint32_t& block, std::uint32_t& offset) {
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < bytes) {
        Block fresh;
        fresh.capacity = std::max(kBlockBytes, bytes);
        fresh.bytes = std::make_unique_for_overwrite<char[]>(fresh.capacity);
        blocks_.push_back(std::move(fresh));
    }
    Block& last = blocks_.back();
    block = static_cast<std::uint32_t>(blocks_.size() - 1);
    offset = static_cast<std::uint32_t>(last.used);
    last.used += bytes;
    return last.bytes.get() + offset;
}

void LineArena::push_back(std::string_view line, std::size_t room) {
    Span span{};
    char* at = allocate(room + line.size(), span.block, span.offset);
    if (!line.empty()) {
        std::memcpy(at + room, line.data(), line.size());
    }
    span.offset += static_cast<std::uint32_t>(room);
    span.length = static_cast<std::uint32_t>(line.size());
    span.room = static_cast<std::uint32_t>(room);
    spans_.push_back(span);
}

std::string_view LineArena::operator[](std::size_t i) const {
    const Span& span = spans_[i];
    return {blocks_[span.block].bytes.get() + span.offset, span.length};
}

std::size_t LineArena::textBytes() const {
    std::size_t bytes = 0;
    for (const Span& span : spans_) {
        bytes += span.length;
    }
    return bytes;
}

void LineArena::prepend(std::size_t i, std::string_view prefix) {
    Span& span = spans_[i];
    if (prefix.size() <= span.room) {
        span.offset -= static_cast<std::uint32_t>(prefix.size());
        span.room -= static_cast<std::uint32_t>(prefix.size());
        span.length += static_cast<std::uint32_t>(prefix.size());
        std::memcpy(blocks_[span.block].bytes.get() + span.offset, prefix.data(), prefix.size());
        return;
    }
    const std::string_view old = (*this)[i];
    Span moved{};
    char* at = allocate(prefix.size() + old.size(), moved.block, moved.offset);
    std::memcpy(at, prefix.data(), prefix.size());
    // old stays valid: allocate never moves or frees the bytes of a block.
    std::memcpy(at + prefix.size(), old.data(), old.size());
    moved.length = static_cast<std::uint32_t>(prefix.size() + old.size());
    spans_[i] = moved;
}

void LineArena::clear() {
    blocks_.clear();
    spans_.clear();
}

}  // namespace quor::generate
