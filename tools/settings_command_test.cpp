#include "tools/settings_command.h"

#include <gtest/gtest.h>

#include "common/testing/child_process.h"
#include "common/testing/temp_tree.h"

namespace quor::tools {
namespace {

using quor::testing::runChild;

TEST(SettingsCommand, ReadsEachVerbWithItsOperandsAndRefusesTheRest) {
    struct Case {
        std::vector<std::string> args;
        std::optional<SettingsVerb> verb;
    };
    const std::vector<Case> cases = {
        {{"--help"}, SettingsVerb::Help},
        {{"-h"}, SettingsVerb::Help},
        {{"get", "Quorvane", "Settings", "SavePath"}, SettingsVerb::Get},
        {{"set", "Quorvane", "Settings", "SavePath", "/x"}, SettingsVerb::Set},
        {{"add-folder", "/music"}, SettingsVerb::AddFolder},
        {{"add-folder", "/music", "Music"}, SettingsVerb::AddFolder},
        {{"folders"}, SettingsVerb::Folders},
        {{}, std::nullopt},
        {{"--help", "extra"}, std::nullopt},
        {{"get", "Quorvane", "Settings"}, std::nullopt},
        {{"set", "Quorvane", "Settings", "SavePath"}, std::nullopt},
        {{"add-folder"}, std::nullopt},
        {{"add-folder", "/a", "A", "more"}, std::nullopt},
        {{"folders", "x"}, std::nullopt},
        {{"GET", "a", "b", "c"}, std::nullopt},
        {{"--version"}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto command = parseSettingsCommand(c.args);
        ASSERT_EQ(command.has_value(), c.verb.has_value()) << ::testing::PrintToString(c.args);
        if (command) {
            EXPECT_EQ(command->verb, *c.verb) << ::testing::PrintToString(c.args);
            EXPECT_EQ(command->operands,
                      std::vector<std::string>(c.args.begin() + 1, c.args.end()));
        }
    }
}

// Help and usage errors never reach the store, so neither creates one.
TEST(SettingsTool, HelpAndUsageErrorsCreateNoStore) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const std::vector<Case> cases = {
        {{"--help"}, 0}, {{}, 2}, {{"bogus"}, 2}, {{"get", "Quorvane"}, 2}};
    for (const Case& c : cases) {
        quor::testing::TempHome home;
        std::vector<std::string> argv{SETTINGS_TOOL_BINARY};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const quor::testing::ChildOutcome outcome = runChild(argv);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
        EXPECT_NE(outcome.output.find("usage: quorvane-settings get"), std::string::npos);
        EXPECT_FALSE(home.exists("home/settings.db")) << ::testing::PrintToString(c.args);
    }
}

TEST(SettingsTool, ACommandStillOpensTheStore) {
    quor::testing::TempHome home;
    const auto outcome =
        runChild({SETTINGS_TOOL_BINARY, "set", "Quorvane", "Settings", "SavePath", "/x"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_TRUE(home.exists("home/settings.db"));
}

}  // namespace
}  // namespace quor::tools
