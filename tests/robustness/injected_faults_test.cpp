// The unattended build against faults it cannot prevent: a full disk or an
// I/O error on every write, flush and rename in turn, unreadable cache
// files, a thread that cannot be started, a read-only program folder,
// folders it may not read, files that vanish or shrink while the walk goes
// on, and a settings store that another process keeps locked. Each fault is
// told on standard error with exit status 1 (or does no harm at all), every
// file is its previous or its new version, and the next build repairs
// everything.

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>

#include "common/testing/syscall_faults.h"
#include "tests/robustness/unattended_build_fixture.h"

namespace quor::testing {
namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every n from 1 to count in the long form; the first, the last and a few
// between (seeded) in the test suite.
std::vector<int> callNumbers(int count) {
    std::vector<int> all;
    for (int n = 1; n <= count; ++n) {
        all.push_back(n);
    }
    if (longTestsRequested() || count <= 4) {
        return all;
    }
    std::mt19937 random(static_cast<unsigned>(count));
    std::shuffle(all.begin() + 1, all.end() - 1, random);
    all.resize(4);
    return all;
}

class InjectedFaultsTest : public UnattendedBuildTest {
  protected:
    void SetUp() override { buildBeforeAndAfter(6, 6, 3); }

    void skipWithoutStrace() {
        if (auto reason = faultsUnavailable()) {
            GTEST_SKIP() << "no injected faults without strace: " << *reason;
        }
    }

    // Runs argv (a build with a fault in it) and checks what it left:
    // success only when nothing was lost, else exit status 1 with the
    // cause; old or new files; a sound store; a next build that repairs.
    void checkFaultyRun(const std::vector<std::string>& argv, const std::string& cause,
                        const std::string& where) {
        restore("before");
        const ChildOutcome run = runChild(argv);
        ASSERT_EQ(run.signal, 0) << where << "\n" << run.output;
        if (run.exitCode == 0) {
            EXPECT_EQ(ownedFiles(), after) << where << ": success only when all is written";
        } else {
            EXPECT_EQ(run.exitCode, 1) << where;
            EXPECT_TRUE(contains(run.output, cause)) << where << "\n" << run.output;
        }
        EXPECT_EQ(filesNotOldOrNew(before, after, acceptingMixedLists(ownedFiles(), before, after)),
                  "")
            << where;
        EXPECT_EQ(storeProblem(), "") << where;
        const ChildOutcome next = build();
        EXPECT_EQ(next.exitCode, 0) << where << ", the build after it:\n" << next.output;
        EXPECT_EQ(ownedFiles(), after) << where << ", the build after it";
        ++faults;
    }

    // The n-th call of syscall failing with errnoName, for the chosen n.
    void failEachCall(const std::string& syscall, const std::string& errnoName,
                      const std::string& cause, const OnlyPaths& only = {}) {
        restore("before");
        const int count = countSyscalls({syscall}, quorvane(), only).at(syscall);
        std::printf("%s: %d calls\n", syscall.c_str(), count);
        for (int n : callNumbers(count)) {
            checkFaultyRun(failingCall(syscall, n, errnoName, quorvane(), only), cause,
                           syscall + " #" + std::to_string(n) + " failing with " + errnoName);
            if (HasFailure()) {
                return;
            }
        }
    }

