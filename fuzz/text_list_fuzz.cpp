// Text lists from other people (any encoding, any line ends, none at all):
// the decoded text is UTF-8, every row is one line of it that holds the
// search text, and an empty search text gives every non-empty line.

#include <cstdint>
#include <string>

#include "common/file_io.h"
#include "common/interaction.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/match.h"
#include "quorfind/search/text_decoding.h"
#include "quorfind/search/text_list_search.h"

namespace quor::fuzz {
namespace {

using namespace quor::find;

std::size_t nonEmptyLines(std::string_view text) {
    std::size_t count = 0;
    std::size_t length = 0;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            count += length > 0 ? 1 : 0;
            length = 0;
        } else {
            ++length;
        }
    }
    return count + (length > 0 ? 1 : 0);
}

void checkRows(const SearchResult& result, std::string_view searchText) {
    const TextMatcher matcher(searchText);
    check(result.matches == static_cast<long long>(result.rows.size()), "one row per match");
    for (const SearchRow& row : result.rows) {
        check(isValidUtf8(row.text()), "a row is UTF-8");
        check(row.text().find_first_of("\r\n") == std::string::npos, "a row is one line");
        check(matcher.matches(row.text()), "a row holds the search text");
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::find;
    FuzzInput in(data, size);
    const std::string searchText = cleanSearchText(in.text(8));
    const std::string_view bytes = in.rest();
    const std::string text = listTextAsUtf8(bytes);
    check(isValidUtf8(text), "a decoded list is UTF-8");

    const std::filesystem::path file = scratchFolder() / "list.txt";
    check(quor::writeFileAtomically(file, bytes).ok(), "the list is written");
    quor::UnattendedInteraction ui("quorfind");
    const SearchResult some = searchTextList(file, searchText, ui);
    checkRows(some, searchText);
    const SearchResult all = searchTextList(file, "", ui);
    checkRows(all, "");
    check(all.rows.size() == nonEmptyLines(text), "an empty search text gives every line");
    check(some.rows.size() <= all.rows.size(), "a search text only leaves lines out");
    return 0;
}
