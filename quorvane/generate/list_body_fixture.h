#pragma once

// Test helpers for the list writers: folder records and cache files laid
// out in one line each, and the file line forms the scanner writes.

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/generate/line_arena.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::testing {

// The lines as strings, to compare with the expected ones.
inline std::vector<std::string> texts(const generate::LineArena& lines) {
    return {lines.begin(), lines.end()};
}

// The filler after a name of L characters: 65 - L blanks, one when longer.
inline std::string filler(std::string_view name) {
    return std::string(name.size() < 65 ? 65 - name.size() : 1, ' ');
}

// A cache file line: the stored name, "*", filler, columns.
inline std::string cached(std::string_view storedName, std::string_view shownName,
                          std::string_view columns) {
    return std::string(storedName) + "*" + filler(shownName) + std::string(columns);
}
inline std::string cached(std::string_view name, std::string_view columns) {
    return cached(name, name, columns);
}

// The same line in a text list: the name padded to 65, then the columns.
inline std::string listed(std::string_view name, std::string_view columns) {
    return std::string(name) + filler(name) + std::string(columns);
}

class ListTest : public StoreTest {
  protected:
    // Sets record i and makes NumPaths at least i + 1.
    void record(int i, const std::string& path, const std::string& pathname,
                const std::string& cdrom = "0") {
        store::AppSettings s = settings();
        store::writeFolderRecord(s, i, {path, pathname, "0", cdrom});
        if (store::numPaths(s) < i + 1) {
            s.save(store::kNumPaths, std::to_string(i + 1));
        }
    }
    // Writes cache file i from its lines, CR LF after each.
    void cache(int i, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        cacheFile(i, text);
    }
};

}  // namespace quor::testing
