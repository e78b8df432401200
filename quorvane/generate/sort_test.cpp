#include "quorvane/generate/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/testing/scoped_environment.h"

namespace quor::generate {
namespace {

const Collation& root() {
    static const Collation order("");
    return order;
}

TEST(SortStrings, IgnoresCaseButNotAccents) {
    std::vector<std::string> a = {"gamma", "Beta", "alpha"};
    SortStrings(a, root());
    EXPECT_EQ(a, (std::vector<std::string>{"alpha", "Beta", "gamma"}));

    std::vector<std::string> b = {"Zebra", "éclair", "eclair", "Apple", "zoo"};
    SortStrings(b, root());
    EXPECT_EQ(b, (std::vector<std::string>{"Apple", "eclair", "éclair", "Zebra", "zoo"}));
}

TEST(SortStrings, SortsWholeLinesNameFirst) {
    std::vector<std::string> lines = {"song.mp3*      3KB", "Song.mp3*      1KB", "a.txt*   9KB"};
    SortStrings(lines, root());
    EXPECT_EQ(lines[0], "a.txt*   9KB");
    EXPECT_EQ(lines[1], "Song.mp3*      1KB");
    EXPECT_EQ(lines[2], "song.mp3*      3KB");
}

// A long range lets its caller run events while it is sorted; the order is
// the same as without.
TEST(SortStrings, ALongRangePollsAndSortsTheSame) {
    std::mt19937 random(7);
    std::vector<std::string> a;
    for (int i = 0; i < 20000; ++i) {
        a.push_back("name " + std::to_string(random() % 100000));
    }
    std::vector<std::string> b = a;
    int polls = 0;
    SortStrings(a, 0, static_cast<std::int32_t>(a.size()) - 1, root(), [&] { ++polls; });
    SortStrings(b, root());
    EXPECT_EQ(a, b);
    EXPECT_GE(polls, 20000 / 4096 + 1);  // while the keys are made, and partitioning
}

TEST(SortStrings, TouchesOnlyTheRange) {
    std::vector<std::string> a = {"z", "d", "c", "b", "a"};
    SortStrings(a, 1, 3, root());
    EXPECT_EQ(a, (std::vector<std::string>{"z", "b", "c", "d", "a"}));
    std::vector<std::string> empty;
    SortStrings(empty, 0, -1, root());  // an empty list sorted over 0 to -1
    EXPECT_TRUE(empty.empty());
    std::vector<std::string> one = {"x", "a"};
    SortStrings(one, 1, 1, root());
    SortStrings(one, 1, 0, root());
    EXPECT_EQ(one, (std::vector<std::string>{"x", "a"}));
}

TEST(SortStrings, AgreesWithTheCollatorOnRandomInput) {
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"a", "B", "é", "e", "Z", "日本", "1", "10", " ", "-"};
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> a(static_cast<std::size_t>(random() % 200));
        for (auto& s : a) {
            for (int k = static_cast<int>(random() % 5); k >= 0; --k) {
                s += pieces[random() % pieces.size()];
            }
        }
        std::vector<std::string> sorted = a;
        SortStrings(sorted, root());
        EXPECT_TRUE(std::is_permutation(a.begin(), a.end(), sorted.begin()));
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                                   [](const auto& x, const auto& y) { return root().less(x, y); }));
    }
}

TEST(SortStrings, DeepInputsDoNotExhaustTheStack) {
    std::vector<std::string> a;
    for (int i = 0; i < 200000; ++i) {
        a.push_back(std::to_string(i % 2 == 0 ? i : 200000 - i));
    }
    SortStrings(a, root());
    EXPECT_TRUE(std::is_sorted(a.begin(), a.end(),
                               [](const auto& x, const auto& y) { return root().less(x, y); }));
}

// The quicksort exactly as the steps go, comparing with the collator: short
// and long ranges (compared directly or by keys) must end in the same
// arrangement, also for elements that compare equal.
void referenceSort(std::vector<std::string>& a, std::int32_t first, std::int32_t last) {
    std::int32_t low = first;
    std::int32_t high = last;
    const std::int64_t sum = static_cast<std::int64_t>(first) + last;
    std::int64_t middle = sum / 2;
    if (sum % 2 != 0 && middle % 2 != 0) {
        ++middle;
    }
    const std::string pivot = a[static_cast<std::size_t>(middle)];
    while (low <= high) {
        while (root().less(a[static_cast<std::size_t>(low)], pivot) && low < last) {
            ++low;
        }
        while (root().less(pivot, a[static_cast<std::size_t>(high)]) && high > first) {
            --high;
        }
        if (low > high) {
            break;
        }
        std::swap(a[static_cast<std::size_t>(low)], a[static_cast<std::size_t>(high)]);
        ++low;
        --high;
    }
    if (first < high) {
        referenceSort(a, first, high);
    }
    if (low < last) {
        referenceSort(a, low, last);
    }
}