    int faults = 0;
};

// The sanitizers' runtime probes memory with writes of its own and stops
// the program when one fails, so a sanitizer build is not given failing
// writes (the other calls still fail).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizerWrites = true;
#elif defined(__has_feature)
constexpr bool kSanitizerWrites = __has_feature(address_sanitizer);
#else
constexpr bool kSanitizerWrites = false;
#endif

TEST_F(InjectedFaultsTest, AFullDiskOrIoErrorOnAnyWriteIsReportedAndLosesNothing) {
    skipWithoutStrace();
    if (!kSanitizerWrites) {
        failEachCall("write", "ENOSPC", "No space left on device");
    }
    failEachCall("fsync", "EIO", "Input/output error");
    failEachCall("rename", "ENOSPC", "No space left on device");
    failEachCall("fchmod", "EPERM", "Operation not permitted");
    // A listing that cannot be linked or cloned (too many links, another
    // file system) is copied instead.
    failEachCall("linkat", "EMLINK", "Too many links");
    failEachCall("ioctl", "EXDEV", "Invalid cross-device link");
    // The settings store's own writes.
    failEachCall("pwrite64", "ENOSPC", "The settings store");
    failEachCall("ftruncate", "EIO", "The settings store");
    std::printf("%d injected faults\n", faults);
}

// The walk runs on a thread of its own; when no thread can be started the
// build fails with the reason and keeps every previous listing.
TEST_F(InjectedFaultsTest, AThreadThatCannotStartIsReportedAndLosesNothing) {
    skipWithoutStrace();
    failEachCall("clone3", "EAGAIN", "Resource temporarily unavailable");
    std::printf("%d injected faults\n", faults);
}

TEST_F(InjectedFaultsTest, ACacheFileOrSavedListThatCannotBeReadIsReported) {
    skipWithoutStrace();
    const OnlyPaths listings = {home() / "0.txt", home() / "1.txt", home() / "data/list.lst",
                                home() / "data/list0.dat", home() / "data/list1.dat"};
    failEachCall("read", "EIO", "Input/output error", listings);
    // Listings are compared and copied with pread.
    failEachCall("pread64", "EIO", "Input/output error", listings);
    std::printf("%d injected faults\n", faults);
}

TEST_F(InjectedFaultsTest, AReadOnlyProgramFolderIsAFailureNotAnotherCopy) {
    const auto readOnlyBuild = [this] {
        handToChildUser(root());
        fs::permissions(home(), fs::perms::owner_write, fs::perm_options::remove);
        const ChildOutcome run = build({}, {.workingFolder = {}, .unprivilegedIn = root()});
        fs::permissions(home(), fs::perms::owner_write, fs::perm_options::add);
        return run;
    };
    // No lock file yet, and none can be made: a failure, not "another copy
    // is running" (75).
    fs::remove(home() / ".quorvane.lock");
    const ChildOutcome first = readOnlyBuild();
    EXPECT_EQ(first.exitCode, 1) << first.output;
    EXPECT_TRUE(contains(first.output, "Could not create the lock file")) << first.output;
    EXPECT_EQ(ownedFiles(), before);

    // With the lock file there from an earlier run: the settings store
    // cannot keep its journal beside it, which is told; nothing is written.
    restore("before");
    const ChildOutcome second = readOnlyBuild();
    EXPECT_EQ(second.exitCode, 1) << second.output;
    EXPECT_TRUE(contains(second.output, "The settings store " + (home() / "settings.db").string()))
        << second.output;
    EXPECT_EQ(ownedFiles(), before);
}

TEST_F(InjectedFaultsTest, AFolderThatCannotBeReadIsReportedAndItsListingKept) {
    const fs::path album = music() / "Album 2";
    const fs::path talks = music() / "Talks";
    handToChildUser(root());
    fs::permissions(album, fs::perms::none);
    fs::permissions(talks, fs::perms::none);
    const ChildOutcome run = build({}, {.workingFolder = {}, .unprivilegedIn = root()});
    fs::permissions(album, fs::perms::owner_all);
    fs::permissions(talks, fs::perms::owner_all);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run.output, "Could not read the folder " + album.string() +
                                         "/: Permission denied (left out of the list)"))
        << run.output;
    EXPECT_TRUE(contains(run.output, "Could not read the folder " + talks.string() +
                                         "/: Permission denied (its previous listing is kept)"))
        << run.output;
    EXPECT_EQ(ownedFiles()["home/1.txt"], before.at("home/1.txt"));
    EXPECT_FALSE(contains(ownedFiles()["out/list.txt"], "Album 2"));
}

TEST_F(InjectedFaultsTest, FilesThatVanishOrShrinkDuringTheWalkAreNoFault) {
    skipWithoutStrace();
    // Files listed by their folder but gone when looked at (an MP3 file
    // among them, read by a worker thread), and a folder gone before it was
    // entered: by their names relative to the open folder, by its path.
    const ChildOutcome gone =
        runChild(tamperedRun({{"newfstatat,openat", "error=ENOENT"}}, quorvane(),
                             {"added later.mp3", "new.txt", music() / "Album 4/"}));
    EXPECT_EQ(gone.exitCode, 0) << gone.output;
    std::string list = ownedFiles()["out/list.txt"];
    EXPECT_FALSE(contains(list, "added later.mp3")) << list;
    EXPECT_FALSE(contains(list, "new.txt")) << list;
    EXPECT_FALSE(contains(list, "Album 4")) << list;
    EXPECT_TRUE(contains(list, "Music/Album 1/Disc 2/")) << list;
    EXPECT_EQ(storeProblem(), "");

    // An MP3 file that shrank after its size was taken: its frame is gone,
    // the file is listed without it.
    restore("before");
    const ChildOutcome shrinking = runChild(
        tamperedRun({{"pread64", "retval=0"}}, quorvane(), {music() / "Album 2/track 3.mp3"}));
    EXPECT_EQ(shrinking.exitCode, 0) << shrinking.output;
    list = ownedFiles()["out/list.txt"];
    const std::size_t line = list.find("track 3.mp3", list.find("Music/Album 2/"));
    ASSERT_NE(line, std::string::npos) << list;
    EXPECT_TRUE(contains(list.substr(line, list.find('\n', line) - line), "???")) << list;
}

TEST_F(InjectedFaultsTest, AStoreLockedPastTheBusyTimeoutFailsClearlyAndLosesNothing) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((home() / "settings.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const ChildOutcome run = build();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run.output, "database is locked")) << run.output;
    EXPECT_EQ(filesNotOldOrNew(before, after, ownedFiles()), "");
    EXPECT_EQ(ownedFiles()["out/list.txt"], before.at("out/list.txt"));
    EXPECT_EQ(storeProblem(), "");
    EXPECT_EQ(build().exitCode, 0);
    EXPECT_EQ(ownedFiles(), after);
}

}  // namespace
}  // namespace quor::testing
