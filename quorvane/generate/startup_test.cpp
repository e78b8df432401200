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

}  // namespace
}  // namespace quor::generate
