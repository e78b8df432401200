#include "quorfind/ui/link_names.h"

#include <filesystem>

#include "common/names.h"

namespace quor::find::ui {

std::string audioPlayerName(platform::PlayerVerb verb, std::string_view commandTemplate,
                            const platform::InstalledCheck& installed) {
    const auto command = platform::playerCommand(verb, commandTemplate, "/x.mp3", installed);
    if (!command || command->empty()) {
        return {};
    }
    const std::string program = std::filesystem::path((*command)[0]).filename().string();
    if (program == "audacious") {
        return "Audacious";
    }
    if (program == "vlc") {
        return "VLC";
    }
    if (program == "xdg-open") {
        return "the desktop's default application";
    }
    return program;
}

std::string ircClientName(std::string_view serviceName) {
    if (serviceName.find('/') != std::string_view::npos) {
        return "WeeChat (its pipe " + std::string(serviceName) + ")";
    }
    if (equalsIgnoringCase(serviceName, "weechat")) {
        return "WeeChat";
    }
    if (serviceName.empty() || equalsIgnoringCase(serviceName, "mIRC") ||
        equalsIgnoringCase(serviceName, "hexchat")) {
        return "HexChat";
    }
    return "HexChat (D-Bus service " + std::string(serviceName) + ")";
}

}  // namespace quor::find::ui
