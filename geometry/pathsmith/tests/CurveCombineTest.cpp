// Zint_CurveCombine and the merge of two outlines into the outline of their union.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::CurveList;
using testing::Points;

CMyCurve* NewCurve(const Points& outline, std::uint32_t colour = 0xFFFFFF) {
    auto* curve = new CMyCurve;
    testing::FillSegments(curve->segments, outline);
    curve->colour = colour;
    return curve;
}

Points DistinctVertices(const Points& ring) {
    Points distinct;
    for (const SDPoint& v : ring) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(), [&](const SDPoint& d) {
            return std::fabs(d.x - v.x) <= 0.001 && std::fabs(d.y - v.y) <= 0.001;
        });
        if (!seen) {
            distinct.push_back(v);
        }
    }
    return distinct;
}

TEST(CurveCombineTest, OverlappingSquaresBecomeOneOutline) {
    CurveList curves;
    curves.list.AddTail(NewCurve(testing::Rectangle(0, 0, 10, 10), 0x0000FF));
    curves.list.AddTail(NewCurve(testing::Rectangle(5, 5, 15, 15), 0x00FF00));
    EXPECT_EQ(Zint_CurveCombine(&curves.list), 0);
    ASSERT_EQ(curves.Count(), 1);
    const CMyCurve& merged = *curves.At(0);
    EXPECT_EQ(merged.colour, 0x0000FFu);
    EXPECT_EQ(merged.combined, 1);
    const Points ring = testing::VerticesOf(merged);
    EXPECT_EQ(DistinctVertices(ring).size(), 8u);
    EXPECT_NEAR(std::fabs(testing::SignedArea(ring)), 175.0, 1e-9);
    EXPECT_NEAR(ring.front().x, ring.back().x, 0.001);
    EXPECT_NEAR(ring.front().y, ring.back().y, 0.001);
}

TEST(CurveCombineTest, PairsThatDoNotCrossStayApart) {
    struct Case {
        const char* name;
        Points first;
        Points second;
    };
    const Case cases[] = {
        {"nested", testing::Rectangle(0, 0, 20, 20), testing::Rectangle(5, 5, 10, 10)},
        {"sharing an edge", testing::Rectangle(0, 0, 10, 10), testing::Rectangle(10, 0, 20, 10)},
        {"touching at a corner", testing::Rectangle(0, 0, 10, 10), testing::Rectangle(10, 10, 20, 20)},
        {"apart", testing::Rectangle(0, 0, 10, 10), testing::Rectangle(30, 30, 40, 40)},
    };
    for (const Case& c : cases) {
        CurveList curves;
        curves.list.AddTail(NewCurve(c.first));
        curves.list.AddTail(NewCurve(c.second));
        EXPECT_EQ(Zint_CurveCombine(&curves.list), 0) << c.name;
        ASSERT_EQ(curves.Count(), 2) << c.name;
        EXPECT_EQ(curves.At(0)->combined, 0) << c.name;
        EXPECT_EQ(curves.At(1)->combined, 0) << c.name;
    }
}

TEST(CurveCombineTest, OnlyClosedCurvesTakePart) {
    CurveList curves;
    auto* open = new CMyCurve;
    testing::FillSegments(open->segments, testing::Rectangle(0, 0, 10, 10), false);
    curves.list.AddTail(open);
    curves.list.AddTail(NewCurve(testing::Rectangle(5, 5, 15, 15)));
    EXPECT_EQ(Zint_CurveCombine(&curves.list), 0);
    EXPECT_EQ(curves.Count(), 2);

    CurveList single;
    single.list.AddTail(NewCurve(testing::Rectangle(0, 0, 10, 10)));
    EXPECT_EQ(Zint_CurveCombine(&single.list), 0);
    EXPECT_EQ(single.Count(), 1);
    EXPECT_EQ(Zint_CurveCombine(nullptr), 0);
}

