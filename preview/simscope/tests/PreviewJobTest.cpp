// Loading a job written by the controller library: totals, feed shifts, box and mirrors, and the label
// texts the window shows for them.
#include <gtest/gtest.h>

#include <cmath>

#include "LabelTexts.h"
#include "MotionlinkJob.h"
#include "PreviewJob.h"
#include "SimscopeTestJobs.h"
#include "TempHome.h"

namespace simscope {
namespace {

using testing::LoadedJob;
using testing::Rec;
using testing::WriteJob;

struct LabelCase {
    const char* name;
    std::function<void()> body;
    double defaultSpeed;
    const char* size;
    const char* total;
    const char* laserOn;
    const char* travel;
    const char* work;
};

void PrintTo(const LabelCase& label, std::ostream* out) {
    *out << label.name;
}

class JobLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(JobLabels, MatchTheJob) {
    const LabelCase& c = GetParam();
    const PreviewJob job = LoadedJob(WriteJob(std::string(c.name) + ".zint", c.body), Corner::BottomLeft, c.defaultSpeed);
    const JobTotals& totals = job.Totals();
    EXPECT_EQ(FormatMmPair(std::fabs(job.Box().Width()), std::fabs(job.Box().Height())), c.size);
    EXPECT_EQ(FormatJobTime(RoundedMilliseconds(totals.totalSeconds)), c.total);
    EXPECT_EQ(FormatJobTime(RoundedMilliseconds(totals.laserOnSeconds)), c.laserOn);
    EXPECT_EQ(FormatMm(totals.travelMm), c.travel);
    EXPECT_EQ(FormatMm(totals.workMm), c.work);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, JobLabels,
    ::testing::Values(
        LabelCase{"OneCutAtSpeed20",
                  [] {
                      Zint_wSetEngVel(20.0);
                      Zint_wLineTo(nullptr, nullptr, 10.0, 5.0);
                  },
                  100.0, "10.0mm,5.0mm", "0:00:00.559", "0:00:00.559", "0.0mm", "11.2mm"},
        // 10 mm at the default 50 mm/s, not at the job's speed of 0.
        LabelCase{"SpeedZeroTakesTheDefault",
                  [] {
                      Zint_wSetEngVel(0.0);
                      Zint_wLineTo(nullptr, nullptr, 10.0, 0.0);
                  },
                  50.0, "10.0mm,0.0mm", "0:00:00.200", "0:00:00.200", "0.0mm", "10.0mm"},
        LabelCase{"DelayCountsAsLaserOnTime",
                  [] {
                      Zint_wSetEngVel(10.0);
                      Zint_wMoveTo(nullptr, nullptr, 3.0, 4.0);
                      Zint_wSetLaserInterval(0.5);
                  },
                  100.0, "3.0mm,4.0mm", "0:00:01.000", "0:00:00.500", "5.0mm", "0.0mm"},
        // Wholly negative: the box still reaches the origin.
        LabelCase{"NegativeJobBoxHoldsTheOrigin",
                  [] {
                      Zint_wSetEngVel(100.0);
                      Zint_wMoveTo(nullptr, nullptr, -30.0, -40.0);
                      Zint_wLineTo(nullptr, nullptr, -10.0, -40.0);
                  },
                  100.0, "30.0mm,40.0mm", "0:00:00.700", "0:00:00.200", "50.0mm", "20.0mm"}),
    [](const auto& info) { return std::string(info.param.name); });

void WriteFeedJob() {
    Zint_wMoveTo(nullptr, nullptr, 1.0, 2.0);
    Zint_wAxisMove(3, 12.5, 0, 0, 0);
    Zint_wLineTo(nullptr, nullptr, 4.0, 6.0);
    Zint_wAxisMove(3, -12.5, 0, 0, 0);
    Zint_wMoveTo(nullptr, nullptr, 5.0, 7.0);
}

TEST(PreviewJob, AxisMoveShiftsLaterPointsDownForTopCornersAndUpForBottomCorners) {
    const auto path = WriteJob("feed.zint", WriteFeedJob);
    struct Case {
        Corner corner;
        double secondY;
        double thirdY;
    };
    for (const Case c : {Case{Corner::TopLeft, 6.0 - 12.5, 7.0 - 25.0}, Case{Corner::BottomLeft, 6.0 + 12.5, 7.0 + 25.0}}) {
        const PreviewJob job = LoadedJob(path, c.corner);
        std::vector<double> ys;
        for (const JobCommand& command : testing::ToVector(job)) {
            if (command.kind == JobCommand::Move || command.kind == JobCommand::Cut) {
                ys.push_back(command.b);
            }
        }
        EXPECT_EQ(ys, (std::vector<double>{2.0, c.secondY, c.thirdY})) << static_cast<int>(c.corner);
    }
}

TEST(PreviewJob, CornerMirrorsAboutTheBoxMiddle) {
    const auto path = WriteJob("corner.zint", [] { Zint_wLineTo(nullptr, nullptr, 10.0, 4.0); });
    struct Case {
        Corner corner;
        MmPoint end;
        MmPoint start;
    };
    for (const Case c : {Case{Corner::TopLeft, {10.0, 0.0}, {0.0, 4.0}}, Case{Corner::TopRight, {0.0, 0.0}, {10.0, 4.0}},
                         Case{Corner::BottomRight, {0.0, 4.0}, {10.0, 0.0}}, Case{Corner::BottomLeft, {10.0, 4.0}, {0.0, 0.0}}}) {
        const PreviewJob job = LoadedJob(path, c.corner);
        const MmPoint end = job.PlacedOf(testing::ToVector(job).back());
        EXPECT_EQ(end.x, c.end.x);
        EXPECT_EQ(end.y, c.end.y);
        EXPECT_EQ(job.Start().x, c.start.x);
        EXPECT_EQ(job.Start().y, c.start.y);
    }
}

TEST(PreviewJob, MirroringTwiceGivesBackEveryCoordinateExactly) {
    PreviewJob job = LoadedJob(WriteJob("mixed.zint", testing::WriteMixedJob));
    std::vector<std::pair<double, double>> before;
    for (const JobCommand& command : testing::ToVector(job)) {
        before.emplace_back(job.PlacedOf(command).x, job.PlacedOf(command).y);
    }
    job.MirrorHorizontally();
    job.MirrorVertically();
    const std::vector<JobCommand> commands = testing::ToVector(job);
    EXPECT_NE(job.PlacedOf(commands[1]).x, before[1].first);
    job.MirrorVertically();
    job.MirrorHorizontally();
    for (std::size_t index = 0; index < before.size(); ++index) {
        EXPECT_EQ(job.PlacedOf(commands[index]).x, before[index].first);
        EXPECT_EQ(job.PlacedOf(commands[index]).y, before[index].second);
    }
}

TEST(PreviewJob, UnreadableOrEmptyFileLeavesTheLoadedJob) {
    PreviewJob job = LoadedJob(WriteJob("one.zint", [] { Zint_wLineTo(nullptr, nullptr, 1.0, 1.0); }));
    const std::size_t loaded = job.CommandCount();
    EXPECT_FALSE(job.Load((cutrix::testing::TempHome() / "missing.zint").string(), Corner::BottomLeft, 100.0, 0));
    EXPECT_FALSE(job.Load(WriteJob("empty.zint", [] {}).string(), Corner::BottomLeft, 100.0, 0));
    EXPECT_FALSE(job.Load("", Corner::BottomLeft, 100.0, 0));
    EXPECT_EQ(job.CommandCount(), loaded);
}

TEST(PreviewJob, ListWithoutMotionHasTheDefaultBox) {
    PreviewJob job;
    job.Take({Rec(JobCommand::Speed, 10.0), Rec(JobCommand::Delay, 1.0)}, Corner::BottomLeft, 100.0);
    EXPECT_EQ(job.Box().maxX, 100.0);
    EXPECT_EQ(job.Box().maxY, 100.0);
    EXPECT_EQ(job.Totals().totalSeconds, 1.0);
}

}  // namespace
}  // namespace simscope
