#include "quorvane/generate/startup.h"

#include <gtest/gtest.h>

namespace quor::generate {
namespace {

TEST(Startup, AutoAnywhereInAnyCaseIsAnUnattendedRun) {
    const struct {
        std::vector<std::string> arguments;
        bool unattended;
        const char* listName;
    } cases[] = {
        {{}, false, ""},
        {{"auto"}, true, ""},
        {{"AUTO", "Weekly"}, true, "Weekly.lst"},
        {{"auto", "Weekly"}, true, "Weekly.lst"},
        {{"autoX"}, true, ""},  // exactly "auto" + one character: no name
        {{"autoXY"}, true, "Y.lst"},
        {{"--verbose", "auto", "My", "Music"}, true, "My Music.lst"},
        {{"Auto", ""}, true, ""},
        {{"music"}, false, ""},
    };
    for (const auto& c : cases) {
        const StartupRequest request = parseCommandLine(c.arguments);
        EXPECT_EQ(request.unattended, c.unattended);
        EXPECT_EQ(request.listName, c.listName);
    }
}

TEST(Startup, HelpAndVersionOnlyAsTheFirstArgument) {
    EXPECT_TRUE(parseCommandLine(std::vector<std::string>{"--help"}).help);
    EXPECT_TRUE(parseCommandLine(std::vector<std::string>{"-h"}).help);
    EXPECT_TRUE(parseCommandLine(std::vector<std::string>{"--version"}).version);
    const StartupRequest help = parseCommandLine(std::vector<std::string>{"--help", "auto"});
    EXPECT_TRUE(help.help);
    EXPECT_FALSE(help.unattended);  // help never builds a list

    // After "auto" every word is the saved list's name, as cron gives it.
    const StartupRequest named = parseCommandLine(std::vector<std::string>{"auto", "--version"});
    EXPECT_TRUE(named.unattended);
    EXPECT_FALSE(named.version);
    EXPECT_EQ(named.listName, "--version.lst");
    // Options for the window's toolkit are not ours to refuse.
    const StartupRequest window =
        parseCommandLine(std::vector<std::string>{"-platform", "offscreen"});
    EXPECT_FALSE(window.help || window.version || window.unattended);
}

}  // namespace
}  // namespace quor::generate
