#include "quorfind/start_quorvane.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <thread>

#include "common/testing/scoped_environment.h"
#include "common/testing/scripted_interaction.h"
#include "common/testing/temp_tree.h"

namespace quor::find {
namespace {

using Args = std::vector<std::string>;

TEST(QuorvaneCommands, RunAndUpdateTheCurrentList) {
    const std::filesystem::path q = "/opt/q/quorvane";
    EXPECT_EQ(runQuorvaneCommand(q), Args{"/opt/q/quorvane"});
    EXPECT_EQ(updateListCommand(q, ListType::OwnList, "/web/my.list.html"),
              (Args{"/opt/q/quorvane", "auto", "my"}));
    EXPECT_EQ(updateListCommand(q, ListType::TextList, "/web/my.list.html"),
              (Args{"/opt/q/quorvane", "auto"}));
    EXPECT_EQ(updateListCommand(q, ListType::OwnList, ""), (Args{"/opt/q/quorvane", "auto"}));
}

TEST(QuorvaneCommands, StartsTheQuorvaneBesideThisProgram) {
    quor::testing::TempTree tree;
    const auto script =
        tree.file("bin/quorvane", "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/ran\"\n");
    ::chmod(script.c_str(), 0755);
    EXPECT_EQ(quorvaneExecutable(tree.path("bin")), script);

    EXPECT_EQ(updateCurrentListCommand(tree.path("bin"), ListType::OwnList, "/w/music.txt"),
              (Args{script.string(), "auto", "music"}));

    quor::testing::ScriptedInteraction user;
    ASSERT_TRUE(runQuorvane(user, tree.path("bin")));
    for (int i = 0; i < 2000 && tree.read("bin/ran") != "\n"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(tree.read("bin/ran"), "\n");
    EXPECT_TRUE(user.boxes().empty());
}

TEST(QuorvaneCommands, AnUpdateThatDidNotRebuildTheListSaysWhy) {
    struct Case {
        const char* name;
        std::optional<int> status;
        std::string_view errorOutput;
        std::optional<std::string> told;
    };
    const std::string notRebuilt = std::string(kListNotRebuilt) + "\n";
    const Case cases[] = {
        {"rebuilt", 0, "", std::nullopt},
        {"rebuilt with chatter", 0, "quorvane: note\n", std::nullopt},
        {"refused by the window", 75,
         "quorvane: the running Quorvane window did not build the list: it has the list rock "
         "open, not music\n",
         notRebuilt + "The running Quorvane window did not build the list: it has the list rock "
                      "open, not music"},
        {"several problems, CR LF", 1, "quorvane: a\r\nquorvane: b\r\n\r\n", notRebuilt + "A\nb"},
        {"only the last four lines", 1, "1\n2\n3\n4\n5\n6\n", notRebuilt + "3\n4\n5\n6"},
        {"controls made printable", 1, "quorvane: \x1b[31mred\a\n", notRebuilt + "?[31mred?"},
        {"silent 75", 75, "",
         notRebuilt + "Another copy of Quorvane was running and did not build the list."},
        {"silent 1", 1, "\n\n", notRebuilt + "Quorvane ended with exit status 1."},
        {"killed", std::nullopt, "", notRebuilt + "Quorvane was ended before it had finished."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(updateFailureText(c.status, c.errorOutput), c.told) << c.name;
    }
    const std::string flood(100000, 'x');
    const std::optional<std::string> long_ = updateFailureText(1, flood);
    ASSERT_TRUE(long_.has_value());
    EXPECT_LT(long_->size(), 1000u);
}

TEST(QuorvaneCommands, TellsWhenQuorvaneIsMissing) {
    quor::testing::TempTree tree;
    quor::testing::ScriptedInteraction user;
    {
        const quor::testing::ScopedEnvironment path("PATH", tree.path("empty").string());
        EXPECT_FALSE(runQuorvane(user, tree.path("nowhere")));
    }
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, kQuorvaneNotFound);
    EXPECT_EQ(user.boxes()[0].caption, "Quorfind");
}

}  // namespace
}  // namespace quor::find
