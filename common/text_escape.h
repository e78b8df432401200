#pragma once

// Escapes used by more than one file format: markup (HTML and XML text and
// attribute values), percent escapes (URIs and the catalogue's names).

#include <string>
#include <string_view>

namespace quor {

// The value of a hexadecimal digit, or -1.
int hexDigitValue(char c);

// "&", "<", ">" and '"' as character references; the rest unchanged.
std::string markupEscaped(std::string_view text);

// Every "%" followed by two hexadecimal digits replaced by that byte; any
// other "%" kept as it stands.
std::string percentDecoded(std::string_view text);

// A path percent-encoded for a URI (RFC 3986 path characters, "/" kept):
// every other byte, UTF-8 bytes included, as "%XX" with capital digits.
std::string percentEncodedPath(std::string_view path);

}  // namespace quor
