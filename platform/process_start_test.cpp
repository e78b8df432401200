#include "platform/process_start.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "common/testing/temp_tree.h"
#include "platform/shell_open.h"

namespace quor::platform {
namespace {

// Waits (at most 20 s) for a file that a started program writes.
bool appears(const std::filesystem::path& file) {
    for (int i = 0; i < 2000; ++i) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file, error);
        if (!error && size > 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(StartDetached, RunsTheArgumentVectorWithoutAShell) {
    quor::testing::TempTree tree;
    const auto script = tree.file("write.sh", "#!/bin/sh\nprintf '%s|' \"$@\" > \"$1.out\"\n");
    ::chmod(script.c_str(), 0755);
    const std::string marker = tree.path("a b; echo no").string();
    ASSERT_TRUE(startDetached({script.string(), marker, "$HOME", "-x"}).ok());
    ASSERT_TRUE(appears(marker + ".out"));
    EXPECT_EQ(tree.read("a b; echo no.out"), marker + "|$HOME|-x|");
}

TEST(StartDetached, ShellCommandsRunOnlyWhenAskedFor) {
    quor::testing::TempTree tree;
    const auto marker = tree.path("marker");
    ASSERT_TRUE(startDetached(shellCommand("echo ran > '" + marker.string() + "'")).ok());
    ASSERT_TRUE(appears(marker));
    EXPECT_TRUE(startDetached({"/bin/true"}).ok());
}

TEST(StartDetached, ReportsWhatCannotBeStarted) {
    quor::testing::TempTree tree;
    const auto notExecutable = tree.file("plain.txt", "text");
    const auto badInterpreter = tree.file("bad.sh", "#!/no/such/interpreter\n");
    ::chmod(badInterpreter.c_str(), 0755);
    EXPECT_FALSE(startDetached({}).ok());
    EXPECT_FALSE(startDetached({"no-such-program-quorfind"}).ok());
    EXPECT_FALSE(startDetached({notExecutable.string()}).ok());
    const Status bad = startDetached({badInterpreter.string()});
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().find("No such file"), std::string::npos) << bad.error();
}

TEST(FindExecutable, LooksOnPathOnlyForBareNames) {
    EXPECT_TRUE(findExecutable("sh").has_value());
    EXPECT_EQ(findExecutable("/bin/sh"), std::filesystem::path("/bin/sh"));
    EXPECT_FALSE(findExecutable("./no-such-program").has_value());
    EXPECT_FALSE(findExecutable("").has_value());
}

TEST(ShellOpen, PassesThePathAsOneArgumentThatIsNoOption) {
    EXPECT_EQ(shellOpenCommand("/a b.mp3"), (std::vector<std::string>{"xdg-open", "/a b.mp3"}));
    EXPECT_EQ(shellOpenCommand("-rf"), (std::vector<std::string>{"xdg-open", "./-rf"}));
}

}  // namespace
}  // namespace quor::platform
