#include "SkinGeometry.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

SkinFrameLayout Frame() {
    SkinFrameLayout frame;
    frame.width = 400;
    frame.height = 300;
    frame.left = frame.right = frame.bottom = 4;
    frame.caption = 26;
    frame.closeButton = {370, 5, 390, 21};
    frame.minimizeButton = {330, 5, 350, 21};
    frame.maximizeButton = {350, 5, 370, 21};
    frame.hasMinimize = frame.hasMaximize = frame.resizable = true;
    return frame;
}

}  // namespace

TEST(SkinGeometry, FrameHitTestFirstMatchWins) {
    struct Case {
        platform::Point point;
        bool maximized;
        int hit;
    };
    const Case cases[] = {
        {{380, 10}, false, 20}, {{340, 10}, false, 8}, {{360, 10}, false, 9}, {{6, 8}, false, 3},
        {{1, 1}, false, 13},    {{398, 1}, false, 14}, {{1, 298}, false, 16}, {{398, 298}, false, 17},
        {{1, 100}, false, 10},  {{398, 100}, false, 11}, {{200, 298}, false, 15}, {{200, 2}, false, 12},
        {{200, 15}, false, 2},  {{200, 150}, false, 1},
        // Maximised: no sizing edges, the left strip of the caption is caption again.
        {{1, 100}, true, 1},    {{200, 2}, true, 1},   {{100, 15}, true, 2},
    };
    for (const Case& c : cases) {
        SkinFrameLayout frame = Frame();
        frame.maximized = c.maximized;
        EXPECT_EQ(SkinFrameHitTest(frame, c.point), c.hit) << c.point.x << "," << c.point.y << " max " << c.maximized;
    }
    SkinFrameLayout noMinimize = Frame();
    noMinimize.hasMinimize = false;
    EXPECT_EQ(SkinFrameHitTest(noMinimize, {340, 10}), 2);
}

TEST(SkinGeometry, NineGridKeepsCornersAndStretchesTheRest) {
    const auto slices = NineGridSlices({20, 0, 40, 20}, {0, 0, 100, 50}, {4, 3, 5, 6});
    ASSERT_EQ(slices.size(), 9u);
    EXPECT_EQ(slices[0].source, (Rect{20, 0, 23, 4}));
    EXPECT_EQ(slices[0].target, (Rect{0, 0, 3, 4}));
    EXPECT_EQ(slices[4].source, (Rect{23, 4, 35, 14}));
    EXPECT_EQ(slices[4].target, (Rect{3, 4, 95, 44}));
    EXPECT_EQ(slices[8].target, (Rect{95, 44, 100, 50}));
    EXPECT_EQ(NineGridSlices({0, 0, 10, 10}, {0, 0, 10, 10}, {}).size(), 1u);
}

TEST(SkinGeometry, ButtonStatesPickTheirSlices) {
    struct Case {
        bool enabled, hover, pressed, focused;
        SkinButtonState state;
    };
    const Case cases[] = {{true, false, false, false, kSkinNormal}, {true, true, false, true, kSkinHover},
                          {true, true, true, false, kSkinPressed},  {true, false, true, true, kSkinFocused},
                          {false, true, true, true, kSkinDisabled}};
    for (const Case& c : cases) EXPECT_EQ(SkinButtonStateOf(c.enabled, c.hover, c.pressed, c.focused), c.state);
    EXPECT_EQ(SkinStateSlice({250, 30}, kSkinDisabled), (Rect{200, 0, 250, 30}));
}

TEST(SkinGeometry, OpaqueRunsLeaveOutTheTransparentColour) {
    const std::uint32_t t = 0xFF00FF;
    const std::vector<std::uint32_t> pixels{t, 1, 1, t, 2,
                                            t, t, t, t, t,
                                            3, 3, 3, 3, 3};
    const std::vector<Rect> runs = OpaqueRuns(pixels, 5, t);
    EXPECT_EQ(runs, (std::vector<Rect>{{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 2, 5, 3}}));
    EXPECT_TRUE(OpaqueRuns(pixels, 0, t).empty());
}
