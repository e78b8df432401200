#include "quorvane/ui/download_link.h"

namespace quor::ui {

std::string exampleDownloadLink(std::string_view base) {
    if (base.empty()) {
        return "/mymusic/song.mp3";
    }
    if (base.starts_with("\\\\")) {
        return std::string(base) + "\\mymusic\\song.mp3";
    }
    return std::string(base) + "/mymusic/song.mp3";
}

}  // namespace quor::ui
