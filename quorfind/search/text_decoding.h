#pragma once

// Lists collected from other people come in whatever encoding their makers'
// systems used. A text list is read as UTF-8 when it is valid UTF-8 (a byte
// order mark is dropped), as UTF-16 when it starts with a UTF-16 byte order
// mark, and otherwise as Windows-1252, the code page lists made on Western
// Windows systems use. The result is always UTF-8.

#include <string>
#include <string_view>

namespace quor::find {

// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// The text of a list file's bytes, as UTF-8 (see above). Never fails: bytes
// that no encoding explains become U+FFFD.
std::string listTextAsUtf8(std::string_view bytes);

}  // namespace quor::find
