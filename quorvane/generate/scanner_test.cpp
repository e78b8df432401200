#include "quorvane/generate/scanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "common/testing/scoped_environment.h"
#include "quorvane/generate/sort_disk_blocks.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::generate {
namespace {

namespace fs = std::filesystem;
using quor::testing::Box;
using quor::testing::crlf;

constexpr std::time_t kNewYearsEve = 1704067199;  // 2023-12-31 23:59:59 UTC
constexpr const char* kDate = "12/31/23 23:59:59";

std::string spaces(std::size_t n) {
    return std::string(n, ' ');
}

// A 128 kbit/s 44.1 kHz MPEG-1 Layer III file of size bytes: two frame
// headers 417 bytes apart, then silence.
std::string mp3Contents(std::size_t size) {
    std::string data = "\xFF\xFB\x90";
    data.resize(417, '\0');
    data += "\xFF\xFB\x90";
    data.resize(size, '\0');
    return data;
}

class ScannerTest : public quor::testing::StoreTest {
  protected:
    ScannerTest() : order_("") {}

    // Record 0 is the folder tree/Music shown as "Music".
    void musicRecord(std::string_view cdrom = "0") {
        store::AppSettings s = settings();
        store::writeFolderRecord(s, 0, {music().string(), "Music", "1", std::string(cdrom)});
        s.save(store::kNumPaths, "1");
    }
    fs::path music() const { return tree.path("Music"); }

    // The usual tree: one file per folder, so the order is fixed.
    void layOutMusic() {
        tree.file("Music/a.txt", std::string(3072, 'a'), kNewYearsEve);
        tree.file("Music/Beta/b.txt", "", kNewYearsEve);
        tree.file("Music/alpha/c.mp3", mp3Contents(1000000), kNewYearsEve);
        tree.folder("Music/Gamma");
        tree.file("Music/Only/Deep/d.txt", std::string(10, 'd'), kNewYearsEve);
        tree.file("Music/.hidden.txt", "h");
        tree.file("Music/.hiddendir/e.txt", "e");
        tree.file("Music/pagefile.sys/f.txt", "f");
        tree.folder("Music/Links");
        fs::create_symlink(music() / "a.txt", music() / "Links/link.txt");
        fs::create_directory_symlink(music() / "Beta", music() / "Links/linkdir");
        fs::create_symlink(music() / "nowhere", music() / "Links/dangling.txt");
        ::mkfifo((music() / "Links/fifo").c_str(), 0600);
    }

    // Scans record 0 and writes its cache file; returns the file.
    std::string scanAndWrite(std::string_view mask = "*.*") {
        Scanner scanner(context(), order_);
        EXPECT_EQ(scanner.Scan(music().string(), mask, 0), ScanResult::Normal);
        RemovableDiskState disk;
        EXPECT_TRUE(scanner.WriteCacheFile(0, disk).ok());
        return readCacheFile(0);
    }

