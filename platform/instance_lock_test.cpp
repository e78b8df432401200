#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/testing/temp_tree.h"

namespace quor::platform {
namespace {

using quor::testing::TempTree;

TEST(InstanceLock, OneHolderAtATimeAndFreedWhenReleased) {
    TempTree tree;
    {
        auto first = InstanceLock::tryAcquire(tree.root());
        ASSERT_TRUE(first.has_value());
        EXPECT_FALSE(InstanceLock::tryAcquire(tree.root()).has_value());
        auto moved = std::move(*first);
        EXPECT_FALSE(InstanceLock::tryAcquire(tree.root()).has_value());
    }
    EXPECT_TRUE(InstanceLock::tryAcquire(tree.root()).has_value());
}

TEST(InstanceLock, AKilledHolderDoesNotBlockTheNextCopy) {
    TempTree tree;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = InstanceLock::tryAcquire(tree.root());
        const char byte = lock ? '1' : '0';
        (void)::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, '1');
    EXPECT_FALSE(InstanceLock::tryAcquire(tree.root()).has_value());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(InstanceLock::tryAcquire(tree.root()).has_value());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(InstanceLock, DifferentProgramFoldersDoNotInterfere) {
    TempTree one;
    TempTree two;
    auto a = InstanceLock::tryAcquire(one.root());
    auto b = InstanceLock::tryAcquire(two.root());
    EXPECT_TRUE(a.has_value());
    EXPECT_TRUE(b.has_value());
    EXPECT_FALSE(InstanceLock::tryAcquire(one.path("no/such/folder")).has_value());
}

TEST(InstanceLock, ALockFileThatCannotBeMadeIsAFailureNotAnotherCopy) {
    TempTree tree;
    const auto missing = InstanceLock::tryAcquireOrFail(tree.path("no/such/folder"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("Could not create the lock file " +
                                   tree.path("no/such/folder/.quorvane.lock").string()),
              std::string::npos);

    auto held = InstanceLock::tryAcquireOrFail(tree.root());
    ASSERT_TRUE(held.ok() && held->has_value());
    const auto second = InstanceLock::tryAcquireOrFail(tree.root());
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE(second->has_value());
}

}  // namespace
}  // namespace quor::platform
