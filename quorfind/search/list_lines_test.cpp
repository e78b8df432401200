#include "quorfind/search/list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor::find {
namespace {

using Lines = std::vector<std::string>;

// The lines of bytes given to ListLines in pieces of pieceSize bytes (all
// at once for 0).
Lines linesOf(std::string_view bytes, std::size_t pieceSize = 0,
              std::size_t maxLineBytes = kMaxLineBytes, const char* passOverWithout = nullptr) {
    ListLines lines(maxLineBytes);
    if (passOverWithout != nullptr) {
        lines.passOverPlainLinesWithout(passOverWithout);
    }
    Lines out;
    const ListLines::Sink collect = [&out](std::string_view line) {
        out.emplace_back(line);
        return true;
    };
    const std::size_t step = pieceSize == 0 ? std::max<std::size_t>(bytes.size(), 1) : pieceSize;
    for (std::size_t pos = 0; pos < bytes.size(); pos += step) {
        EXPECT_TRUE(lines.feed(bytes.substr(pos, step), collect));
    }
    EXPECT_TRUE(lines.finish(collect));
    return out;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) {
        out += static_cast<char>(value);
    }
    return out;
}

struct LinesCase {
    const char* name;
    std::string input;
    Lines expected;
};

// Every case gives the same lines whatever the pieces it is read in, so a
// line end, a character or a byte order mark split between two pieces
// reads as if whole.
TEST(ListLines, GivesTheSameLinesInPiecesOfAnySize) {
    const LinesCase cases[] = {
        {"LF", "a\nbc\n", {"a", "bc"}},
        {"CR LF", "a\r\nbc\r\n", {"a", "bc"}},
        {"lone CR", "a\rbc\r\rd", {"a", "bc", "d"}},
        {"mixed ends", "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"no final line end", "only", {"only"}},
        {"empty lines dropped", "\n\r\n\r\nx\n\n", {"x"}},
        {"UTF-8 BOM dropped",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9\r\n",
         {"caf\xC3\xA9"}},
        {"BOM alone", "\xEF\xBB\xBF", {}},
        {"BOM start only",
         "\xEF\xBB"
         "x",
         {"\xC3\xAF\xC2\xBB"
          "x"}},
        {"one Windows-1252 line among UTF-8",
         "M\xC3\xBCller Song.mp3\r\nM\xFCller Live.mp3\r\n\x93q\x94\n",
         {"M\xC3\xBCller Song.mp3", "M\xC3\xBCller Live.mp3", "\xE2\x80\x9Cq\xE2\x80\x9D"}},
        {"unassigned Windows-1252 bytes", "a\x81\x9D", {"a\xC2\x81\xC2\x9D"}},
        {"UTF-16 LE",
         bytes({0xFF, 0xFE, 'a', 0, 0xE9, 0, '\r', 0, '\n', 0, 'b', 0}),
         {"a\xC3\xA9", "b"}},
        {"UTF-16 BE",
         bytes({0xFE, 0xFF, 0, 'a', 0x20, 0xAC, 0, '\r', 0, 'b'}),
         {"a\xE2\x82\xAC", "b"}},
        {"UTF-16 surrogate pair",
         bytes({0xFF, 0xFE, 0x3C, 0xD8, 0xB5, 0xDF}),
         {"\xF0\x9F\x8E\xB5"}},
        {"UTF-16 lone surrogates and odd byte",
         bytes({0xFF, 0xFE, 0x3C, 0xD8, 'a', 0, 0xB5, 0xDF, '\n', 0, 'b'}),
         {"\xEF\xBF\xBD"
          "a\xEF\xBF\xBD",
          "\xEF\xBF\xBD"}},
        {"UTF-16 BOM only", bytes({0xFF, 0xFE}), {}},
    };
    for (const LinesCase& c : cases) {
        EXPECT_EQ(linesOf(c.input), c.expected) << c.name << ", whole";
        for (std::size_t size = 1; size <= c.input.size(); ++size) {
            EXPECT_EQ(linesOf(c.input, size), c.expected) << c.name << ", pieces of " << size;
        }
    }
}

TEST(ListLines, CutsLongLinesAtACharacter) {
    // Cut at 8 bytes: seven "a", then an "é" that the cut would split.
    const std::string input = "aaaaaaa\xC3\xA9\xC3\xA9zz\nshort\n" + std::string(40, 'x');
    const Lines expected = {"aaaaaaa", "short", std::string(8, 'x')};
    for (std::size_t size : {0, 1, 3, 7, 50}) {
        EXPECT_EQ(linesOf(input, size, 8), expected) << "pieces of " << size;
    }
    // A Windows-1252 line is cut by its bytes, then decoded.
    std::string eight;
    for (int i = 0; i < 8; ++i) {
        eight += "\xC3\xA9";
    }
    EXPECT_EQ(linesOf(std::string(9, '\xE9') + "\n", 0, 8), Lines{eight});
}

TEST(ListLines, PassesOverPlainLinesWithoutTheSearchText) {
    const std::string input =
        "abc\r\nxyz\r\nStra\xC3\x9F"
        "e\r\nzz AbC\rno\r\n\xE9t\xE9\nlast abc";
    struct Case {
        const char* folded;
        Lines expected;
    };
    const Case cases[] = {
        {"abc",
         {"abc",
          "Stra\xC3\x9F"
          "e",
          "zz AbC", "\xC3\xA9t\xC3\xA9", "last abc"}},
        {"\xC3\xA9",
         {"Stra\xC3\x9F"
          "e",
          "\xC3\xA9t\xC3\xA9"}},  // only lines of other scripts
        {"nowhere",
         {"Stra\xC3\x9F"
          "e",
          "\xC3\xA9t\xC3\xA9"}},
    };
    for (const Case& c : cases) {
        for (std::size_t size = 0; size <= input.size(); ++size) {
            EXPECT_EQ(linesOf(input, size, kMaxLineBytes, c.folded), c.expected)
                << c.folded << ", pieces of " << size;
        }
    }
}

TEST(ListLines, StopsWhenTheSinkHasEnough) {
    ListLines lines;
    Lines got;
    const ListLines::Sink twoOnly = [&got](std::string_view line) {
        got.emplace_back(line);
        return got.size() < 2;
    };
    EXPECT_FALSE(lines.feed("a\nb\nc\n", twoOnly));
    EXPECT_EQ(got, (Lines{"a", "b"}));
}

}  // namespace
}  // namespace quor::find
