// quorfind_act: runs one action of the search program on the rows of an
// own-list search, without the search window, so that the integration tests
// can drive real IRC clients and players through the same code the window
// calls.
//
//   quorfind_act dcc TEXT NICK    DCC send of every row matching TEXT to NICK
//   quorfind_act play TEXT        Open/Play, with "open" failing: the player plays
//   quorfind_act enqueue TEXT     Queue: the player enqueues
//
// The settings come from the settings store ("LocalList", "DDEServiceName",
// "DDESendString", "PlayCommand", "EnqueueCommand"). Messages go to standard
// error. Prints "handed N of M" and exits 0 when every matching row was
// handed over, 1 when some were not, 2 for a bad command line.

#include <iostream>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "quorfind/actions/open_play.h"
#include "quorfind/dcc/dcc_send.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/terminal_interaction.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

using namespace quor;

namespace {

// The desktop launcher with "open" refused, as when no application is
// registered for the file: Open/Play then goes on to the player.
class PlayerOnlyLauncher final : public find::Launcher {
  public:
    explicit PlayerOnlyLauncher(const find::FindSettings& settings) : desktop_(settings) {}
    Status open(std::string_view) override { return Error{"open is not used here"}; }
    Status play(std::string_view path) override { return desktop_.play(path); }
    Status enqueue(std::string_view path) override { return desktop_.enqueue(path); }

  private:
    find::DesktopLauncher desktop_;
};

int usage() {
    std::cerr << "usage: quorfind_act dcc TEXT NICK | play TEXT | enqueue TEXT\n";
    return 2;
}

int runAction(const std::vector<std::string>& args, const find::FindSettings& settings,
              const std::vector<find::SearchRow>& rows, const find::ActionContext& context) {
    const std::string& action = args[0];
    if (action == "dcc") {
        find::DccSession session;
        const std::string nick = args[2];
        return find::dccSend(rows, context, settings, session,
                             [&](const std::string&) { return nick; });
    }
    PlayerOnlyLauncher launcher(settings);
    if (action == "play") {
        return find::openOrPlay(rows, context, launcher);
    }
    return find::queueFiles(rows, context, launcher);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool dcc = !args.empty() && args[0] == "dcc";
    const bool player = !args.empty() && (args[0] == "play" || args[0] == "enqueue");
    if (!(dcc && args.size() == 3) && !(player && args.size() == 2)) {
        return usage();
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << "quorfind_act: " << opened.error() << '\n';
        return 1;
    }
    find::TerminalInteraction user(std::cerr);
    const find::FindSettings settings(**opened);
    const store::Places places = store::Places::forThisUser();
    const Result<find::OwnList> list = find::loadOwnList(places.dataFolder(), settings.localList());
    if (!list || !list->present) {
        std::cerr << "quorfind_act: no saved list for " << settings.localList() << '\n';
        return 1;
    }
    const find::SearchResult found =
        find::searchOwnList(*list, find::cleanSearchText(args[1]), false, user);
    const find::ActionContext context{find::ListType::OwnList, *list, user};
    const int handed = runAction(args, settings, found.rows.toVector(), context);
    std::cout << "handed " << handed << " of " << found.rows.size() << '\n';
    return handed == static_cast<int>(found.rows.size()) ? 0 : 1;
}
