#pragma once

#include <string>
#include <string_view>

namespace quor::store {

// The file-name part of a path: the text after its last "/", or the whole
// text when it has none. "" for "".
std::string fileNamePart(std::string_view path);

// A name without its extension: the text before its last ".", or the whole
// name when it has none. "" for "".
std::string nameWithoutExtension(std::string_view name);

}  // namespace quor::store
