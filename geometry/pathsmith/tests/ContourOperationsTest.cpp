// Closing, joining, self-crossing and rings, crossing and overlap of contours.
#include <gtest/gtest.h>

#include <cmath>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::CurveList;
using testing::Points;

const Points kFigureEight{{0, 0}, {10, 10}, {10, 0}, {0, 10}};

TEST(CloseCurveTest, ClosesAGapUpToTheTolerance) {
    struct Case {
        double gap;
        double tolerance;
        short status;
    };
    for (const Case& c :
         {Case{0.5, 0.5, 0}, Case{0.5000001, 0.5, 1}, Case{0.0, 0.0, 0}, Case{0.2, -1.0, 1}}) {
        CDbList<CLineEx> segments;
        testing::FillSegments(segments, {{0, 0}, {10, 0}, {10, 10}, {0, c.gap}}, false);
        EXPECT_EQ(Zint_CloseCurve(&segments, c.tolerance), c.status) << c.gap;
        const double endY = segments.head->prev->value.p1.y;
        EXPECT_EQ(endY, c.status == 0 ? 0.0 : c.gap) << c.gap;
    }
    CDbList<CLineEx> empty;
    EXPECT_EQ(Zint_CloseCurve(&empty, 1.0), 1);
    EXPECT_EQ(Zint_CloseCurve(nullptr, 1.0), 1);
}

TEST(CombineLineTest, RunsOfCurvesThatFollowOneAnotherBecomeOne) {
    CurveList curves;
    const Points pieces[] = {
        {{0, 0}, {5, 0}}, {{5.05, 0}, {5, 5}}, {{5, 5.02}, {0, 5}, {0, 0}}, {{20, 20}, {30, 20}}};
    for (const Points& piece : pieces) {
        auto* curve = new CMyCurve;
        testing::FillSegments(curve->segments, piece, false);
        curves.list.AddTail(curve);
    }
    EXPECT_EQ(Zint_CombineLine(&curves.list, 0.1), 0);
    ASSERT_EQ(curves.Count(), 2);
    const Points joined = testing::VerticesOf(*curves.At(0));
    const Points expected{{0, 0}, {5, 0}, {5, 5}, {0, 5}, {0, 0}};
    ASSERT_EQ(joined.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(joined[index].x, expected[index].x);
        EXPECT_EQ(joined[index].y, expected[index].y);
    }
    EXPECT_EQ(curves.At(1)->segments.GetCount(), 1);
    CDbList<CMyCurve*> empty;
    EXPECT_EQ(Zint_CombineLine(&empty, 0.1), 1);
}

TEST(SelfCrossTest, FindsCrossingSegments) {
    CDbList<CLineEx> eight, square, empty;
    testing::FillSegments(eight, kFigureEight);
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(Zint_IsSelfCross(&eight), 0);
    EXPECT_EQ(Zint_IsSelfCross(&square), 1);
    EXPECT_EQ(Zint_IsSelfCross(&empty), 1);
}

// Two neighbouring vertices of a finely divided circle swapped: a bow-tie between chords a few
// micrometres long that are all but parallel.
TEST(SelfCrossTest, FindsABowTieBetweenShortChordsOfAFineCircle) {
    struct Case {
        int segments;
        double radius;
    };
    for (const Case c : {Case{10000, 50.0}, Case{100000, 72.0}}) {
        Points circle = testing::RegularPolygon({0, 0}, c.radius, c.segments);
        CDbList<CLineEx> smooth;
        testing::FillSegments(smooth, circle);
        EXPECT_EQ(Zint_IsSelfCross(&smooth), 1) << c.segments;
        std::swap(circle[c.segments / 3], circle[c.segments / 3 + 1]);
        CDbList<CLineEx> bowTie;
        testing::FillSegments(bowTie, circle);
        EXPECT_EQ(Zint_IsSelfCross(&bowTie), 0) << c.segments;
    }
}

TEST(SelfRingTest, FigureEightGivesTwoRings) {
    CDbList<CLineEx> eight;
    testing::FillSegments(eight, kFigureEight);
    CurveList curves;
    EXPECT_EQ(Zint_GetSelfRing(&eight, &curves.list), 1);
    ASSERT_EQ(curves.Count(), 2);
    for (int index = 0; index < 2; ++index) {
        const Points ring = testing::VerticesOf(*curves.At(index));
        EXPECT_EQ(ring.size(), 4u) << "three corners and the return to the first";
        EXPECT_NEAR(std::fabs(testing::SignedArea(ring)), 25.0, 1e-9);
    }
}

