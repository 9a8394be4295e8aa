#include "MouseHover.h"

#include <gtest/gtest.h>

#include <string>

TEST(MouseHover, MovingOntoAChildKeepsTheHoverAndOnlyTheTrackedLeaveEndsIt) {
    int combo = 0;
    int edit = 0;
    int applied = 0;
    std::string tracking;
    CMouseHover hover;
    hover.Attach(&combo, CMouseHover::kRepaint, [&applied](std::uint16_t) { ++applied; },
                 [&](const void* window, bool track) { tracking += (window == &edit ? "e" : "c") + std::string(track ? "+" : "-"); });
    EXPECT_TRUE(hover.OnMouseMove());
    EXPECT_FALSE(hover.OnMouseMove());
    EXPECT_FALSE(hover.OnMouseMove(&edit));
    EXPECT_EQ(hover.TrackedWindow(), &edit);
    EXPECT_FALSE(hover.OnMouseLeave());
    EXPECT_TRUE(hover.IsHovering());
    EXPECT_TRUE(hover.OnMouseLeave(&edit));
    EXPECT_FALSE(hover.IsHovering());
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(tracking, "c+c-e+");
}
