#pragma once

// Test helpers: a saved list with its folder listing files in the data
// folder of a test's program folder, laid out in one call.

#include <array>
#include <string>
#include <vector>

#include "common/testing/temp_tree.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::testing {

struct TestFolder {
    std::string cdrom;        // "0" or "1"
    std::string path;         // real folder
    std::string displayName;  // "Pathname"
    std::string listing;      // the .dat file's contents ("\n" becomes CR LF); "" for none
};

// Writes data/<base>.lst (version 3.2) and data/<base><i>.dat for each
// folder with a listing, below the program folder "home" of tree.
inline void writeSavedList(const TempTree& tree, const std::string& base,
                           const std::vector<TestFolder>& folders) {
    std::vector<std::string> values;
    for (const store::SavedListLine& line : store::kSettingsLines) {
        values.push_back(std::string(line.valueWhenMissing));
    }
    values[0] = std::to_string(folders.size());
    values[7] = "/web/" + base + ".txt";
    std::vector<std::array<std::string, 4>> records;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        records.push_back({folders[i].cdrom, folders[i].path, folders[i].displayName, "1"});
        if (!folders[i].listing.empty()) {
            tree.file("home/data/" + base + std::to_string(i) + ".dat", crlf(folders[i].listing));
        }
    }
    tree.file("home/data/" + base + ".lst", store::formatSavedList(values, records));
}

}  // namespace quor::testing
