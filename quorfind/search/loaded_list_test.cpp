#include "quorfind/search/loaded_list.h"

#include <gtest/gtest.h>

#include <random>

#include "quorfind/search/instant_search.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/plain_line_matcher.h"
#include "quorfind/search/saved_list_fixture.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

using testing::TestFolder;
using testing::writeSavedList;

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// A naive reference: lower the line, then look for the text.
bool naiveContains(std::string_view line, std::string_view folded) {
    std::string lowered(line);
    for (char& c : lowered) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    return lowered.find(folded) != std::string::npos;
}

TEST(PlainLineMatcherTest, AgreesWithLoweringEveryLine) {
    std::mt19937 random(7);
    const std::string alphabet = "aAbB .@`-";
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 40, ' ');
        for (char& c : line) {
            c = alphabet[random() % alphabet.size()];
        }
        std::string needle(1 + random() % 4, ' ');
        for (char& c : needle) {
            const char picked = alphabet[random() % alphabet.size()];
            c = (picked >= 'A' && picked <= 'Z') ? static_cast<char>(picked + 32) : picked;
        }
        // The matcher may read past the line; what follows must not count.
        const std::string padded = line + needle + std::string(kLineMatcherSlack, 'a');
        const PlainLineMatcher matcher(needle);
        EXPECT_EQ(matcher.contains(std::string_view(padded).substr(0, line.size())),
                  naiveContains(line, needle))
            << "line \"" << line << "\" text \"" << needle << "\"";
    }
}

std::string pad(std::string name, std::string columns) {
    return name + "*" + std::string(65 - name.size(), ' ') + columns;
}

const std::string kMusic = "0\n*My MP3s/\n" + pad("top.mp3", "      3KB") +
                           "\n*My MP3s/Rock/\nBeatles - Help.mp3\n" +
                           pad("abbey road.mp3", " 1.50MB") + ">  My MP3s/Rock/\n" +
                           "we%2Ard.mp3\n\xC3\x89lan.mp3\n*My MP3s/Empty/\n" +
                           "*Caf\xC3\xA9 Mus/\nIC box.mp3\n\n*Stra%2Fsse/\nSTRASSE.mp3\n";
const std::string kDisks =
    "?Disc One\n100\n*Disc One/\nbeatles live.mp3\n?Disc Two\n50\n"
    "*Disc Two/sub/\nother.mp3\nno heading before.mp3\n";

class LoadedListTest : public quor::testing::StoreTest {
  protected:
    void writeList(const std::string& music, const std::string& disks) {
        writeSavedList(home, "music",
                       {{"0", "/srv/music", "My MP3s", music},
                        {"1", "/media/cd", "Discs", disks},
                        {"0", "/gone", "Gone", ""}});
    }
    std::filesystem::path data() const { return home.home() / "data"; }

    std::vector<std::string> fullSearch(std::string_view text, bool includeFolders) {
        std::vector<std::string> out;
        for (const SearchRow& row :
             searchOwnListOf(data(), "/web/music.txt", text, includeFolders, user).rows) {
            out.push_back(row.text() + "|" + row.folder() + "|" + row.name());
        }
        return out;
    }
    static std::vector<std::string> shown(const InstantMatches& matches) {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < matches.size(); ++i) {
            const SearchRow row = matches.row(i);
            out.push_back(row.text() + "|" + row.folder() + "|" + row.name());
        }
        return out;
    }
    static std::vector<std::string> shown(const LoadedList& list,
                                          const LoadedList::LineNumbers& lines) {
        std::vector<std::string> out;
        for (std::uint32_t line : lines) {
            const SearchRow row = list.row(line);
            out.push_back(row.text() + "|" + row.folder() + "|" + row.name());
        }
        return out;
    }
    // Searches each text on the loaded list as it stands, and as typed
    // (cleaned) narrowing from the text before it, and compares both with
    // the search of the files.
    void expectSameAsFullSearch(const std::vector<std::string>& texts) {
        const auto loaded = LoadedList::load(data(), "/web/music.txt", kNoLimit, kNoLimit);
        ASSERT_TRUE(loaded) << loaded.error();
        for (bool includeFolders : {true, false}) {
            InstantOwnSearch narrowing(kNoLimit, kNoLimit);
            for (const std::string& text : texts) {
                const auto once =
                    (*loaded)->search(TextMatcher(text).folded(), includeFolders, nullptr, {});
                ASSERT_TRUE(once);
                EXPECT_EQ(shown(**loaded, *once), fullSearch(text, includeFolders))
                    << text << " folders " << includeFolders;
                const auto narrowed =
                    narrowing.search(data(), "/web/music.txt", text, includeFolders, {});
                ASSERT_TRUE(narrowed);
                EXPECT_EQ(shown(*narrowed), fullSearch(cleanSearchText(text), includeFolders))
                    << text << " folders " << includeFolders;
            }
        }
    }
};

