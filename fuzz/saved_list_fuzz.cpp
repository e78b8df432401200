// Saved list files (.lst, every version, as both programs read them): a
// file that parses is written again in the current version and must read
// back to the same values; the search program's reader must load any file
// the parser accepts, with one folder per record.

#include <cstdint>
#include <string>

#include "common/file_io.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/own_list.h"
#include "quorvane/store/saved_list_format.h"

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
        checkRoundTrip(*parsed);
    }
    checkSearchReader(bytes, parsed);
    return 0;
}
