#include "quorfind/terminal_interaction.h"

#include <string>

#include "quorfind/terminal_text.h"

namespace quor::find {

void TerminalInteraction::notice(std::string_view text, std::string_view caption, Shown) {
    // The message's own lines stay lines (indented after the first); every
    // other control character, a name's line break among them, is shown.
    err_ << "quorfind: ";
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        err_ << terminalText(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        err_ << "\n  ";
        start = end + 1;
    }
    if (!caption.empty() && caption != kNoticeCaption && caption != kWarningCaption) {
        err_ << "\n  (" << terminalText(caption) << ")";
    }
    err_ << '\n';
}

}  // namespace quor::find