    Collation order_;
    quor::testing::TempTree tree;
    // After order_: the collation of the test is made before the locale is set.
    quor::testing::ScopedEnvironment cLocale_{"LC_ALL", "C"};
    quor::testing::ScopedTimeZone utc_{"UTC"};
};

TEST_F(ScannerTest, SizesInUnitsWithoutEmptyFolders) {
    layOutMusic();
    musicRecord();
    setSetting("IncludeFileSize", "2");
    EXPECT_EQ(scanAndWrite(), crlf("1006154\n"
                                   "*Music/\n"
                                   "a.txt*" +
                                   spaces(60) +
                                   "      3KB\n"
                                   "*Music/alpha/\n"
                                   "c.mp3*" +
                                   spaces(60) +
                                   "    976KB\n"
                                   "*Music/Beta/\n"
                                   "b.txt*" +
                                   spaces(60) +
                                   "       0B\n"
                                   "*Music/Links/\n"
                                   "link.txt*" +
                                   spaces(57) +
                                   "      3KB\n"
                                   "*Music/Only/Deep/\n"
                                   "d.txt*" +
                                   spaces(60) + "      10B\n"));
}

TEST_F(ScannerTest, EveryColumnWithEmptyFolders) {
    layOutMusic();
    musicRecord();
    for (const char* key : {"IncludeFileDate", "IncludeMP3Info", "IncludeSongLength", "IncludePath",
                            "PathAtEnd", "IncludeEmptyDirs"}) {
        setSetting(key, "1");
    }
    setSetting("IncludeFileSize", "1");
    const std::string date = std::string(" ") + kDate;
    EXPECT_EQ(scanAndWrite(), crlf("1006154\n"
                                   "*Music/\n"
                                   "a.txt*" +
                                   spaces(60) + "    3,072" + date +
                                   ">  Music/\n"
                                   "*Music/alpha/\n"
                                   "c.mp3*" +
                                   spaces(60) + "1,000,000  128k  1:02 " + date +
                                   ">  Music/alpha/\n"
                                   "*Music/Beta/\n"
                                   "b.txt*" +
                                   spaces(60) + spaces(9) + date +
                                   ">  Music/Beta/\n"
                                   "*Music/Gamma/\n"
                                   "*Music/Links/\n"
                                   "link.txt*" +
                                   spaces(57) + "    3,072" + date +
                                   ">  Music/Links/\n"
                                   "*Music/Only/\n"
                                   "*Music/Only/Deep/\n"
                                   "d.txt*" +
                                   spaces(60) + "       10" + date + ">  Music/Only/Deep/\n"));
}

TEST_F(ScannerTest, BareNamesAndSettingsThatAreNotExactlyOne) {
    tree.file("Music/x.mp3", mp3Contents(5000));
    musicRecord();
    setSetting("IncludeFileDate", "2");  // only 1 sets a flag
    setSetting("IncludeMP3Info", "0");
    setSetting("IncludePath", "1");  // a path in front is added by the writers
    EXPECT_EQ(scanAndWrite(), crlf("5000\n*Music/\nx.mp3\n"));
}

TEST_F(ScannerTest, MaskIsCaseInsensitiveAndOnlyForFiles) {
    tree.file("Music/A.MP3", mp3Contents(100));
    tree.file("Music/b.txt", "b");
    tree.file("Music/Sub.txt/c.mp3", mp3Contents(200));  // a folder whose name misses the mask
    musicRecord();
    setSetting("IncludeMP3Info", "1");
    EXPECT_EQ(scanAndWrite("*.mp3"), crlf("300\n*Music/\nA.MP3*" + spaces(60) +
                                          " 128k \n"
                                          "*Music/Sub.txt/\nc.mp3*" +
                                          spaces(60) + " 128k \n"));
}

TEST_F(ScannerTest, HostileAndWideNamesAreEscapedAndAligned) {
    tree.file("Music/a*b>/%3Fq%.txt", "1");
    tree.file("Music/c\nd/e\rf.txt", "22");
    tree.file("Music/日本の歌.mp3", "");
    tree.file("Music/?lead/x", "333");
    musicRecord();
    setSetting("IncludeFileSize", "2");
    setSetting("IncludePath", "1");
    setSetting("PathAtEnd", "1");
    const std::string got = scanAndWrite();
    EXPECT_EQ(got, crlf("6\n"
                        "*Music/\n"
                        "日本の歌.mp3*" +
                        spaces(53) +
                        "       0B>  Music/\n"
                        "*Music/%3Flead/\n"
                        "x*" +
                        spaces(64) +
                        "       3B>  Music/%3Flead/\n"
                        "*Music/a%2Ab%3E/\n"
                        "%253Fq%25.txt*" +
                        spaces(56) +
                        "       1B>  Music/a%2Ab%3E/\n"
                        "*Music/c%0Ad/\n"
                        "e%0Df.txt*" +
                        spaces(58) + "       2B>  Music/c%0Ad/\n"));
}

TEST_F(ScannerTest, EmptyRootGivesOnlyTheTotal) {
    tree.folder("Music/Empty/Deeper");
    musicRecord();
    EXPECT_EQ(scanAndWrite(), crlf("0\n"));
}

TEST_F(ScannerTest, DisplayNameGetsOneTrailingSlash) {
    tree.file("Music/a.txt", "a");
    store::AppSettings s = settings();
    store::writeFolderRecord(s, 0, {music().string() + "/", "Shown/", "1", "0"});
    s.save(store::kNumPaths, "1");
    EXPECT_EQ(scanAndWrite(), crlf("1\n*Shown/\na.txt\n"));
}

TEST_F(ScannerTest, StatusAndPollBeforeEverySubfolder) {
    layOutMusic();
    musicRecord();
    (void)scanAndWrite();
    const std::string root = music().string() + "/";
    EXPECT_EQ(user.statuses(),
              (std::vector<std::string>{root + "alpha/", root + "Beta/", root + "Gamma/",
                                        root + "Links/", root + "Only/", root + "Only/Deep/"}));
    EXPECT_EQ(user.polls(), 6);
    EXPECT_TRUE(user.boxes().empty());
    EXPECT_EQ(user.busyDepth(), 0);
}

// MP3 files are read on worker threads: the lines must still come out in
// the walk's order, with the right columns, the links' targets and totals,
// and whatever is not a listable file left out, as without MP3 columns.
TEST_F(ScannerTest, Mp3ColumnsKeepTheWalksOrderAndItsFiles) {
    std::uint64_t total = 0;
    for (int folder = 0; folder < 3; ++folder) {
        for (int n = 0; n < 40; ++n) {
            const std::size_t size = 1000 + 37 * n + folder;
            tree.file("Music/f" + std::to_string(folder) + "/song " + std::to_string(n) + ".mp3",
                      mp3Contents(size), kNewYearsEve);
            tree.file("Music/f" + std::to_string(folder) + "/note " + std::to_string(n) + ".txt",
                      "x", kNewYearsEve);
            total += size + 1;
        }
    }
    fs::create_symlink(music() / "f0/song 1.mp3", music() / "f1/link.mp3");
    total += 1000 + 37;
    fs::create_symlink(music() / "nowhere.mp3", music() / "f1/dangling.mp3");
    ::mkfifo((music() / "f2/pipe.mp3").c_str(), 0600);
    fs::create_symlink(music() / "f2/pipe.mp3", music() / "f0/pipelink.mp3");  // never opened
    fs::create_directory_symlink(music() / "f0", music() / "f2/folder.mp3");
    musicRecord();
    setSetting("IncludeFileSize", "1");
    const std::string plain = scanAndWrite();
    setSetting("IncludeMP3Info", "1");
    setSetting("IncludeSongLength", "1");
    const std::string withMp3 = scanAndWrite();

    const auto linesOf = [](const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    };
    const std::vector<std::string> plainLines = linesOf(plain);
    const std::vector<std::string> mp3Lines = linesOf(withMp3);
    ASSERT_EQ(plainLines.size(), mp3Lines.size());
    EXPECT_EQ(mp3Lines[0], std::to_string(total));
    for (std::size_t i = 1; i < mp3Lines.size(); ++i) {
        const std::string& line = mp3Lines[i];
        const bool isMp3 = line.find(".mp3*") != std::string::npos;
        EXPECT_EQ(isMp3, line.find("128k") != std::string::npos) << line;
        // Same name and size column; the MP3 column follows.
        EXPECT_TRUE(isMp3 ? line.starts_with(plainLines[i]) : line == plainLines[i]) << line;
    }
    EXPECT_NE(withMp3.find("link.mp3*"), std::string::npos);
    EXPECT_EQ(withMp3.find("dangling.mp3"), std::string::npos);
    EXPECT_EQ(withMp3.find("pipe"), std::string::npos);
    EXPECT_EQ(withMp3.find("folder.mp3"), std::string::npos);
}

TEST_F(ScannerTest, StopRequestEndsTheWalkAsCancelled) {
    layOutMusic();
    musicRecord();
    user.stopAtPoll(2);
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Cancelled);
    EXPECT_EQ(user.polls(), 2);
    EXPECT_EQ(scanner.lines().size(), 4u);  // root, a.txt, alpha, c.mp3
}

