// The two playback threads on the manual clock: pacing over a whole job, pause, power 0, stop and
// restart, the bound of the queue and the end notice.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "LabelTexts.h"
#include "Playback.h"
#include "SimscopeTestJobs.h"
#include "StaticRaster.h"

namespace simscope {
namespace {

using testing::Rec;
constexpr platform::Size kArea{400, 300};

// A job of `seconds` at 10 mm/s along x from the origin, laser at full power.
PreviewJob StraightJob(double seconds, double power = 1.0) {
    PreviewJob job;
    job.Take({Rec(JobCommand::Speed, 10.0), Rec(JobCommand::Power, power), Rec(JobCommand::Cut, seconds * 10.0, 0.0)},
             Corner::BottomLeft, 100.0);
    return job;
}

class PlaybackTest : public ::testing::Test {
  protected:
    void Prepare(const PreviewJob& job) {
        FitView(kArea, job.Box(), view_);
        staticRaster_ = RenderStaticRaster(DisplayList::Build(job), kArea, view_, colors_, "");
        canvas_.Reset(staticRaster_, kArea, view_);
    }

    // Plays the job to its end on the manual clock; the end notice must come.
    void PlayToEnd(const PreviewJob& job, double ratio) {
        Prepare(job);
        playback_.SetRatio(ratio);
        ASSERT_TRUE(playback_.Start(job, colors_));
        ASSERT_EQ(ended_.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
        playback_.Stop();
        EXPECT_FALSE(playback_.IsAlive());
    }

    ManualPlaybackClock clock_;
    PlaybackCanvas canvas_;
    std::promise<void> ended_;
    int endNotices_ = 0;
    Playback playback_{clock_, canvas_, [this] {
                           ++endNotices_;
                           ended_.set_value();
                       }};
    ViewState view_;
    PreviewColors colors_;
    QImage staticRaster_;
};

TEST_F(PlaybackTest, SixtySecondJobAtRatioTenWaitsSixSecondsInAll) {
    const PreviewJob job = StraightJob(60.0);
    PlayToEnd(job, 10.0);
    // The last lead of at most 30 ms is never waited for.
    EXPECT_NEAR(clock_.TotalWaited(), 6.0, 0.031);
    EXPECT_EQ(endNotices_, 1);
    EXPECT_EQ(ProgressPosition(playback_.Status().elapsedSeconds, job.Totals().totalSeconds), kProgressRange);
}

TEST_F(PlaybackTest, FiveSecondPauseDoesNotRush) {
    const PreviewJob job = StraightJob(60.0);
    clock_.SetWaitHook([this](int waitIndex) {
        if (waitIndex == 10) {
            playback_.Pause();
            clock_.Advance(5.0);
            playback_.Continue();
        }
    });
    PlayToEnd(job, 10.0);
    EXPECT_NEAR(clock_.TotalWaited(), 6.0, 0.031);
}

TEST_F(PlaybackTest, ProgressEndsAtTheEndOfAJobWithRampsAndDelays) {
    const PreviewJob job = testing::LoadedJob(testing::WriteJob("mixed.zint", testing::WriteMixedJob));
    PlayToEnd(job, 10.0);
    EXPECT_EQ(ProgressPosition(playback_.Status().elapsedSeconds, job.Totals().totalSeconds), kProgressRange);
    EXPECT_NEAR(clock_.TotalWaited(), job.Totals().totalSeconds / 10.0, 0.031);
}

// After a power of 0 the head only moves: the canvas ends as the static drawing with the cross at the
// start, where the head returns.
TEST_F(PlaybackTest, CutsAfterPowerZeroOnlyMove) {
    PlayToEnd(StraightJob(3.0, 0.0), 10.0);
    PlaybackCanvas crossOnly;
    crossOnly.Reset(staticRaster_, kArea, view_);
    crossOnly.Draw([&](platform::DeviceContext& context) {
        DrawCrossCursor(context, {0, 0}, platform::Pen::Solid(0, colors_.idle));
    });
    EXPECT_EQ(canvas_.Snapshot(), crossOnly.Snapshot());

}

TEST_F(PlaybackTest, CutsWithPowerLeaveTheirTrace) {
    PlayToEnd(StraightJob(3.0, 1.0), 10.0);
    EXPECT_NE(canvas_.Snapshot(), staticRaster_);
}

TEST_F(PlaybackTest, QueueStaysBoundedForAJobOfAnHourAndAHalf) {
    ManualPlaybackClock clock;
    PlaybackCanvas canvas;
    std::promise<void> ended;
    Playback playback(clock, canvas, [&] { ended.set_value(); }, 256);
    const PreviewJob job = StraightJob(5400.0);  // 54000 steps of 0.1 s, twice as many items
    playback.SetRatio(10.0);
    ASSERT_TRUE(playback.Start(job, colors_));
    ASSERT_EQ(ended.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_LE(playback.HighestQueueFill(), 256u);
    EXPECT_NEAR(playback.Status().elapsedSeconds, 5400.0, 1e-6);
}

TEST(PlaybackStop, StopJoinsBothThreadsAndStartWorksAtOnce) {
    SteadyPlaybackClock clock;
    PlaybackCanvas canvas;
    int notices = 0;
    Playback playback(clock, canvas, [&] { ++notices; });
    const PreviewJob job = StraightJob(600.0);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(playback.Start(job, PreviewColors{}));
        EXPECT_TRUE(playback.IsAlive());
        EXPECT_FALSE(playback.Start(job, PreviewColors{}));
        playback.Stop();
        EXPECT_FALSE(playback.IsAlive());
    }
    playback.Pause();
    EXPECT_FALSE(playback.IsPaused());
    EXPECT_EQ(notices, 0);
}

// Ending the playback while paused, and then dropping the job, must not leave a thread reading it.
TEST(PlaybackStop, StopWhilePausedThenDropTheJob) {
    SteadyPlaybackClock clock;
    PlaybackCanvas canvas;
    Playback playback(clock, canvas, nullptr);
    auto job = std::make_unique<PreviewJob>(StraightJob(600.0));
    ASSERT_TRUE(playback.Start(*job, PreviewColors{}));
    playback.Pause();
    EXPECT_TRUE(playback.IsPaused());
    playback.Stop();
    job.reset();
    EXPECT_FALSE(playback.IsAlive());
}

TEST(PlaybackStop, EmptyJobDoesNotStart) {
    ManualPlaybackClock clock;
    PlaybackCanvas canvas;
    Playback playback(clock, canvas, nullptr);
    EXPECT_FALSE(playback.Start(PreviewJob{}, PreviewColors{}));
}

}  // namespace
}  // namespace simscope
