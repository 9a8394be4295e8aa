// Pacing: wait only beyond 30 ms of lead, for the whole lead in milliseconds; a pause is left out.
#include <gtest/gtest.h>

#include "Pacer.h"

namespace simscope {
namespace {

TEST(Pacer, WaitsForTheWholeLeadOnlyBeyondThirtyMilliseconds) {
    struct Case {
        double jobSeconds;
        double ratio;
        double now;
        double wait;
    };
    for (const Case c : {Case{0.03, 1.0, 0.0, 0.0}, Case{0.0305, 1.0, 0.0, 0.030}, Case{0.1, 1.0, 0.0, 0.1},
                         Case{1.0, 10.0, 0.0, 0.1}, Case{1.0, 0.1, 0.0, 10.0}, Case{1.0, 1.0, 0.5, 0.5},
                         Case{1.0, 1.0, 2.0, 0.0}, Case{0.2345678, 1.0, 0.0, 0.234}}) {
        Pacer pacer;
        pacer.Begin(0.0);
        pacer.AddJobTime(c.jobSeconds, c.ratio);
        EXPECT_NEAR(pacer.WaitSeconds(c.now), c.wait, 1e-12) << c.jobSeconds << " " << c.ratio << " " << c.now;
    }
}

TEST(Pacer, PauseDoesNotMakeTheDrawingRush) {
    Pacer pacer;
    pacer.Begin(100.0);
    pacer.AddJobTime(1.0, 1.0);
    pacer.PauseAt(100.2);
    pacer.PauseAt(102.0);  // a second pause request keeps the first start
    pacer.ResumeAt(105.2);
    pacer.AddJobTime(2.0, 1.0);
    // 5 s paused: 0.2 s played of 3 s, 2.8 s still to wait (in whole milliseconds).
    EXPECT_NEAR(pacer.WaitSeconds(105.2), 2.8, 0.0011);
    EXPECT_DOUBLE_EQ(pacer.ElapsedJobSeconds(), 3.0);
}

}  // namespace
}  // namespace simscope
