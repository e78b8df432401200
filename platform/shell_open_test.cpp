#include "platform/shell_open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "common/testing/scoped_environment.h"
#include "common/testing/temp_tree.h"
#include "platform/watched_start.h"

namespace quor::platform {
namespace {

using std::chrono::milliseconds;

// Far longer than any fake opener here needs: each ends at once, and the
// wait ends with it.
constexpr milliseconds kAmple{60000};

// PATH set to one folder of fake programs for the test's scope.
class FakePrograms {
  public:
    FakePrograms() : path_("PATH", tree_.folder("bin").string()) {}

    // A program called name that records its arguments, one a line, and
    // then runs tail (shell code).
    void add(const std::string& name, const std::string& tail) {
        const auto file =
            tree_.file("bin/" + name, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                          tree_.path("args").string() + "'\n" + tail + "\n");
        ::chmod(file.c_str(), 0755);
    }
    std::string args() const { return tree_.read("args"); }
    const quor::testing::TempTree& tree() const { return tree_; }

  private:
    quor::testing::TempTree tree_;
    quor::testing::ScopedEnvironment path_;
};

TEST(ShellOpen, TellsWhyXdgOpenCouldNotOpenAFile) {
    struct Case {
        int exitStatus;
        std::string reason;  // empty: opened
    };
    const std::vector<Case> cases = {
        {0, ""},
        {2, "The file does not exist."},
        {3, "No application is set to open files of this type."},
        {4, "The application set for files of this type could not be started."},
        {9, "xdg-open could not open the file (exit status 9)."},
    };
    for (const Case& c : cases) {
        FakePrograms programs;
        programs.add("xdg-open", "exit " + std::to_string(c.exitStatus));
        const auto file = programs.tree().file("-notes.txt", "n");
        const Status opened = shellOpen(file.string(), kAmple);
        EXPECT_EQ(opened.ok() ? "" : opened.error(), c.reason) << c.exitStatus;
        EXPECT_EQ(programs.args(), file.string() + "\n");
    }
}

TEST(ShellOpen, UsesGioWhereXdgOpenIsMissing) {
    FakePrograms programs;
    programs.add("gio", "exit 2");
    const auto file = programs.tree().file("page.html");
    EXPECT_EQ(installedOpener(), Opener::Gio);
    const Status opened = shellOpen(file.string(), kAmple);
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error(),
              "No application is set to open files of this type (gio open failed).");
    EXPECT_EQ(programs.args(), "open\n" + file.string() + "\n");
    EXPECT_EQ(shellOpenCommand("-x", Opener::Gio),
              (std::vector<std::string>{"gio", "open", "./-x"}));
}

TEST(ShellOpen, MissingFilesAndMissingOpenersStartNothing) {
    FakePrograms programs;
    const auto file = programs.tree().file("notes.txt");
    const Status noOpener = shellOpen(file.string(), kAmple);
    ASSERT_FALSE(noOpener.ok());
    EXPECT_EQ(noOpener.error(),
              "No program that opens files is installed (xdg-open, from xdg-utils).");
    programs.add("xdg-open", "exit 0");
    const Status missing = shellOpen(programs.tree().path("gone.txt").string(), kAmple);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), "The file does not exist.");
    EXPECT_EQ(programs.args(), "<missing>");
    // An address is handed over as it stands.
    EXPECT_TRUE(shellOpen("https://example.org/-x", kAmple).ok());
    EXPECT_EQ(programs.args(), "https://example.org/-x\n");
}

// An opener that waits for the application it started is left running and
// counts as having opened the file.
TEST(ShellOpen, AnOpenerStillRunningCountsAsOpened) {
    FakePrograms programs;
    const auto gate = programs.tree().path("gate");
    ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);
    programs.add("xdg-open", "read line < '" + gate.string() + "'\nexit 3");
    const auto file = programs.tree().file("notes.txt");
    EXPECT_TRUE(shellOpen(file.string(), milliseconds(0)).ok());
    std::ofstream(gate) << "done\n";  // lets the fake opener end
}

TEST(StartWatched, GivesTheExitStatusOrWhyNothingStarted) {
    quor::testing::TempTree tree;
    const auto killed = tree.file("killed.sh", "#!/bin/sh\nkill -9 $$\n");
    const auto badInterpreter = tree.file("bad.sh", "#!/no/such/interpreter\n");
    ::chmod(killed.c_str(), 0755);
    ::chmod(badInterpreter.c_str(), 0755);

    const auto ended = startWatched({"/bin/sh", "-c", "exit 5"}, kAmple);
    ASSERT_TRUE(ended.ok()) << ended.error();
    EXPECT_EQ(ended->exitStatus, 5);
    const auto signalled = startWatched({killed.string()}, kAmple);
    ASSERT_TRUE(signalled.ok());
    EXPECT_EQ(signalled->exitStatus, 128 + 9);

    EXPECT_FALSE(startWatched({}, kAmple).ok());
    EXPECT_FALSE(startWatched({"no-such-program-quorfind"}, kAmple).ok());
    const auto bad = startWatched({badInterpreter.string()}, kAmple);
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().find("No such file"), std::string::npos) << bad.error();
}

}  // namespace
}  // namespace quor::platform
