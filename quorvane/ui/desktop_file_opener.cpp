#include "quorvane/ui/desktop_file_opener.h"

#include "platform/players.h"
#include "platform/process_start.h"
#include "platform/shell_open.h"

namespace quor::ui {

namespace {

// The player command of the search program's settings; the search program
// owns it, quorvane only reads it.
std::string playTemplate(store::SettingsStore& store) {
    try {
        return store::AppSettings(store, store::kQuorfind).setting("PlayCommand");
    } catch (const std::exception&) {
        return {};  // an unreadable setting: the installed player
    }
}

}  // namespace

bool DesktopFileOpener::open(const std::string& path, std::string_view verb) {
    if (verb == "open") {
        return platform::shellOpen(path).ok();
    }
    if (verb != "play") {
        return false;
    }
    const auto command =
        platform::playerCommand(platform::PlayerVerb::Play, playTemplate(store_), path);
    return command && platform::startDetached(*command).ok();
}

}  // namespace quor::ui