// A folder of many files is listed with polls between its entries, so a
// window stays live and a stop ends the walk inside the folder.
TEST_F(ScannerTest, ALargeFolderPollsWhileListedAndStopsInside) {
    for (int n = 0; n < 300; ++n) {
        tree.file("Music/f" + std::to_string(n) + ".txt", "x");
    }
    musicRecord();
    EXPECT_EQ(scanAndWrite().substr(0, 5), "300\r\n");
    EXPECT_EQ(user.polls(), 4);  // 302 entries with "." and ".."

    user.stopAtPoll(user.polls() + 1);
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Cancelled);
    EXPECT_LT(scanner.lines().size(), 65u);  // the heading and the files before the poll
}

TEST_F(ScannerTest, MissingFolderAsksRetryOrCancel) {
    musicRecord();
    user.answer(true);   // Retry: fails again
    user.answer(false);  // Cancel
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Cancelled);
    ASSERT_EQ(user.boxes().size(), 2u);
    for (const auto& box : user.boxes()) {
        EXPECT_EQ(box.box, Box::RetryOrCancel);
        EXPECT_EQ(box.text, "There was an error reading " + music().string() +
                                "/\nPlease make sure a disk is in the drive.");
        EXPECT_NE(box.caption.find("No such file or directory"), std::string::npos);
    }
    EXPECT_TRUE(scanner.lines().empty());
    EXPECT_EQ(scanner.folderTotal(), 0);
}

