#include "quorfind/search/row_list.h"

#include <algorithm>
#include <cstring>

namespace quor::find {

namespace {

// Blocks are large, so that a block's unused tail and the list of blocks
// stay small beside the rows; a longer row gets a block of its own.
constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
// Offsets live in chunks of this many, so that the table never has to be
// copied to grow (a vector would briefly need twice its size).
constexpr std::size_t kChunkShift = 16;
constexpr std::size_t kChunkSize = std::size_t{1} << kChunkShift;
constexpr std::uint32_t kEntryFlag = std::uint32_t{1} << 31;
constexpr std::size_t kEntryHeader = 2 * sizeof(std::uint32_t);

bool holdsBreak(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

}  // namespace

RowList& RowList::operator=(RowList&& other) noexcept {
    blocks_ = std::move(other.blocks_);
    offsetChunks_ = std::move(other.offsetChunks_);
    rowCount_ = std::exchange(other.rowCount_, 0);
    runs_ = std::move(other.runs_);
    exact_ = std::move(other.exact_);
    bytesHeld_ = std::exchange(other.bytesHeld_, 0);
    maxRows_ = other.maxRows_;
    maxBytes_ = other.maxBytes_;
    other.blocks_.clear();
    other.offsetChunks_.clear();
    other.runs_.clear();
    other.exact_.clear();
    return *this;
}

void RowList::setLimit(std::size_t maxRows, std::size_t maxBytes) {
    maxRows_ = maxRows;
    maxBytes_ = maxBytes;
}

void RowList::setPrefix(std::string_view prefix) {
    if (prefixOf(rowCount_) == prefix) {
        return;
    }
    if (!runs_.empty() && runs_.back().firstRow == rowCount_) {
        runs_.back().prefix = prefix;  // the run before had no rows
    } else {
        runs_.push_back(Run{rowCount_, std::string(prefix)});
    }
}

void RowList::addText(std::string_view text) {
    append({text}, false);
}

void RowList::addEntry(std::string_view folder, std::string_view name, std::string_view columns) {
    if (holdsBreak(folder) || holdsBreak(name)) {
        add(SearchRow::entry(folder, name, columns));
        return;
    }
    setPrefix({});
    const auto folderSize = static_cast<std::uint32_t>(std::min(folder.size(), kMaxRowBytes));
    const auto nameSize =
        static_cast<std::uint32_t>(std::min(name.size(), kMaxRowBytes - folderSize));
    if (columns.empty()) {
        append({folder, name}, true, folderSize, nameSize);
    } else {
        append({folder, name, "  ", columns}, true, folderSize, nameSize);
    }
}

void RowList::add(const SearchRow& row) {
    setPrefix({});
    if (row.exact_ == nullptr && row.folderSize_ == 0 && row.nameSize_ == 0) {
        append({row.text_}, false);
        return;
    }
    append({row.text_}, true, row.folderSize_, row.nameSize_);
    if (row.exact_ != nullptr) {
        exact_.emplace_back(rowCount_ - 1, row.exact_);
    }
}

void RowList::append(std::initializer_list<std::string_view> parts, bool entry,
                     std::uint32_t folderSize, std::uint32_t nameSize) {
    std::size_t size = 0;
    for (std::string_view part : parts) {
        size += part.size();
    }
    size = std::min(size, kMaxRowBytes);
    char* out = reserveRow(size + (entry ? kEntryHeader : 0), entry ? kEntryFlag : 0);
    if (entry) {
        std::memcpy(out, &folderSize, sizeof folderSize);
        std::memcpy(out + sizeof folderSize, &nameSize, sizeof nameSize);
        out += kEntryHeader;
    }
    for (std::string_view part : parts) {
        const std::size_t taken = std::min(part.size(), size);
        std::memcpy(out, part.data(), taken);
        out += taken;
        size -= taken;
    }
}

char* RowList::reserveRow(std::size_t bytes, std::uint32_t flags) {
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < bytes) {
        const std::size_t capacity = std::max(kBlockBytes, bytes);
        blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(capacity), 0,
                                static_cast<std::uint32_t>(capacity), rowCount_});
        bytesHeld_ += capacity;
    }
    if ((rowCount_ >> kChunkShift) == offsetChunks_.size()) {
        offsetChunks_.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kChunkSize));
        bytesHeld_ += kChunkSize * sizeof(std::uint32_t);
    }
    Block& block = blocks_.back();
    offsetChunks_[rowCount_ >> kChunkShift][rowCount_ & (kChunkSize - 1)] = block.used | flags;
    ++rowCount_;
    char* out = block.bytes.get() + block.used;
    block.used += static_cast<std::uint32_t>(bytes);
    return out;
}

std::uint32_t RowList::offsetOf(std::size_t row) const {
    return offsetChunks_[row >> kChunkShift][row & (kChunkSize - 1)];
}

RowList::Stored RowList::stored(std::size_t row) const {
    const auto after = std::upper_bound(
        blocks_.begin(), blocks_.end(), row,
        [](std::size_t wanted, const Block& block) { return wanted < block.firstRow; });
    const Block& block = *(after - 1);
    const std::uint32_t offset = offsetOf(row);
    const std::uint32_t start = offset & ~kEntryFlag;
    const bool lastInBlock =
        row + 1 == rowCount_ || (after != blocks_.end() && after->firstRow == row + 1);
    const std::uint32_t end = lastInBlock ? block.used : offsetOf(row + 1) & ~kEntryFlag;
    Stored out;
    const char* bytes = block.bytes.get() + start;
    out.text = std::string_view(bytes, end - start);
    out.entry = (offset & kEntryFlag) != 0;
    if (out.entry) {
        std::memcpy(&out.folderSize, bytes, sizeof out.folderSize);
        std::memcpy(&out.nameSize, bytes + sizeof out.folderSize, sizeof out.nameSize);
        out.text.remove_prefix(kEntryHeader);
    }
    return out;
}

std::string_view RowList::prefixOf(std::size_t row) const {
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), row,
                         [](std::size_t wanted, const Run& run) { return wanted < run.firstRow; });
    return after == runs_.begin() ? std::string_view() : std::string_view((after - 1)->prefix);
}

std::pair<std::string_view, std::string_view> RowList::textParts(std::size_t row) const {
    return {prefixOf(row), stored(row).text};
}

std::string RowList::text(std::size_t row) const {
    const auto [prefix, own] = textParts(row);
    std::string out;
    out.reserve(prefix.size() + own.size());
    out.append(prefix).append(own);
    return out;
}

SearchRow RowList::operator[](std::size_t row) const {
    const Stored at = stored(row);
    if (!at.entry) {
        return SearchRow(text(row));
    }
    std::shared_ptr<const SearchRow::Exact> exact;
    const auto found =
        std::lower_bound(exact_.begin(), exact_.end(), row,
                         [](const auto& item, std::size_t wanted) { return item.first < wanted; });
    if (found != exact_.end() && found->first == row) {
        exact = found->second;
    }
    return SearchRow(std::string(at.text), at.folderSize, at.nameSize, std::move(exact));
}

std::vector<SearchRow> RowList::toVector() const {
    std::vector<SearchRow> rows;
    rows.reserve(rowCount_);
    for (std::size_t row = 0; row < rowCount_; ++row) {
        rows.push_back((*this)[row]);
    }
    return rows;
}

}  // namespace quor::find
