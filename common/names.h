#pragma once

#include <string>
#include <string_view>

namespace quor {

// Removes every *, ?, /, <, double quote, > and \ from a text, keeping the
// rest in order ("My*Music?" gives "MyMusic"). Applied to display names,
// disk names and new file names, so none of them can hold a path separator
// or a character the catalogue files give a meaning to.
std::string stripNameCharacters(std::string_view text);

// Compares two UTF-8 texts without regard to case, for every script
// ("Müsik" equals "MÜSIK").
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Lower-cases ASCII letters; other bytes are kept.
std::string asciiLower(std::string_view text);

// False when a path relative to a folder has a "." or ".." component, so
// it could climb out of that folder or name the folder itself ("a/../b",
// "./a", "a/.."), or holds a NUL byte, where the system would cut it short
// ("..\0x" is ".." to it). Empty components ("a//b", "a/") are harmless.
bool staysBelow(std::string_view relative);

// The text without the blanks (spaces) at its start and end; tabs and
// other characters are kept.
std::string_view withoutBlanksAround(std::string_view text);

}  // namespace quor
