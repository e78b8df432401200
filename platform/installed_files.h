#pragma once

// The files installed beside the programs: the sample page template, the
// help pages and the icons, in <prefix>/share/quorvane. A build tree keeps
// its own copy at the same place relative to its programs (build/bin and
// build/share/quorvane), so a program run from the build tree finds its own
// help and template, and an installed tree that was moved still finds its
// files.

#include <filesystem>
#include <string_view>
#include <vector>

namespace quor::platform {

inline constexpr std::string_view kHelpIndexPage = "index.html";
inline constexpr std::string_view kQuorfindHelpPage = "quorfind.html";
inline constexpr std::string_view kTemplateFileName = "Template.html";

// The folders that may hold the installed files, in the order they are
// tried: share/quorvane beside the running program's folder, then the
// folder the build was configured to install into.
std::vector<std::filesystem::path> installedFileFolders();

// The first folders[k] / relative that is a regular file; empty when none
// is (relative is a path below the folders, such as "help/index.html").
std::filesystem::path findInstalledFile(std::string_view relative,
                                        const std::vector<std::filesystem::path>& folders);

// The same in installedFileFolders().
std::filesystem::path findInstalledFile(std::string_view relative);

// A help page ("index.html", "quorfind.html", ...) of the installed help;
// empty when the help is not installed. The windows' Help commands open it
// with the desktop's browser.
std::filesystem::path helpPage(std::string_view page = kHelpIndexPage);

// The installed sample "Template.html"; empty when there is none.
std::filesystem::path installedTemplate();

}  // namespace quor::platform
