#include "quorvane/store/saved_lists.h"

#include <sys/stat.h>

#include <utility>

#include "common/file_io.h"
#include "platform/program_folder.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::store {
namespace {

using quor::testing::crlf;

class SavedListsTest : public testing::StoreTest {
  protected:
    ListContext ctx = context();

    std::string data(std::string_view name) { return readHome("data/" + std::string(name)); }

    // Every key and value of the preferences and of records 0 to 3.
    std::vector<std::string> storeSnapshot() {
        std::vector<std::string> entries;
        for (const std::string_view section :
             {kSettings, std::string_view("0"), std::string_view("1"), std::string_view("2"),
              std::string_view("3")}) {
            for (const std::string& key : store->keys(kQuorvane, section)) {
                entries.push_back(std::string(section) + "/" + key + "=" +
                                  store->get(kQuorvane, section, key));
            }
        }
        return entries;
    }
    bool inData(std::string_view name) { return existsInHome("data/" + std::string(name)); }
    void dataFile(std::string_view name, std::string_view contents) {
        home.file("home/data/" + std::string(name), contents);
    }

    // A configuration of three folders writing to ~/Web/music.html.
    void musicConfiguration() {
        setSetting("SavePath", "/home/ann/Web/music.html");
        setSetting("HTML", "1");
        setSetting("NumFiles", " 42");
        setSetting("TotalSize", "1.50MB");
        addRecords({"/home/ann/Music", "/home/ann/Talks", "/media/cdrom"});
        setRecord(1, {"/home/ann/Talks", "Talks", "0", "0"});
        setRecord(2, {"/media/cdrom", "CDs", "0", "1"});
        cacheFile(0, "10\r\n*/home/ann/Music/\r\na.mp3\r\n");
        cacheFile(2, "?Disk 1\r\n5\r\n*CDs/\r\nb.txt\r\n");
        home.file("home/header.txt", "My header\r\n");
        home.file("home/footer.txt", "My footer\r\n");
    }
};

std::string homeSlash() {
    std::string home = platform::homeFolder().string();
    return home.back() == '/' ? home : home + "/";
}

TEST_F(SavedListsTest, SaveWritesTheListFileLineForLineWithItsCopies) {
    musicConfiguration();
    ASSERT_TRUE(savelist(ctx, "music.html"));
    const std::string expected = crlf(
        "3.2\n3\nFalse\n*.*\n1\n0\n 42\n1.50MB\n/home/ann/Web/music.html\n0\n1\n1\n0\n0\n0\n0\n"
        "0\n0\n0\n0\n\n1\n" +
        homeSlash() +
        "\n1\n1\nLightGray\n0\n\n"
        "0\n/home/ann/Music\n/home/ann/Music\n1\n"
        "0\n/home/ann/Talks\nTalks\n0\n"
        "1\n/media/cdrom\nCDs\n0\n");
    EXPECT_EQ(data("music.lst"), expected);
    EXPECT_EQ(data("music0.dat"), "10\r\n*/home/ann/Music/\r\na.mp3\r\n");
    EXPECT_FALSE(inData("music1.dat"));  // record 1 has no cache file
    EXPECT_EQ(data("music2.dat"), "?Disk 1\r\n5\r\n*CDs/\r\nb.txt\r\n");
    EXPECT_EQ(data("music.hdr"), "My header\r\n");
    EXPECT_EQ(data("music.ftr"), "My footer\r\n");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(SavedListsTest, SaveWithAnEmptyNameWritesNothing) {
    musicConfiguration();
    EXPECT_TRUE(savelist(ctx, ""));
    EXPECT_TRUE(std::filesystem::is_empty(home.home() / "data"));
}

TEST_F(SavedListsTest, SaveAndLoadRoundTripTheConfiguration) {
    musicConfiguration();
    ASSERT_TRUE(savelist(ctx, "music.html"));
    ASSERT_TRUE(deletecurrentlist(ctx));
    EXPECT_EQ(setting("NumPaths"), "0");
    EXPECT_FALSE(existsInHome("0.txt"));
    home.file("home/header.txt", "Another header");

    ASSERT_TRUE(loadlist(ctx, "music.lst"));
    EXPECT_EQ(setting("NumPaths"), "3");
    EXPECT_EQ(setting("NumFiles"), "42");  // " 42" comes back as its numeric value
    EXPECT_EQ(setting("SavePath"), "/home/ann/Web/music.html");
    EXPECT_EQ(setting("TotalSize"), "1.50MB");
    EXPECT_EQ(record(1), (FolderRecord{"/home/ann/Talks", "Talks", "0", "0"}));
    EXPECT_EQ(record(2), (FolderRecord{"/media/cdrom", "CDs", "0", "1"}));
    EXPECT_EQ(readCacheFile(0), "10\r\n*/home/ann/Music/\r\na.mp3\r\n");
    EXPECT_FALSE(existsInHome("1.txt"));
    EXPECT_EQ(readCacheFile(2), "?Disk 1\r\n5\r\n*CDs/\r\nb.txt\r\n");
    EXPECT_EQ(readHome("header.txt"), "My header\r\n");
    EXPECT_EQ(readHome("footer.txt"), "My footer\r\n");

    // Saving the loaded configuration gives the same file again, but for the
    // count that was stored with a leading space.
    std::string expected = data("music.lst");
    expected.replace(expected.find("\r\n 42\r\n"), 7, "\r\n42\r\n");
    ASSERT_TRUE(savelist(ctx, "music.lst"));
    EXPECT_EQ(data("music.lst"), expected);
}

// Device and inode of a file below the program folder: a file that was
// rewritten gets another.
std::pair<dev_t, ino_t> identity(const std::filesystem::path& file) {
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 ? std::pair{info.st_dev, info.st_ino}
                                             : std::pair<dev_t, ino_t>{0, 0};
}

TEST_F(SavedListsTest, SavingAgainRewritesOnlyWhatChangedAndKeepsEachListingItsOwn) {
    musicConfiguration();
    ASSERT_TRUE(savelist(ctx, "music.html"));
    const auto folder = home.home() / "data";
    const char* const names[] = {"music.lst", "music0.dat", "music2.dat", "music.hdr", "music.ftr"};
    std::vector<std::pair<dev_t, ino_t>> first;
    for (const char* name : names) {
        first.push_back(identity(folder / name));
    }
    ASSERT_TRUE(savelist(ctx, "music.html"));
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(identity(folder / names[i]), first[i]) << names[i] << " was written again";
    }

    // The scanner replaces a cache file by rename: the saved listing keeps
    // its bytes until the list is saved again.
    ASSERT_TRUE(writeFileAtomically(ctx.places.cacheFile(0), "12\r\n*/home/ann/Music/\r\n"));
    EXPECT_EQ(data("music0.dat"), "10\r\n*/home/ann/Music/\r\na.mp3\r\n");
    setSetting("NumFiles", "0");
    ASSERT_TRUE(savelist(ctx, "music.html"));
    EXPECT_EQ(data("music0.dat"), "12\r\n*/home/ann/Music/\r\n");
    EXPECT_NE(data("music.lst").find("\r\n0\r\n1.50MB\r\n"), std::string::npos);
    EXPECT_EQ(identity(folder / "music2.dat"), first[2]);

    // Loading puts the listing back; replacing the live copy again leaves
    // the saved one.
    ASSERT_TRUE(loadlist(ctx, "music.lst"));
    EXPECT_EQ(readCacheFile(0), "12\r\n*/home/ann/Music/\r\n");
    ASSERT_TRUE(writeFileAtomically(ctx.places.cacheFile(0), "13\r\n"));
    EXPECT_EQ(data("music0.dat"), "12\r\n*/home/ann/Music/\r\n");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(SavedListsTest, LoadingAListWithoutHeaderOrFooterRemovesTheCurrentOnes) {
    setSetting("SavePath", "/x/plain.txt");
    ASSERT_TRUE(savelist(ctx, "plain.txt"));
    home.file("home/header.txt", "old header");
    home.file("home/footer.txt", "old footer");
    ASSERT_TRUE(loadlist(ctx, "plain.lst"));
    EXPECT_FALSE(existsInHome("header.txt"));
    EXPECT_FALSE(existsInHome("footer.txt"));
}

TEST_F(SavedListsTest, AVersion13FileReadsOnlyItsLinesAndKeepsTheRest) {
    // Version 1.3 lacks IncludeLinks, TotalSize, IncludeFileDate, the three
    // 1.3 keys, DownloadLink, UseHTMLTable, PlaylistPath and the table keys.
    dataFile("old.lst", crlf("1.3\n1\nTrue\n*.mp3\n1\n7\n/old/out.txt\n1\n0\n1\n1\n1\n2\n1\n"
                             "touch done\n1\n/old/music\nOld Music\n0\n"));
    setSetting("IncludeLinks", "1");
    setSetting("TotalSize", "9KB");
    setSetting("DownloadLink", "http://example.org/");
    setSetting("HTMLTableColor", "Blue");
    ASSERT_TRUE(loadlist(ctx, "old.lst"));
    EXPECT_EQ(setting("NumPaths"), "1");
    EXPECT_EQ(setting("BigList"), "True");
    EXPECT_EQ(setting("FileMask"), "*.mp3");
    EXPECT_EQ(setting("NumFiles"), "7");
    EXPECT_EQ(setting("SavePath"), "/old/out.txt");
    EXPECT_EQ(setting("IncludeFileSize"), "2");
    EXPECT_EQ(setting("IncludeMP3Info"), "1");
    EXPECT_EQ(setting("PerformAction"), "touch done");                          // line 15
    EXPECT_EQ(record(0), (FolderRecord{"/old/music", "Old Music", "0", "1"}));  // lines 16 to 19
    EXPECT_EQ(setting("IncludeLinks"), "1");
    EXPECT_EQ(setting("TotalSize"), "9KB");
    EXPECT_EQ(setting("DownloadLink"), "http://example.org/");
    EXPECT_EQ(setting("HTMLTableColor"), "Blue");
    EXPECT_EQ(setting("UseHTMLTable"), "<missing>");
}

TEST_F(SavedListsTest, AVersion31FileHasTheTableKeysButNotUseHtmlTable) {
    dataFile("v31.lst", crlf("3.1\n0\nFalse\n*.*\n0\n0\n0\n\n/o.txt\n0\n1\n1\n0\n0\n0\n0\n0\n0\n"
                             "0\n0\nhttp://dl/\n0\n1\nRed\n1\necho %\n"));
    ASSERT_TRUE(loadlist(ctx, "v31.lst"));
    EXPECT_EQ(setting("DownloadLink"), "http://dl/");
    EXPECT_EQ(setting("DisplayHTMLTable"), "0");
    EXPECT_EQ(setting("AlternateTableColors"), "1");
    EXPECT_EQ(setting("HTMLTableColor"), "Red");
    EXPECT_EQ(setting("IncludeFileNums"), "1");
    EXPECT_EQ(setting("PerformAction"), "echo %");
    EXPECT_EQ(setting("UseHTMLTable"), "<missing>");
    EXPECT_EQ(setting("PlaylistPath"), "<missing>");
}

// A version 3.2 file of one folder whose lines are correct values.
std::string oneFolderFile(std::string_view version = "3.2") {
    return std::string(version) +
           "\r\n1\r\nFalse\r\n*.*\r\n1\r\n0\r\n9\r\n1KB\r\n/out/"
           "new.html\r\n0\r\n1\r\n1\r\n0\r\n0\r\n"
           "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\ntouch /tmp/downloaded\r\n1\r\n/playlists\r\n1\r\n1\r\n"
           "Tan\r\n0\r\necho built\r\n0\r\n/new/folder\r\nNew\r\n1\r\n";
}

TEST_F(SavedListsTest, AFileNotLaidOutAsItsVersionSaysIsRefusedAndChangesNothing) {
    musicConfiguration();
    setSetting("PerformAction", "notify %");
    const std::string v32 = oneFolderFile();
    const struct {
        std::string contents;
        const char* problem;
    } cases[] = {
        {"", "The saved list is empty"},
        {"\r\n" + v32.substr(5), "line 1: the version \"\" is not a number from 1 to 3.2"},
        {"0" + v32.substr(3), "line 1: the version \"0\" is not a number from 1 to 3.2"},
        {"3.3" + v32.substr(3), "line 1: the version \"3.3\" is not a number from 1 to 3.2"},
        {"abc" + v32.substr(3), "line 1: the version \"abc\" is not a number from 1 to 3.2"},
        {"3.2x" + v32.substr(3), "line 1: the version \"3.2x\" is not a number from 1 to 3.2"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" + v32, "line 1: the version"},  // one mark only
        {"3.2", "The saved list ends early: line 2 (\"NumPaths\") is missing"},
        // Read as 2.0, the download link would be the action and the
        // playlist folder a record.
        {oneFolderFile("2.0"), "has 32 lines where version 2.0 with 1 folder needs 25"},
        {oneFolderFile("1.3"), "has 32 lines where version 1.3 with 1 folder needs 19"},
        {"3.2\r\n-1" + v32.substr(6),
         "line 2: the folder count \"-1\" is not a number from 0 to "
         "32767"},
        {"3.2\r\n99999" + v32.substr(6), "line 2: the folder count \"99999\" is not"},
        {"3.2\r\n32767" + v32.substr(6),
         "has 32 lines where version 3.2 with 32767 folders needs "
         "131096"},
        {"3.2\r\n0" + v32.substr(6), "has 32 lines where version 3.2 with 0 folders needs 28"},
        {v32.substr(0, v32.size() - 3), "has 31 lines where version 3.2 with 1 folder needs 32"},
        {v32 + "1\r\n", "has 33 lines where version 3.2 with 1 folder needs 32"},
        {v32 + "\r\n", "has 33 lines"},
    };
    const std::vector<std::string> before = storeSnapshot();
    for (const auto& c : cases) {
        dataFile("broken.lst", c.contents);
        EXPECT_FALSE(loadlist(ctx, "broken.lst"));
        ASSERT_FALSE(user.boxes().empty());
        EXPECT_EQ(user.boxes().back().text, "There was a problem opening the list! (loadlist)");
        const std::string& caption = user.boxes().back().caption;
        EXPECT_NE(caption.find(c.problem), std::string::npos) << caption;
        EXPECT_NE(caption.find("broken.lst"), std::string::npos) << caption;
        EXPECT_EQ(storeSnapshot(), before);
        EXPECT_EQ(setting("NumPaths"), "3");
        EXPECT_EQ(setting("PerformAction"), "notify %");
        EXPECT_EQ(setting("PlaylistPath"), "<missing>");
        EXPECT_EQ(record(2), (FolderRecord{"/media/cdrom", "CDs", "0", "1"}));
        EXPECT_EQ(readCacheFile(0), "10\r\n*/home/ann/Music/\r\na.mp3\r\n");
    }
    EXPECT_FALSE(loadlist(ctx, "missing.lst"));
    EXPECT_NE(user.boxes().back().caption.find("missing.lst"), std::string::npos);
}

TEST_F(SavedListsTest, AByteOrderMarkBeforeTheVersionIsPassedOver) {
    dataFile("marked.lst", "\xEF\xBB\xBF" + oneFolderFile());
    dataFile("plain.lst", oneFolderFile());
    ASSERT_TRUE(loadlist(ctx, "marked.lst"));
    const std::vector<std::string> marked = storeSnapshot();
    EXPECT_EQ(setting("PerformAction"), "echo built");
    EXPECT_EQ(record(0), (FolderRecord{"/new/folder", "New", "1", "0"}));
    ASSERT_TRUE(deletecurrentlist(ctx));
    ASSERT_TRUE(loadlist(ctx, "plain.lst"));
    EXPECT_EQ(storeSnapshot(), marked);
    EXPECT_TRUE(user.boxes().empty());
}

// Every older version with exactly its own lines: line n of the file holds
// "L<n>", so each text key shows which line it was read from.
TEST_F(SavedListsTest, EachOlderVersionReadsItsOwnLayout) {
    const struct {
        const char* version;
        int savePath, downloadLink, playlistPath, tableColor, performAction;
    } versions[] = {
        // 0: the version lacks the key, which keeps its value
        {"1.0", 7, 0, 0, 0, 15},    {"1.3", 7, 0, 0, 0, 15},  {"2.0", 9, 0, 0, 0, 21},
        {"2.1", 9, 0, 0, 0, 21},    {"3.0", 9, 21, 0, 0, 22}, {"3.1", 9, 21, 0, 24, 26},
        {"3.2", 9, 21, 23, 26, 28}, {"1", 7, 0, 0, 0, 15},    {" 3.10 ", 9, 21, 0, 24, 26},
    };
    const auto line = [](int n) { return n == 0 ? std::string("kept") : "L" + std::to_string(n); };
    for (const auto& v : versions) {
        for (const char* key : {"SavePath", "DownloadLink", "PlaylistPath", "HTMLTableColor"}) {
            setSetting(key, "kept");
        }
        std::string text = std::string(v.version) + "\r\n1\r\n";
        for (int n = 3; n <= v.performAction + 4; ++n) {
            text += line(n) + "\r\n";
        }
        dataFile("old.lst", text);
        ASSERT_TRUE(deletecurrentlist(ctx));
        ASSERT_TRUE(loadlist(ctx, "old.lst")) << v.version << ": " << user.boxes().back().caption;
        EXPECT_EQ(setting("NumPaths"), "1") << v.version;
        EXPECT_EQ(setting("FileMask"), "L4") << v.version;
        EXPECT_EQ(setting("SavePath"), line(v.savePath)) << v.version;
        EXPECT_EQ(setting("DownloadLink"), line(v.downloadLink)) << v.version;
        EXPECT_EQ(setting("PlaylistPath"), line(v.playlistPath)) << v.version;
        EXPECT_EQ(setting("HTMLTableColor"), line(v.tableColor)) << v.version;
        EXPECT_EQ(setting("PerformAction"), line(v.performAction)) << v.version;
        const int r = v.performAction + 1;
        EXPECT_EQ(record(0), (FolderRecord{line(r + 1), line(r + 2), "0", "0"})) << v.version;
    }
}

// A hand-edited folder count in the store sizes nothing: one out of range
// is a failure at once, a negative one is no folders.
TEST_F(SavedListsTest, AFolderCountOutOfRangeInTheStoreIsRefused) {
    setSetting("SavePath", "/out/odd.txt");
    for (const char* count : {"999999999", "32768", "1e9"}) {
        setSetting("NumPaths", count);
        EXPECT_FALSE(deletecurrentlist(ctx)) << count;
        EXPECT_NE(user.boxes().back().caption.find("Overflow"), std::string::npos);
        EXPECT_EQ(setting("SavePath"), "/out/odd.txt");
        EXPECT_FALSE(savelist(ctx, "odd.txt")) << count;
        EXPECT_FALSE(inData("odd.lst"));
    }
    setSetting("NumPaths", "-5");
    ASSERT_TRUE(savelist(ctx, "odd.txt"));
    EXPECT_EQ(data("odd.lst").substr(0, 8), "3.2\r\n0\r\n");  // the count of its records
    ASSERT_TRUE(loadlist(ctx, "odd.lst"));
    EXPECT_EQ(setting("NumPaths"), "0");
}

TEST_F(SavedListsTest, DeleteRemovesTheListsFilesOnlyWhenItsListFileExists) {
    musicConfiguration();
    ASSERT_TRUE(savelist(ctx, "music.html"));
    dataFile("music7.dat", "beyond the record count");
    ASSERT_TRUE(deletesavedlist(ctx, "music.html"));
    for (const char* name : {"music.lst", "music0.dat", "music2.dat", "music.hdr", "music.ftr"}) {
        EXPECT_FALSE(inData(name)) << name;
    }
    EXPECT_TRUE(inData("music7.dat"));

    dataFile("orphan0.dat", "x");
    dataFile("orphan.hdr", "x");
    ASSERT_TRUE(deletesavedlist(ctx, "orphan.lst"));
    EXPECT_TRUE(inData("orphan0.dat"));
    EXPECT_TRUE(inData("orphan.hdr"));
}

TEST_F(SavedListsTest, DeleteCurrentListKeepsPreferencesHeaderAndFooter) {
    musicConfiguration();
    setSetting("PerformAction", "notify %");
    setSetting("FileMask", "*.mp3");
    ASSERT_TRUE(deletecurrentlist(ctx));
    EXPECT_EQ(setting("NumPaths"), "0");
    EXPECT_EQ(setting("NumFiles"), "0");
    EXPECT_EQ(setting("TotalSize"), "");
    EXPECT_EQ(setting("SavePath"), "");
    EXPECT_EQ(setting("PerformAction"), "");
    EXPECT_EQ(setting("FileMask"), "*.mp3");
    EXPECT_EQ(setting("HTML"), "1");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(store->keys(kQuorvane, std::to_string(i)).empty());
        EXPECT_FALSE(existsInHome(std::to_string(i) + ".txt"));
    }
    EXPECT_EQ(readHome("header.txt"), "My header\r\n");
    EXPECT_EQ(readHome("footer.txt"), "My footer\r\n");
}

TEST_F(SavedListsTest, TwoListsSharingListingNamesNeverOverwriteEachOther) {
    // The list a1 owns a10.dat as its record 0.
    addRecords({"/one"});
    cacheFile(0, "1\r\n*/one/\r\nfrom a1\r\n");
    setSetting("SavePath", "/out/a1.txt");
    ASSERT_TRUE(savelist(ctx, "a1.txt"));
    ASSERT_TRUE(deletecurrentlist(ctx));

    // The list a has eleven records; its record 10 would be a10.dat too.
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back("/a/" + std::to_string(i));
        cacheFile(i, "1\r\n*/a/" + std::to_string(i) + "/\r\nfrom a\r\n");
    }
    addRecords(paths);
    setSetting("SavePath", "/out/a.txt");
    ASSERT_TRUE(savelist(ctx, "a.txt"));
    EXPECT_EQ(data("a10.dat"), "1\r\n*/one/\r\nfrom a1\r\n");
    EXPECT_EQ(data("a9.dat"), "1\r\n*/a/9/\r\nfrom a\r\n");
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, "Notice");
    EXPECT_NE(user.boxes()[0].text.find("a10.dat (saved list a1)"), std::string::npos)
        << user.boxes()[0].text;

