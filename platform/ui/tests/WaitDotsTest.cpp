#include "WaitDots.h"

#include <gtest/gtest.h>

namespace {

TEST(WaitDots, TheDotsCycleAndRestartAfterAStaleCounter) {
    int counter = 0;
    for (const char* text : {"Wait.", "Wait..", "Wait...", "Wait", "Wait."}) {
        EXPECT_EQ(WaitTextWithDots("Wait", counter), text);
    }
    counter = 9;
    EXPECT_EQ(WaitTextWithDots("Wait", counter), "Wait.");
}

}  // namespace
