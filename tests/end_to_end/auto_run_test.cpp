// The unattended start as cron runs it: the real quorvane binary with a
// temporary program folder.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "common/file_io.h"
#include "common/testing/child_process.h"
#include "platform/instance_lock.h"
#include "quorvane/store/saved_lists.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor {
namespace {

class AutoRunTest : public quor::testing::StoreTest {
  protected:
    // Runs quorvane with the arguments; returns its exit status.
    int run(const std::vector<std::string>& arguments) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::vector<char*> argv{const_cast<char*>(QUORVANE_BINARY)};
            for (const std::string& a : arguments) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(QUORVANE_BINARY, argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void configure(const std::string& output) {
        home.file("Music/song.mp3", "x");
        addRecords({home.path("Music").string()});
        setSetting("SavePath", home.path(output).string());
        setSetting("ShowHeader", "0");
    }
};

TEST_F(AutoRunTest, BuildsTheCurrentConfigurationAndExitsZero) {
    configure("list.txt");
    EXPECT_EQ(run({"auto"}), 0);
    EXPECT_NE(home.read("list.txt").find("song.mp3"), std::string::npos);
}

TEST_F(AutoRunTest, RebuildsANamedSavedList) {
    configure("weekly.txt");
    store::ListContext ctx = context();
    ASSERT_TRUE(store::savelist(ctx, "weekly.txt"));
    ASSERT_TRUE(store::deletecurrentlist(ctx));
    EXPECT_EQ(run({"AUTO", "weekly"}), 0);
    EXPECT_NE(home.read("weekly.txt").find("song.mp3"), std::string::npos);
    EXPECT_EQ(setting("NumPaths"), "1");
}

TEST_F(AutoRunTest, AMistypedListNameFailsAndLosesNothing) {
    configure("list.txt");
    EXPECT_EQ(run({"auto", "weekyl"}), 1);
    EXPECT_EQ(setting("NumPaths"), "1");
    EXPECT_EQ(setting("SavePath"), home.path("list.txt").string());
}

// A saved list whose lines do not fit its version is refused before the
// current configuration is cleared; no line of it is run as a command.
TEST_F(AutoRunTest, ASavedListOutOfLineIsRefusedAndNothingRuns) {
    configure("list.txt");
    cacheFile(0, "1\r\n*Music/\r\nsong.mp3\r\n");
    const std::string marker = home.path("ran").string();
    std::string misfit = "2.0\r\n1\r\n";  // laid out as 3.2
    for (int n = 3; n <= 28; ++n) {
        misfit += n == 21  ? "touch " + marker + "\r\n"
                  : n == 9 ? home.path("out.txt").string() + "\r\n"
                           : "0\r\n";
    }
    misfit += "0\r\n" + home.path("Music").string() + "\r\nMusic\r\n1\r\n";
    home.file("home/data/weekly.lst", misfit);
    EXPECT_EQ(run({"auto", "weekly"}), 1);
    EXPECT_FALSE(home.exists("ran"));
    EXPECT_FALSE(home.exists("out.txt"));
    EXPECT_EQ(setting("NumPaths"), "1");
    EXPECT_EQ(setting("SavePath"), home.path("list.txt").string());
    EXPECT_EQ(readCacheFile(0), "1\r\n*Music/\r\nsong.mp3\r\n");
}

TEST_F(AutoRunTest, NothingToBuildExitsOne) {
    EXPECT_EQ(run({"auto"}), 1);
    addRecords({home.path("Music").string()});
    EXPECT_EQ(run({"auto"}), 1);  // no output file
}

TEST_F(AutoRunTest, AnotherRunningCopyMeansNothingIsDone) {
    configure("list.txt");
    auto lock = platform::InstanceLock::tryAcquire(home.home());
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(run({"auto"}), 75);
    EXPECT_FALSE(home.exists("list.txt"));
}

TEST_F(AutoRunTest, ANewProgramFolderGetsTheSampleTemplateButKeepsItsOwn) {
    const char* source = std::getenv("QUOR_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const Result<std::string> sample =
        readFile(std::filesystem::path(source) / "desktop" / "Template.html");
    ASSERT_TRUE(sample) << sample.error();
    std::filesystem::remove(home.home() / "Template.html");

    EXPECT_EQ(run({"auto"}), 1);  // nothing to build, but the folder is set up
    EXPECT_EQ(home.read("home/Template.html"), *sample);

    home.file("home/Template.html", "<p>mine</p>\n<!--list-->\n");
    configure("list.html");
    setSetting("HTML", "1");
    EXPECT_EQ(run({"auto"}), 0);
    EXPECT_EQ(home.read("home/Template.html"), "<p>mine</p>\n<!--list-->\n");
    EXPECT_EQ(home.read("list.html").find("<p>mine</p>"), 0u);
}

// The header is shown by default: a fresh program folder has an empty
// header and footer by the first build, and the user's own are kept.
TEST_F(AutoRunTest, AFirstBuildWithTheHeaderShownFindsAnEmptyHeader) {
    configure("list.txt");
    setSetting("ShowHeader", "1");
    setSetting("ShowFooter", "1");
    ASSERT_FALSE(home.exists("home/header.txt"));
    EXPECT_EQ(run({"auto"}), 0);
    EXPECT_EQ(home.read("home/header.txt"), "");
    EXPECT_EQ(home.read("home/footer.txt"), "");

    home.file("home/header.txt", "My songs");
    EXPECT_EQ(run({"auto"}), 0);
    EXPECT_EQ(home.read("home/header.txt"), "My songs");
    EXPECT_EQ(home.read("list.txt").find("My songs"), 0u);
}

TEST_F(AutoRunTest, AnOutputFileTheProgramsOwnFailsAndWritesNothing) {
    configure("list.txt");
    const auto storeFile = home.home() / "settings.db";
    setSetting("SavePath", storeFile.string());
    const testing::ChildOutcome outcome = testing::runChild({QUORVANE_BINARY, "auto"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("quorvane: The list cannot be saved as " + storeFile.string()),
              std::string::npos)
        << outcome.output;
    EXPECT_FALSE(home.exists("home/0.txt"));
    EXPECT_EQ(setting("SavePath"), storeFile.string());  // the store still opens and reads
}

}  // namespace
}  // namespace quor