    // Loading a does not take a1's listing for its record 10; loading a1
    // still gets its own.
    ASSERT_TRUE(deletecurrentlist(ctx));
    ASSERT_TRUE(loadlist(ctx, "a.lst"));
    EXPECT_EQ(readCacheFile(9), "1\r\n*/a/9/\r\nfrom a\r\n");
    EXPECT_FALSE(existsInHome("10.txt"));
    ASSERT_TRUE(deletecurrentlist(ctx));
    ASSERT_TRUE(loadlist(ctx, "a1.lst"));
    EXPECT_EQ(readCacheFile(0), "1\r\n*/one/\r\nfrom a1\r\n");

    // Deleting a leaves a1 whole.
    ASSERT_TRUE(deletesavedlist(ctx, "a.lst"));
    EXPECT_FALSE(inData("a9.dat"));
    EXPECT_EQ(data("a10.dat"), "1\r\n*/one/\r\nfrom a1\r\n");
    EXPECT_TRUE(inData("a1.lst"));
}

TEST_F(SavedListsTest, ALineBreakInAValueIsRefusedRatherThanBreakingTheFile) {
    addRecords({"/odd\nname"});
    setSetting("SavePath", "/out/odd.txt");
    EXPECT_FALSE(savelist(ctx, "odd.txt"));
    EXPECT_EQ(user.boxes().back().text, "There was a problem saving the list! (savelist)");
    EXPECT_EQ(user.boxes().back().shown, Shown::Always);
    EXPECT_FALSE(inData("odd.lst"));
}

