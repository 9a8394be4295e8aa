// Expansion of segments and jobs into timed playback steps.
#include <gtest/gtest.h>

#include <vector>

#include "SegmentExpansion.h"
#include "SimscopeTestJobs.h"

namespace simscope {
namespace {

using Items = std::vector<SegmentItem>;
using testing::Rec;

constexpr auto kCut = SegmentItem::CutPoint;
constexpr auto kMove = SegmentItem::MovePoint;
constexpr auto kStep = SegmentItem::TimeStep;

Items Collect(const std::function<bool(const PutItem&)>& expand) {
    Items items;
    EXPECT_TRUE(expand([&](const SegmentItem& item) {
        items.push_back(item);
        return true;
    }));
    return items;
}

void ExpectItemsNear(const Items& actual, const Items& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t index = 0; index < actual.size(); ++index) {
        EXPECT_EQ(actual[index].kind, expected[index].kind) << index;
        EXPECT_NEAR(actual[index].a, expected[index].a, 1e-12) << index;
        EXPECT_NEAR(actual[index].b, expected[index].b, 1e-12) << index;
    }
}

TEST(SegmentExpansion, StepsOfATenthOfASecondAndTheRemainder) {
    struct Case {
        const char* name;
        MmPoint to;
        std::uint16_t kind;
        Items expected;
    };
    const Case cases[] = {
        {"1 mm: one step", {1.0, 0.0}, kCut, {{kStep, 0.01}, {kCut, 1.0, 0.0}}},
        {"25 mm: two steps and a half",
         {25.0, 0.0},
         kCut,
         {{kStep, 0.1}, {kCut, 10.0, 0.0}, {kStep, 0.1}, {kCut, 20.0, 0.0}, {kStep, 0.05}, {kCut, 25.0, 0.0}}},
        {"20 mm: two whole steps", {20.0, 0.0}, kMove, {{kStep, 0.1}, {kMove, 10.0, 0.0}, {kStep, 0.1}, {kMove, 20.0, 0.0}}},
        {"diagonal", {0.0, -15.0}, kCut, {{kStep, 0.1}, {kCut, 0.0, -10.0}, {kStep, 0.05}, {kCut, 0.0, -15.0}}},
        {"zero length", {0.0, 0.0}, kCut, {{kStep, 0.0}, {kCut, 0.0, 0.0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectItemsNear(Collect([&](const PutItem& put) { return ExpandSegment({0.0, 0.0}, c.to, c.kind, 100.0, put); }),
                        c.expected);
    }
}

TEST(SegmentExpansion, JobReturnsToItsStartAndTakesTheDefaultForSpeedZero) {
    PreviewJob job;
    job.Take({Rec(JobCommand::Speed, 0.0), Rec(JobCommand::Power, 0.5), Rec(JobCommand::Cut, 5.0, 0.0),
              Rec(JobCommand::Delay, 0.25), Rec(JobCommand::ParamByte, 3.0), Rec(JobCommand::Speed, 50.0),
              Rec(JobCommand::Move, 5.0, 2.0)},
             Corner::BottomLeft, 100.0);
    double defaultSpeed = 200.0;
    const Items items = Collect([&](const PutItem& put) { return ExpandJob(job, [&] { return defaultSpeed; }, put); });
    ExpectItemsNear(items, {{SegmentItem::Speed, 200.0},
                            {SegmentItem::Power, 0.5},
                            {kStep, 0.025},
                            {kCut, 5.0, 0.0},
                            {kStep, 0.25},
                            {SegmentItem::Speed, 50.0},
                            {kStep, 0.04},
                            {kMove, 5.0, 2.0},
                            {kMove, 0.0, 0.0}});
}

TEST(SegmentExpansion, RefusedItemEndsTheExpansion) {
    int accepted = 0;
    EXPECT_FALSE(ExpandSegment({0.0, 0.0}, {1000.0, 0.0}, kCut, 10.0, [&](const SegmentItem&) { return ++accepted < 5; }));
    EXPECT_EQ(accepted, 5);
}

}  // namespace
}  // namespace simscope
