#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_environment.h"

namespace quor::platform {
namespace {

using quor::testing::ScopedEnvironment;
using std::nullopt;

TEST(ProgramFolder, QuorvaneHomeHoldsEverything) {
    const ScopedEnvironment quorvaneHome("QUORVANE_HOME", "/tmp/qh");
    const ScopedEnvironment dataHome("XDG_DATA_HOME", "/tmp/data");
    EXPECT_EQ(programFolder(), "/tmp/qh");
    EXPECT_EQ(settingsDatabaseFile(), "/tmp/qh/settings.db");
}

TEST(ProgramFolder, FollowsTheXdgFolders) {
    const ScopedEnvironment quorvaneHome("QUORVANE_HOME", nullopt);
    const ScopedEnvironment home("HOME", "/home/ann");
    const ScopedEnvironment dataHome("XDG_DATA_HOME", "/x/data");
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", "/x/config");
    EXPECT_EQ(programFolder(), "/x/data/quorvane");
    EXPECT_EQ(settingsDatabaseFile(), "/x/config/quorvane/settings.db");
}

TEST(ProgramFolder, FallsBackBelowHomeForUnsetOrRelativeXdgFolders) {
    const ScopedEnvironment quorvaneHome("QUORVANE_HOME", "");
    const ScopedEnvironment home("HOME", "/home/ann");
    const ScopedEnvironment dataHome("XDG_DATA_HOME", nullopt);
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(programFolder(), "/home/ann/.local/share/quorvane");
    EXPECT_EQ(settingsDatabaseFile(), "/home/ann/.config/quorvane/settings.db");
}

}  // namespace
}  // namespace quor::platform