TEST_F(LoadedListTest, FindsWhatTheSearchOfTheFilesFinds) {
    writeList(kMusic, kDisks);
    expectSameAsFullSearch({"",
                            "b",
                            "be",
                            "bea",
                            "beat",
                            "beatles",
                            "beatles live",
                            "k/b",
                            "rock/beat",
                            "s/r",
                            "mp3s/top",
                            "3kb",
                            "kb",
                            "*rd",
                            "we*",
                            "\xC3\xA9",
                            "\xC3\x89lan",
                            "caf\xC3\xA9 mus/ic",
                            "s/ic",
                            "strasse",
                            "stra\xC3\x9F"
                            "e",
                            "sse/str",
                            "one/b",
                            "disc",
                            "zzz",
                            ">"});
}

TEST_F(LoadedListTest, GeneratedListsAgreeWithTheSearchOfTheFiles) {
    std::mt19937 random(11);
    const std::vector<std::string> pieces = {"a", "B", "ab", " ", "%25", "\xC3\xA9", "/", "*"};
    const auto words = [&](int count) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            out += pieces[random() % pieces.size()];
        }
        return out;
    };
    for (int round = 0; round < 8; ++round) {
        std::string listing = "0\n";
        for (int line = 0; line < 40; ++line) {
            if (random() % 5 == 0) {
                listing += "*" + words(3) + "/\n";
            } else {
                std::string name = words(4);
                if (name.starts_with('*') || name.starts_with('?')) {
                    name.insert(0, "x");
                }
                listing += name + "\n";
            }
        }
        writeList(listing, kDisks);
        expectSameAsFullSearch({"a", "ab", "b/a", "/a", "\xC3\x89", "a\xC3\xA9", "%", " b"});
    }
}

TEST_F(LoadedListTest, ReadsTheListAgainWhenAFileChanges) {
    writeList(kMusic, kDisks);
    InstantOwnSearch instant(kNoLimit, kNoLimit);
    auto found = instant.search(data(), "/web/music.txt", "beatles", true, {});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), 2u);
    const LoadedList* before = instant.loaded();
    ASSERT_TRUE(instant.search(data(), "/web/music.txt", "beatles live", true, {}));
    EXPECT_EQ(instant.loaded(), before);  // kept between keys

    writeList(kMusic, "0\n*Disc One/\nbeatles again.mp3\nbeatles live.mp3\n");
    found = instant.search(data(), "/web/music.txt", "beatles live", true, {});
    ASSERT_TRUE(found);
    EXPECT_EQ(shown(*found), fullSearch("beatles live", true));
    // A shorter text after a reload is not narrowed from the old matches.
    found = instant.search(data(), "/web/music.txt", "beatles", true, {});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), 3u);
}

TEST_F(LoadedListTest, GivesNoAnswerWhenStoppedTooLargeOrUnreadable) {
    writeList(kMusic, kDisks);
    std::stop_source stop;
    stop.request_stop();
    InstantOwnSearch instant(kNoLimit, kNoLimit);
    EXPECT_FALSE(instant.search(data(), "/web/music.txt", "b", true, stop.get_token()));
    EXPECT_TRUE(instant.search(data(), "/web/music.txt", "b", true, {}));

    EXPECT_FALSE(InstantOwnSearch(100, kNoLimit).search(data(), "/web/music.txt", "b", true, {}));
    EXPECT_FALSE(InstantOwnSearch(kNoLimit, 3).search(data(), "/web/music.txt", "b", true, {}));

    home.file("home/data/music.lst", "not a saved list");
    EXPECT_FALSE(instant.search(data(), "/web/music.txt", "b", true, {}));
}

TEST_F(LoadedListTest, AMissingSavedListHasNoRows) {
    InstantOwnSearch instant(kNoLimit, kNoLimit);
    const auto found = instant.search(data(), "/web/nothing.txt", "", true, {});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), 0u);
}

TEST_F(LoadedListTest, ListSizesDecideWhatIsSearchedAsYouType) {
    home.file("home/Lists/a.txt", std::string(100, 'a'));
    home.file("home/Lists/b.txt", std::string(20, 'b'));
    EXPECT_EQ(textListBytes(home.home() / "Lists/a.txt"), 100u);
    EXPECT_EQ(textListBytes(home.home() / "Lists/none.txt"), std::nullopt);
    EXPECT_EQ(textListBytes(home.home() / "Lists"), std::nullopt);
    EXPECT_EQ(listsFolderBytes(home.home() / "Lists"), 120u);
    EXPECT_EQ(listsFolderBytes(home.home() / "Lists", 1), std::nullopt);
    EXPECT_EQ(listsFolderBytes(home.home() / "None"), std::nullopt);
}

}  // namespace
}  // namespace quor::find
