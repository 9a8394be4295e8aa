#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "LgpPlate.h"

namespace dotplate {
namespace {

// A plate whose dot area is the given closed polygon.
CLgpPlate PlateOf(const std::vector<SDPoint>& corners) {
    CLgpPlate plate;
    auto outline = std::make_unique<CLgpCurve>();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        CFileLine line;
        line.start = corners[i];
        line.end = corners[(i + 1) % corners.size()];
        outline->AddSegment(line);
    }
    outline->closed = 1;
    plate.plateOutlines.push_back(std::move(outline));
    plate.CalcPlateExtent();
    return plate;
}

std::vector<double> RowHeights(const CLgpPlate& plate) {
    std::vector<double> heights;
    for (const LgpDotRow& row : plate.dotRows) {
        heights.push_back(row.dots.front().y);
    }
    return heights;
}

std::vector<double> ColumnsOfRowAt(const CLgpPlate& plate, double y) {
    std::vector<double> columns;
    for (const LgpDotRow& row : plate.dotRows) {
        if (std::abs(row.dots.front().y - y) < 1e-9) {
            for (const LgpDot& dot : row.dots) {
                columns.push_back(dot.x);
            }
        }
    }
    std::sort(columns.begin(), columns.end());
    return columns;
}

void ExpectContainsNear(const std::vector<double>& values, std::initializer_list<double> expected) {
    for (double value : expected) {
        EXPECT_TRUE(std::any_of(values.begin(), values.end(), [value](double v) { return std::abs(v - value) < 1e-9; }))
            << value;
    }
}

TEST(LgpGenerationTest, DefaultRowsAndColumnsSpreadFromTheCentreWithGrowingSpacing) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    plate.Generate(LgpDotPara{}, LgpShapePara{});
    const std::vector<double> heights = RowHeights(plate);
    ASSERT_FALSE(heights.empty());
    EXPECT_TRUE(std::is_sorted(heights.begin(), heights.end())) << "rows run from the lowest up";
    ExpectContainsNear(heights, {99.0, 96.8, 94.4, 101.0, 103.2, 105.6});
    EXPECT_FALSE(std::any_of(heights.begin(), heights.end(), [](double y) { return y > 99.0 && y < 101.0; }));
    ExpectContainsNear(ColumnsOfRowAt(plate, 99.0), {99.0, 96.8, 94.4, 101.0, 103.2, 105.6});
}

TEST(LgpGenerationTest, ANegativeGradientStopsAtTheMinimumSpacing) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    LgpDotPara parameters;
    parameters.lowerRows.gradient = -0.5;
    plate.Generate(parameters, LgpShapePara{});
    ExpectContainsNear(RowHeights(plate), {99.0, 97.5, 96.5, 96.0, 95.5, 95.0});
}

TEST(LgpGenerationTest, AMinimumSpacingThatCannotAdvanceFallsBackToTheDefault) {
    CLgpPlate plate;
    plate.MakeRectOutline(20, 20);
    LgpDotPara parameters;
    parameters.minSpacing = -1.0;
    parameters.lowerRows = parameters.upperRows = {2.0, -5.0};
    plate.Generate(parameters, LgpShapePara{});
    EXPECT_EQ(plate.dotPara.minSpacing, 0.5);
    EXPECT_LE(plate.dotRows.size(), 41u);
}

TEST(LgpGenerationTest, ADotAcrossTwoIntervalsIsSkippedEvenWhenBothAreInside) {
    // A plate with a slot from x 49.5 to 50.5 reaching up from its bottom edge.
    CLgpPlate plate = PlateOf({{0, 0}, {49.5, 0}, {49.5, 80}, {50.5, 80}, {50.5, 0}, {100, 0}, {100, 100}, {0, 100}});
    plate.ApplyOutline(LgpShapePara{});
    std::vector<LgpInterval> intervals;
    ASSERT_EQ(plate.CrossOutline(true, true, 50, intervals), 1);
    ASSERT_EQ(intervals.size(), 2u);
    EXPECT_EQ(plate.DotFits({kRectangle, 50, 50, 1, 1}, intervals), 0);
    EXPECT_EQ(plate.DotFits({kRectangle, 49, 50, 1, 1}, intervals), 1);
    EXPECT_EQ(plate.DotFits({kRectangle, 120, 50, 1, 1}, intervals), 0);
}

TEST(LgpGenerationTest, AScanLineThroughTheTipOfANotchKeepsBothSides) {
    //   (0,20)      (20,20)
    //      \  V  /
    //       (10,10)
    //   (0,0)-----(20,0)
    CLgpPlate plate = PlateOf({{0, 0}, {20, 0}, {20, 20}, {10, 10}, {0, 20}});
    plate.ApplyOutline(LgpShapePara{});
    std::vector<LgpInterval> intervals;
    ASSERT_EQ(plate.CrossOutline(true, true, 10, intervals), 1);
    ASSERT_EQ(intervals.size(), 2u);
    EXPECT_EQ(intervals[1].start, 10.0);
    EXPECT_EQ(intervals[1].end, 20.0);
    EXPECT_EQ(plate.DotFits({kEllipse, 15, 10, 2, 1}, intervals), 1);
}

TEST(LgpGenerationTest, GridLinesAlternateTheirDirectionAndNeedAFlag) {
    CLgpPlate plate;
    plate.MakeRectOutline(20, 20);
    LgpDotPara parameters;
    parameters.dotMode = kGrid;
    plate.Generate(parameters, LgpShapePara{});
    EXPECT_TRUE(plate.dotRows.empty());

    parameters.rowStagger = 1;
    plate.Generate(parameters, LgpShapePara{});
    ASSERT_GE(plate.dotRows.size(), 2u);
    const LgpDot& first = plate.dotRows[0].dots.front();
    const LgpDot& second = plate.dotRows[1].dots.front();
    EXPECT_EQ(first.x, 0.0);
    EXPECT_EQ(first.w, 20.0);
    EXPECT_EQ(second.x, 20.0);
    EXPECT_EQ(second.w, 0.0);
}

TEST(LgpGenerationTest, ALeftLightSourcePutsTheBaselineOnTheRightEdge) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    LgpDotPara parameters;
    parameters.lightLeft = 1;
    plate.Generate(parameters, LgpShapePara{});
    EXPECT_EQ(plate.dotPara.baselineX, 100.0);
    const std::vector<double> columns = ColumnsOfRowAt(plate, 99.0);
    ASSERT_FALSE(columns.empty());
    EXPECT_DOUBLE_EQ(columns.back(), 199.0);
    // Only the lower and upper rows' gradients are zeroed: the source lies left and right.
    EXPECT_EQ(plate.dotPara.lowerRows.gradient, 0.0);
    EXPECT_EQ(plate.dotPara.leftColumns.gradient, 0.2);
}

TEST(LgpGenerationTest, ColumnStaggerRaisesEveryOtherColumnIntoARecordOfItsOwn) {
    CLgpPlate plate;
    plate.MakeEllipseOutline(60, 40);
    LgpDotPara parameters;
    parameters.columnStagger = 1;
    parameters.dotMode = kEllipse;
    plate.Generate(parameters, LgpShapePara{});
    std::set<double> heights;
    for (const LgpDotRow& row : plate.dotRows) {
        for (const LgpDot& dot : row.dots) {
            EXPECT_EQ(dot.y, row.dots.front().y) << "a record holds one height";
        }
        heights.insert(row.dots.front().y);
    }
    EXPECT_TRUE(heights.count(19.0) && heights.count(20.0)) << "the row at 19 and its raised half at 20";
}

}  // namespace
}  // namespace dotplate
