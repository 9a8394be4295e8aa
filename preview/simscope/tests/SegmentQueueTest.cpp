// The bounded queue and the pause gate: waiting, finishing and stopping.
#include <gtest/gtest.h>

#include <thread>

#include "SegmentQueue.h"

namespace simscope {
namespace {

TEST(SegmentQueue, ProducerWaitsAtTheBoundAndEveryItemArrivesInOrder) {
    SegmentQueue queue(8);
    constexpr int kItems = 5000;
    std::size_t highest = 0;
    std::jthread producer([&](std::stop_token stop) {
        for (int index = 0; index < kItems; ++index) {
            ASSERT_TRUE(queue.Put({SegmentItem::TimeStep, double(index), 0.0}, stop));
            highest = std::max(highest, queue.Size());
        }
        queue.Finish();
    });
    SegmentItem item;
    int next = 0;
    std::stop_source never;
    while (queue.Take(item, never.get_token()) == SegmentQueue::Taken::Item) {
        ASSERT_EQ(item.a, double(next));
        ++next;
    }
    producer.join();
    EXPECT_EQ(next, kItems);
    EXPECT_LE(highest, 8u);
}

TEST(SegmentQueue, StopReleasesAWaitingProducerAndTaker) {
    SegmentQueue full(1);
    std::stop_source stop;
    ASSERT_TRUE(full.Put({}, stop.get_token()));
    std::jthread producer([&] { EXPECT_FALSE(full.Put({}, stop.get_token())); });
    SegmentQueue empty;
    SegmentItem item;
    std::jthread taker([&] { EXPECT_EQ(empty.Take(item, stop.get_token()), SegmentQueue::Taken::Stopped); });
    stop.request_stop();
    producer.join();
    taker.join();
}

TEST(PauseGate, ClosedGateHoldsUntilOpenedOrStopped) {
    PauseGate gate;
    std::stop_source never;
    EXPECT_TRUE(gate.Pass(never.get_token()));
    gate.Close();
    std::jthread waiter([&] { EXPECT_TRUE(gate.Pass(never.get_token())); });
    gate.Open();
    waiter.join();
    gate.Close();
    std::stop_source stop;
    std::jthread stopped([&] { EXPECT_FALSE(gate.Pass(stop.get_token())); });
    stop.request_stop();
    stopped.join();
}

}  // namespace
}  // namespace simscope
