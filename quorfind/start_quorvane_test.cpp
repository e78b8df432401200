#include "quorfind/start_quorvane.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

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

    quor::testing::ScriptedInteraction ui;
    ASSERT_TRUE(updateCurrentList(ui, tree.path("bin"), ListType::OwnList, "/w/music.txt"));
    for (int i = 0; i < 2000 && tree.read("bin/ran") != "auto music\n"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(tree.read("bin/ran"), "auto music\n");
    EXPECT_TRUE(ui.boxes().empty());
}

TEST(QuorvaneCommands, TellsWhenQuorvaneIsMissing) {
    quor::testing::TempTree tree;
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath != nullptr ? oldPath : "";
    ::setenv("PATH", tree.path("empty").c_str(), 1);
    quor::testing::ScriptedInteraction ui;
    EXPECT_FALSE(runQuorvane(ui, tree.path("nowhere")));
    ::setenv("PATH", saved.c_str(), 1);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, kQuorvaneNotFound);
    EXPECT_EQ(ui.boxes()[0].caption, "Quorfind");
}

}  // namespace
}  // namespace quor::find
