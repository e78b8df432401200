#include "quorvane/dupes/signature.h"

#include <gtest/gtest.h>

#include <random>

#include "quorvane/dupes/entry_store.h"
#include "quorvane/dupes/stored_name.h"

namespace quor::dupes {
namespace {

int positionsApart(std::string_view x, std::string_view y) {
    return differingPositions(signatureOf(x), signatureOf(y));
}

TEST(Signature, CountsOnlyTheAlphabetIgnoringCaseAndOrder) {
    struct Case {
        const char* x;
        const char* y;
        int apart;
    };
    const Case cases[] = {
        {"abc.mp3", "cab.mp3", 0},          // anagrams
        {"My Song.mp3", "my_song.MP3", 0},  // case, blank, underscore
        {"a-b.c d", "abcd", 0},             // hyphen, dot, blank
        {"song.mp3", "song.wav", 6},        // a m p v w 3
        {"Müsik.ogg", "msik.ogg", 0},       // non-ASCII bytes count for nothing
        {"", "!!!---...", 0},               // nothing counted: all zero
        {"track01", "track02", 2},          // 1 and 2
        {"aaaa", "a", 1},                   // one position, any difference
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionsApart(c.x, c.y), c.apart) << c.x << " / " << c.y;
    }
}

TEST(Signature, FollowsTheAlphabetOrder) {
    ASSERT_EQ(kSignatureAlphabet.size(), kSignatureSymbols);
    EXPECT_EQ(signaturePosition('E'), 0);
    EXPECT_EQ(signaturePosition('u'), 4);
    EXPECT_EQ(signaturePosition('s'), 5);
    EXPECT_EQ(signaturePosition('m'), 10);
    EXPECT_EQ(signaturePosition('b'), 11);
    EXPECT_EQ(signaturePosition('z'), 25);
    EXPECT_EQ(signaturePosition('0'), 26);
    EXPECT_EQ(signaturePosition('9'), 35);
    EXPECT_EQ(signaturePosition('_'), -1);
    EXPECT_EQ(signaturePosition('\xC3'), -1);
}

TEST(Signature, CountersStopAtTheirLimit) {
    const Signature s = signatureOf(std::string(300, 'e') + "a");
    EXPECT_EQ(s.counts[0], 255);
    EXPECT_EQ(s.counts[1], 1);
    EXPECT_EQ(s.counts[36], 0);  // padding untouched
}

TEST(Signature, WordComparisonAgreesWithTheStepwiseWalk) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> position(0, 35);
    std::uniform_int_distribution<int> count(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Signature a;
        for (int k = 0; k < 36; ++k) {
            a.counts[k] = static_cast<std::uint8_t>(count(random) % 4);
        }
        Signature b = a;
        const int changes = round % 12;
        for (int c = 0; c < changes; ++c) {
            b.counts[position(random)] = static_cast<std::uint8_t>(count(random));
        }
        const int apart = differingPositions(a, b);
        for (int t = 0; t <= 6; ++t) {
            ASSERT_EQ(withinToleranceStepwise(a, b, t), apart <= t);
            ASSERT_EQ(withinTolerance(a, b, t), apart <= t);
        }
    }
}

TEST(EntrySignature, CountsTheNameOnlyDecoded) {
    struct Case {
        const char* line;
        const char* name;
    };
    const Case cases[] = {
        {"song.mp3", "song.mp3"},
        {"song.mp3*      3KB 01/02/2024", "song.mp3"},  // columns never count
        {"song.mp3>   Music/Rock/", "song.mp3"},        // nor the path at the end
        {"song.mp3*  3KB >  Zzz/", "song.mp3"},
        {"a%2Ab%3Ec%3F%25.txt*  1KB", "a*b>c?%.txt"},  // escapes decoded first
        {"100%25 pure.mp3", "100% pure.mp3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lineSignature(c.line), signatureOf(c.name)) << c.line;
    }
}

TEST(StoredName, SplitsAtTheFolderTextAndShowsDecodedRows) {
    const auto parts = splitStoredName("Music/Rock/a%2Ab.mp3*      3KB 01/02/2024");
    EXPECT_EQ(parts.folderText, "Music/Rock/");
    EXPECT_EQ(parts.cacheLine, "a%2Ab.mp3*      3KB 01/02/2024");
    EXPECT_EQ(fileNameOfLine(parts.cacheLine), "a*b.mp3");

    const auto bare = splitStoredName("plain.txt");
    EXPECT_EQ(bare.folderText, "");
    EXPECT_EQ(bare.cacheLine, "plain.txt");
    EXPECT_EQ(splitStoredName("M/x.txt>   M/Sub/").folderText, "M/");

    struct Case {
        const char* stored;
        const char* row;
    };
    const Case rows[] = {
        {"Music/song.mp3*      3KB", "Music/song.mp3  3KB"},
        {"Music/song.mp3", "Music/song.mp3"},
        {"Music/song.mp3>   Music/", "Music/song.mp3"},
        {"Music/song.mp3*  3KB >  Music/", "Music/song.mp3  3KB "},
        {"100%25/two%0Alines.mp3*  1KB", "100%/two?lines.mp3  1KB"},
        {"", ""},
    };
    for (const Case& c : rows) {
        EXPECT_EQ(displayForm(c.stored), c.row) << c.stored;
    }
}

}  // namespace
}  // namespace quor::dupes
