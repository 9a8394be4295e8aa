#include "SizingBarGeometry.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Rect;

namespace {

constexpr Rect kWindow{0, 0, 200, 100};

}  // namespace

TEST(SizingBarGeometry, BarAloneInItsRowHasOnlyTheEdgeTowardsTheClientArea) {
    struct Case {
        DockSide side;
        std::uint32_t edges;
    };
    const Case cases[] = {{DockSide::Top, kEdgeBottom},
                          {DockSide::Left, kEdgeRight},
                          {DockSide::Right, kEdgeLeft},
                          {DockSide::Bottom, kEdgeTop},
                          {DockSide::Floating, 0}};
    for (const Case& c : cases) {
        std::uint32_t style = kShowEdges | RowEdgeBits(c.side, 0, 1);
        SizingBarClientRect(kWindow, c.side, style);
        EXPECT_EQ(style & kEdgeMask, c.edges) << static_cast<int>(c.side);
    }
}

TEST(SizingBarGeometry, MiddleBarOfARowHasEdgesOnBothNeighbours) {
    EXPECT_EQ(RowEdgeBits(DockSide::Top, 1, 3), static_cast<std::uint32_t>(kEdgeLeft | kEdgeRight));
    EXPECT_EQ(RowEdgeBits(DockSide::Left, 1, 3), static_cast<std::uint32_t>(kEdgeTop | kEdgeBottom));
    EXPECT_EQ(RowEdgeBits(DockSide::Left, 2, 3), static_cast<std::uint32_t>(kEdgeTop));
}

TEST(SizingBarGeometry, ClientRectangleIsInsetByTheFrameAndShownEdges) {
    std::uint32_t style = kShowEdges;
    EXPECT_EQ(SizingBarClientRect(kWindow, DockSide::Left, style), (Rect{5, 5, 190, 95}));
    std::uint32_t floating = kShowEdges;
    EXPECT_EQ(SizingBarClientRect(kWindow, DockSide::Floating, floating), (Rect{3, 5, 197, 97}));
}

TEST(SizingBarGeometry, HitTestFindsEdgesAndFloatingBarsAnswerClient) {
    const std::uint32_t style = kEdgeLeft | kEdgeBottom;
    struct Case {
        DockSide side;
        platform::Point point;
        int hit;
    };
    const Case cases[] = {
        {DockSide::Top, {2, 50}, kHitLeft},
        {DockSide::Top, {2, 2}, kHitClient},  // across-row edges stop short of the corners
        {DockSide::Top, {100, 97}, kHitBottom},
        {DockSide::Top, {100, 50}, kHitClient},
        {DockSide::Floating, {2, 50}, kHitClient},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SizingBarHitTest(kWindow, c.side, style, c.point), c.hit) << c.point.x << "," << c.point.y;
    }
}

TEST(SizingBarGeometry, EdgeDragStopsAtTheNeighboursMinimum) {
    std::vector<RowBar> bars{{300, 33}, {150, 100}, {120, 50}};
    const DragLimits limits = RowEdgeDragLimits(bars, 1, 400);
    EXPECT_EQ(limits.minimum, 400 - 267);
    EXPECT_EQ(limits.maximum, 400 + 50 + 70);

    ApplyRowEdgeDrag(bars, 1, limits.maximum - 400);
    EXPECT_EQ(bars[0].length, 420);
    EXPECT_EQ(bars[1].length, 100);
    EXPECT_EQ(bars[2].length, 50);
}

TEST(SizingBarGeometry, EdgeDragBackTakesFromTheNearestBarFirst) {
    std::vector<RowBar> bars{{100, 33}, {100, 33}, {100, 33}};
    ApplyRowEdgeDrag(bars, 2, -80);
    EXPECT_EQ(bars[0].length, 87);
    EXPECT_EQ(bars[1].length, 33);
    EXPECT_EQ(bars[2].length, 180);
}

TEST(SizingBarGeometry, RowHandOutSkipsKeptBarsUntilAPassHandsOutNothing) {
    std::vector<RowBar> bars{{100, 33, true}, {100, 33, false}};
    EXPECT_EQ(HandOutRowLength(bars, 10), 0);
    EXPECT_EQ(bars[0].length, 100);
    EXPECT_EQ(bars[1].length, 110);

    std::vector<RowBar> allKept{{100, 33, true}, {100, 33, true}};
    EXPECT_EQ(HandOutRowLength(allKept, 3), 0);
    EXPECT_EQ(allKept[0].length + allKept[1].length, 203);
    EXPECT_FALSE(allKept[0].keepSize);
}

TEST(SizingBarGeometry, RowHandOutEndsWhenEveryBarIsAtItsMinimum) {
    std::vector<RowBar> bars{{40, 33}, {35, 33}};
    EXPECT_EQ(HandOutRowLength(bars, -20), -11);
    EXPECT_EQ(bars[0].length, 33);
    EXPECT_EQ(bars[1].length, 33);
}

TEST(SizingBarGeometry, CoolBarGripperAndButtonOnlyWhileDocked) {
    const Rect client{5, 5, 195, 95};
    const CoolBarLayout top = CoolBarClientLayout(client, DockSide::Top);
    EXPECT_EQ(top.client.left, 17);
    EXPECT_EQ(top.closeButton, (platform::Point{3, 5}));
    const CoolBarLayout left = CoolBarClientLayout(client, DockSide::Left);
    EXPECT_EQ(left.client.top, 17);
    EXPECT_EQ(left.closeButton, (platform::Point{183, 3}));
    const CoolBarLayout floating = CoolBarClientLayout(client, DockSide::Floating);
    EXPECT_EQ(floating.client, client);
}

TEST(SizingBarGeometry, ResizableBarHasOneEdgeTowardsTheCentre) {
    struct Case {
        DockSide side;
        ResizableBarInsets insets;
    };
    const Case cases[] = {{DockSide::Top, {10, 2, 2, 5, kEdgeBottom}},
                          {DockSide::Left, {2, 10, 5, 2, kEdgeRight}},
                          {DockSide::Right, {5, 10, 2, 2, kEdgeLeft}},
                          {DockSide::Bottom, {10, 5, 2, 2, kEdgeTop}},
                          {DockSide::Floating, {0, 0, 0, 0, 0}}};
    for (const Case& c : cases) {
        const ResizableBarInsets insets = ResizableBarClientInsets(c.side, 5, 10, 2);
        EXPECT_EQ(insets.left, c.insets.left);
        EXPECT_EQ(insets.top, c.insets.top);
        EXPECT_EQ(insets.right, c.insets.right);
        EXPECT_EQ(insets.bottom, c.insets.bottom);
        EXPECT_EQ(insets.edge, c.insets.edge);
    }
}

TEST(SizingBarGeometry, ResizableBarDragGrowsTowardsTheCentreWithinLimits) {
    struct Case {
        DockSide side;
        std::int32_t displacement;
        std::int32_t size;
    };
    const Case cases[] = {{DockSide::Left, 50, 250},   {DockSide::Right, 50, 150}, {DockSide::Top, -500, 40},
                          {DockSide::Bottom, -900, 800}, {DockSide::Left, 0, 200}};
    for (const Case& c : cases) {
        EXPECT_EQ(ResizableBarDraggedSize(c.side, 200, c.displacement, 40, 600), c.size) << c.displacement;
    }
}
