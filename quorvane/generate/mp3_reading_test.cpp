#include "quorvane/generate/mp3_reading.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"

namespace quor::generate {
namespace {

// The same files read with no workers (at once, on the calling thread) and
// with several give the same results, in queue order, also across two
// rounds of the same reader.
TEST(Mp3ReadingTest, WorkersGiveTheSameResultsInQueueOrder) {
    quor::testing::TempTree tree;
    for (int n = 0; n < 200; ++n) {
        // 128k or 64k at 44.1 kHz: a frame of 417 or 208 bytes, then the next.
        const std::string header = n % 2 ? "\xFF\xFB\x90" : "\xFF\xFB\x50";
        std::string data = header;
        data.resize(n % 2 ? 417 : 208, '\0');
        data += header;
        data.resize(1000 + n, '\0');
        tree.file("song " + std::to_string(n) + ".mp3", data, 1000000 + n);
    }
    const auto readAll = [&](unsigned workers) {
        Mp3Reading reading(true, false, workers);
        std::vector<Mp3Reading::Result> all;
        for (int round = 0; round < 2; ++round) {
            auto folder = std::make_shared<const FolderHandle>(
                open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            for (int n = round; n < 200; n += 2) {
                EXPECT_EQ(reading.add({folder, "song " + std::to_string(n) + ".mp3", false}),
                          static_cast<std::size_t>(n / 2));
                reading.wake();
            }
            folder.reset();
            for (Mp3Reading::Result& result : reading.finish()) {
                all.push_back(std::move(result));
            }
        }
        return all;
    };
    const std::vector<Mp3Reading::Result> alone = readAll(0);
    const std::vector<Mp3Reading::Result> shared = readAll(3);
    ASSERT_EQ(alone.size(), 200u);
    ASSERT_EQ(shared.size(), 200u);
    for (std::size_t i = 0; i < alone.size(); ++i) {
        const int n = static_cast<int>(i < 100 ? 2 * i : 2 * (i - 100) + 1);
        EXPECT_TRUE(shared[i].found);
        EXPECT_EQ(shared[i].size, static_cast<std::uint64_t>(1000 + n));
        EXPECT_EQ(shared[i].modified, 1000000 + n);
        EXPECT_EQ(shared[i].text, n % 2 ? " 128k " : " 64k ");
        EXPECT_EQ(shared[i].text, alone[i].text);
        EXPECT_EQ(shared[i].size, alone[i].size);
    }
}

// A poll that asks to stop leaves the files nobody started on unread, but
// every ticket still has its result, what was read is right, and the next
// round reads everything again.
TEST(Mp3ReadingTest, AStopLeavesTheRestUnreadAndTheNextRoundWhole) {
    quor::testing::TempTree tree;
    for (int n = 0; n < 300; ++n) {
        std::string data = "\xFF\xFB\x90";  // 128k: a frame of 417 bytes, then the next
        data.resize(417, '\0');
        data += "\xFF\xFB\x90";
        data.resize(1000 + n, '\0');
        tree.file("song " + std::to_string(n) + ".mp3", data);
    }
    Mp3Reading reading(true, false, 1);
    const auto queueAll = [&] {
        auto folder = std::make_shared<const FolderHandle>(
            open(tree.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int n = 0; n < 300; ++n) {
            reading.add({folder, "song " + std::to_string(n) + ".mp3", false});
        }
        reading.wake();
    };
    queueAll();
    int polls = 0;
    const std::vector<Mp3Reading::Result> stopped = reading.finish([&] { return ++polls > 0; });
    ASSERT_EQ(stopped.size(), 300u);
    EXPECT_LE(polls, 1);
    for (std::size_t n = 0; n < stopped.size(); ++n) {
        if (stopped[n].found) {
            EXPECT_EQ(stopped[n].size, 1000 + n);
            EXPECT_EQ(stopped[n].text, " 128k ");
        }
    }

    queueAll();
    polls = 0;
    const std::vector<Mp3Reading::Result> whole = reading.finish([&] { return ++polls < 0; });
    ASSERT_EQ(whole.size(), 300u);
    for (const Mp3Reading::Result& result : whole) {
        EXPECT_TRUE(result.found);
    }
}

}  // namespace
}  // namespace quor::generate
