#include "common/testing/scoped_environment.h"

#include <gtest/gtest.h>

#include <ctime>

namespace quor::testing {
namespace {

constexpr const char* kName = "QUOR_SCOPED_ENVIRONMENT_TEST";

// Every earlier state of the variable comes back exactly, whatever the
// scope did to it; an unset variable and an empty one are not the same.
TEST(ScopedEnvironment, PutsBackExactlyWhatWasThere) {
    const std::optional<std::string> states[] = {std::nullopt, "", "before"};
    const std::optional<std::string> changes[] = {std::nullopt, "", "during"};
    for (const auto& before : states) {
        for (const auto& during : changes) {
            setEnvironmentValue(kName, before);
            {
                ScopedEnvironment scope(kName, during);
                EXPECT_EQ(environmentValue(kName), during);
                EXPECT_EQ(scope.previous(), before);
            }
            EXPECT_EQ(environmentValue(kName), before) << "before " << before.value_or("<unset>")
                                                       << ", during " << during.value_or("<unset>");
        }
    }
    setEnvironmentValue(kName, std::nullopt);
}

TEST(ScopedEnvironment, NestedScopesUnwindInTurn) {
    setEnvironmentValue(kName, "outer");
    {
        ScopedEnvironment first(kName, "first");
        {
            ScopedEnvironment second(kName, std::nullopt);
            EXPECT_EQ(environmentValue(kName), std::nullopt);
        }
        EXPECT_EQ(environmentValue(kName), "first");
    }
    EXPECT_EQ(environmentValue(kName), "outer");
    setEnvironmentValue(kName, std::nullopt);
}

int hourAtTheEpoch() {
    const std::time_t epoch = 0;
    std::tm local{};
    ::localtime_r(&epoch, &local);
    return local.tm_hour;
}

// The C library keeps the zone it read last: each change, and the way back,
// must reach it.
TEST(ScopedTimeZone, TheClockFollowsTheZoneAndComesBack) {
    ScopedTimeZone outer("XYZ-3");
    EXPECT_EQ(hourAtTheEpoch(), 3);
    {
        ScopedTimeZone inner("XYZ-9");
        EXPECT_EQ(hourAtTheEpoch(), 9);
    }
    EXPECT_EQ(hourAtTheEpoch(), 3);
}

}  // namespace
}  // namespace quor::testing
