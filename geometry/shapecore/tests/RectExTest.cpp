#include "RectEx.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CurveTestHelpers.h"

namespace {

using namespace shapecore_test;

void ExpectRect(const CRectEx& rect, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(rect.x1, x1);
    EXPECT_DOUBLE_EQ(rect.y1, y1);
    EXPECT_DOUBLE_EQ(rect.x2, x2);
    EXPECT_DOUBLE_EQ(rect.y2, y2);
}

TEST(RectExTest, DefaultIsTheHundredMillimetreSquareAndNotEmpty) {
    CRectEx rect;
    ExpectRect(rect, 0, 0, 100, 100);
    EXPECT_EQ(rect.IsRectEmpty(), 0);
    EXPECT_EQ(CRectEx(SDPoint{1, 1}, SDPoint{5, 1}).IsRectEmpty(), 1);
}

TEST(RectExTest, ConstructorsOrderAndRoundToThousandths) {
    ExpectRect(CRectEx(1.23456, -1.23456, 0.0006, 0.0004), 0.001, -1.235, 1.235, 0.0);
    ExpectRect(CRectEx(SDPoint{5, 5}, -4, 2), 3, 4, 7, 6);
    ExpectRect(CRectEx(SDPoint{3, -1}, SDPoint{-2, 4}), -2, -1, 3, 4);
    // Halves round away from zero on both sides of the origin.
    ExpectRect(CRectEx(0.0005, -0.0005, 2.0015, -2.0015), 0.001, -2.002, 2.002, -0.001);
}

TEST(RectExTest, NormalizeBeyondThirtyTwoBitThousandthsKeepsTheValue) {
    // Rounding through a 32-bit count of thousandths overflowed for coordinates past +-2147483 mm.
    CRectEx rect(-5.0e6, 0.0, 3.0e9, 1.0e12);
    ExpectRect(rect, -5.0e6, 0.0, 3.0e9, 1.0e12);
}

TEST(RectExTest, QueriesNormaliseTheReceiver) {
    CRectEx rect;
    rect.x1 = 10.00049;
    rect.x2 = 0;
    rect.y1 = 10;
    rect.y2 = 0;
    EXPECT_EQ(rect.PtInRect({5, 5}, 0), 1);
    ExpectRect(rect, 0, 0, 10, 10);

    CRectEx unordered;
    unordered.x1 = 4;
    unordered.x2 = 1;
    EXPECT_DOUBLE_EQ(unordered.MinPoint().x, 1);
    EXPECT_DOUBLE_EQ(unordered.x2, 4);
}

TEST(RectExTest, PointInRectUsesTheMagnitudeOfTheTolerance) {
    CRectEx rect(0, 0, 10, 10);
    EXPECT_EQ(rect.PtInRect({10.05, 5}, -0.1), 1);
    EXPECT_EQ(rect.PtInRect({10.2, 5}, 0.1), 0);
    EXPECT_EQ(rect.PtInRect({10, 10}, 0), 1);
}

TEST(RectExTest, IntersectCountsTouchingWithinAThousandth) {
    CRectEx a(0, 0, 1, 1);
    CRectEx out(7, 7, 8, 8);
    ASSERT_EQ(a.IntersectRect(CRectEx(1.001, 0, 2, 1), out), 1);
    EXPECT_GT(out.x1, out.x2);

    CRectEx untouched(7, 7, 8, 8);
    EXPECT_EQ(a.IntersectRect(CRectEx(1.002, 0, 2, 1), untouched), 0);
    ExpectRect(untouched, 7, 7, 8, 8);

    ASSERT_EQ(a.IntersectRect(CRectEx(0.5, 0.25, 3, 0.75), out), 1);
    ExpectRect(out, 0.5, 0.25, 1, 0.75);
}

TEST(RectExTest, IncludeEqualAndUnion) {
    CRectEx outer(0, 0, 10, 10);
    EXPECT_EQ(outer.IsInclude(CRectEx(1, 1, 10.05, 9), 0.1), 1);
    EXPECT_EQ(outer.IsInclude(CRectEx(1, 1, 10.05, 9), 0), 0);
    EXPECT_EQ(outer.EqualRect(CRectEx(0.01, 0, 10, 10), 0.02), 1);
    EXPECT_EQ(outer.EqualRect(CRectEx(0.01, 0, 10, 10), 0.001), 0);

    const CRectEx joined = CRectEx::UnionRect(CRectEx(0, 0, 1, 1), CRectEx(5, -2, 6, 0));
    ExpectRect(joined, 0, -2, 6, 1);
}

TEST(RectExTest, InflateAboutTheCentre) {
    CRectEx rect(0, 0, 10, 4);
    rect.InflateRect(1, -1);
    ExpectRect(rect, -1, 1, 11, 3);

    CRectEx sided(0, 0, 10, 4);
    sided.InflateRect(1, 2, 3, 4);
    ExpectRect(sided, -1, -3, 12, 8);
}

TEST(RectExTest, DragScalesAboutAPointAndRotateTakesRadians) {
    CRectEx rect(0, 0, 10, 10);
    rect.Drag(10, 0, -0.5, 2);
    ExpectRect(rect, 10, 0, 15, 20);

    CRectEx turned(0, 0, 2, 1);
    turned.Rotate(0, 0, 90);  // 90 radians, not degrees
    const double c = std::cos(90.0), s = std::sin(90.0);
    const double xs[] = {0, 2 * c, 2 * c - s, -s};
    const double ys[] = {0, 2 * s, 2 * s + c, c};
    EXPECT_NEAR(turned.x1, *std::min_element(std::begin(xs), std::end(xs)), 0.0006);
    EXPECT_NEAR(turned.x2, *std::max_element(std::begin(xs), std::end(xs)), 0.0006);
    EXPECT_NEAR(turned.y1, *std::min_element(std::begin(ys), std::end(ys)), 0.0006);
    EXPECT_NEAR(turned.y2, *std::max_element(std::begin(ys), std::end(ys)), 0.0006);
}

TEST(RectExTest, DragPointsRunFromTheTopRowAndWidenFlatSides) {
    struct Case {
        unsigned short index;
        SDPoint expected;
    };
    const CRectEx flat(SDPoint{0, 0}, SDPoint{10, 0});
    for (const Case& c : {Case{4, {5, 0}}, Case{0, {0, 0.5}}, Case{8, {10, -0.5}}, Case{20, {10, -0.5}}}) {
        const SDPoint point = flat.GetDragPoint(c.index);
        EXPECT_DOUBLE_EQ(point.x, c.expected.x) << c.index;
        EXPECT_DOUBLE_EQ(point.y, c.expected.y) << c.index;
    }
    const CRectEx box(0, 0, 10, 20);
    EXPECT_DOUBLE_EQ(box.GetDragPoint(1).y, 20);
    EXPECT_DOUBLE_EQ(box.GetDragPoint(3).y, 10);
    EXPECT_DOUBLE_EQ(box.GetDragPoint(5).x, 10);
}

TEST(RectExTest, StoresBothXValuesFirst) {
    CRectEx rect;
    rect.x1 = 1;
    rect.y1 = 2;
    rect.x2 = 3;
    rect.y2 = 4;
    const auto bytes = Stored(rect);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(DoubleAt(bytes, 0), 1);
    EXPECT_EQ(DoubleAt(bytes, 8), 3);
    EXPECT_EQ(DoubleAt(bytes, 16), 2);
    EXPECT_EQ(DoubleAt(bytes, 24), 4);

    CRectEx loaded(SDPoint{9, 9}, SDPoint{9, 9});
    LoadFrom(loaded, bytes);
    ExpectRect(loaded, 1, 2, 3, 4);
}

TEST(RectExTest, TruncatedOrNonFiniteRecordIsRefusedAndLeavesTheRectangle) {
    CRectEx source(1, 2, 3, 4);
    auto bytes = Stored(source);
    bytes.pop_back();
    CRectEx target;
    EXPECT_THROW(LoadFrom(target, bytes), platform::ArchiveError);
    ExpectRect(target, 0, 0, 100, 100);

    source.y2 = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(LoadFrom(target, Stored(source)), platform::ArchiveError);
    ExpectRect(target, 0, 0, 100, 100);
}

}  // namespace