TEST_F(ScannerTest, EmptyFolderPathNamesNoFolder) {
    musicRecord();
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan("", "*.*", 0), ScanResult::Cancelled);  // never the root folder
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].box, Box::RetryOrCancel);
    EXPECT_TRUE(scanner.lines().empty());
}

TEST_F(ScannerTest, LinesOfSeveralScansAddUpUntilReset) {
    tree.file("Music/a/x.txt", "1");
    tree.file("Music/b/y.txt", "22");
    musicRecord();
    Scanner scanner(context(), order_);
    ASSERT_EQ(scanner.Scan((music() / "a").string(), "*.*", 0), ScanResult::Normal);
    ASSERT_EQ(scanner.Scan((music() / "b").string(), "*.*", 0), ScanResult::Normal);
    EXPECT_EQ(std::vector<std::string>(scanner.lines().begin(), scanner.lines().end()),
              (std::vector<std::string>{"*Music/", "x.txt", "*Music/", "y.txt"}));
    EXPECT_EQ(scanner.folderTotal(), 3);
    scanner.reset();
    EXPECT_TRUE(scanner.lines().empty());
    EXPECT_EQ(scanner.folderTotal(), 0);
}

TEST_F(ScannerTest, MissingFolderInAnUnattendedRunIsCancelledSilently) {
    musicRecord();
    user.setUnattended(true);
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Cancelled);
    EXPECT_TRUE(user.boxes().empty());
}

// A folder nested so deep that its path is longer than the system allows
// cannot be opened: the walk asks about it, and on Cancel goes on.
TEST_F(ScannerTest, UnreadableSubfolderIsLeftOutOnCancel) {
    tree.file("Music/z.txt", "z");
    tree.file("Music/b/y.txt", "yy");
    int fd = ::open(tree.folder("Music/a").c_str(), O_RDONLY | O_DIRECTORY);
    const std::string part(250, 'p');
    for (int level = 0; level < 20 && fd >= 0; ++level) {
        ASSERT_EQ(::mkdirat(fd, part.c_str(), 0700), 0);
        const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    ::close(::openat(fd, "deep.txt", O_CREAT | O_WRONLY, 0600));
    ::close(fd);
    musicRecord();
    user.answer(false);
    EXPECT_EQ(scanAndWrite(), crlf("3\n*Music/\nz.txt\n*Music/b/\ny.txt\n"));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].box, Box::RetryOrCancel);
}

