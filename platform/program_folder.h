#pragma once

// Where the programs keep their files. Both programs use the same rules:
//
//   program folder   $QUORVANE_HOME, else $XDG_DATA_HOME/quorvane,
//                    else ~/.local/share/quorvane
//   settings store   $QUORVANE_HOME/settings.db, else
//                    $XDG_CONFIG_HOME/quorvane/settings.db, else
//                    ~/.config/quorvane/settings.db
//
// Tests point QUORVANE_HOME at a temporary folder, so that nothing outside
// it is read or written.

#include <filesystem>

namespace quor::platform {

// The program folder (cache files, data/, Lists/, header and footer).
std::filesystem::path programFolder();

// The file of the settings store.
std::filesystem::path settingsDatabaseFile();

// The user's home folder ($HOME, else the password database's entry).
std::filesystem::path homeFolder();

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path executableFolder();

}  // namespace quor::platform
