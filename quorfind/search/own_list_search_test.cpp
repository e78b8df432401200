#include "quorfind/search/own_list_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "quorfind/search/saved_list_fixture.h"
#include "quorfind/search/search_texts.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

using testing::TestFolder;
using testing::writeSavedList;

std::string pad(std::string name, std::string columns) {
    return name + "*" + std::string(65 - name.size(), ' ') + columns;
}

const std::string kMusic = "0\n*My MP3s/\n" + pad("top.mp3", "      3KB") +
                           "\n*My MP3s/Rock/\nBeatles - Help.mp3\n" +
                           pad("abbey road.mp3", " 1.50MB") + ">  My MP3s/Rock/\n" +
                           "we%2Ard.mp3\n\xC3\x89lan.mp3\n*My MP3s/Empty/\n";
const std::string kDisks =
    "?Disc One\n100\n*Disc One/\nbeatles live.mp3\n?Disc Two\n50\n"
    "*Disc Two/sub/\nother.mp3\n";

class OwnListSearchTest : public quor::testing::StoreTest {
  protected:
    OwnListSearchTest() {
        writeSavedList(
            home, "music",
            {{"0", "/srv/music", "My MP3s", kMusic}, {"1", "/media/cd", "Discs", kDisks}});
    }
    SearchResult search(std::string_view text, bool includeFolders = true) {
        return searchOwnListOf(home.home() / "data", "/web/music.txt", text, includeFolders, user);
    }
    static std::vector<std::string> texts(const SearchResult& result) {
        std::vector<std::string> out;
        for (const SearchRow& row : result.rows) {
            out.push_back(row.text());
        }
        return out;
    }
};

TEST_F(OwnListSearchTest, FormsRowsFromFolderNameAndColumns) {
    const SearchResult result = search("");
    EXPECT_EQ(texts(result), (std::vector<std::string>{
                                 "My MP3s/top.mp3  3KB",
                                 "My MP3s/Rock/Beatles - Help.mp3",
                                 "My MP3s/Rock/abbey road.mp3  1.50MB",
                                 "My MP3s/Rock/we*rd.mp3",
                                 "My MP3s/Rock/\xC3\x89lan.mp3",
                                 "Disc One/beatles live.mp3",
                                 "Disc Two/sub/other.mp3",
                             }));
    EXPECT_EQ(result.matches, 7);
    EXPECT_EQ(result.rows[3].folder(), "My MP3s/Rock/");
    EXPECT_EQ(result.rows[3].name(), "we*rd.mp3");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(OwnListSearchTest, MatchesWithAndWithoutFolderNames) {
    struct Case {
        const char* text;
        bool includeFolders;
        long long matches;
    };
    const Case cases[] = {
        {"BEATLES", true, 2},
        {"rock", true, 4},
        {"rock", false, 1},  // the path at the end is part of the line
        {"abbey road", true, 1},
        {"mp3s/top", true, 1},
        {"mp3s/top", false, 0},
        {"rock/beat", true, 1},
        {"2a", true, 0},
        {"we*rd", true, 1},
        {"élan", false, 1},
        {"1.50mb", false, 1},
        {"disc two", true, 1},
        {"disc", false, 0},
        {"my mp3s/rock/", true, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(search(c.text, c.includeFolders).matches, c.matches)
            << c.text << (c.includeFolders ? " with folders" : " without folders");
    }
}

TEST_F(OwnListSearchTest, StopsBetweenFilesWhenAsked) {
    user.stopAtPoll(1);
    const SearchResult result = search("beatles");
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(texts(result), std::vector<std::string>{"My MP3s/Rock/Beatles - Help.mp3"});
}

TEST_F(OwnListSearchTest, MissingFilesArePassedOverSilently) {
    EXPECT_EQ(searchOwnListOf(home.home() / "data", "/web/none.html", "", true, user).matches, 0);
    std::filesystem::remove(home.path("home/data/music0.dat"));
    EXPECT_EQ(search("").matches, 2);
    EXPECT_TRUE(user.boxes().empty());
    EXPECT_EQ(shownRows(search("nothing like this")),
              std::vector<std::string>{std::string(kNoMatchesRow)});
}

TEST_F(OwnListSearchTest, UnreadableListsShowTheFailureAndKeepRowsFound) {
    std::filesystem::remove(home.path("home/data/music1.dat"));
    home.folder("home/data/music1.dat");
    SearchResult result = search("beatles");
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.matches, 1);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, kOpenListFailed);

    // A pipe or a link to a device in a listing's place is refused at once.
    std::filesystem::remove(home.path("home/data/music1.dat"));
    ASSERT_EQ(::mkfifo(home.path("home/data/music1.dat").c_str(), 0600), 0);
    result = search("beatles");
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.matches, 1);
    std::filesystem::remove(home.path("home/data/music1.dat"));
    std::filesystem::create_symlink("/dev/zero", home.path("home/data/music1.dat"));
    EXPECT_EQ(search("beatles").matches, 1);
    ASSERT_EQ(user.boxes().size(), 3u);
    EXPECT_EQ(user.boxes()[2].text, kOpenListFailed);

    home.file("home/data/short.lst", "3.2\r\n2\r\n");
    result = searchOwnListOf(home.home() / "data", "short.html", "", true, user);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(user.boxes().size(), 4u);
}

