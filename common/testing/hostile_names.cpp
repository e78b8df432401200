#include "common/testing/hostile_names.h"

namespace quor::testing {

std::vector<std::string> hostileFileNames() {
    std::vector<std::string> names;
    for (int first = 1; first < 256; first += 15) {
        std::string name = "bytes " + std::to_string(first) + " ";
        for (int b = first; b < first + 15 && b < 256; ++b) {
            if (b != '/') {
                name += static_cast<char>(b);
            }
        }
        names.push_back(name);
    }
    const char* const more[] = {
        // not UTF-8
        "\xff\xfe invalid", "cut short \xc3", "overlong \xc0\xaf.mp3", "lone \x80 byte",
        // read as options
        "-rf", "--help", "-", "- dash.mp3",
        // shell
        "$(touch PWNED).mp3", "`touch PWNED`.txt", "a;touch PWNED", "a|touch PWNED",
        "a&touch PWNED&", "$HOME", "'single'", "\"double\".mp3", "back\\slash",
        // markup
        "<script>alert(1)<!script>.html", "<b>bold<b>", "a&amp;b",
        "\"><img src=x onerror=alert(1)>", "x' onmouseover='alert(1)",
        // escapes and templates
        "100%.mp3", "%2A%3E%3F%25%0A.txt", "%%", "%zz", "%", "%N %F %P.mp3",
        // line breaks
        "line\nbreak.mp3", "cr\rreturn.txt", "crlf\r\nboth.txt", "\nleading break",
        "trailing break\n",
        // the cache file's markers and column look-alikes
        "*star", "?question", ">greater", "*  3.45MB  128k  3:39",
        // blanks
        " leading blank", "trailing blank ", "two  blanks.mp3", "tab\tname"};
    for (const char* name : more) {
        names.emplace_back(name);
    }
    return names;
}

std::vector<std::string> hostileFolderNames() {
    return {"dir\nbreak", "<dir>&", "-dir", "$(touch PWNED)", "100%25", "*?>", " blank "};
}

bool holdsLineBreak(const std::string& name) {
    return name.find_first_of("\r\n") != std::string::npos;
}

}  // namespace quor::testing
