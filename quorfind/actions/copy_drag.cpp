#include "quorfind/actions/copy_drag.h"

namespace quor::find {

std::string joinedText(const std::vector<SearchRow>& rows) {
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += rows[i].text();
    }
    return text;
}

std::vector<std::string> dragPaths(const std::vector<SearchRow>& rows,
                                   const ActionContext& context) {
    if (refusedUnlessOwnList(context, RowAction::Drag)) {
        return {};
    }
    std::vector<std::string> paths;
    for (const SearchRow& row : rows) {
        std::string path = resolvedPath(context, row);
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
        (void)context.user.keepResponsive();
    }
    return paths;
}

std::string uriList(const std::vector<std::string>& paths) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string list;
    for (const std::string& path : paths) {
        list += "file://";
        for (char c : path) {
            const auto byte = static_cast<unsigned char>(c);
            const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                               (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                               c == '~' || c == '/';
            if (plain) {
                list += c;
            } else {
                list += '%';
                list += kHex[byte >> 4];
                list += kHex[byte & 15];
            }
        }
        list += "\r\n";
    }
    return list;
}

}  // namespace quor::find
