#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quor::platform {
namespace {

// Sets environment variables for one test and restores them afterwards.
class Environment {
  public:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->wasSet) {
                ::setenv(it->name, it->value.c_str(), 1);
            } else {
                ::unsetenv(it->name);
            }
        }
    }

  private:
    struct Saved {
        const char* name;
        bool wasSet;
        std::string value;
    };
    std::vector<Saved> saved_;
};

TEST(ProgramFolder, QuorvaneHomeHoldsEverything) {
    Environment env;
    env.set("QUORVANE_HOME", "/tmp/qh");
    env.set("XDG_DATA_HOME", "/tmp/data");
    EXPECT_EQ(programFolder(), "/tmp/qh");
    EXPECT_EQ(settingsDatabaseFile(), "/tmp/qh/settings.db");
}

TEST(ProgramFolder, FollowsTheXdgFolders) {
    Environment env;
    env.set("QUORVANE_HOME", nullptr);
    env.set("HOME", "/home/ann");
    env.set("XDG_DATA_HOME", "/x/data");
    env.set("XDG_CONFIG_HOME", "/x/config");
    EXPECT_EQ(programFolder(), "/x/data/quorvane");
    EXPECT_EQ(settingsDatabaseFile(), "/x/config/quorvane/settings.db");
}

TEST(ProgramFolder, FallsBackBelowHomeForUnsetOrRelativeXdgFolders) {
    Environment env;
    env.set("QUORVANE_HOME", "");
    env.set("HOME", "/home/ann");
    env.set("XDG_DATA_HOME", nullptr);
    env.set("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(programFolder(), "/home/ann/.local/share/quorvane");
    EXPECT_EQ(settingsDatabaseFile(), "/home/ann/.config/quorvane/settings.db");
}

}  // namespace
}  // namespace quor::platform
