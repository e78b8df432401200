#include "platform/installed_files.h"

#include <string>
#include <system_error>

#include "platform/program_folder.h"

#ifndef QUOR_INSTALL_DATADIR
#define QUOR_INSTALL_DATADIR "/usr/local/share/quorvane"
#endif

namespace quor::platform {

namespace fs = std::filesystem;

std::vector<fs::path> installedFileFolders() {
    std::vector<fs::path> folders;
    if (const fs::path programs = executableFolder(); !programs.empty()) {
        folders.push_back((programs / ".." / "share" / "quorvane").lexically_normal());
    }
    const fs::path configured = fs::path(QUOR_INSTALL_DATADIR).lexically_normal();
    if (folders.empty() || folders.front() != configured) {
        folders.push_back(configured);
    }
    return folders;
}

fs::path findInstalledFile(std::string_view relative, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        const fs::path candidate = folder / relative;
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) {
            return candidate;
        }
    }
    return {};
}

fs::path findInstalledFile(std::string_view relative) {
    return findInstalledFile(relative, installedFileFolders());
}

fs::path helpPage(std::string_view page) {
    return findInstalledFile("help/" + std::string(page));
}

fs::path installedTemplate() {
    return findInstalledFile(kTemplateFileName);
}

}  // namespace quor::platform