// A cron run over folders that did not change writes and flushes nothing:
// the cache file stays the same file (which its saved copies may share).
TEST_F(ScannerTest, AnUnchangedFolderKeepsItsCacheFileAsItIs) {
    layOutMusic();
    musicRecord();
    const std::string first = scanAndWrite();
    struct stat before {};
    ASSERT_EQ(::stat(home.path("home/0.txt").c_str(), &before), 0);
    EXPECT_EQ(scanAndWrite(), first);
    struct stat again {};
    ASSERT_EQ(::stat(home.path("home/0.txt").c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, before.st_ino);

    tree.file("Music/Beta/new.txt", "n", kNewYearsEve);
    EXPECT_NE(scanAndWrite(), first);
    EXPECT_NE(readCacheFile(0).find("new.txt"), std::string::npos);
}

// A folder at the end of a chain of subfolders too deep to open.
void makeTooDeepChain(const fs::path& top) {
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    const std::string part(250, 'p');
    for (int level = 0; level < 20 && fd >= 0; ++level) {
        ASSERT_EQ(::mkdirat(fd, part.c_str(), 0700), 0);
        const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    ::close(fd);
}

// The walk runs ahead of the formatting in batches: across many of them,
// and with a question about a folder in the middle (Retry, then Cancel),
// every folder's files still follow its own heading, folders in order.
TEST_F(ScannerTest, AWalkOfManyBatchesKeepsEveryFileUnderItsFolder) {
    constexpr int kFolders = 120;
    constexpr int kFiles = 25;
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = "Music/f" + std::to_string(1000 + f);
        tree.folder(folder);
        for (int n = 0; n < kFiles; ++n) {
            tree.file(folder + "/" + std::to_string(1000 + f) + " n" + std::to_string(n), "x");
        }
    }
    makeTooDeepChain(tree.path("Music/f1060"));
    musicRecord();
    user.answer(true);
    user.answer(false);
    const std::string cache = scanAndWrite();
    EXPECT_EQ(user.boxes().size(), 2u);

    std::vector<std::string> headings;
    std::map<std::string, int> filesUnder;
    std::size_t start = cache.find("\r\n") + 2;  // after the total line
    for (std::size_t end; (end = cache.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = cache.substr(start, end - start);
        if (line.starts_with("*")) {
            headings.push_back(line);
            continue;
        }
        ASSERT_FALSE(headings.empty());
        EXPECT_EQ(headings.back(), "*Music/f" + line.substr(0, 4) + "/") << line;
        ++filesUnder[headings.back()];
    }
    ASSERT_EQ(headings.size(), static_cast<std::size_t>(kFolders));
    for (int f = 0; f < kFolders; ++f) {
        const std::string heading = "*Music/f" + std::to_string(1000 + f) + "/";
        EXPECT_EQ(headings[f], heading);
        EXPECT_EQ(filesUnder[heading], kFiles) << heading;
    }
}

// A stop ends the lines at the poll it was asked at, however far the walk
// had got by then.
TEST_F(ScannerTest, AStopLeavesOutWhatTheWalkFoundAfterIt) {
    for (int n = 0; n < 3000; ++n) {
        tree.file("Music/f" + std::to_string(n), "x");
    }
    musicRecord();
    user.stopAtPoll(10);  // at the 640th entry, before it is listed
    Scanner scanner(context(), order_);
    EXPECT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Cancelled);
    EXPECT_EQ(user.polls(), 10);
    // The heading and the files among the first 639 entries ("." and ".."
    // are among them wherever the file system returns them).
    EXPECT_GE(scanner.lines().size(), 1u + 637u);
    EXPECT_LE(scanner.lines().size(), 1u + 639u);
}

TEST_F(ScannerTest, WriteFailureIsReportedAndLosesNothing) {
    tree.file("Music/a.txt", "a");
    musicRecord();
    home.file("home/0.txt/keep", "old");  // 0.txt is a folder: it cannot be replaced
    Scanner scanner(context(), order_);
    ASSERT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Normal);
    RemovableDiskState disk;
    EXPECT_FALSE(scanner.WriteCacheFile(0, disk).ok());
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, "There was a problem saving the list! (savepath)");
    EXPECT_FALSE(user.boxes()[0].caption.empty());
    EXPECT_EQ(readHome("0.txt/keep"), "old");
    EXPECT_EQ(user.busyDepth(), 0);
}