TEST(SelfRingTest, ContourWithoutCrossingIsCopied) {
    CDbList<CLineEx> square;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    square.head->next->value = CLineEx(SDPoint{0, 0}, SDPoint{10, 0}, SDPoint{3, -2}, SDPoint{7, -2});
    CurveList curves;
    EXPECT_EQ(Zint_GetSelfRing(&square, &curves.list), 0);
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_EQ(curves.At(0)->segments.GetCount(), 4);
    EXPECT_EQ(curves.At(0)->segments.head->next->value.type, CLineEx::kBezier);
    CDbList<CLineEx> empty;
    EXPECT_EQ(Zint_GetSelfRing(&empty, &curves.list), 1);
    EXPECT_EQ(curves.Count(), 1);
}

TEST(CrossTest, ContoursCrossOnlyThroughEachOther) {
    struct Case {
        const char* name;
        Points second;
        short status;
    };
    const Case cases[] = {
        {"overlapping", testing::Rectangle(5, 5, 15, 15), 0},
        {"touching at a corner", testing::Rectangle(10, 10, 20, 20), 1},
        {"apart", testing::Rectangle(30, 0, 40, 10), 1},
        {"nested", testing::Rectangle(2, 2, 8, 8), 1},
    };
    for (const Case& c : cases) {
        CDbList<CLineEx> first, second;
        testing::FillSegments(first, testing::Rectangle(0, 0, 10, 10));
        testing::FillSegments(second, c.second);
        EXPECT_EQ(Zint_IsCross(&first, &second), c.status) << c.name;
    }
    CDbList<CLineEx> square, empty;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(Zint_IsCross(&square, &empty), 1);
}

TEST(OverlapTest, SquaresSharingAnEdgeOverlap) {
    CDbList<CLineEx> first, second, apart;
    testing::FillSegments(first, testing::Rectangle(0, 0, 10, 10));
    testing::FillSegments(second, testing::Rectangle(10, 0, 20, 10));
    testing::FillSegments(apart, testing::Rectangle(10.5, 0, 20, 10));
    EXPECT_EQ(Zint_IsOverlap(&first, &second, 0.01), 0);
    EXPECT_EQ(Zint_IsOverlap(&first, &apart, 0.01), 1);
    EXPECT_EQ(Zint_IsOverlap(&first, &apart, 0.6), 0);
}

TEST(OverlapTest, RemovalDeletesTheSharedEdgeFromTheSecondContour) {
    CDbList<CLineEx> first, second;
    testing::FillSegments(first, testing::Rectangle(0, 0, 10, 10));
    testing::FillSegments(second, testing::Rectangle(10, 0, 20, 10));
    EXPECT_EQ(Zint_DelOverlap(&first, &second, 0.01), 0);
    EXPECT_EQ(first.GetCount(), 4);
    ASSERT_EQ(second.GetCount(), 3);
    for (auto* node = second.head->next; node != second.head; node = node->next) {
        EXPECT_FALSE(node->value.p0.x == 10 && node->value.p1.x == 10) << "the shared edge x = 10 is gone";
    }
}

TEST(OverlapTest, PartlyOverlappingSegmentIsTrimmed) {
    CDbList<CLineEx> first, second;
    first.AddTail(CLineEx(0, 0, 10, 0));
    second.AddTail(CLineEx(5, 0, 15, 0));
    second.AddTail(CLineEx(12, -5, 3, 0.001));
    EXPECT_EQ(Zint_DelOverlap(&first, &second, 0.01), 0);
    ASSERT_EQ(second.GetCount(), 2);
    const CLineEx& trimmed = second.head->next->value;
    EXPECT_DOUBLE_EQ(trimmed.p0.x, 10.0);
    EXPECT_DOUBLE_EQ(trimmed.p1.x, 15.0);
    EXPECT_EQ(first.GetCount(), 1);
}

TEST(OverlapTest, TrimmedSegmentKeepsItsDirection) {
    // The end of b lies along a: what is left of b still runs from its own start.
    CDbList<CLineEx> first, second;
    first.AddTail(CLineEx(0, 0, 10, 0));
    second.AddTail(CLineEx(15, 0, 5, 0));
    EXPECT_EQ(Zint_DelOverlap(&first, &second, 0.01), 0);
    ASSERT_EQ(second.GetCount(), 1);
    EXPECT_DOUBLE_EQ(second.head->next->value.p0.x, 15.0);
    EXPECT_DOUBLE_EQ(second.head->next->value.p1.x, 10.0);
}

TEST(OverlapTest, SegmentLyingAlongTheOtherIsRemovedFromTheFirst) {
    CDbList<CLineEx> first, second;
    first.AddTail(CLineEx(2, 0, 4, 0));
    second.AddTail(CLineEx(0, 0.005, 10, 0.005));
    second.AddTail(CLineEx(0, 5, 10, 5));
    EXPECT_EQ(Zint_DelOverlap(&first, &second, 0.01), 0);
    EXPECT_TRUE(first.IsEmpty());
    EXPECT_EQ(second.GetCount(), 2);
}

}  // namespace
}  // namespace pathsmith
