// The listing files of a saved list (base0.dat, base1.dat, ...): copies of
// folder cache files that the search program reads from disk, one after
// the other into the same reused memory. The search over the files must
// give exactly the rows of each file's text searched on its own, so that
// nothing of a longer file read before leaks into a shorter one; the other
// readers of listing files (disk names, the loader's check) must take any
// bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/resolve_row.h"
#include "quorvane/store/listing_claims.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::fuzz {
namespace {

using namespace quor::find;

// A saved list of two records: a fixed folder and a removable disk set.
std::string savedListText() {
    std::vector<std::string> values;
    for (const store::SavedListLine& line : store::kSettingsLines) {
        values.push_back(line.key == "NumPaths" ? "2" : store::valueWhenMissing(line));
    }
    return store::formatSavedList(
        values, {{"0", "/srv/music", "Music", "1"}, {"1", "/media/cd", "Discs", "0"}});
}

std::vector<std::string> rowTexts(const RowList& rows) {
    std::vector<std::string> out;
    for (const SearchRow& row : rows) {
        out.push_back(row.text() + "|" + row.folder() + "|" + row.name());
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
    const std::string searchText(in.text(4));
    const std::string first(in.text(255));
    const std::string second(in.rest());

    const std::filesystem::path folder = scratchFolder() / "data";
    check(quor::createFolders(folder).ok(), "the data folder is made");
    check(quor::writeFileAtomically(folder / "fz.lst", savedListText()).ok(), "the .lst");
    check(quor::writeFileAtomically(folder / "fz0.dat", first).ok(), "the first listing");
    check(quor::writeFileAtomically(folder / "fz1.dat", second).ok(), "the second listing");

    const quor::Result<OwnList> list = loadOwnList(folder, "/web/fz.txt");
    check(list.ok() && list->folders.size() == 2, "the saved list loads");
    quor::UnattendedInteraction user("fuzz");
    const SearchResult found = searchOwnList(*list, searchText, includeFolders, user);
    check(!found.failed, "the listings are read");

    const TextMatcher matcher(searchText);
    RowList expected;
    searchListing(first, matcher, includeFolders, expected);
    searchListing(second, matcher, includeFolders, expected);
    check(rowTexts(found.rows) == rowTexts(expected), "each file gives the rows of its own text");
    check(found.matches == static_cast<long long>(expected.size()), "every row is counted");

    (void)quor::store::listingDescribes(folder / "fz0.dat", "Music");
    (void)quor::store::listingDescribes(folder / "fz1.dat", searchText);
    (void)baseFolder(searchText, *list);
    return 0;
}
