// Even-odd fill of closed curves and lines of single segments, by toggling pixels.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>

#include "GeometryTestHelpers.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using namespace cutrix::testing;
using platform::DibBlock;

// A circle of four cubic Beziers around (cx, cy).
void AddCircle(CDbList<CFileLine>& curve, double cx, double cy, double r) {
    const double k = 0.5522847498 * r;
    AddRecords(curve, {Bezier({cx + r, cy}, {cx + r, cy + k}, {cx + k, cy + r}, {cx, cy + r}),
                       Bezier({cx, cy + r}, {cx - k, cy + r}, {cx - r, cy + k}, {cx - r, cy}),
                       Bezier({cx - r, cy}, {cx - r, cy - k}, {cx - k, cy - r}, {cx, cy - r}),
                       Bezier({cx, cy - r}, {cx + k, cy - r}, {cx + r, cy - k}, {cx + r, cy})});
}

int CountClear(const DibBlock& dib) {
    int clear = 0;
    for (int r = 0; r < dib.Layout().height; ++r) {
        for (int c = 0; c < dib.Layout().width; ++c) {
            clear += StoredValue(dib, c, r) == 0 ? 1 : 0;
        }
    }
    return clear;
}

TEST(CurveFillTest, FillingOuterAndInnerCurvesLeavesTheCounterEmptyAndTwiceRestores) {
    DibBlock dib = Created(100, 100, 1);
    const std::vector<std::uint8_t> white(dib.Bytes().begin(), dib.Bytes().end());
    CDbList<CFileLine> outer, inner;
    AddCircle(outer, 25.0, 25.0, 20.0);
    AddCircle(inner, 25.0, 25.0, 10.0);
    // Placement from (0, 0), 0.5 mm pixels: the ring spans radii 20 to 40 pixels.
    ASSERT_EQ(_dib_fill(&dib, &outer, 0.5, 0, 0, 50, 50), 0);
    ASSERT_EQ(_dib_fill(&dib, &inner, 0.5, 0, 0, 50, 50), 0);
    EXPECT_NEAR(CountClear(dib), std::numbers::pi * (40 * 40 - 20 * 20), 60);
    EXPECT_EQ(StoredValue(dib, 50, 50), 1u);  // the counter
    EXPECT_EQ(StoredValue(dib, 50, 20), 0u);  // the ring
    ASSERT_EQ(_dib_fill(&dib, &inner, 0.5, 0, 0, 50, 50), 0);
    ASSERT_EQ(_dib_fill(&dib, &outer, 0.5, 0, 0, 50, 50), 0);
    EXPECT_TRUE(std::ranges::equal(dib.Bytes(), white));
}

TEST(CurveFillTest, AnSCurveIsFollowedNotCutByItsChord) {
    // Closed shape: an S Bezier from (0, 10) to (40, 10) whose midpoint lies on its chord, closed by lines
    // along the bottom. The S bulges 7.5 mm above the chord in its first half.
    CDbList<CFileLine> curve;
    AddRecords(curve, {Bezier({0, 10}, {13.3, 30}, {26.7, -10}, {40, 10}), Line({40, 10}, {40, 0}),
                       Line({40, 0}, {0, 0}), Line({0, 0}, {0, 10})});
    DibBlock dib = Created(50, 50, 8);
    ASSERT_EQ(_dib_fill(&dib, &curve, 1.0, 0, 0, 50, 50), 0);
    EXPECT_EQ(StoredValue(dib, 10, 12), 80u);   // inside the upper bulge
    EXPECT_EQ(StoredValue(dib, 30, 8), 255u);   // inside the lower dip: outside the shape
}

TEST(CurveFillTest, EightBitPixelsToggleBetweenWhiteAndMarkedGrey) {
    DibBlock dib = Painted(10, 10, 8, [](int c, int) { return c < 5 ? 255u : 40u; });
    CDbList<CFileLine> square;
    AddPolyline(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    ASSERT_EQ(_dib_fill(&dib, &square, 1.0, 0, 0, 10, 10), 0);
    EXPECT_EQ(StoredValue(dib, 2, 2), 80u);
    EXPECT_EQ(StoredValue(dib, 7, 2), 255u);
    ASSERT_EQ(_dib_fill(&dib, &square, 1.0, 0, 0, 10, 10), 0);
    EXPECT_EQ(StoredValue(dib, 2, 2), 255u);
}

TEST(CurveFillTest, BadValuesEndAtOnceAndFarCurvesCostOnlyThePictureRows) {
    DibBlock dib = Created(20, 20, 1);
    const std::vector<std::uint8_t> white(dib.Bytes().begin(), dib.Bytes().end());
    CDbList<CFileLine> notANumber;
    AddRecords(notANumber, {Bezier({0, 0}, {std::nan(""), 1}, {2, 2}, {3, 0}), Line({3, 0}, {0, 0})});
    EXPECT_EQ(_dib_fill(&dib, &notANumber, 1.0, 0, 0, 20, 20), 1);
    CDbList<CFileLine> empty;
    EXPECT_EQ(_dib_fill(&dib, &empty, 1.0, 0, 0, 20, 20), 0);
    EXPECT_EQ(_dib_fill(&dib, &empty, 0.0, 0, 0, 20, 20), 1);

    // A triangle reaching 1e300 mm away: only the picture's rows are walked.
    CDbList<CFileLine> huge;
    AddPolyline(huge, {{-1e300, -1e300}, {1e300, -5}, {5, 1e300}}, true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(_dib_fill(&dib, &huge, 1e-6, 0, 0, 20, 20), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    DibBlock colour = Created(5, 5, 24);
    CDbList<CFileLine> square;
    AddPolyline(square, {{0, 0}, {5, 0}, {5, 5}}, true);
    EXPECT_EQ(_dib_fill(&colour, &square, 1.0, 0, 0, 5, 5), 0);
    EXPECT_EQ(StoredValue(colour, 1, 1), 255u);
}

TEST(CurveFillTest, LinesAreLimitedToThePictureAndMarkEachPixelOnce) {
    struct Case {
        SDPoint from, to;
        int marked;  // pixels toggled
        std::pair<int, int> probe;  // a pixel that must be marked
    };
    const Case cases[] = {
        {{0, 0}, {9, 9}, 10, {5, 5}},
        {{-50, -3}, {-20, 40}, 10, {0, 9}},   // both ends outside on the left: drawn along the left column
        {{2, 3}, {2, 3}, 1, {2, 3}},
        {{0, 0}, {9, 4}, 10, {9, 4}},
        {{1e300, 0}, {-1e300, 0}, 10, {4, 0}},
    };
    for (const Case& c : cases) {
        DibBlock dib = Created(10, 10, 1);
        ASSERT_EQ(_dib_DrawLine(&dib, Line(c.from, c.to), 1.0, 0, 0, 10, 10), 0);
        EXPECT_EQ(CountClear(dib), c.marked) << c.from.x << "," << c.from.y;
        EXPECT_EQ(StoredValue(dib, c.probe.first, c.probe.second), 0u);
    }
    DibBlock dib = Created(10, 10, 1);
    EXPECT_EQ(_dib_DrawLine(&dib, Line({0, 0}, {std::nan(""), 1}), 1.0, 0, 0, 10, 10), 1);
}

}  // namespace