TEST(CurveCombineTest, ThreeOverlappingCurvesBecomeOne) {
    CurveList curves;
    curves.list.AddTail(NewCurve(testing::RegularPolygon({0, 0}, 10, 24), 0x123456));
    curves.list.AddTail(NewCurve(testing::RegularPolygon({12, 0}, 10, 24), 0x00FF00));
    curves.list.AddTail(NewCurve(testing::RegularPolygon({6, 9}, 10, 24), 0xFF0000));
    EXPECT_EQ(Zint_CurveCombine(&curves.list), 0);
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_EQ(curves.At(0)->colour, 0x123456u);
    EXPECT_EQ(curves.At(0)->combined, 1);
}

TEST(CurveCombineTest, CurveFarDownTheListStillMergesAndTheCurvesBetweenKeepTheirPlaces) {
    CurveList curves;
    curves.list.AddTail(NewCurve(testing::Rectangle(0, 0, 10, 10), 1000));
    for (int index = 0; index < 300; ++index) {
        const double x = 20.0 + (index % 20) * 12.0, y = (index / 20) * 12.0;
        curves.list.AddTail(NewCurve(testing::Rectangle(x, y, x + 10, y + 10), index));
    }
    curves.list.AddTail(NewCurve(testing::Rectangle(5, 5, 15, 8), 2000));
    EXPECT_EQ(Zint_CurveCombine(&curves.list), 0);
    ASSERT_EQ(curves.Count(), 301);
    EXPECT_EQ(curves.At(0)->combined, 1);
    EXPECT_EQ(curves.At(0)->colour, 1000u);
    for (int index = 0; index < 300; ++index) {
        EXPECT_EQ(curves.At(index + 1)->colour, static_cast<std::uint32_t>(index));
        EXPECT_EQ(curves.At(index + 1)->combined, 0);
    }
}

TEST(CurveCombineTest, RingShapedUnionKeepsOnlyTheOuterOutline) {
    // Two C shapes facing each other; their arms overlap and cross, closing around a hole in the
    // middle that the union drops.
    const Points left{{0, 0}, {12, 0}, {12, 4}, {4, 4}, {4, 16}, {12, 16}, {12, 20}, {0, 20}};
    const Points right{{8, -1}, {20, -1}, {20, 21}, {8, 21}, {8, 17}, {16, 17}, {16, 3}, {8, 3}};
    CurveList curves;
    curves.list.AddTail(NewCurve(left));
    curves.list.AddTail(NewCurve(right));
    EXPECT_EQ(Zint_CurveCombine(&curves.list), 0);
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_NEAR(std::fabs(testing::SignedArea(testing::VerticesOf(*curves.At(0)))), 8.0 * 20 + 12.0 * 22,
                1e-9);
}

TEST(CurveCombineTest, UnionOfRandomPolygonsContainsBoth) {
    std::mt19937 random(77);
    std::uniform_real_distribution<double> offset(-25.0, 25.0);
    int merges = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Points first = testing::RandomStarPolygon(random, 6 + trial % 30, 10.0, 30.0);
        Points second = testing::RandomStarPolygon(random, 6 + (trial * 7) % 30, 10.0, 30.0);
        const double dx = offset(random), dy = offset(random);
        for (SDPoint& v : second) {
            v.x += dx;
            v.y += dy;
        }
        CurveList curves;
        curves.list.AddTail(NewCurve(first));
        curves.list.AddTail(NewCurve(second));
        Zint_CurveCombine(&curves.list);
        if (curves.Count() != 1) {
            continue;
        }
        ++merges;
        const Points merged = testing::VerticesOf(*curves.At(0));
        for (const Points* input : {&first, static_cast<const Points*>(&second)}) {
            for (const SDPoint& v : *input) {
                // Every input vertex lies inside the union or on its outline.
                EXPECT_TRUE(testing::InsidePolygon(v, merged) || testing::DistanceToPolygon(v, merged) < 1e-6)
                    << "trial " << trial;
            }
        }
        EXPECT_GE(std::fabs(testing::SignedArea(merged)) + 1e-6,
                  std::max(std::fabs(testing::SignedArea(first)), std::fabs(testing::SignedArea(second))))
            << "trial " << trial;
    }
    EXPECT_GT(merges, 150);
}

}  // namespace
}  // namespace pathsmith
