// Every export meets broken and extreme input without harm.
#include <gtest/gtest.h>

#include <cmath>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

TEST(ExportInputTest, NonFiniteCoordinatesAreRefusedWithoutHarm) {
    auto badList = [](CDbList<CLineEx>& list) {
        testing::FillSegments(list, testing::Rectangle(0, 0, 10, 10));
        list.head->next->next->value.p1.x = NAN;
        list.head->next->next->next->value.p0.x = NAN;
    };
    CDbList<CLineEx> bad, good, output;
    badList(bad);
    testing::FillSegments(good, testing::Rectangle(5, 5, 15, 15));
    testing::CurveList curves;
    EXPECT_EQ(Zint_Offset(&bad, &curves.list, 1.0, 0, 0), 1);
    EXPECT_EQ(Zint_DoubleOffset(&bad, &curves.list, 1.0), 1);
    EXPECT_EQ(Zint_IsSelfCross(&bad), 1);
    EXPECT_EQ(Zint_GetSelfRing(&bad, &curves.list), 1);
    EXPECT_EQ(Zint_IsCross(&bad, &good), 1);
    EXPECT_EQ(Zint_IsOverlap(&bad, &good, 0.1), 1);
    EXPECT_EQ(Zint_DelOverlap(&bad, &good, 0.1), 0);
    EXPECT_EQ(Zint_Addbridge(&bad, &output, 1, 1.0, 0, 3.0, 0, 0, 0, 0, 0), 1);
    EXPECT_EQ(curves.Count(), 0);
    EXPECT_EQ(bad.GetCount(), 4);
    EXPECT_EQ(good.GetCount(), 4);
}

TEST(ExportInputTest, FarAwayCoordinatesStillWork) {
    CDbList<CLineEx> square;
    testing::FillSegments(square, testing::Rectangle(1e6, 1e6, 1e6 + 10, 1e6 + 10));
    testing::CurveList curves;
    EXPECT_EQ(Zint_Offset(&square, &curves.list, 1.0, 1, 0), 0);
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_NEAR(std::fabs(testing::SignedArea(testing::VerticesOf(*curves.At(0)))), 64.0, 1e-3);
    EXPECT_EQ(Zint_IsSelfCross(&square), 1);
}

}  // namespace
}  // namespace pathsmith
