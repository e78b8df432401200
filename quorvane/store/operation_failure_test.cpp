#include "quorvane/store/operation_failure.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <system_error>

#include "common/testing/scripted_interaction.h"
#include "quorvane/store/settings_store.h"

namespace quor::store {
namespace {

using quor::testing::ScriptedInteraction;

constexpr FailureBox kSaveBox{"There was a problem saving the list! (savelist)", Shown::Always};

// Whatever way an operation fails, the user sees its one box with the cause
// as caption; an operation that works shows nothing.
TEST(RunOperation, EveryFailureShowsTheOperationsBoxWithItsCause) {
    struct Case {
        const char* name;
        std::function<Status()> work;
        std::string cause;
    };
    const Case cases[] = {
        {"a returned error", [] { return Status(Error{"Could not write /x: No space"}); },
         "Could not write /x: No space"},
        {"the store", []() -> Status { throw StoreError("The settings store is locked"); },
         "The settings store is locked"},
        {"a thread that cannot start",
         []() -> Status {
             throw std::system_error(
                 std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
         },
         std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                           "thread")
             .what()},
        {"memory", []() -> Status { throw std::bad_alloc(); }, std::bad_alloc().what()},
        {"the collation missing",
         []() -> Status { throw std::runtime_error("The text collation of ICU is not available"); },
         "The text collation of ICU is not available"},
    };
    for (const Case& c : cases) {
        ScriptedInteraction user;
        EXPECT_FALSE(runOperation(user, kSaveBox, c.work)) << c.name;
        ASSERT_EQ(user.boxes().size(), 1u) << c.name;
        EXPECT_EQ(user.boxes()[0].text, kSaveBox.text) << c.name;
        EXPECT_EQ(user.boxes()[0].caption, c.cause) << c.name;
        EXPECT_EQ(user.boxes()[0].shown, Shown::Always) << c.name;
    }
    ScriptedInteraction user;
    EXPECT_TRUE(runOperation(user, kSaveBox, [] { return Status::success(); }));
    EXPECT_TRUE(user.boxes().empty());
}

}  // namespace
}  // namespace quor::store