class RemovableDiskTest : public ScannerTest {
  protected:
    // Reads the disk in Music under the record's display name diskName.
    void readDisk(std::string_view diskName, std::string_view file, RemovableDiskState& disk) {
        fs::remove_all(music());
        tree.file("Music/" + std::string(file), "12345");
        store::AppSettings s = settings();
        s.save("0", store::kPathname, diskName);
        Scanner scanner(context(), order_);
        ASSERT_EQ(scanner.Scan(music().string(), "*.*", 0), ScanResult::Normal);
        ASSERT_TRUE(scanner.WriteCacheFile(0, disk).ok());
    }
};

TEST_F(RemovableDiskTest, DisksStartOrExtendTheSet) {
    musicRecord("1");
    RemovableDiskState disk{0, true, true};
    readDisk("Zip 2", "two.txt", disk);
    EXPECT_FALSE(disk.newFile);
    readDisk("Zip 1", "one.txt", disk);
    EXPECT_EQ(readCacheFile(0), crlf("?Zip 2\n5\n*Zip 2/\ntwo.txt\n?Zip 1\n5\n*Zip 1/\none.txt\n"));

    RemovableDiskState single{0, false, false};  // a disk read alone replaces the file
    readDisk("Zip 3", "three.txt", single);
    EXPECT_EQ(readCacheFile(0), crlf("?Zip 3\n5\n*Zip 3/\nthree.txt\n"));
}

TEST_F(RemovableDiskTest, AppendingToAFileWithoutAFinalLineBreak) {
    musicRecord("1");
    cacheFile(0, "?Zip 1\r\n5\r\n*Zip 1/\r\none.txt");
    RemovableDiskState disk{0, false, true};
    readDisk("Zip 2", "two.txt", disk);
    EXPECT_EQ(readCacheFile(0), crlf("?Zip 1\n5\n*Zip 1/\none.txt\n?Zip 2\n5\n*Zip 2/\ntwo.txt\n"));
}

TEST_F(RemovableDiskTest, SortDiskBlocksOrdersByNameAndKeepsDuplicates) {
    musicRecord("1");
    cacheFile(0,
              "?Zip 2\r\n5\r\n\r\n*Zip 2/\r\ntwo.txt\r\n"
              "?zip 1\r\n7\r\n*zip 1/\r\n\r\none.txt\r\n"
              "?Zip 2\n9\n*Zip 2/\nagain.txt\n");
    auto ctx = context();
    ASSERT_TRUE(SortDiskBlocks(ctx, 0, order_).ok());
    EXPECT_EQ(readCacheFile(0), crlf("?zip 1\n7\n*zip 1/\none.txt\n"
                                     "?Zip 2\n5\n*Zip 2/\ntwo.txt\n"
                                     "?Zip 2\n9\n*Zip 2/\nagain.txt\n"));
    EXPECT_EQ(user.busyDepth(), 0);
}

TEST_F(RemovableDiskTest, SortDiskBlocksKeepsStrayLinesAndIgnoresMissingFiles) {
    auto ctx = context();
    EXPECT_TRUE(SortDiskBlocks(ctx, 3, order_).ok());
    EXPECT_FALSE(existsInHome("3.txt"));
    cacheFile(1, "stray\r\n?B\r\n1\r\n?A\r\n2\r\n");
    ASSERT_TRUE(SortDiskBlocks(ctx, 1, order_).ok());
    EXPECT_EQ(readCacheFile(1), crlf("stray\n?A\n2\n?B\n1\n"));
}

}  // namespace
}  // namespace quor::generate
