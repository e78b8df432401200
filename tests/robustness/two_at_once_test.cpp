// Two programs at once. Two unattended builds started together: one
// builds, the other ends with 75 and changes nothing. The search program
// run while a build rewrites the store, the saved list and the list file
// (the build held still, by strace, at each of its writes and renames in
// turn) sees every listing and the list whole, in its old or its new form.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "common/testing/syscall_faults.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list_search.h"
#include "tests/robustness/unattended_build_fixture.h"

namespace quor::testing {
namespace {

// A build held still by strace: stopped just after its n-th call of a
// system call (strace says so on standard error), until resume(). It runs in
// a process group of its own, so that only the end of this process can make
// the kernel end it (see ChildOptions::ownProcessGroup).
class HeldBuild {
  public:
    HeldBuild(const std::vector<std::string>& argv, const std::string& call, int n,
              const OnlyPaths& only = {})
        : tracer_(tamperedRun({{call, "signal=STOP:when=" + std::to_string(n)}}, argv, only, true),
                  {.workingFolder = {}, .unprivilegedIn = {}, .ownProcessGroup = true}) {}

    // Waits until the build is held; false when it ended before the call.
    bool held() {
        const std::optional<std::string> line = tracer_.readUntil("--- stopped by SIGSTOP ---");
        if (!line) {
            return false;
        }
        pid_ = std::stoi(*line);  // strace begins the line with the process id
        return true;
    }

    ChildOutcome resume() {
        if (pid_ > 0) {
            ::kill(pid_, SIGCONT);
        }
        return tracer_.finish();
    }

