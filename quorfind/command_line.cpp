#include "quorfind/command_line.h"

#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "common/version.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/resolve_row.h"
#include "quorfind/search/text_list_search.h"
#include "quorfind/terminal_text.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::find {

namespace {

Error bad(const std::string& message) {
    return Error{message + " (see quorfind --help)"};
}

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool takeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
               std::string& value, bool& missing) {
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.starts_with(std::string(name) + "=")) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

std::string usageText() {
    return "Usage: quorfind [--search TEXT [--text-list FILE | --lists-folder] [--paths]]\n"
           "\n"
           "Without options, opens the search window.\n"
           "\n"
           "  --search TEXT     print the entries that contain TEXT (case ignored; an empty\n"
           "                    TEXT prints every entry), one a line; searches your own list\n"
           "  --text-list FILE  search the text list FILE instead\n"
           "  --lists-folder    search every list of the Lists folder instead\n"
           "  --paths           print the real path of each entry of your own list instead\n"
           "  --help            print this help\n"
           "  --version         print the version\n"
           "\n"
           "Exit status: 0 when something matched, 1 when nothing did and every list was\n"
           "read, 2 for a bad option, 3 when nothing matched and a list could not be read\n"
           "(the reason is on standard error).\n";
}

std::string versionText() {
    return "quorfind " + std::string(programVersion()) + "\n";
}

Result<CommandLine> parseCommandLine(const std::vector<std::string>& args) {
    CommandLine command;
    bool searchGiven = false, textListGiven = false, listsFolderGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool missing = false;
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            command.mode = CommandLine::Mode::Help;
            return command;
        }
        if (arg == "--version") {
            command.mode = CommandLine::Mode::Version;
            return command;
        }
        if (takeValue(args, i, "--search", command.searchText, missing)) {
            if (missing || searchGiven) {
                return bad(missing ? "--search needs a text" : "--search is given twice");
            }
            searchGiven = true;
        } else if (takeValue(args, i, "--text-list", command.textList, missing)) {
            if (missing || command.textList.empty() || textListGiven) {
                return bad(textListGiven ? "--text-list is given twice"
                                         : "--text-list needs a file");
            }
            textListGiven = true;
        } else if (arg == "--lists-folder") {
            listsFolderGiven = true;
        } else if (arg == "--paths") {
            command.paths = true;
        } else {
            return bad("unknown option: " + arg);
        }
    }
    if (textListGiven && listsFolderGiven) {
        return bad("--text-list and --lists-folder do not go together");
    }
    if (!searchGiven) {
        if (textListGiven || listsFolderGiven || command.paths) {
            return bad("--search TEXT is missing");
        }
        return command;
    }
    command.mode = CommandLine::Mode::Search;
    command.source = textListGiven      ? ListType::TextList
                     : listsFolderGiven ? ListType::ListsFolder
                                        : ListType::OwnList;
    if (command.paths && command.source != ListType::OwnList) {
        return bad("--paths works on your own list only");
    }
    return command;
}

int searchExitStatus(const SearchResult& result) {
    if (result.matches > 0) {
        return kExitMatched;
    }
    const bool unread = result.failed || result.listsUnread > 0 || result.listMissing;
    return unread ? kExitListUnread : kExitNothing;
}

