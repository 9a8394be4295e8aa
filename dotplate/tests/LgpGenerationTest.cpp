#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <random>
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

// FNV-1a over the exact bits of every row's box and every dot, in list order: two generations agree
// only when they made the same dots, in the same rows and order, to the last bit.
std::uint64_t DotFingerprint(const CLgpPlate& plate) {
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](std::uint64_t word) {
        for (int byte = 0; byte < 8; ++byte) {
            hash = (hash ^ ((word >> (8 * byte)) & 0xFF)) * 1099511628211ull;
        }
    };
    auto mixDouble = [&mix](double value) { mix(std::bit_cast<std::uint64_t>(value)); };
    for (const LgpDotRow& row : plate.dotRows) {
        mix(row.dots.size());
        for (double edge : {row.bounds.left, row.bounds.bottom, row.bounds.right, row.bounds.top}) {
            mixDouble(edge);
        }
        for (const LgpDot& dot : row.dots) {
            mix(dot.kind);
            for (double value : {dot.x, dot.y, dot.w, dot.h}) {
                mixDouble(value);
            }
        }
    }
    return hash;
}

struct FingerprintCase {
    const char* plate;
    std::function<void(CLgpPlate&)> makeOutline;
    std::function<void(LgpDotPara&, LgpShapePara&)> setUp;
    std::array<std::uint64_t, 6> perMode;  // H-Line, V-Line, Ellipse, Rectangle, Grid, CrossLine
};

const std::vector<FingerprintCase>& FingerprintCases() {
    static const std::vector<FingerprintCase> cases = {
        {"rectangle 80 x 50 with the defaults",
         [](CLgpPlate& plate) { plate.MakeRectOutline(80, 50); },
         [](LgpDotPara& dots, LgpShapePara&) { dots.rowStagger = 1; },
         {0xa78531ed6111ffa7, 0xe8d9dc7c957ca2ad, 0x516800de46cab051, 0x7bced733c2f02619, 0xd671db27f758fc85,
          0x1901d3cef592aab9}},
        {"ellipse 60 x 40, dense, staggered both ways, sizes graded",
         [](CLgpPlate& plate) { plate.MakeEllipseOutline(60, 40); },
         [](LgpDotPara& dots, LgpShapePara&) {
             dots.rowStagger = dots.columnStagger = 1;
             dots.upperRows = dots.lowerRows = {0.7, 0.05};
             dots.leftColumns = dots.rightColumns = {0.5, 0.0};
             dots.widthGradients = {0.01, 0.02, -0.01, 0.03};
             dots.heightGradients = {-0.02, 0.01, 0.02, -0.01};
         },
         {0xeb2e40fe8b89d9b7, 0x76a8a79171441e83, 0x31ab8721a192c016, 0x0373183ee375987b, 0x6c28ca5804d005a9,
          0xb3f5af9509cdb23d}},
        {"notched plate inside a blank margin, lit from above and the left",
         [](CLgpPlate& plate) {
             plate = PlateOf(
                 {{0, 0}, {20, 0}, {20, 15}, {30, 15}, {30, 0}, {70, 0}, {70, 45}, {35, 25}, {0, 45}});
             plate.ClassifyOutlines();
         },
         [](LgpDotPara& dots, LgpShapePara& shape) {
             dots.lightUp = dots.lightLeft = 1;
             dots.columnStagger = 1;
             dots.upperRows = dots.lowerRows = {0.6, 0.01};
             dots.leftColumns = dots.rightColumns = {0.8, -0.02};
             dots.minSpacing = 0.3;
             dots.widthGradients = {0.0, 0.0, 0.005, 0.005};
             shape.blankEnabled = 1;
             shape.blankDistance = 2.0;
         },
         {0x46825e3dbeeb7f51, 0xa09d901db9365ff0, 0x07313315313bf671, 0x2b11422e1958c69c, 0xd23486f978562238,
          0x09b0e46fb85d86be}},
    };
    return cases;
}

void GenerateAndCheck(CLgpPlate& plate, const FingerprintCase& test, std::uint16_t mode) {
    LgpDotPara dots;
    LgpShapePara shape;
    test.setUp(dots, shape);
    dots.dotMode = mode;
    plate.Generate(dots, shape);
    EXPECT_FALSE(plate.dotRows.empty()) << test.plate << ", mode " << mode;
    EXPECT_EQ(DotFingerprint(plate), test.perMode[mode])
        << test.plate << ", mode " << mode << ": 0x" << std::hex << DotFingerprint(plate);
}

TEST(LgpGenerationTest, EveryModeMakesTheDotsItAlwaysMade) {
    for (const FingerprintCase& test : FingerprintCases()) {
        for (std::uint16_t mode = kHorizontalLine; mode <= kCrossLine; ++mode) {
            CLgpPlate plate;
            test.makeOutline(plate);
            GenerateAndCheck(plate, test, mode);
        }
    }
}

TEST(LgpGenerationTest, AGenerationMakesTheSameDotsWhateverThePlateHeldBefore) {
    for (const FingerprintCase& test : FingerprintCases()) {
        CLgpPlate plate;
        test.makeOutline(plate);
        // A dense pattern first, then every mode down and up again over what each left behind.
        LgpDotPara dense;
        dense.dotMode = kCrossLine;
        dense.upperRows = dense.lowerRows = dense.leftColumns = dense.rightColumns = {0.3, 0.0};
        plate.Generate(dense, LgpShapePara{});
        for (std::uint16_t mode : {5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5}) {
            GenerateAndCheck(plate, test, mode);
        }
    }
}

// Columns of a plate are read in the order of one stable sort by x and then y, whatever order the rows
// hold their dots in: ties keep the rows' order, and zero and minus zero are one column.
TEST(LgpDotColumnsTest, ColumnsFollowOneStableSortByXThenY) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> position(-6, 6);
    std::deque<LgpDotRow> rows(40);
    int serial = 0;
    for (LgpDotRow& row : rows) {
        for (int i = 0; i < 30; ++i) {
            LgpDot dot;
            const int x = position(random);
            dot.x = x == 0 && i % 2 == 0 ? -0.0 : x * 0.5;
            dot.y = position(random) * 0.25;
            dot.w = serial++;  // tells apart dots of equal x and y
            row.dots.push_back(dot);
        }
    }
    std::vector<LgpDot> expected;
    for (const LgpDotRow& row : rows) {
        expected.insert(expected.end(), row.dots.begin(), row.dots.end());
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const LgpDot& a, const LgpDot& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });

    const LgpDotColumns columns = DotColumns(rows);
    std::vector<LgpDot> got;
    for (std::span<const LgpDot> column : columns) {
        ASSERT_FALSE(column.empty());
        for (const LgpDot& dot : column) {
            EXPECT_EQ(dot.x, column.front().x);
        }
        got.insert(got.end(), column.begin(), column.end());
    }
    EXPECT_EQ(columns.columns.size(), 13u);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].w, expected[i].w) << "dot " << i;
    }
}

}  // namespace
}  // namespace dotplate
