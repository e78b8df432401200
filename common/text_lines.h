#pragma once

// Reading text a line at a time. Lines end at LF or CR LF; text written on
// old Macs ends them with a lone CR, which counts as a line end where the
// caller asks for it. A line is returned without its line end.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace quor {

enum class LoneCr {
    InLine,    // a CR not followed by LF stays in the line (but one at the very end is dropped)
    EndsLine,  // a CR not followed by LF ends the line
};

// The line starting at pos, and pos moved past its line end. Call while
// pos < text.size(); the text after a final line end is not a line.
inline std::string_view nextLine(std::string_view text, std::size_t& pos, LoneCr loneCr) {
    const std::size_t start = pos;
    std::size_t end = text.find_first_of(loneCr == LoneCr::EndsLine ? "\r\n" : "\n", start);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    pos = end + 1;
    if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') {
        ++pos;
    } else if (end > start && text[end - 1] == '\r') {
        --end;  // a CR before LF, or at the very end
    }
    pos = std::min(pos, text.size());
    return text.substr(start, end - start);
}

}  // namespace quor
