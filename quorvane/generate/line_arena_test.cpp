#include "quorvane/generate/line_arena.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "quorvane/generate/sort.h"

namespace quor::generate {
namespace {

std::vector<std::string> texts(const LineArena& lines) {
    return {lines.begin(), lines.end()};
}

TEST(LineArena, KeepsLinesOfEveryLengthInOrder) {
    // Empty lines, lines that fill a block exactly and lines larger than a
    // block must all come back whole.
    const std::vector<std::string> lines = {
        "", "a",   std::string((1 << 20) - 1, 'x'), "after a full block", std::string(3 << 20, 'y'),
        "", "last"};
    LineArena arena;
    for (const std::string& line : lines) {
        arena.push_back(line, 5);
    }
    EXPECT_EQ(texts(arena), lines);
    std::size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size();
    }
    EXPECT_EQ(arena.textBytes(), bytes);
    EXPECT_EQ(arena.back(), "last");
    arena.truncate(2);
    EXPECT_EQ(texts(arena), (std::vector<std::string>{"", "a"}));
    arena.clear();
    EXPECT_TRUE(arena.empty());
}

TEST(LineArena, PrependUsesTheRoomOrCopiesTheLine) {
    LineArena arena;
    arena.push_back("first", 4);
    arena.push_back("second", 0);
    arena.push_back("third", 4);
    arena.prepend(0, "1. ");   // fits in the room
    arena.prepend(0, "x");     // the last byte of room
    arena.prepend(0, "more");  // no room left: copied
    arena.prepend(1, "2. ");   // never had room
    arena.prepend(2, "");
    EXPECT_EQ(texts(arena), (std::vector<std::string>{"morex1. first", "2. second", "third"}));
}

TEST(LineArena, SwapMovesLinesNotBytes) {
    LineArena arena;
    for (const char* line : {"a", "b", "c"}) {
        arena.push_back(line);
    }
    const char* bytesOfA = arena[0].data();
    arena.swap(0, 2);
    EXPECT_EQ(texts(arena), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(arena[2].data(), bytesOfA);
}

const Collation& root() {
    static const Collation order("");
    return order;
}

// Sorting compact lines must give exactly the order of the string sort,
// ties (names that differ only in case) included, for short ranges
// (compared directly) and long ones (compared by keys), and move a
// companion list along.
TEST(SortLines, SameOrderAsTheStringSort) {
    std::mt19937 random(11);
    const char* const words[] = {"Blue", "blue", "Échos", "echos", "river", "River", "zoo"};
    for (const int count : {0, 1, 2, 30, 255, 256, 257, 3000}) {
        std::vector<std::string> strings;
        LineArena arena;
        LineArena paired;
        std::vector<std::string> companion;
        for (int i = 0; i < count; ++i) {
            std::string line = std::string(words[random() % 7]) + " " + words[random() % 7];
            strings.push_back(line);
            arena.push_back(line);
            paired.push_back(line);
            companion.push_back(line);
        }
        const std::int32_t last = count - 1;
        SortStrings(strings, 0, last, root());
        sortLines(arena, 0, last, root());
        EXPECT_EQ(texts(arena), strings) << count << " lines";
        sortLinesPaired(paired, companion, 0, last, root());
        EXPECT_EQ(texts(paired), strings) << count << " lines";
        EXPECT_EQ(companion, strings) << count << " lines";
    }
}

TEST(SortLines, TouchesOnlyTheRange) {
    LineArena arena;
    for (const char* line : {"z", "d", "c", "b", "a"}) {
        arena.push_back(line);
    }
    sortLines(arena, 1, 3, root());
    EXPECT_EQ(texts(arena), (std::vector<std::string>{"z", "b", "c", "d", "a"}));
}

}  // namespace
}  // namespace quor::generate