TEST(SortStrings, LongAndShortRangesTakeTheSameStepsAsTheCollator) {
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"a", "A", "b", "B", "é", "É", " ", "1"};
    for (const std::size_t size : {40u, 255u, 256u, 257u, 3000u}) {
        std::vector<std::string> a(size);
        for (auto& s : a) {
            for (int k = static_cast<int>(random() % 4); k >= 0; --k) {
                s += pieces[random() % pieces.size()];
            }
        }
        std::vector<std::string> expected = a;
        referenceSort(expected, 0, static_cast<std::int32_t>(size) - 1);
        SortStrings(a, root());
        EXPECT_EQ(a, expected) << size;
    }
}

TEST(SortLines, LinesAlikeBeyondTheKeptKeyTakeTheSameStepsAsTheCollator) {
    // Lines of a long range share a start longer than the key bytes an
    // arena keeps, and many differ only in case after it: those are
    // settled by the collator, in the same arrangement as the reference.
    std::mt19937 random(5);
    const std::string shared = "The Very Long Shared Artist Name - Album Title - ";
    const std::vector<std::string> pieces = {"a", "A", "b", "é", "É", " ", "1"};
    for (const std::size_t size : {300u, 5000u}) {
        std::vector<std::string> a(size);
        for (auto& s : a) {
            s = random() % 4 == 0 ? "track" : shared;
            for (int k = static_cast<int>(random() % 4); k >= 0; --k) {
                s += pieces[random() % pieces.size()];
            }
        }
        LineArena lines;
        for (const auto& s : a) {
            lines.push_back(s);
        }
        referenceSort(a, 0, static_cast<std::int32_t>(size) - 1);
        sortLines(lines, 0, static_cast<std::int32_t>(size) - 1, root());
        ASSERT_EQ(lines.size(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(lines[i], a[i]) << size << " at " << i;
        }
    }
}

TEST(SortStringsPaired, CompanionsTravelWithTheirKeys) {
    std::vector<std::string> keys = {"delta", "Alpha", "charlie", "bravo", "alpha"};
    std::vector<std::string> companion;
    for (const auto& k : keys) {
        companion.push_back("link:" + k);
    }
    SortStringsPaired(keys, companion, 0, 4, root());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(companion[i], "link:" + keys[i]);
    }
    EXPECT_EQ(keys[4], "delta");
}

TEST(Collation, SortKeysOrderAsTheCollatorDoes) {
    const std::vector<std::string> texts = {"", "a", "A", "b", "é", "e", "日本", "Ärger", "zz"};
    for (const auto& x : texts) {
        for (const auto& y : texts) {
            const int byCollator = root().compare(x, y);
            const int byKey = root().sortKey(x).compare(root().sortKey(y));
            EXPECT_EQ(byCollator < 0, byKey < 0) << x << " / " << y;
            EXPECT_EQ(byCollator == 0, byKey == 0) << x << " / " << y;
        }
    }
}

TEST(Collation, TheUserLocaleComesFromTheEnvironment) {
    {
        const quor::testing::ScopedEnvironment swedish("LC_ALL", "sv_SE.UTF-8");
        EXPECT_EQ(userCollationLocale(), "sv_SE");
    }
    {
        const quor::testing::ScopedEnvironment plain("LC_ALL", "C.UTF-8");
        EXPECT_EQ(userCollationLocale(), "");
    }
    {
        const quor::testing::ScopedEnvironment euro("LC_ALL", "de_DE@euro");
        EXPECT_EQ(userCollationLocale(), "de_DE");
    }
    // Swedish sorts "ä" after "z"; the root order sorts it with "a".
    const Collation swedish("sv_SE");
    EXPECT_TRUE(swedish.less("zebra", "ärlig"));
    EXPECT_TRUE(root().less("ärlig", "zebra"));
}

}  // namespace
}  // namespace quor::generate
