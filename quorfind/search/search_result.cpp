#include "quorfind/search/search_result.h"

#include "quorfind/search/search_texts.h"

namespace quor::find {

std::vector<std::string> shownRows(const SearchResult& result) {
    std::vector<std::string> rows;
    rows.reserve(result.rows.size() + 1);
    for (std::size_t row = 0; row < result.rows.size(); ++row) {
        rows.push_back(result.rows.text(row));
    }
    if (result.matches == 0) {
        rows.emplace_back(kNoMatchesRow);
    }
    return rows;
}

}  // namespace quor::find
