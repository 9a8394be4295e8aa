#include "CadRect.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(rect.x1, x1);
    EXPECT_DOUBLE_EQ(rect.y1, y1);
    EXPECT_DOUBLE_EQ(rect.x2, x2);
    EXPECT_DOUBLE_EQ(rect.y2, y2);
}

TEST(CadRectTest, ConstructorsGiveNormalisedRectangles) {
    ExpectRect(CCadRect(), 0, 0, 100, 100);
    ExpectRect(CCadRect(10, 5, -4, 2, 1), 6, 5, 10, 7);  // negative width: x1 is x + a
    ExpectRect(CCadRect(10, 5, -4, 2, 0), -4, 2, 10, 5);
}

TEST(CadRectTest, NormalizeSwapsOnlyReversedSides) {
    CCadRect rect;
    rect.x1 = 3;
    rect.x2 = 1;
    rect.y1 = 2;
    rect.y2 = 2;
    rect.Normalize();
    ExpectRect(rect, 1, 2, 3, 2);
    rect.Normalize();
    ExpectRect(rect, 1, 2, 3, 2);
}

TEST(CadRectTest, IsInsideAnswersOverlapWithinTheTolerance) {
    struct Case {
        CCadRect other;
        int expected;
    };
    const CCadRect rect(0, 0, 10, 10, 0);
    const Case cases[] = {
        {CCadRect(10, 0, 20, 10, 0), 1},       // touching along an edge
        {CCadRect(10.001, 0, 20, 10, 0), 1},   // a gap of the tolerance itself
        {CCadRect(10.0011, 0, 20, 10, 0), 0},  // just beyond it
        {CCadRect(0, -5, 10, -0.0011, 0), 0},  // below
        {CCadRect(2, 2, 3, 3, 0), 1},          // inside
        {CCadRect(-5, -5, 20, 20, 0), 1},      // around
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rect.IsInside(c.other.x1, c.other.y1, c.other.x2, c.other.y2, 0.001), c.expected)
            << c.other.x1 << "," << c.other.y1;
    }
}

TEST(CadRectTest, ContainsPointNormalisesAndCountsBorders) {
    CCadRect rect;
    rect.x1 = 10;
    rect.y1 = 10;
    rect.x2 = 0;
    rect.y2 = 0;
    EXPECT_EQ(rect.ContainsPoint(5, 5), 1);
    ExpectRect(rect, 0, 0, 10, 10);
    EXPECT_EQ(rect.ContainsPoint(10, 0), 1);
    EXPECT_EQ(rect.ContainsPoint(10.0001, 5), 0);
}

TEST(CadRectTest, PositionPointsRunFromTheTopRow) {
    struct Case {
        CCadRect rect;
        unsigned short code;
        double x, y;
    };
    const Case cases[] = {
        {CCadRect(0, 0, 10, 20, 0), 0, 0, 20}, {CCadRect(0, 0, 10, 20, 0), 1, 5, 20},
        {CCadRect(0, 0, 10, 20, 0), 4, 5, 10}, {CCadRect(0, 0, 10, 20, 0), 6, 0, 0},
        {CCadRect(0, 0, 10, 20, 0), 8, 10, 0}, {CCadRect(0, 0, 10, 20, 0), 99, 10, 0},
        {CCadRect(0, 0, 0, 10, 0), 5, 0.5, 5}, {CCadRect(0, 3, 10, 3, 0), 1, 5, 3.5},
    };
    for (const Case& c : cases) {
        double x = -1, y = -1;
        c.rect.GetPositionPoint(x, y, c.code);
        EXPECT_DOUBLE_EQ(x, c.x) << c.code;
        EXPECT_DOUBLE_EQ(y, c.y) << c.code;
    }
}

TEST(CadRectTest, BoxOfTwoPointsAndUnion) {
    CCadRect box;
    box.SetFromPoints(5, -2, -3, 7);
    ExpectRect(box, -3, -2, 5, 7);
    CCadRect other;
    other.SetFromPoints(4, 10, 12, 8);
    box.Unite(other);
    ExpectRect(box, -3, -2, 12, 10);
    CCadRect inside;
    inside.SetFromPoints(0, 0, 1, 1);
    box.Unite(inside);
    ExpectRect(box, -3, -2, 12, 10);
}

}  // namespace
