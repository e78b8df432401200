#include "quorfind/search/row_list.h"

#include <gtest/gtest.h>

#include "quorfind/search/search_limits.h"

namespace quor::find {
namespace {

std::vector<std::string> texts(const RowList& rows) {
    std::vector<std::string> out;
    for (const SearchRow& row : rows) {
        out.push_back(row.text());
    }
    return out;
}

TEST(RowList, KeepsTextRowsWithTheirRunsPrefix) {
    RowList rows;
    rows.addText("plain");
    rows.setPrefix("A.TXT - ");
    rows.addText("one");
    rows.addText("");
    rows.setPrefix("EMPTY.TXT - ");  // a file without matches leaves no run behind
    rows.setPrefix("B.TXT - ");
    rows.addText("two");
    rows.add(SearchRow("as it stands"));
    EXPECT_EQ(texts(rows), (std::vector<std::string>{"plain", "A.TXT - one", "A.TXT - ",
                                                     "B.TXT - two", "as it stands"}));
    EXPECT_EQ(rows.text(3), "B.TXT - two");
    EXPECT_EQ(rows[1].folder(), "");
}

TEST(RowList, OwnListRowsKnowTheirFolderAndName) {
    RowList rows;
    rows.addEntry("Music/Rock/", "a b.mp3", "3.4MB");
    rows.addEntry("Music/", "line\nbreak.mp3");
    rows.add(SearchRow::entry("X/", "y.mp3"));
    rows.setPrefix("L.TXT - ");
    rows.addEntry("Music/", "after a prefix.mp3");
    const std::vector<SearchRow> all = rows.toVector();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].text(), "Music/Rock/a b.mp3  3.4MB");
    EXPECT_EQ(all[0].folder(), "Music/Rock/");
    EXPECT_EQ(all[0].name(), "a b.mp3");
    EXPECT_EQ(all[1].text(), "Music/line?break.mp3");
    EXPECT_EQ(all[1].name(), "line\nbreak.mp3");
    EXPECT_EQ(all[2].name(), "y.mp3");
    EXPECT_EQ(all[3].text(), "Music/after a prefix.mp3");
    EXPECT_EQ(all[3].folder(), "Music/");
}

TEST(RowList, RowsSpanManyBlocksAndLongRowsGetTheirOwn) {
    // Blocks hold a few megabytes: these rows fill several, and the long
    // ones cannot share one.
    RowList rows;
    std::vector<std::string> expected;
    for (int i = 0; i < 40'000; ++i) {
        std::string text = std::to_string(i) + std::string(static_cast<std::size_t>(i % 200), 'x');
        if (i % 10'000 == 7) {
            text += std::string(5'000'000, 'y');
        }
        rows.addText(text);
        expected.push_back(std::move(text));
    }
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(rows.text(i), expected[i]) << i;
    }
    EXPECT_GE(rows.bytesHeld(), 20'000'000u);
}

TEST(RowList, IsFullAtItsLimitAndEmptyAfterAMove) {
    RowList rows;
    rows.setLimit(2, std::size_t{1} << 40);
    rows.addText("a");
    EXPECT_FALSE(rows.full());
    rows.addText("b");
    EXPECT_TRUE(rows.full());
    RowList moved = std::move(rows);
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_TRUE(rows.empty());  // NOLINT(bugprone-use-after-move): a moved-from list is empty
    RowList bytes;
    bytes.setLimit(1000, 1);
    EXPECT_FALSE(bytes.full());
    bytes.addText("x");
    EXPECT_TRUE(bytes.full());
}

TEST(WindowLimits, FollowTheMachinesMemory) {
    struct Case {
        std::uint64_t memory;
        std::size_t rows;
        std::size_t bytes;
    };
    constexpr std::uint64_t GiB = std::uint64_t{1} << 30;
    const Case cases[] = {
        {0, 10'000'000, 2 * GiB},
        {GiB / 4, 10'000'000, 2 * GiB},
        {GiB, 16'777'216, 2 * GiB},
        {16 * GiB, 268'435'456, 8 * GiB},
        {1024 * GiB, (std::size_t{1} << 31) - 2, 512 * GiB},
    };
    for (const Case& c : cases) {
        const SearchLimits limits = windowLimitsFor(c.memory);
        EXPECT_EQ(limits.maxRows, c.rows) << c.memory;
        EXPECT_EQ(limits.maxRowBytes, c.bytes) << c.memory;
    }
    EXPECT_GE(windowLimits().maxRows, 10'000'000u);
}

}  // namespace
}  // namespace quor::find
