#pragma once

// The background colour of the HTML list's table rows ("HTMLTableColor"):
// the colours the preferences offer, and the check that keeps any other
// stored text (a hand-edited store or saved list) out of the page's markup.

#include <array>
#include <string>
#include <string_view>

#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

struct TableColour {
    std::string_view caption;  // as the preferences show it
    std::string_view value;    // stored in "HTMLTableColor", an HTML colour name
};

inline constexpr std::array<TableColour, 8> kTableColours = {{
    {"Light Yellow", "LightYellow"},
    {"Light Green", "LightGreen"},
    {"Light Brown", "Tan"},
    {"Light Grey", "LightGrey"},
    {"Light Blue", "LightSkyBlue"},
    {"Blue", "DodgerBlue"},
    {"Gray", "LightSlateGray"},
    {"White", "White"},
}};

// The colour of a list that has none stored.
inline constexpr std::string_view kDefaultTableColour = store::kHtmlTableColor.fallback;

// The colour written into the page for a stored value: the value itself
// (blanks around it dropped) when it is one of kTableColours or the default
// (case ignored), or "#" and six hexadecimal digits; else the default.
std::string pageTableColour(std::string_view stored);

}  // namespace quor::generate
