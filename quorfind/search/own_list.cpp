#include "quorfind/search/own_list.h"

#include <system_error>

#include "common/number_text.h"
#include "quorvane/store/parse_filename.h"

namespace quor::find {

namespace fs = std::filesystem;

std::string listFileName(std::string_view listPath) {
    return store::fileNamePart(listPath);
}

Result<std::string> savedListOutputPath(const fs::path& listFile) {
    auto parsed = store::readSavedListFile(listFile);
    if (!parsed) {
        return Error{parsed.error()};
    }
    return parsed->setting(store::kSavePath);
}

Result<OwnList> loadOwnList(const fs::path& dataFolder, std::string_view listPath) {
    const store::SavedListFiles files(dataFolder, listFileName(listPath));
    OwnList list;
    list.listFile = files.listFile();
    std::error_code error;
    if (!fs::exists(list.listFile, error)) {
        return list;
    }
    auto parsed = store::readSavedListFile(list.listFile);
    if (!parsed) {
        return Error{parsed.error()};
    }
    list.present = true;
    for (std::size_t i = 0; i < parsed->records.size(); ++i) {
        const auto& record = parsed->records[i];
        ListFolder folder;
        folder.removable = leadingNumber(record[0].value) == 1;
        folder.path = record[1].value;
        folder.displayName = record[2].value;
        folder.listingFile = files.listingFile(static_cast<int>(i));
        list.folders.push_back(std::move(folder));
    }
    return list;
}

}  // namespace quor::find
