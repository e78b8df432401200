#pragma once

// The desktop's default application for a type of file, found as the
// freedesktop rules say: the associations of mimeapps.list (the user's
// first, the desktop's own "<desktop>-mimeapps.list" before the common one),
// then the older defaults.list, then the applications that declare the type
// (mimeinfo.cache); each named by a desktop entry under an applications
// folder. Only the desktop's own configuration is read, never a list of
// another user; every file read is bounded in size.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::platform {

// Where the configuration and the applications are looked for.
struct XdgFolders {
    std::vector<std::filesystem::path> config;  // XDG_CONFIG_HOME, then XDG_CONFIG_DIRS
    std::vector<std::filesystem::path> data;    // XDG_DATA_HOME, then XDG_DATA_DIRS
    std::vector<std::string> desktops;          // XDG_CURRENT_DESKTOP, lower case

    // The folders of this session's environment, with the standard defaults.
    static XdgFolders fromEnvironment();
};

// The argument vector that opens file with the first usable default
// application for mimeType: its desktop entry exists, is not hidden, needs
// no terminal, and its program is installed. Empty when none is.
std::optional<std::vector<std::string>> defaultApplicationCommand(std::string_view mimeType,
                                                                  const std::string& file,
                                                                  const XdgFolders& folders);

// The argument vector of a desktop entry's Exec value for file: the value
// split into words as the desktop entry rules quote them, each file or URL
// field code (%f %F %u %U) replaced by file, %% by %, other field codes
// left out; file appended when the value has no field code for it. Empty
// when the value is malformed (an unclosed quote) or holds no program.
std::vector<std::string> execCommand(std::string_view exec, const std::string& file);

}  // namespace quor::platform