// The search program reads its own list by the same rules as Quorvane: a
// file whose lines do not fit its version is refused, never read shifted.
TEST_F(OwnListSearchTest, AListNotLaidOutAsItsVersionSaysIsRefused) {
    const auto data = home.home() / "data";
    const std::string v32 = home.read("home/data/music.lst");
    const struct {
        std::string contents;
        const char* problem;
    } cases[] = {
        {"2.0" + v32.substr(3), "has 36 lines where version 2.0 with 2 folders needs 29"},
        {"9" + v32.substr(3), "line 1: the version \"9\" is not a number from 1 to 3.2"},
        {"3.2\r\n-2" + v32.substr(6), "line 2: the folder count \"-2\""},
        {v32 + "extra\r\n", "has 37 lines"},
    };
    for (const auto& c : cases) {
        home.file("home/data/music.lst", c.contents);
        const SearchResult result = search("");
        EXPECT_TRUE(result.failed);
        EXPECT_TRUE(result.rows.empty());
        ASSERT_FALSE(user.boxes().empty());
        EXPECT_EQ(user.boxes().back().text, kOpenListFailed);
        EXPECT_NE(user.boxes().back().caption.find(c.problem), std::string::npos)
            << user.boxes().back().caption;
        EXPECT_FALSE(savedListOutputPath(data / "music.lst"));
    }
    home.file("home/data/music.lst", "\xEF\xBB\xBF" + v32);
    const std::size_t shown = user.boxes().size();
    EXPECT_EQ(search("").matches, 7);
    EXPECT_EQ(savedListOutputPath(data / "music.lst").value(), "/web/music.txt");
    EXPECT_EQ(user.boxes().size(), shown);
}

TEST_F(OwnListSearchTest, ChosenSavedListGivesItsOutputFile) {
    const auto data = home.home() / "data";
    EXPECT_EQ(savedListOutputPath(data / "music.lst").value(), "/web/music.txt");
    EXPECT_FALSE(savedListOutputPath(data / "none.lst"));
    home.file("home/data/short.lst", "3.2\r\n2\r\n");
    const Result<std::string> cut = savedListOutputPath(data / "short.lst");
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.error().find("short.lst"), std::string::npos);
}

TEST_F(OwnListSearchTest, ReadsListsWithLfLineEndsAndNoFinalLineEnd) {
    home.file("home/data/music0.dat", "0\n*A/\none.mp3\ntwo.mp3");
    EXPECT_EQ(texts(search("o.mp3")), std::vector<std::string>{"A/two.mp3"});
}

TEST(SearchTexts, FinishAndCaption) {
    EXPECT_EQ(foundText(0), "Found 0 matching files.");
    EXPECT_EQ(foundText(12), "Found 12 matching files.");
    EXPECT_EQ(windowCaption("/web/my.list.txt"), "Quorfind - my.list.txt");
    EXPECT_EQ(windowCaption(kListsFolderPath), "Quorfind - Lists Folder");
}

}  // namespace
}  // namespace quor::find

namespace quor::find {
namespace {

// The match rule applied the plain way: every line decoded, joined to its
// folder and folded on its own.
std::vector<std::string> referenceNames(const std::string& listing, const std::string& text,
                                        bool includeFolders) {
    const TextMatcher matcher(text);
    std::vector<std::string> names;
    std::string folder;
    const auto lines = store::splitLines(listing);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) {
            continue;
        }
        if (line[0] == '*') {
            folder = generate::decodeCacheName(line.substr(1));
        } else if (line[0] == '?') {
            ++i;
        } else {
            const auto split = generate::splitFileLine(line);
            const std::string decoded =
                generate::decodeCacheName(split.storedName) + std::string(split.rest);
            if (matcher.matches(includeFolders ? folder + decoded : decoded)) {
                names.push_back(folder + generate::decodeCacheName(split.storedName));
            }
        }
    }
    return names;
}

TEST(SearchListing, AgreesWithThePlainRuleOnMixedListings) {
    const char* const names[] = {"Rock Song.mp3",
                                 "ROCK/roll.mp3",
                                 "b\xC3\xA9"
                                 "b\xC3\xA9.mp3",
                                 "STRASSE.ogg",
                                 "stra\xC3\x9F"
                                 "e.flac",
                                 "we%2Ard.mp3",
                                 "100%25.mp3",
                                 "plain",
                                 "Zebra zebra.mp3",
                                 "k\xE2\x84\xAA.txt"};
    const char* const folders[] = {"*Music/", "*Music/Rock/",
                                   "*M\xC3\xBCsik/B\xC3\x89"
                                   "B\xC3\x89/",
                                   "*Disc/ro", "*a%3Eb/"};
    std::string listing = "12\r\n";
    unsigned seed = 7;
    const auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int i = 0; i < 400; ++i) {
        const unsigned pick = next(14);
        const char* end = next(3) == 0 ? "\n" : "\r\n";
        if (pick < 2) {
            listing += std::string(folders[next(5)]) + end;
        } else if (pick == 2) {
            listing += std::string("?Disk ") + std::to_string(i) + end + "5" + end;
        } else if (pick == 3) {
            listing += end;
        } else {
            std::string line = names[next(10)];
            if (next(2) == 0) {
                line += "*" + std::string(10, ' ') + "3.5MB >  Music/Rock/";
            }
            listing += line + end;
        }
    }
    for (const std::string text :
         {"rock", "ck/ro", "c/ro", "o", "mp3", "\xC3\xA9", "B\xC3\x89", "strasse", "*", "%", "100%",
          "zebra z", "kk", "e.", "music/", "/r", "disk", "mb >", ""}) {
        for (bool includeFolders : {true, false}) {
            RowList rows;
            const long long added = searchListing(listing, TextMatcher(text), includeFolders, rows);
            std::vector<std::string> got;
            for (const SearchRow& row : rows) {
                got.push_back(row.folder() + row.name());
            }
            EXPECT_EQ(got, referenceNames(listing, text, includeFolders))
                << "\"" << text << "\"" << (includeFolders ? " with folders" : "");
            EXPECT_EQ(added, static_cast<long long>(got.size()));
        }
    }
}

}  // namespace
}  // namespace quor::find