  private:
    ChildProcess tracer_;
    pid_t pid_ = -1;
};

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class TwoAtOnceTest : public UnattendedBuildTest {
  protected:
    void SetUp() override {
        if (auto reason = faultsUnavailable()) {
            GTEST_SKIP() << "no held builds without strace: " << *reason;
        }
        buildBeforeAndAfter(6, 5, 11);
    }

    // The rows the search program prints for one listing file's text.
    static std::vector<std::string> rowsOf(const std::string& listing) {
        find::RowList rows;
        find::searchListing(listing, find::TextMatcher(""), true, rows);
        std::vector<std::string> out;
        for (const find::SearchRow& row : rows) {
            out.push_back(row.text());
        }
        return out;
    }

    // The own list searched with the real search program: every listing
    // in its old or its new form.
    void checkOwnListSearch(const std::string& where) {
        const ChildOutcome search = runChild({QUORFIND_BINARY, "--search", ""});
        ASSERT_EQ(search.exitCode, 0) << where << "\n" << search.output;
        std::vector<std::string> got = linesOf(search.output);
        std::size_t at = 0;
        for (const char* listing : {"home/data/list0.dat", "home/data/list1.dat"}) {
            bool matched = false;
            for (const FileSet* version : {&before, &after}) {
                const std::vector<std::string> rows = rowsOf(version->at(listing));
                if (!matched && at + rows.size() <= got.size() &&
                    std::equal(rows.begin(), rows.end(), got.begin() + static_cast<long>(at))) {
                    at += rows.size();
                    matched = true;
                }
            }
            EXPECT_TRUE(matched) << where << ": " << listing << " is neither old nor new in\n"
                                 << search.output;
        }
        EXPECT_EQ(at, got.size()) << where;
    }

    void checkTextListSearch(const std::string& where) {
        const ChildOutcome search =
            runChild({QUORFIND_BINARY, "--search", "track", "--text-list", output().string()});
        const auto rows = [](const std::string& list) {
            std::vector<std::string> out;
            for (std::string line : linesOf(list)) {
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                if (line.find("track") != std::string::npos) {
                    out.push_back(line);
                }
            }
            return out;
        };
        const std::vector<std::string> got = linesOf(search.output);
        EXPECT_TRUE(got == rows(before.at("out/list.txt")) || got == rows(after.at("out/list.txt")))
            << where << "\n"
            << search.output;
    }
};

TEST_F(TwoAtOnceTest, OfTwoBuildsStartedTogetherOneBuildsAndTheOtherEndsWith75) {
    // Held when its first file is written but not yet flushed: it holds the
    // lock, and no file it owns has changed.
    HeldBuild first(quorvane(), "fsync", 1);
    ASSERT_TRUE(first.held());
    const ChildOutcome second = build();
    EXPECT_EQ(second.exitCode, 75) << second.output;
    // It says why it did nothing, on one line.
    EXPECT_TRUE(contains(second.output, "another copy of quorvane is running")) << second.output;
    EXPECT_EQ(std::count(second.output.begin(), second.output.end(), '\n'), 1) << second.output;
    EXPECT_EQ(ownedFiles(), before);
    const ChildOutcome finished = first.resume();
    EXPECT_EQ(finished.exitCode, 0) << finished.output;
    EXPECT_FALSE(contains(finished.output, "quorvane:")) << finished.output;
    EXPECT_EQ(ownedFiles(), after);
}

TEST_F(TwoAtOnceTest, TheSearchDuringABuildSeesEachListWholeOldOrNew) {
    // Held after each file is written (before it is flushed) and after each
    // rename, and after each page the store's transactions add to its
    // journal (the store locked for writing). Writes themselves are not held
    // at: the sanitizers' runtime makes writes of its own, even before the
    // program begins.
    // While SQLite sets up its shared memory when the first connection
    // opens, it keeps others out; a build held there is no case that
    // arises, so the journal's own writes are the ones held at.
    struct Held {
        std::string call;
        OnlyPaths only;
    };
    const std::vector<Held> points = {
        {"fsync", {}}, {"rename", {}}, {"pwrite64", {home() / "settings.db-wal"}}};
    int held = 0;
    for (const Held& point : points) {
        restore("before");
        const int count = countSyscalls({point.call}, quorvane(), point.only).at(point.call);
        for (int n = 1; n <= count; ++n) {
            restore("before");
            HeldBuild building(quorvane(), point.call, n, point.only);
            const std::string where =
                "during the build, at " + point.call + " #" + std::to_string(n);
            if (building.held()) {
                ++held;
                checkOwnListSearch(where);
                checkTextListSearch(where);
            }
            const ChildOutcome finished = building.resume();
            EXPECT_EQ(finished.exitCode, 0) << where << "\n" << finished.output;
            if (HasFailure()) {
                return;
            }
        }
    }
    std::printf("searched while held at %d points of a build\n", held);
    EXPECT_GT(held, 10);
}

// The process that started the test run may end while a build is held: the
// test's process group then has no link left to its session, and the kernel
// sends every process of a group so left with a stopped member SIGHUP. Here a
// process in a group of its own stands for that starter: it ends while the
// test (a child of it) holds a build, and the build still ends well.
TEST_F(TwoAtOnceTest, AHeldBuildOutlivesTheEndOfWhatStartedTheTestRun) {
    int heldPipe[2], resumePipe[2], reportPipe[2];
    ASSERT_EQ(::pipe(heldPipe), 0);
    ASSERT_EQ(::pipe(resumePipe), 0);
    ASSERT_EQ(::pipe(reportPipe), 0);
    // Held at its last flush, when the build runs on its main thread alone:
    // the stop is whole once strace says so.
    const std::vector<std::string> argv = quorvane();
    const int lastFlush = countSyscalls({"fsync"}, argv).at("fsync");
    restore("before");
    const pid_t starter = ::fork();
    ASSERT_GE(starter, 0);
    if (starter == 0) {
        ::setpgid(0, 0);
        if (::fork() == 0) {  // the test, holding a build
            HeldBuild building(argv, "fsync", lastFlush);
            const char held = building.held() ? 'h' : 'n';
            (void)!::write(heldPipe[1], &held, 1);
            char go = 0;
            (void)!::read(resumePipe[0], &go, 1);
            const ChildOutcome finished = building.resume();
            const std::string report = std::to_string(finished.exitCode) + " " +
                                       std::to_string(finished.signal) + "\n" + finished.output;
            (void)!::write(reportPipe[1], report.data(), report.size());
            ::_exit(0);
        }
        char held = 0;
        (void)!::read(heldPipe[0], &held, 1);
        ::_exit(held == 'h' ? 0 : 1);
    }
    for (int end : {heldPipe[0], heldPipe[1], resumePipe[0], reportPipe[1]}) {
        ::close(end);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(starter, &status, 0), starter);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the build was not held";
    // The starter is gone (and reaped): whatever the kernel sends for it has
    // been sent. Now the held build goes on.
    const char go = 'g';
    ASSERT_EQ(::write(resumePipe[1], &go, 1), 1);
    ::close(resumePipe[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(reportPipe[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(reportPipe[0]);
    EXPECT_TRUE(report.starts_with("0 0\n")) << "the held build and its test:\n" << report;
}

}  // namespace
}  // namespace quor::testing
