// quorfind: searches the user's own list, any text list, or the Lists
// folder. With --search it works on the command line; without arguments it
// is the search window.

#include <iostream>

#include "platform/program_folder.h"
#include "quorfind/command_line.h"
#include "quorfind/terminal_interaction.h"
#include "quorfind/terminal_text.h"

#ifdef QUOR_WITH_WINDOWS
#include "quorfind/ui/find_app.h"
#endif

using namespace quor;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Result<find::CommandLine> command = find::parseCommandLine(args);
    if (!command) {
        std::cerr << "quorfind: " << find::terminalText(command.error()) << '\n';
        return find::kExitBadOption;
    }
    if (command->mode == find::CommandLine::Mode::Help) {
        std::cout << find::usageText();
        return 0;
    }
    if (command->mode == find::CommandLine::Mode::Version) {
        std::cout << find::versionText();
        return 0;
    }
    if (command->mode == find::CommandLine::Mode::Window) {
#ifdef QUOR_WITH_WINDOWS
        return find::ui::runQuorfindWindow(argc, argv);
#else
        std::cout << "quorfind: this build has no search window; use quorfind --search TEXT "
                     "(see quorfind --help)\n";
        return 0;
#endif
    }
    const store::Places places = store::Places::forThisUser();
    find::TerminalInteraction user(std::cerr);
    const int status =
        find::runStoredSearch(*command, places, platform::settingsDatabaseFile(), std::cout, user);
    std::cout.flush();
    return status;
}
