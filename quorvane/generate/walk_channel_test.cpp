#include "quorvane/generate/walk_channel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace quor::generate {
namespace {

WalkBatch batchOf(std::string_view text) {
    WalkBatch batch;
    batch.add({WalkEvent::Kind::File}, text);
    return batch;
}

// More batches than the queue holds: the walk waits for the taker, and
// every batch arrives once, in order, with its texts.
TEST(WalkChannel, BatchesArriveInOrderThenTheEnd) {
    WalkChannel channel;
    std::jthread walk([&] {
        for (int i = 0; i < 50; ++i) {
            ASSERT_TRUE(channel.push(batchOf("batch " + std::to_string(i))));
        }
        channel.finish(ScanResult::Cancelled, nullptr);
    });
    int taken = 0;
    while (const std::optional<WalkBatch> batch = channel.pop()) {
        ASSERT_EQ(batch->events.size(), 1u);
        EXPECT_EQ(batch->textOf(batch->events[0]), "batch " + std::to_string(taken));
        ++taken;
    }
    EXPECT_EQ(taken, 50);
    EXPECT_EQ(channel.result(), ScanResult::Cancelled);
    EXPECT_FALSE(channel.error());
}

TEST(WalkChannel, AQuestionWaitsForItsAnswer) {
    WalkChannel channel;
    std::vector<bool> answers;
    std::jthread walk([&] {
        answers.push_back(channel.ask(batchOf("first")));
        answers.push_back(channel.ask(batchOf("second")));
        channel.finish(ScanResult::Normal, nullptr);
    });
    ASSERT_TRUE(channel.pop().has_value());
    channel.answer(true);
    ASSERT_TRUE(channel.pop().has_value());
    channel.answer(false);
    EXPECT_FALSE(channel.pop().has_value());
    walk.join();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
}

// A stop frees a walk that waits on a full queue or for an answer, and the
// walk's exception reaches the taker.
TEST(WalkChannel, AStopEndsAWaitingWalk) {
    for (const bool asking : {false, true}) {
        WalkChannel channel;
        bool refused = false;
        std::jthread walk([&] {
            for (;;) {
                const bool handed = asking ? channel.ask(batchOf("q")) : channel.push(batchOf("b"));
                if (!handed) {
                    refused = true;
                    break;
                }
            }
            channel.finish(ScanResult::Normal,
                           std::make_exception_ptr(std::runtime_error("ended")));
        });
        ASSERT_TRUE(channel.pop().has_value());
        channel.requestStop();
        while (channel.pop()) {
        }
        walk.join();
        EXPECT_TRUE(refused) << (asking ? "asking" : "pushing");
        EXPECT_TRUE(channel.error());
        EXPECT_FALSE(channel.push(batchOf("late")));
    }
}

}  // namespace
}  // namespace quor::generate
