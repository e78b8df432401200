#include "quorvane/ui/desktop_file_opener.h"

#include "platform/players.h"
#include "platform/process_start.h"
#include "platform/shell_open.h"
#include "quorvane/store/quorfind_settings.h"

namespace quor::ui {

namespace {

// The player command of the search program's settings; the search program
// owns it, quorvane only reads it.
std::string playTemplate(store::SettingsStore& store) {
    try {
        return store::AppSettings(store, store::kQuorfind).get(store::quorfind::kPlayCommand);
    } catch (const store::StoreError&) {
        return {};  // an unreadable setting: the installed player
    }
}

}  // namespace

Status DesktopFileOpener::open(const std::string& path, std::string_view verb) {
    if (verb == "open") {
        return platform::shellOpen(path);
    }
    if (verb != "play") {
        return Error{"Unknown verb " + std::string(verb)};
    }
    const auto command =
        platform::playerCommand(platform::PlayerVerb::Play, playTemplate(store_), path);
    if (!command) {
        return Error{"No audio player was found (set PlayCommand)"};
    }
    return platform::startDetached(*command);
}

}  // namespace quor::ui
