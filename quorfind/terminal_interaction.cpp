#include "quorfind/terminal_interaction.h"

#include <string>

namespace quor::find {

void TerminalInteraction::notice(std::string_view text, std::string_view caption, Shown) {
    std::string shown(text);
    for (std::size_t at = shown.find('\n'); at != std::string::npos;
         at = shown.find('\n', at + 1)) {
        shown.replace(at, 1, "\n  ");
    }
    err_ << "quorfind: " << shown;
    if (!caption.empty() && caption != kNoticeCaption && caption != kWarningCaption) {
        err_ << "\n  (" << caption << ")";
    }
    err_ << '\n';
}

}  // namespace quor::find
