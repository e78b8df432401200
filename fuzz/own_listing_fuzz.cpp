// The own-list search against the plain rule: every file line decoded,
// joined to its folder's decoded display path, folded and searched on its
// own. The fast search (whole-file scans, quiet lines passed over) must
// give exactly the rows of the plain rule on any listing.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "quorfind/search/own_list_search.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::fuzz {
namespace {

using namespace quor::find;
using generate::decodeCacheName;

// The rows as the plain rule gives them: the first line (the total) is
// skipped, and after a disk header also the disk's total.
std::vector<std::string> plainRule(std::string_view listing, const TextMatcher& matcher,
                                   bool includeFolders) {
    std::vector<std::string> rows;
    const std::vector<std::string_view> lines = store::splitLines(listing);
    std::string folder;
    std::size_t i = lines.empty() ? 0 : (lines[0].starts_with('?') ? 2 : 1);
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) {
            continue;
        }
        if (line[0] == '*') {
            folder = decodeCacheName(line.substr(1));
        } else if (line[0] == '?') {
            ++i;
        } else {
            const generate::CacheFileLine split = generate::splitFileLine(line);
            const std::string name = decodeCacheName(split.storedName);
            const std::string candidate =
                (includeFolders ? folder : std::string()) + name + std::string(split.rest);
            if (matcher.matches(candidate)) {
                rows.push_back(folder + "|" + name);
            }
        }
    }
    return rows;
}

// Listings made of pieces that meet the search texts often: letters in
// both cases, another script, escapes, markers and line ends.
std::string listingFrom(FuzzInput& in) {
    static const char* const kPieces[] = {
        "a",   "B", "ab",  "Ab",   "\xC3\xA9", "\xC3\x89", "\xC3\x9F",    "ss", "%2A",
        "%25", "%", "*",   ">",    " ",        "/",        "\r\n",        "\n", "\n*",
        "\n?", "1", "mp3", ".MP3", "k",        "K",        "\xE2\x84\xAA"};
    std::string out;
    while (!in.empty() && out.size() < 4096) {
        out += kPieces[in.byte() % (sizeof kPieces / sizeof kPieces[0])];
    }
    return out;
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::find;
    FuzzInput in(data, size);
    const bool includeFolders = in.flag();
    const bool pieces = in.flag();
    const std::string searchText(in.text(6));
    const std::string listing = pieces ? listingFrom(in) : std::string(in.rest());
    // Bytes that are not UTF-8 fold differently on their own than joined to
    // the text before them, so the plain rule holds for UTF-8 listings.
    const TextMatcher matcher(searchText);
    RowList rows;
    const long long added = searchListing(listing, matcher, includeFolders, rows);
    check(added == static_cast<long long>(rows.size()), "the count is the rows added");
    if (!pieces) {
        return 0;
    }
    std::vector<std::string> got;
    for (const SearchRow& row : rows) {
        got.push_back(row.folder() + "|" + row.name());
    }
    check(got == plainRule(listing, matcher, includeFolders), "the search follows the plain rule");
    return 0;
}
