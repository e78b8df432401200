#include "quorvane/ui/download_link.h"

namespace quor::ui {

std::string cleanDownloadLink(std::string_view typed) {
    std::string cleaned;
    for (const char c : typed) {
        if (std::string_view("*?<>\" ").find(c) == std::string_view::npos) {
            cleaned += c;
        }
    }
    if (!cleaned.empty() && (cleaned.back() == '/' || cleaned.back() == '\\')) {
        cleaned.pop_back();
    }
    return cleaned;
}

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
