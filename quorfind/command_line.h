#pragma once

// The command line of quorfind, for terminals and scripts:
//
//   quorfind --search TEXT [--text-list FILE | --lists-folder] [--paths]
//   quorfind --help | --version
//
// searches the own list ("LocalList"), a text list or the Lists folder and
// prints one row a line; --paths prints the real path of each row of the
// own list instead (rows that cannot be found are skipped with a message on
// standard error; no disk is ever asked for). Exit status 0 when something
// matched, 1 when nothing did (or no list could be searched), 2 for a bad
// command line. Without arguments quorfind is the window.

#include <ostream>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "common/result.h"
#include "quorfind/settings.h"
#include "quorvane/store/places.h"

namespace quor::find {

inline constexpr int kExitMatched = 0;
inline constexpr int kExitNothing = 1;
inline constexpr int kExitBadOption = 2;

struct CommandLine {
    enum class Mode { Window, Search, Help, Version };
    Mode mode = Mode::Window;
    std::string searchText;
    ListType source = ListType::OwnList;
    std::string textList;
    bool paths = false;
};

// Parses the arguments after the program name. Fails with the message for
// an unknown option, a missing value, or options that do not go together.
Result<CommandLine> parseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string usageText();

// The --version text: "quorfind " + the version, and a line end.
std::string versionText();

// Runs a search command; rows (or paths) go to out, messages through ui.
// Returns the exit status.
int runSearchCommand(const CommandLine& command, const store::Places& places,
                     const FindSettings& settings, std::ostream& out, Interaction& ui);

}  // namespace quor::find
