#include <gtest/gtest.h>

#include "LgpPlate.h"

namespace dotplate {
namespace {

LgpShapePara Blank(double distance, int applyToOutline, int enabled = 1) {
    LgpShapePara shape;
    shape.blankEnabled = enabled;
    shape.blankDistance = distance;
    shape.applyToOutline = applyToOutline;
    return shape;
}

void ExpectBox(const LgpBox& box, double low, double high) {
    EXPECT_NEAR(box.left, low, 1e-6);
    EXPECT_NEAR(box.bottom, low, 1e-6);
    EXPECT_NEAR(box.right, high, 1e-6);
    EXPECT_NEAR(box.top, high, 1e-6);
}

TEST(LgpOffsetTest, WithoutABlankTheDotAreaIsACopyOfThePlate) {
    for (const LgpShapePara& shape : {Blank(0.0, 0), Blank(5.0, 0, 0), Blank(0.0, 1)}) {
        CLgpPlate plate;
        plate.MakeRectOutline(200, 200);
        plate.ApplyOutline(shape);
        ASSERT_EQ(plate.dotAreaOutlines.size(), 1u);
        EXPECT_TRUE(plate.edgeOutlines.empty());
        EXPECT_EQ(plate.dotAreaOutlines.front()->colour, 0xFFFFFFu);
        EXPECT_EQ(plate.dotAreaOutlines.front()->closed, 1);
        ExpectBox(plate.extent, 0, 200);
    }
}

TEST(LgpOffsetTest, TheBlankShrinksTheDotAreaOrGrowsTheEdgeBySign) {
    struct Case {
        double distance;
        int applyToOutline;
        double dotAreaLow, dotAreaHigh;
        double edgeLow, edgeHigh;  // equal when there is no edge outline
    };
    const Case cases[] = {
        {5.0, 0, 5, 195, 0, 0},
        {-5.0, 0, -5, 205, 0, 0},
        {5.0, 1, 0, 200, -5, 205},
        {-5.0, 1, 0, 200, 5, 195},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.distance << " apply " << test.applyToOutline);
        CLgpPlate plate;
        plate.MakeRectOutline(200, 200);
        plate.ApplyOutline(Blank(test.distance, test.applyToOutline));
        ASSERT_EQ(plate.dotAreaOutlines.size(), 1u);
        ExpectBox(plate.dotAreaOutlines.front()->bounds, test.dotAreaLow, test.dotAreaHigh);
        ExpectBox(plate.extent, test.dotAreaLow, test.dotAreaHigh);
        if (test.edgeLow == test.edgeHigh) {
            EXPECT_TRUE(plate.edgeOutlines.empty());
            EXPECT_EQ(plate.dotAreaOutlines.front()->colour, 255u);
        } else {
            ASSERT_EQ(plate.edgeOutlines.size(), 1u);
            ExpectBox(plate.edgeOutlines.front()->bounds, test.edgeLow, test.edgeHigh);
            EXPECT_EQ(plate.edgeOutlines.front()->closed, 1);
        }
    }
}

TEST(LgpOffsetTest, AHoleMovesTheOtherWayFromItsOuterOutline) {
    CLgpPlate plate;
    plate.MakeRectOutline(100, 100);
    CLgpPlate hole;
    hole.MakeRectOutline(20, 20);
    plate.plateOutlines.push_back(std::make_unique<CLgpCurve>(*hole.plateOutlines.front()));
    plate.plateOutlines.back()->Move(40, 40);
    plate.ClassifyOutlines();
    plate.ApplyOutline(Blank(2.0, 0));
    ASSERT_EQ(plate.dotAreaOutlines.size(), 2u);
    ExpectBox(plate.dotAreaOutlines[0]->bounds, 2, 98);
    ExpectBox(plate.dotAreaOutlines[1]->bounds, 38, 62);
}

TEST(LgpOffsetTest, OverlappingOffsetsMergeOnlyWhenAsked) {
    for (int merge : {0, 1}) {
        CLgpPlate plate;
        plate.MakeRectOutline(10, 10);
        CLgpPlate other;
        other.MakeRectOutline(10, 10);
        plate.plateOutlines.push_back(std::make_unique<CLgpCurve>(*other.plateOutlines.front()));
        plate.plateOutlines.back()->Move(12, 3);
        LgpShapePara shape = Blank(-2.0, 0);
        shape.mergeCrossing = merge;
        plate.ApplyOutline(shape);
        EXPECT_EQ(plate.dotAreaOutlines.size(), merge == 1 ? 1u : 2u);
    }
}

TEST(LgpOffsetTest, AnInwardBlankWiderThanThePlateLeavesNoDotArea) {
    CLgpPlate plate;
    plate.MakeRectOutline(10, 10);
    plate.ApplyOutline(Blank(6.0, 0));
    EXPECT_TRUE(plate.dotAreaOutlines.empty());
    plate.Generate(LgpDotPara{}, Blank(6.0, 0));
    EXPECT_FALSE(plate.HasDots());
}

}  // namespace
}  // namespace dotplate
