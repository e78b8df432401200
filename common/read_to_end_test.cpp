#include "common/read_to_end.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "common/testing/temp_tree.h"
#include "common/unique_fd.h"

namespace quor {
namespace {

// A pipe whose write end is fed text from another thread, so that reads
// come back in pieces and the size is known to nobody beforehand.
struct FedPipe {
    UniqueFd read;
    std::jthread writer;

    explicit FedPipe(std::string text) {
        int ends[2];
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        read.reset(ends[0]);
        writer = std::jthread([text = std::move(text), end = UniqueFd(ends[1])] {
            for (std::size_t at = 0; at < text.size();) {
                const ssize_t n = ::write(end.get(), text.data() + at, text.size() - at);
                if (n <= 0) {
                    return;  // the reader stopped early
                }
                at += static_cast<std::size_t>(n);
            }
        });
    }
};

std::string readAll(int fd, std::size_t expected, std::size_t maxBytes, ReadOutcome& outcome) {
    std::string into;
    outcome = readToEnd(fd, expected, maxBytes, [&](std::size_t capacity, std::size_t kept) {
        EXPECT_LE(kept, into.size());
        into.resize(capacity);
        return into.data();
    });
    into.resize(std::min(outcome.size, into.size()));
    return into;
}

TEST(ReadToEnd, ReadsEverythingWhateverSizeWasExpected) {
    std::string text(300001, 'x');
    text[200000] = 'y';
    for (std::size_t expected :
         {std::size_t{0}, std::size_t{1}, std::size_t{4096}, text.size(), text.size() * 3}) {
        FedPipe pipe(text);
        ReadOutcome outcome;
        EXPECT_EQ(readAll(pipe.read.get(), expected, static_cast<std::size_t>(-1), outcome), text)
            << expected;
        EXPECT_EQ(outcome.error, 0);
    }
}

// A file that grew after its size was taken still costs no more than the
// limit and one read.
TEST(ReadToEnd, StopsSoonAfterTheLimit) {
    testing::TempTree tree;
    tree.file("big", std::string(1 << 20, 'x'));
    for (std::size_t expected : {std::size_t{100}, std::size_t{1} << 20}) {
        const UniqueFd file(::open(tree.path("big").c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(file);
        ReadOutcome outcome;
        (void)readAll(file.get(), expected, 100000, outcome);
        EXPECT_GT(outcome.size, 100000u) << expected;
        EXPECT_LE(outcome.size, 100000u + 65536u) << expected;
    }
}

TEST(ReadToEnd, AFailedReadGivesItsErrno) {
    const UniqueFd folder(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(folder);
    ReadOutcome outcome;
    (void)readAll(folder.get(), 10, static_cast<std::size_t>(-1), outcome);
    EXPECT_EQ(outcome.error, EISDIR);
}

TEST(UniqueFd, ClosesExactlyTheDescriptorItOwnsOnce) {
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    UniqueFd readEnd(ends[0]);
    {
        UniqueFd moved(std::move(readEnd));
        EXPECT_FALSE(readEnd);
        EXPECT_EQ(moved.get(), ends[0]);
        UniqueFd assigned;
        assigned = std::move(moved);
        EXPECT_EQ(::fcntl(ends[0], F_GETFD), FD_CLOEXEC);  // still open
    }
    EXPECT_EQ(::fcntl(ends[0], F_GETFD), -1);  // closed when its last owner went

    UniqueFd writeEnd(ends[1]);
    const int released = writeEnd.release();
    EXPECT_FALSE(writeEnd);
    EXPECT_TRUE(UniqueFd(released).close());
    EXPECT_EQ(::fcntl(released, F_GETFD), -1);
    EXPECT_TRUE(UniqueFd().close());  // nothing held, nothing failed
}

}  // namespace
}  // namespace quor
