#pragma once

// Text bound for a terminal or a script reading quorfind's output. Names
// and list lines come from other people's files and may hold anything; a
// line break or an escape sequence in them would forge output lines or
// change the terminal.

#include <string>
#include <string_view>

namespace quor::find {

// text with every control character (C0, CR, LF and ESC among them; DEL;
// the C1 code points U+0080..U+009F) and every byte that is not part of
// valid UTF-8 shown as "?". Valid UTF-8 otherwise passes unchanged, so the
// result is one line that sets nothing in the terminal.
std::string terminalText(std::string_view text);
// The same, appended to out: runs of printable ASCII are copied whole, so a
// row costs no memory of its own.
void appendTerminalText(std::string& out, std::string_view text);

// True when text holds a control character as terminalText counts them
// (bytes that are not valid UTF-8 are not controls).
bool holdsControl(std::string_view text);

}  // namespace quor::find