TEST_F(SavedListsTest, AMissingDataFolderIsReportedBySave) {
    std::filesystem::remove_all(home.home() / "data");
    setSetting("SavePath", "/out/x.txt");
    EXPECT_FALSE(savelist(ctx, "x.txt"));
    EXPECT_EQ(user.boxes().back().text, "There was a problem saving the list! (savelist)");
    EXPECT_TRUE(deletesavedlist(ctx, "x.txt"));  // creates the data folder
    EXPECT_TRUE(savelist(ctx, "x.txt"));
}

TEST(SavedListFormat, ParsesEveryVersionThresholdAndLineEnding) {
    const std::string v32 =
        "3.2\n0\nFalse\n*.*\n0\n0\n0\n\n\n0\n1\n1\n0\n0\n0\n0\n0\n0\n0\n0\n\n1\n/\n1\n1\nX\n0\nx\n";
    Result<SavedList> lf = parseSavedList(v32);
    Result<SavedList> crlfList = parseSavedList(crlf(v32));
    ASSERT_TRUE(lf);
    ASSERT_TRUE(crlfList);
    EXPECT_EQ(lf->settings.size(), 27u);
    EXPECT_EQ(crlfList->settings.size(), 27u);
    EXPECT_EQ(lf->setting("PerformAction", "<none>"), "x");
    // No line end after the last line is fine.
    Result<SavedList> noEnd = parseSavedList(v32.substr(0, v32.size() - 1));
    ASSERT_TRUE(noEnd);
    EXPECT_EQ(noEnd->setting("PerformAction"), "x");

    const struct {
        const char* version;
        std::size_t lines;
    } versions[] = {{"1.0", 14}, {"1.3", 14}, {"2.0", 20}, {"2.1", 20},
                    {"3.0", 21}, {"3.1", 25}, {"3.2", 27}};
    for (const auto& v : versions) {
        std::string text = std::string(v.version) + "\n0\n";
        for (std::size_t i = 1; i < v.lines; ++i) {
            text += "0\n";
        }
        Result<SavedList> parsed = parseSavedList(text);
        ASSERT_TRUE(parsed) << v.version << ": " << parsed.error();
        EXPECT_EQ(parsed->settings.size(), v.lines) << v.version;
        Result<SavedList> shorter = parseSavedList(text.substr(0, text.size() - 2));
        EXPECT_FALSE(shorter) << v.version;
    }
}

}  // namespace
}  // namespace quor::store
