#include "quorfind/search/search_row.h"

#include <algorithm>

#include "quorvane/generate/cache_format.h"

namespace quor::find {

SearchRow SearchRow::entry(std::string_view folder, std::string_view name,
                           std::string_view columns) {
    SearchRow row;
    const auto holdsBreak = [](std::string_view text) {
        return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    };
    const bool breaks = holdsBreak(folder) || holdsBreak(name);
    row.text_.reserve(folder.size() + name.size() + (columns.empty() ? 0 : columns.size() + 2));
    if (breaks) {
        row.text_ = generate::shownName(folder) + generate::shownName(name);
        row.exact_ = std::make_shared<const Exact>(Exact{std::string(folder), std::string(name)});
    } else {
        row.text_.append(folder).append(name);
    }
    row.folderSize_ = static_cast<std::uint32_t>(folder.size());
    row.nameSize_ = static_cast<std::uint32_t>(name.size());
    if (!columns.empty()) {
        row.text_.append("  ").append(columns);
    }
    return row;
}

std::string SearchRow::folder() const {
    return exact_ ? exact_->folder : text_.substr(0, folderSize_);
}

std::string SearchRow::name() const {
    return exact_ ? exact_->name : text_.substr(folderSize_, nameSize_);
}

}  // namespace quor::find
