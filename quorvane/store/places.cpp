#include "quorvane/store/places.h"

#include <algorithm>

#include "common/file_io.h"
#include "platform/program_folder.h"

namespace quor::store {

Places Places::forThisUser() {
    return Places(platform::programFolder());
}

std::filesystem::path Places::cacheFile(int record) const {
    return root_ / (std::to_string(record) + ".txt");
}

namespace {

namespace fs = std::filesystem;

// file with links and ".." resolved as far as it exists; as written, made
// absolute, when that fails (a link loop, a folder that may not be read).
fs::path resolved(const fs::path& file) {
    std::error_code error;
    fs::path path = fs::weakly_canonical(file, error);
    if (error) {
        path = fs::absolute(file, error).lexically_normal();
    }
    return path;
}

// True when path is folder or lies below it.
bool isWithin(const fs::path& path, const fs::path& folder) {
    auto at = path.begin();
    for (const fs::path& part : folder) {
        if (part.empty()) {
            break;  // a trailing "/"
        }
        if (at == path.end() || *at != part) {
            return false;
        }
        ++at;
    }
    return true;
}

bool isCacheFileName(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - std::min<std::size_t>(name.size(), 4));
    return name.ends_with(".txt") && !stem.empty() &&
           std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isProgramFolderFile(const std::string& name) {
    return isCacheFileName(name) || name == "header.txt" || name == "footer.txt" ||
           name == "Template.html" || name == ".quorvane.lock" || name == ".quorfind.lock";
}

bool isStoreFile(const std::string& name, const std::string& storeName) {
    for (const char* side : {"", "-wal", "-shm", "-journal"}) {
        if (name == storeName + side) {
            return true;
        }
    }
    return false;
}

}  // namespace

Status Places::checkListOutputFile(const fs::path& file, const fs::path& storeFile) const {
    const fs::path path = resolved(file);
    const fs::path root = resolved(root_);
    const fs::path store = resolved(storeFile);
    const std::string name = path.filename().string();
    const bool owned =
        isWithin(path, resolved(dataFolder())) || isWithin(path, resolved(listsFolder())) ||
        (path.parent_path() == root && isProgramFolderFile(name)) ||
        (path.parent_path() == store.parent_path() && isStoreFile(name, store.filename().string()));
    if (owned) {
        return Error{"The list cannot be saved as " + file.string() +
                     ": that file belongs to Quorvane and Quorfind (" + path.string() +
                     "). Please choose another file for the list."};
    }
    return {};
}

Status Places::ensureFolders() const {
    for (const auto& folder : {root_, dataFolder(), listsFolder()}) {
        if (Status made = createFolders(folder); !made) {
            return made;
        }
    }
    return {};
}

Result<bool> Places::provideTemplate(const std::filesystem::path& installedCopy) const {
    return copyFileIfMissing(installedCopy, templateFile());
}

Status Places::provideHeaderAndFooter() const {
    for (const fs::path& file : {headerFile(), footerFile()}) {
        if (Result<bool> made = writeFileIfMissing(file, ""); !made) {
            return Error{made.error()};
        }
    }
    return {};
}

}  // namespace quor::store
