// Saved list files (.lst, every version, as both programs read them): a
// file that parses has exactly the lines of its version and folder count,
// and is written again in the current version and must read back to the
// same values; a byte order mark in front changes nothing; the search
// program's reader must load any file the parser accepts, with one folder
// per record; and loading a file the parser refuses changes nothing in the
// settings store.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/own_list.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/saved_lists.h"
#include "quorvane/store/settings_store.h"

namespace quor::fuzz {
namespace {

using namespace quor::store;

std::string rewritten(const SavedList& list) {
    std::vector<std::string> values;
    for (const SavedListLine& line : kSettingsLines) {
        values.push_back(list.setting(line.key, valueWhenMissing(line)));
    }
    std::vector<std::array<std::string, 4>> records;
    for (const auto& record : list.records) {
        records.push_back({record[0].value, record[1].value, record[2].value, record[3].value});
    }
    return formatSavedList(values, records);
}

void checkRoundTrip(const SavedList& first) {
    const Result<SavedList> again = parseSavedList(rewritten(first));
    check(again.ok(), "a rewritten saved list parses");
    check(again->version == kSavedListVersion, "it is rewritten in the current version");
    for (const SavedValue& value : first.settings) {
        check(again->setting(value.key, "<none>") == value.value, "every preference survives");
    }
    check(again->records.size() == first.records.size(), "every record survives");
    for (std::size_t i = 0; i < first.records.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            check(again->records[i][k].value == first.records[i][k].value,
                  "every record value survives");
        }
    }
}

void checkLayout(std::string_view bytes, const SavedList& list) {
    check(list.versionNumber >= kOldestSavedListVersion &&
              list.versionNumber <= kNewestSavedListVersion,
          "an accepted version is from 1 to 3.2");
    check(list.records.size() <= static_cast<std::size_t>(kMaxSavedListFolders),
          "an accepted folder count fits");
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    check(splitLines(bytes).size() ==
              savedListLineCount(list.versionNumber, static_cast<int>(list.records.size())),
          "an accepted file has exactly the lines of its layout");
}

void checkByteOrderMark(std::string_view bytes, const Result<SavedList>& parsed) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return;
    }
    const Result<SavedList> marked = parseSavedList("\xEF\xBB\xBF" + std::string(bytes));
    check(marked.ok() == parsed.ok(), "a byte order mark does not change acceptance");
    if (parsed) {
        check(rewritten(*marked) == rewritten(*parsed), "nor the values read");
    }
}

// The settings store of the loads, made once: it holds whatever the last
// accepted file loaded.
ListContext& loadContext() {
    static std::unique_ptr<SettingsStore> settings = [] {
        auto opened = SettingsStore::open(scratchFolder() / "settings.db");
        check(opened.ok(), "the settings store opens");
        return std::move(*opened);
    }();
    static UnattendedInteraction user("fuzz");
    static ListContext context{*settings, Places(scratchFolder() / "home"), user};
    static const bool made = context.places.ensureFolders().ok();
    check(made, "the program folder is made");
    return context;
}

std::vector<std::string> storeContents(const SettingsStore& settings) {
    std::vector<std::string> entries;
    for (const std::string_view section :
         {kSettings, std::string_view("0"), std::string_view("1"), std::string_view("2")}) {
        for (const std::string& key : settings.keys(kQuorvane, section)) {
            entries.push_back(std::string(section) + "/" + key + "=" +
                              settings.get(kQuorvane, section, key));
        }
    }
    return entries;
}

void checkLoad(std::string_view bytes, const Result<SavedList>& parsed) {
    ListContext& context = loadContext();
    check(writeFileAtomically(context.places.dataFolder() / "load.lst", bytes).ok(),
          "the saved list to load is written");
    const std::vector<std::string> before = storeContents(context.store);
    const bool loaded = loadlist(context, "load.lst");
    check(loaded == parsed.ok(), "loading accepts what the parser accepts");
    if (!loaded) {
        check(storeContents(context.store) == before, "a refused file changes nothing");
    } else {
        check(context.settings().setting(kNumPaths.key) == std::to_string(parsed->records.size()),
              "a loaded file sets its folder count");
    }
}

void checkSearchReader(std::string_view bytes, const Result<SavedList>& parsed) {
    const std::filesystem::path data = scratchFolder();
    check(writeFileAtomically(data / "fuzz.lst", bytes).ok(), "the saved list is written");
    const Result<find::OwnList> loaded = find::loadOwnList(data, "/web/fuzz.txt");
    check(loaded.ok() == parsed.ok(), "both programs accept the same saved lists");
    if (loaded) {
        check(loaded->present, "a saved list that reads is present");
        check(loaded->folders.size() == parsed->records.size(), "one folder per record");
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const quor::Result<quor::store::SavedList> parsed = quor::store::parseSavedList(bytes);
    if (parsed) {
        checkLayout(bytes, *parsed);
        checkRoundTrip(*parsed);
    }
    checkByteOrderMark(bytes, parsed);
    checkSearchReader(bytes, parsed);
    checkLoad(bytes, parsed);
    return 0;
}
