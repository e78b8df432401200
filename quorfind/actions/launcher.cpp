#include "quorfind/actions/launcher.h"

#include "platform/players.h"
#include "platform/process_start.h"
#include "platform/shell_open.h"

namespace quor::find {

namespace {

Status startPlayer(platform::PlayerVerb verb, std::string_view commandTemplate,
                   std::string_view path) {
    const auto command = platform::playerCommand(verb, commandTemplate, path);
    if (!command) {
        return Error{"No audio player was found (set PlayCommand and EnqueueCommand)"};
    }
    return platform::startDetached(*command);
}

}  // namespace

Status DesktopLauncher::open(std::string_view path) {
    return platform::shellOpen(path);
}

Status DesktopLauncher::play(std::string_view path) {
    return startPlayer(platform::PlayerVerb::Play, settings_.playCommand(), path);
}

Status DesktopLauncher::enqueue(std::string_view path) {
    return startPlayer(platform::PlayerVerb::Enqueue, settings_.enqueueCommand(), path);
}

}  // namespace quor::find
