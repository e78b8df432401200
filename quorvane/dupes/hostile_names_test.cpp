// Hostile file names through the duplicate finder: every entry of the
// catalogue is one row and leads back to its own file, and Delete and
// Rename reach the file and correct its cache line, whatever the names.

#include <set>

#include "quorvane/dupes/catalogue_reader.h"
#include "quorvane/dupes/row_actions.h"
#include "quorvane/dupes/row_resolution.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/hostile_tree_fixture.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::dupes {
namespace {

struct TypedName final : RenameDialog {
    explicit TypedName(std::string text) : text(std::move(text)) {}
    std::optional<std::string> ask(std::string_view) override { return text; }
    std::string text;
};

// Whether a cache file has a file line for name (in any folder).
bool listsName(const std::string& cache, const std::string& name) {
    for (std::string_view line : store::splitLines(cache)) {
        if (generate::cacheLineKind(line) == generate::CacheLineKind::FileOrTotal &&
            generate::splitFileLine(line).storedName == generate::encodeCacheName(name)) {
            return true;
        }
    }
    return false;
}

class HostileDupesTest : public quor::testing::HostileTreeTest {
  protected:
    HostileDupesTest() { buildList(); }

    // The stored name of every entry, by the real path it resolves to.
    std::map<std::string, std::string> entriesByPath() {
        const store::ListContext ctx = context();
        const CatalogueReading reading = readCatalogue(ctx, true, 0);
        EXPECT_FALSE(reading.failure.has_value());
        std::map<std::string, std::string> out;
        for (std::size_t i = 0; i < reading.entries.size(); ++i) {
            const std::string stored(reading.entries.storedName(i));
            EXPECT_EQ(displayForm(stored).find_first_of("\r\n"), std::string::npos) << stored;
            const auto resolved = resolveRow(ctx, stored);
            EXPECT_TRUE(resolved.ok() && resolved->has_value()) << stored;
            if (resolved.ok() && resolved->has_value()) {
                EXPECT_TRUE(out.emplace((*resolved)->fullPath, stored).second) << stored;
            }
        }
        return out;
    }
};

TEST_F(HostileDupesTest, EveryEntryLeadsBackToItsOwnFile) {
    std::set<std::string> resolved;
    for (const auto& [path, stored] : entriesByPath()) {
        resolved.insert(path);
    }
    std::set<std::string> made;
    for (const auto& [relative, full] : files) {
        made.insert(full);
    }
    EXPECT_EQ(resolved, made);
}

TEST_F(HostileDupesTest, DeleteAndRenameReachTheFileAndCorrectItsCacheLine) {
    const std::map<std::string, std::string> entries = entriesByPath();
    const store::ListContext ctx = context();
    const char* const renamed[] = {"line\nbreak.mp3", "-rf", "%2A%3E%3F%25%0A.txt",
                                   "$(touch PWNED)/inner $(touch PWNED).mp3"};
    int n = 0;
    for (const char* relative : renamed) {
        // "*" and "?" are stripped from a typed name.
        const std::string typed = "new $(touch PWNED) %25 *?" + std::to_string(++n) + ".mp3";
        const std::string newName = "new $(touch PWNED) %25 " + std::to_string(n) + ".mp3";
        DupesRows rows;
        rows.add("row", entries.at(files.at(relative)));
        TypedName dialog(typed);
        ASSERT_EQ(renameRow(ctx, rows, 0, dialog), ActionOutcome::Done) << relative;
        const std::filesystem::path old = files.at(relative);
        EXPECT_FALSE(std::filesystem::exists(old)) << relative;
        EXPECT_TRUE(std::filesystem::exists(old.parent_path() / newName)) << relative;
        EXPECT_TRUE(listsName(readCacheFile(0), newName)) << relative;
        EXPECT_FALSE(listsName(readCacheFile(0), old.filename().string())) << relative;
    }
    for (const char* relative : {"\nleading break", "<script>alert(1)<!script>.html", "-"}) {
        DupesRows rows;
        rows.add("row", entries.at(files.at(relative)));
        user.answerYes();
        ASSERT_EQ(deleteRow(ctx, rows, 0), ActionOutcome::Done) << relative;
        EXPECT_FALSE(std::filesystem::exists(files.at(relative))) << relative;
        EXPECT_FALSE(listsName(readCacheFile(0), relative)) << relative;
    }
    EXPECT_FALSE(std::filesystem::exists("PWNED"));
    EXPECT_EQ(entriesByPath().size(), files.size() - 3);  // the renamed files are still reached
}

}  // namespace
}  // namespace quor::dupes
