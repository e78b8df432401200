#include "quorvane/store/places.h"

#include "common/file_io.h"
#include "platform/program_folder.h"

namespace quor::store {

Places Places::forThisUser() {
    return Places(platform::programFolder());
}

std::filesystem::path Places::cacheFile(int record) const {
    return root_ / (std::to_string(record) + ".txt");
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

}  // namespace quor::store
