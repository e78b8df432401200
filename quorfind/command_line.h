#pragma once

// The command line of quorfind, for terminals and scripts:
//
//   quorfind --search TEXT [--text-list FILE | --lists-folder] [--paths]
//   quorfind --help | --version
//
// searches the own list ("LocalList"), a text list or the Lists folder and
// prints one row a line; --paths prints the real path of each row of the
// own list instead (rows that cannot be found are skipped with a message on
// standard error; no disk is ever asked for). Rows, paths and names in
// messages are shown with control characters as "?" (terminal_text.h).
// Exit status 0 when something matched (lists passed over are named on
// standard error), 1 when nothing matched and every list was read, 2 for a
// bad command line, 3 when nothing matched and a list could not be read
// (the reason on standard error). Without arguments quorfind is the window.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "common/result.h"
#include "quorfind/search/search_result.h"
#include "quorfind/settings.h"
#include "quorvane/store/places.h"

namespace quor::find {

inline constexpr int kExitMatched = 0;
inline constexpr int kExitNothing = 1;
inline constexpr int kExitBadOption = 2;
inline constexpr int kExitListUnread = 3;

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

// The exit status of a finished search: kExitMatched when something
// matched, else kExitListUnread when a list could not be read (a failure,
// lists passed over, a missing list), else kExitNothing.
int searchExitStatus(const SearchResult& result);

// Runs a search command; rows (or paths) go to out, messages through user.
// Returns the exit status. A list that cannot be read (a missing or
// unreadable text list, a link loop, the own list's saved list missing or
// broken), a settings store failure and running out of memory are each told
// through user and end with kExitListUnread unless something matched.
int runSearchCommand(const CommandLine& command, const store::Places& places,
                     const FindSettings& settings, std::ostream& out, Interaction& user);

// Opens the settings store at storeFile (read-only when it cannot be
// written, which is said once on user after the search) and runs the search
// command; a store that cannot be opened at all, or fails, ends with
// kExitListUnread and its reason.
int runStoredSearch(const CommandLine& command, const store::Places& places,
                    const std::filesystem::path& storeFile, std::ostream& out, Interaction& user);

}  // namespace quor::find
