// An unattended build killed with SIGKILL anywhere: as it starts the
// walk's thread, during the walk (folder listings, file details, MP3
// frames), after it (sorting happens between the walk's last call and the
// first write) and while the cache files, the list, the settings and the
// saved list are written. After every kill each file is its previous
// version or its new one, whole; the settings store opens and is
// consistent; and the next build succeeds and writes exactly what an
// undisturbed build writes.
//
// The kill points are the n-th calls of the system calls below, chosen at
// random with a fixed seed (a few dozen in the test suite; with
// QUOR_LONG_TESTS=1 every one of them).

#include <algorithm>
#include <random>

#include "common/testing/syscall_faults.h"
#include "tests/robustness/unattended_build_fixture.h"

namespace quor::testing {
namespace {

// linkat and ioctl make a saved list's listings: a hard link or a clone of
// the cache file where the file system allows.
const std::vector<std::string> kKillCalls = {"openat",    "getdents64", "newfstatat", "pread64",
                                             "read",      "write",      "pwrite64",   "fsync",
                                             "fdatasync", "rename",     "unlink",     "close",
                                             "ftruncate", "linkat",     "ioctl",      "clone3"};

struct KillPoint {
    std::string call;
    int n;
};

// Every point of a run, or shortCount of them at random (seeded).
std::vector<KillPoint> killPoints(const std::map<std::string, int>& counts,
                                  std::size_t shortCount) {
    std::vector<KillPoint> all;
    for (const auto& [call, count] : counts) {
        for (int n = 1; n <= count; ++n) {
            all.push_back({call, n});
        }
    }
    if (longTestsRequested() || all.size() <= shortCount) {
        return all;
    }
    std::mt19937 random(20240601);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(shortCount);
    return all;
}

class KillAnywhereTest : public UnattendedBuildTest {
  protected:
    void SetUp() override {
        if (auto reason = faultsUnavailable()) {
            GTEST_SKIP() << "no kills without strace: " << *reason;
        }
        buildBeforeAndAfter(12, 9, 7);
    }

    // Kills the build at each point and checks what it left. A point past
    // a thread's own count of calls lets the run finish instead.
    void killAtEachPoint(const std::vector<std::string>& arguments, bool missingCacheAllowed) {
        restore("before");
        const auto points = killPoints(countSyscalls(kKillCalls, quorvane(arguments)), 16);
        int kills = 0;
        for (const KillPoint& point : points) {
            restore("before");
            const ChildOutcome killed =
                runChild(killedAtCall(point.call, point.n, quorvane(arguments)));
            const std::string where = point.call + " #" + std::to_string(point.n);
            if (killed.signal == SIGKILL) {
                ++kills;
            } else {
                EXPECT_EQ(killed.exitCode, 0) << where << "\n" << killed.output;
            }
            EXPECT_EQ(filesNotOldOrNew(before, after,
                                       withoutLiveCaches(ownedFiles(), missingCacheAllowed)),
                      "")
                << "killed at " << where;
            EXPECT_EQ(storeProblem(), "") << "killed at " << where;
            const ChildOutcome next = build(arguments);
            EXPECT_EQ(next.exitCode, 0) << "after a kill at " << where << "\n" << next.output;
            EXPECT_EQ(ownedFiles(), after) << "the build after a kill at " << where;
            if (HasFailure()) {
                break;
            }
        }
        std::printf("%d kills at %zu points\n", kills, points.size());
        EXPECT_GE(2 * kills, static_cast<int>(points.size())) << "most points are reached";
    }

