#include "quorfind/command_line.h"

#include "quorfind/search/match.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/resolve_row.h"
#include "quorfind/search/text_list_search.h"

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
           "\n"
           "Exit status: 0 when something matched, 1 when nothing did, 2 for a bad option.\n";
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

namespace {

int printPaths(const SearchResult& result, const OwnList& list, std::ostream& out,
               Interaction& ui) {
    for (const SearchRow& row : result.rows) {
        const std::string path = resolveRow(row, list, ui, DiskQuestion::Never);
        if (path.empty()) {
            ui.notice("not found: " + row.text(), kNoticeCaption);
        } else if (path.find_first_of("\r\n") != std::string::npos) {
            ui.notice("skipped, the path holds a line break: " + row.text(), kNoticeCaption);
        } else {
            out << path << '\n';
        }
    }
    return result.matches > 0 ? kExitMatched : kExitNothing;
}

constexpr std::string_view kQuorvaneSavePath = "SavePath";

}  // namespace

int runSearchCommand(const CommandLine& command, const store::Places& places,
                     const FindSettings& settings, std::ostream& out, Interaction& ui) {
    const std::string text = cleanSearchText(command.searchText);
    SearchResult result;
    if (command.source == ListType::TextList) {
        result = searchTextList(command.textList, text, ui);
    } else if (command.source == ListType::ListsFolder) {
        result = searchListsFolder(places.listsFolder(), text, ui);
    } else {
        // Before the search window has stored a list, Quorvane's current
        // list is the own list.
        std::string listPath = settings.localList();
        if (listPath.empty()) {
            listPath = store::AppSettings(settings.app().store(), store::kQuorvane)
                           .setting(kQuorvaneSavePath);
        }
        if (listFileName(listPath).empty()) {
            ui.notice("there is no list to search yet: make a list with quorvane first",
                      kNoticeCaption);
            return kExitNothing;
        }
        const Result<OwnList> list = loadOwnList(places.dataFolder(), listPath);
        if (!list) {
            ui.notice(
                "There was a problem opening your list!\n"
                "Make sure you have created a list in Quorvane before searching.",
                list.error());
            return kExitNothing;
        }
        if (!list->present) {
            ui.notice("no saved list " + list->listFile.string() + " for " + listPath,
                      kNoticeCaption);
        }
        result = searchOwnList(*list, text, settings.includeFolders(), ui);
        if (command.paths) {
            return printPaths(result, *list, out, ui);
        }
    }
    for (const SearchRow& row : result.rows) {
        out << row.text() << '\n';
    }
    return result.matches > 0 ? kExitMatched : kExitNothing;
}

}  // namespace quor::find
