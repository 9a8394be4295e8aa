// Job measurement: durations and travel from the decoded commands, and where a streamed job ends.
#include "JobMeasure.h"

#include "JobMemorySink.h"
#include "MotionlinkJob.h"

#include <gtest/gtest.h>

#include <cmath>

namespace motionlink::emulator {
namespace {

TEST(JobMeasureTest, TravelAtIdleSpeedCutsAtTheJobSpeedAndDelaysAsWritten) {
    JobMemorySink sink;
    Zint_StrtWFile(&sink);
    Zint_wMoveTo(nullptr, nullptr, 0, 100);  // 100 mm of travel at the idle speed of 200 mm/s: 0.5 s
    Zint_wSetEngVel(20.0);
    Zint_wLineTo(nullptr, nullptr, 30, 140);  // a 50 mm cut at 20 mm/s: 2.5 s
    Zint_wSetLaserInterval(1.5);
    Zint_wSetFileEnd();

    const JobMeasure measure = MeasureJob(sink.Bytes(), 200.0);
    EXPECT_NEAR(measure.laserOnS, 2.5, 1e-9);
    EXPECT_NEAR(measure.travelXMm, 30.0, 1e-9);
    EXPECT_NEAR(measure.travelYMm, 140.0, 1e-9);
    EXPECT_NEAR(measure.endXMm, 30.0, 1e-9);
    EXPECT_NEAR(measure.endYMm, 140.0, 1e-9);
    EXPECT_GE(measure.durationS, 3.0);  // the dot adds its time, however the encoder writes it
}

TEST(JobMeasureTest, EndOfJobIsFoundAcrossPiecesAndNotBefore) {
    JobMemorySink sink;
    Zint_StrtWFile(&sink);
    Zint_wLineTo(nullptr, nullptr, 5, 5);
    Zint_wSetFileEnd();
    const std::vector<std::uint8_t>& job = sink.Bytes();
    EXPECT_EQ(FindJobEnd(std::span(job).first(job.size() - 1)), std::nullopt);
    EXPECT_EQ(FindJobEnd(job, job.size() - 1), job.size());
    std::vector<std::uint8_t> followed = job;
    followed.insert(followed.end(), job.begin(), job.end());
    EXPECT_EQ(FindJobEnd(followed), job.size());
}

TEST(JobMeasureTest, IdleSpeedOfZeroStillGivesAFiniteTime) {
    JobMemorySink sink;
    Zint_StrtWFile(&sink);
    Zint_wMoveTo(nullptr, nullptr, 100, 0);
    Zint_wSetFileEnd();
    const JobMeasure measure = MeasureJob(sink.Bytes(), 0.0);
    EXPECT_TRUE(std::isfinite(measure.durationS));
    EXPECT_GT(measure.durationS, 0.0);
}

}  // namespace
}  // namespace motionlink::emulator