namespace {

namespace fs = std::filesystem;

// Rows are gathered in one buffer and written in large pieces, with no
// memory of their own: a broad search prints hundreds of thousands of them.
void printRows(const SearchResult& result, std::ostream& out) {
    constexpr std::size_t kFlushBytes = std::size_t{1} << 20;
    std::string buffer;
    buffer.reserve(kFlushBytes + 4096);
    for (std::size_t row = 0; row < result.rows.size(); ++row) {
        const auto [prefix, own] = result.rows.textParts(row);
        appendTerminalText(buffer, prefix);
        appendTerminalText(buffer, own);
        buffer += '\n';
        if (buffer.size() >= kFlushBytes) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

// A path is printed as it is or not at all: one with a control character
// shown as "?" would name another file.
void printPaths(const SearchResult& result, const OwnList& list, std::ostream& out,
                Interaction& user) {
    for (const auto& row : result.rows) {
        const std::string path = resolveRow(row, list, user, DiskQuestion::Never);
        if (path.empty()) {
            user.notice("not found: " + terminalText(row.text()), kNoticeCaption);
        } else if (holdsControl(path)) {
            user.notice("skipped, the path holds a control character: " + terminalText(path),
                        kNoticeCaption);
        } else {
            out << path << '\n';
        }
    }
}

// Why the text list at file cannot be searched before it is tried: it does
// not exist, or its path cannot be followed (a link loop, a folder that may
// not be entered).
std::optional<std::string> textListProblem(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) {
        return "no such file";
    }
    if (error) {
        return error.message();
    }
    return std::nullopt;
}

int searchTextListCommand(const fs::path& file, std::string_view text, std::ostream& out,
                          Interaction& user) {
    if (const auto problem = textListProblem(file)) {
        user.notice(terminalText(file.string()) + ": " + *problem, kNoticeCaption);
        return kExitListUnread;
    }
    const SearchResult result = searchTextList(file, text, user);
    printRows(result, out);
    return searchExitStatus(result);
}

// The output file of the own list: the one the search window stored, or,
// before it has stored one, Quorvane's current list.
std::string ownListPath(const FindSettings& settings) {
    std::string listPath = settings.localList();
    if (listPath.empty()) {
        listPath =
            store::AppSettings(settings.app().store(), store::kQuorvane).get(store::kSavePath);
    }
    return listPath;
}

int searchOwnListCommand(const CommandLine& command, const store::Places& places,
                         const FindSettings& settings, std::string_view text, std::ostream& out,
                         Interaction& user) {
    const std::string listPath = ownListPath(settings);
    if (listFileName(listPath).empty()) {
        user.notice("there is no list to search yet: make a list with quorvane first",
                    kNoticeCaption);
        return kExitListUnread;
    }
    const Result<OwnList> list = loadOwnList(places.dataFolder(), listPath);
    if (!list) {
        user.notice(
            "There was a problem opening your list!\n"
            "Make sure you have created a list in Quorvane before searching.",
            list.error());
        return kExitListUnread;
    }
    if (!list->present) {
        user.notice("no saved list " + terminalText(list->listFile.string()) + " for " +
                        terminalText(listPath),
                    kNoticeCaption);
    }
    SearchResult result = searchOwnList(*list, text, settings.includeFolders(), user);
    result.listMissing = result.listMissing || !list->present;
    if (command.paths) {
        printPaths(result, *list, out, user);
    } else {
        printRows(result, out);
    }
    return searchExitStatus(result);
}

int searchCommand(const CommandLine& command, const store::Places& places,
                  const FindSettings& settings, std::ostream& out, Interaction& user) {
    const std::string text = cleanSearchText(command.searchText);
    if (command.source == ListType::TextList) {
        return searchTextListCommand(command.textList, text, out, user);
    }
    if (command.source == ListType::ListsFolder) {
        const SearchResult result = searchListsFolder(places.listsFolder(), text, user);
        printRows(result, out);
        return searchExitStatus(result);
    }
    return searchOwnListCommand(command, places, settings, text, out, user);
}

}  // namespace

int runSearchCommand(const CommandLine& command, const store::Places& places,
                     const FindSettings& settings, std::ostream& out, Interaction& user) {
    try {
        return searchCommand(command, places, settings, out, user);
    } catch (const std::bad_alloc&) {
        user.notice("out of memory: the search could not be finished", kNoticeCaption);
    } catch (const store::StoreError& error) {
        user.notice(error.what(), kNoticeCaption);
    }
    return kExitListUnread;
}

int runStoredSearch(const CommandLine& command, const store::Places& places,
                    const std::filesystem::path& storeFile, std::ostream& out, Interaction& user) {
    auto opened =
        store::SettingsStore::open(storeFile, store::SettingsStore::Access::ReadOnlyFallback);
    if (!opened) {
        user.notice(opened.error(), kNoticeCaption);
        return kExitListUnread;
    }
    int status = kExitListUnread;
    try {
        const FindSettings settings(**opened);
        status = runSearchCommand(command, places, settings, out, user);
    } catch (const store::StoreError& error) {
        user.notice(error.what(), kNoticeCaption);
    }
    if ((*opened)->readOnly()) {
        user.notice(
            storeFile.string() + " cannot be written: the settings were read, nothing was saved",
            kNoticeCaption);
    }
    return status;
}

}  // namespace quor::find
