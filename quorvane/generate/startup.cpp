#include "quorvane/generate/startup.h"

#include "common/names.h"

namespace quor::generate {

StartupRequest parseCommandLine(std::string_view commandLine) {
    StartupRequest request;
    const std::size_t p = asciiLower(commandLine).find("auto");
    if (p == std::string::npos) {
        return request;
    }
    request.unattended = true;
    const std::size_t nameStart = p + 5;  // after "auto" and one separator
    if (commandLine.size() > nameStart) {
        request.listName = std::string(commandLine.substr(nameStart)) + ".lst";
    }
    return request;
}

StartupRequest parseCommandLine(const std::vector<std::string>& arguments) {
    if (!arguments.empty()) {
        StartupRequest request;
        request.help = arguments.front() == "--help" || arguments.front() == "-h";
        request.version = arguments.front() == "--version";
        if (request.help || request.version) {
            return request;
        }
    }
    std::string joined;
    for (const std::string& argument : arguments) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += argument;
    }
    return parseCommandLine(joined);
}

std::string usageText() {
    return "Usage: quorvane [auto [NAME]]\n"
           "\n"
           "Without arguments, opens the main window.\n"
           "\n"
           "  auto        build the list of the current configuration, without any window\n"
           "  auto NAME   open the saved list NAME (its output file's name up to the first\n"
           "              \".\", so music for music.html) and build it, without any window\n"
           "  --help      print this help\n"
           "  --version   print the version\n"
           "\n"
           "Files: the program folder is $QUORVANE_HOME, else $XDG_DATA_HOME/quorvane\n"
           "(~/.local/share/quorvane); the settings are in $QUORVANE_HOME/settings.db, else\n"
           "$XDG_CONFIG_HOME/quorvane/settings.db (~/.config/quorvane/settings.db).\n"
           "\n"
           "While the window is open, auto hands the build to it: the window builds the\n"
           "list when it is idle and has that list open.\n"
           "\n"
           "Exit status of auto: 0 the list was written (here or in the open window),\n"
           "1 no list could be built, 75 another copy was running and did not build the\n"
           "list (the reason is printed on standard error).\n";
}

}  // namespace quor::generate
