// quorfind: searches the user's own list, any text list, or the Lists
// folder. With --search it works on the command line; without arguments it
// is the search window.

#include <iostream>

#include "platform/program_folder.h"
#include "quorfind/command_line.h"
#include "quorfind/terminal_interaction.h"
#include "quorvane/store/settings_store.h"

using namespace quor;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Result<find::CommandLine> command = find::parseCommandLine(args);
    if (!command) {
        std::cerr << "quorfind: " << command.error() << '\n';
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
        std::cout << "quorfind: the search window is not built yet; use quorfind --search TEXT "
                     "(see quorfind --help)\n";
        return 0;
    }
    const store::Places places = store::Places::forThisUser();
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << "quorfind: " << opened.error() << '\n';
        return find::kExitNothing;
    }
    find::TerminalInteraction ui(std::cerr);
    try {
        const find::FindSettings settings(**opened);
        return find::runSearchCommand(*command, places, settings, std::cout, ui);
    } catch (const std::exception& error) {
        std::cerr << "quorfind: " << error.what() << '\n';
        return find::kExitNothing;
    }
}
