#pragma once

// The command line of quorvane-settings, read before anything is opened so
// that asking for help or mistyping a command creates no settings store.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::tools {

enum class SettingsVerb { Help, Get, Set, AddFolder, Folders };

struct SettingsCommand {
    SettingsVerb verb = SettingsVerb::Help;
    std::vector<std::string> operands;  // the arguments after the verb
};

inline constexpr std::string_view kSettingsUsage =
    "usage: quorvane-settings get APP SECTION KEY\n"
    "       quorvane-settings set APP SECTION KEY VALUE\n"
    "       quorvane-settings add-folder PATH [DISPLAY-NAME]\n"
    "       quorvane-settings folders\n"
    "       quorvane-settings --help\n";

// The command that args (without the program name) ask for; nothing when
// they are no command (an unknown verb, a wrong number of operands, no
// arguments at all).
std::optional<SettingsCommand> parseSettingsCommand(const std::vector<std::string>& args);

}  // namespace quor::tools
