#include "common/interaction.h"

#include <cstdio>
#include <string>

namespace quor {

namespace {

void printToStderr(const std::string& program, std::string_view text, std::string_view caption) {
    std::string line = program + ": ";
    line += text;
    if (!caption.empty() && caption != kNoticeCaption && caption != kWarningCaption) {
        line += " (";
        line += caption;
        line += ")";
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

void UnattendedInteraction::notice(std::string_view text, std::string_view caption, Shown shown) {
    if (shown == Shown::Always) {
        printToStderr(program_, text, caption);
    }
}

bool UnattendedInteraction::confirm(std::string_view, std::string_view) {
    return false;
}

bool UnattendedInteraction::confirmDestructive(std::string_view, std::string_view) {
    return false;
}

bool UnattendedInteraction::okOrCancel(std::string_view, std::string_view) {
    return false;
}

bool UnattendedInteraction::retryOrCancel(std::string_view, std::string_view) {
    return false;
}

}  // namespace quor
