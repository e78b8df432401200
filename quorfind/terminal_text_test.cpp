#include "quorfind/terminal_text.h"

#include <gtest/gtest.h>

namespace quor::find {
namespace {

TEST(TerminalText, ShowsEveryControlAndStrayByteAsAQuestionMark) {
    struct Case {
        const char* what;
        std::string text;
        std::string shown;
        bool control;
    };
    const Case cases[] = {
        {"plain", "Abbey Road - Help.mp3", "Abbey Road - Help.mp3", false},
        {"line breaks", "a\r\nb\nc\rd", "a??b?c?d", true},
        {"escape sequence", "\x1b[2J\x1b]0;owned\x07x", "?[2J?]0;owned?x", true},
        {"tab, NUL and DEL", std::string("a\tb\0c\x7f", 6), "a?b?c?", true},
        {"C1 as UTF-8: NEL and CSI",
         "a\xc2\x85"
         "b\xc2\x9b"
         "c",
         "a?b?c", true},
        {"after C1, Latin-1 letters stay", "\xc2\xa0\xc3\xa9t\xc3\xa9", "\xc2\xa0\xc3\xa9t\xc3\xa9",
         false},
        {"three and four bytes", "\xe2\x82\xac \xf0\x9f\x8e\xb5", "\xe2\x82\xac \xf0\x9f\x8e\xb5",
         false},
        {"a lone C1 byte",
         "a\x9b"
         "b",
         "a?b", false},
        {"a cut sequence at the end", "a\xe2\x82", "a??", false},
        {"overlong and surrogate forms", "\xc0\xaf\xe0\x80\xaf\xed\xa0\x80", "????????", false},
        {"Latin-1 bytes", "caf\xe9", "caf?", false},
        {"empty", "", "", false},
    };
    // Long plain runs around each case, so that the runs copied whole end
    // at every kind of stop, wherever it falls.
    const std::string run = "Artist 12 - a rather long title of a song";
    for (const Case& c : cases) {
        EXPECT_EQ(terminalText(c.text), c.shown) << c.what;
        EXPECT_EQ(holdsControl(c.text), c.control) << c.what;
        for (std::size_t cut : {0, 5, 15, 16, 17}) {
            const std::string lead = run.substr(0, cut);
            std::string out = "kept:";
            appendTerminalText(out, lead + c.text + run + c.text);
            EXPECT_EQ(out, "kept:" + lead + c.shown + run + c.shown) << c.what << " " << cut;
        }
    }
}

}  // namespace
}  // namespace quor::find
