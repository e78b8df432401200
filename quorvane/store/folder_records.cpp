#include "quorvane/store/folder_records.h"

#include <optional>

#include "common/number_text.h"

namespace quor::store {

namespace {

// The stored count as a 16-bit integer, 0 when negative; nothing when it
// does not fit.
std::optional<int> storedCount(const std::string& stored) {
    const auto count = toInt16(leadingNumber(stored));
    if (!count) {
        return std::nullopt;
    }
    return *count < 0 ? 0 : *count;
}

std::string overflowText(const std::string& stored) {
    return "Overflow: the number of folders \"" + stored + "\" is out of range";
}

}  // namespace

std::string recordSection(int index) {
    return std::to_string(index);
}

int numPaths(const AppSettings& settings) {
    const std::string stored = settings.text(kNumPaths);
    const std::optional<int> count = storedCount(stored);
    if (!count) {
        throw StoreError(overflowText(stored));
    }
    return *count;
}

Status checkNumPaths(const AppSettings& settings) {
    const std::string stored = settings.text(kNumPaths);
    if (!storedCount(stored)) {
        return Error{overflowText(stored)};
    }
    return Status::success();
}

FolderRecord readFolderRecord(const AppSettings& settings, int index) {
    const std::string section = recordSection(index);
    return {settings.get(section, kPath), settings.get(section, kPathname),
            settings.get(section, kUpdate), settings.get(section, kCdrom)};
}

void writeFolderRecord(AppSettings& settings, int index, const FolderRecord& record) {
    const std::string section = recordSection(index);
    settings.save(section, kPath, record.path);
    settings.save(section, kPathname, record.pathname);
    settings.save(section, kUpdate, record.update);
    settings.save(section, kCdrom, record.cdrom);
}

bool isRemovableDiskSet(const FolderRecord& record) {
    return leadingNumber(record.cdrom) == 1.0;
}

std::vector<std::string> folderListRows(const AppSettings& settings) {
    std::vector<std::string> rows;
    const int count = numPaths(settings);
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back(settings.get(recordSection(i), kPath));
    }
    return rows;
}

}  // namespace quor::store