    // A build that opens a saved list first clears the live cache files
    // and copies them back from the saved list, so a kill in between may
    // leave one missing; the saved list itself must stay whole.
    FileSet withoutLiveCaches(FileSet files, bool missingAllowed) {
        if (missingAllowed) {
            for (const char* cache : {"home/0.txt", "home/1.txt"}) {
                if (files[cache] == "<missing>") {
                    files.erase(cache);
                }
            }
        }
        return files;
    }
};

// The duplicates window's Delete and Rename, killed anywhere: the file is
// at its old name or its new one (or, deleted, gone), never at both or
// neither; the cache file that lists it and "NumFiles" are old or new; and
// the next build succeeds.
class DupesCorrectionKillTest : public KillAnywhereTest {
  protected:
    // The stored name of "track 1.ogg" in Music/Album 2: its folder text
    // and its cache line, as the duplicate search keeps them.
    std::string storedName() {
        const std::string cache = tree.read("home/0.txt");
        const std::string heading = "*Music/Album 2/\r\n";
        const std::size_t folder = cache.find(heading);
        const std::size_t line = cache.find("track 1.ogg", folder);
        return "Music/Album 2/" + cache.substr(line, cache.find("\r\n", line) - line);
    }

    std::vector<std::string> runner(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{DUPES_ACTION_RUNNER};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return argv;
    }

    void killAtEachPoint(const std::vector<std::string>& action) {
        ASSERT_EQ(build().exitCode, 0);  // the catalogue of the changed tree
        const std::string file = tree.read("Music/Album 2/track 1.ogg");
        const auto putBack = [&] {
            std::filesystem::remove(music() / "Album 2/renamed.ogg");
            tree.file("Music/Album 2/track 1.ogg", file);
        };
        keep("listed");
        const FileSet listed = ownedFiles();
        const std::string numFiles = setting("NumFiles");
        ASSERT_EQ(runChild(runner(action)).exitCode, 0);
        const FileSet done = ownedFiles();
        const std::string numFilesDone = setting("NumFiles");
        ASSERT_NE(done, listed);

        restore("listed");
        putBack();
        const auto points = killPoints(countSyscalls(kKillCalls, runner(action)), 16);
        int kills = 0;
        for (const KillPoint& point : points) {
            restore("listed");
            putBack();
            const ChildOutcome killed = runChild(killedAtCall(point.call, point.n, runner(action)));
            kills += killed.signal == SIGKILL ? 1 : 0;
            const std::string where = "killed at " + point.call + " #" + std::to_string(point.n);
            const bool atOld = tree.exists("Music/Album 2/track 1.ogg");
            const bool atNew = tree.exists("Music/Album 2/renamed.ogg");
            EXPECT_TRUE(action[0] == "delete" ? !atNew : atOld != atNew) << where;
            EXPECT_EQ(filesNotOldOrNew(listed, done, ownedFiles()), "") << where;
            EXPECT_TRUE(setting("NumFiles") == numFiles || setting("NumFiles") == numFilesDone)
                << where;
            EXPECT_EQ(storeProblem(), "") << where;
            const ChildOutcome next = build();
            EXPECT_EQ(next.exitCode, 0) << where << "\n" << next.output;
            if (HasFailure()) {
                break;
            }
        }
        std::printf("%d kills at %zu points\n", kills, points.size());
        EXPECT_GE(2 * kills, static_cast<int>(points.size()));
    }
};

TEST_F(DupesCorrectionKillTest, DeletingAFileKilledAnywhereLeavesTheCatalogueOldOrNew) {
    killAtEachPoint({"delete", storedName()});
}

TEST_F(DupesCorrectionKillTest, RenamingAFileKilledAnywhereLeavesItUnderOneName) {
    killAtEachPoint({"rename", storedName(), "renamed.ogg"});
}

TEST_F(KillAnywhereTest, ABuildKilledAnywhereLeavesOldOrNewFilesAndTheNextBuildSucceeds) {
    killAtEachPoint({}, false);
}

TEST_F(KillAnywhereTest, OpeningASavedListKilledAnywhereLosesNothingOfIt) {
    learnNewVersions({"list"});
    killAtEachPoint({"list"}, true);
}

}  // namespace
}  // namespace quor::testing
