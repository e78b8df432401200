#pragma once

// How quorvane was asked to start. The command line (the arguments joined
// by single blanks) holds "auto", in any case and anywhere, for an
// unattended run; the text after "auto" and one separator character is the
// saved list to rebuild ("auto Weekly" rebuilds Weekly.lst). Without a name
// the current configuration is built.

#include <string>
#include <string_view>
#include <vector>

namespace quor::generate {

struct StartupRequest {
    bool unattended = false;
    std::string listName;  // "Weekly.lst", or "" for the current configuration
    // "--help" or "-h" (help) and "--version" (version) as the first
    // argument print their text instead of starting anything.
    bool help = false;
    bool version = false;
};

StartupRequest parseCommandLine(std::string_view commandLine);
StartupRequest parseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
std::string usageText();

// Exit statuses of an unattended run.
inline constexpr int kExitListWritten = 0;
inline constexpr int kExitNoList = 1;
inline constexpr int kExitAlreadyRunning = 75;

}  // namespace quor::generate
