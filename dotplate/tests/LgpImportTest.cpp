#include "LgpImport.h"

#include <gtest/gtest.h>

#include "GeometryTestHelpers.h"

namespace dotplate {
namespace {

using cutrix::testing::ExpectPointNear;

CFileLine Line(SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    return line;
}

std::unique_ptr<CFileDraw> Curve(std::initializer_list<CFileLine> segments) {
    auto curve = std::make_unique<CFileCurve>();
    for (const CFileLine& segment : segments) {
        curve->segments.AddTail(segment);
    }
    return curve;
}

std::vector<CFileLine> Segments(const CLgpCurve& curve) {
    std::vector<CFileLine> segments;
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        segments.push_back(node->value);
    }
    return segments;
}

// A plate that already has an outline, so that a failed import shows whether it was kept.
CLgpPlate PlateWithRectangle() {
    CLgpPlate plate;
    plate.MakeRectOutline(30, 20);
    return plate;
}

void ExpectPlateKept(const CLgpPlate& plate) {
    ASSERT_EQ(plate.plateOutlines.size(), 1u);
    EXPECT_DOUBLE_EQ(plate.extent.right, 30.0);
    EXPECT_DOUBLE_EQ(plate.extent.top, 20.0);
}

// The sides of the square (10, 10)–(60, 60), each starting 0.05 mm past its corner, in the order and
// directions the case gives: every way in which two pieces can meet.
TEST(LgpImportTest, FourLinesWithCornerGapsBecomeOneClosedOutlineWithExactCorners) {
    const SDPoint corners[] = {{10, 10}, {60, 10}, {60, 60}, {10, 60}};
    auto side = [&](int k, bool reversed) {
        const SDPoint from = corners[k], to = corners[(k + 1) % 4];
        const double length = 50.0;
        const SDPoint gapStart{from.x + (to.x - from.x) * 0.05 / length, from.y + (to.y - from.y) * 0.05 / length};
        return reversed ? Line(to, gapStart) : Line(gapStart, to);
    };
    struct Case {
        int order[4];
        bool reversed[4];
    } cases[] = {
        {{0, 1, 2, 3}, {false, false, false, false}},
        {{0, 2, 1, 3}, {false, true, false, true}},
        {{3, 1, 0, 2}, {true, false, true, false}},
        {{2, 0, 3, 1}, {false, false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.order[0] << c.order[1] << c.order[2] << c.order[3]);
        std::vector<std::unique_ptr<CFileDraw>> records;
        for (int k = 0; k < 4; ++k) {
            records.push_back(Curve({side(c.order[k], c.reversed[k])}));
        }
        CLgpPlate plate = PlateWithRectangle();
        ASSERT_EQ(plate.ImportOutline(std::move(records)), 1);
        ASSERT_EQ(plate.plateOutlines.size(), 1u);
        const CLgpCurve& outline = *plate.plateOutlines.front();
        EXPECT_EQ(outline.closed, 1);
        EXPECT_EQ(outline.outer, 1);
        const std::vector<CFileLine> segments = Segments(outline);
        ASSERT_EQ(segments.size(), 4u);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(segments[k].end.x, segments[(k + 1) % 4].start.x);
            EXPECT_EQ(segments[k].end.y, segments[(k + 1) % 4].start.y);
        }
        EXPECT_EQ(plate.extent.left, 0.0);
        EXPECT_EQ(plate.extent.bottom, 0.0);
        EXPECT_NEAR(plate.extent.right, 50.0, 0.051);
        EXPECT_NEAR(plate.extent.top, 50.0, 0.051);
    }
}

TEST(LgpImportTest, AClosedOutlineMovesToTheOrigin) {
    std::vector<std::unique_ptr<CFileDraw>> records;
    records.push_back(Curve({Line({50, 80}, {150, 80}), Line({150, 80}, {150, 130}), Line({150, 130}, {50, 130}),
                             Line({50, 130}, {50, 80})}));
    CLgpPlate plate = PlateWithRectangle();
    ASSERT_EQ(plate.ImportOutline(std::move(records)), 1);
    EXPECT_EQ(plate.extent.left, 0.0);
    EXPECT_EQ(plate.extent.bottom, 0.0);
    EXPECT_EQ(plate.extent.right, 100.0);
    EXPECT_EQ(plate.extent.top, 50.0);
    ExpectPointNear(Segments(*plate.plateOutlines.front())[2].start, {100, 50}, 1e-12);
}

TEST(LgpImportTest, ADrawingWithoutAClosedOutlineLeavesThePlateAsItWas) {
    // An open arc whose ends lie 5 mm apart.
    CFileLine arc;
    arc.type = CFileLine::kBezier;
    arc.start = {0, 0};
    arc.ctrl1 = {0, 40};
    arc.ctrl2 = {5, 40};
    arc.end = {5, 0};
    std::vector<std::unique_ptr<CFileDraw>> openArc;
    openArc.push_back(Curve({arc, Line({5, 0}, {5, -1})}));
    std::vector<std::unique_ptr<CFileDraw>> bitmapOnly;
    bitmapOnly.push_back(std::make_unique<CFileDib>());
    std::vector<std::unique_ptr<CFileDraw>> nothing;

    for (auto* records : {&openArc, &bitmapOnly, &nothing}) {
        CLgpPlate plate = PlateWithRectangle();
        EXPECT_EQ(plate.ImportOutline(std::move(*records)), 0);
        ExpectPlateKept(plate);
    }
    EXPECT_STREQ(ImportFailureMessage(0), "没有数据!");
    EXPECT_STREQ(ImportFailureMessage(2), "No data!");
}

TEST(LgpImportTest, NestedOutlinesBecomeAnOuterOutlineAndAHoleAndCurvesAreFlattened) {
    CFileLine bulge;
    bulge.type = CFileLine::kBezier;
    bulge.start = {10, 10};
    bulge.ctrl1 = {13, 5};
    bulge.ctrl2 = {17, 5};
    bulge.end = {20, 10};
    std::vector<std::unique_ptr<CFileDraw>> records;
    records.push_back(Curve({Line({0, 0}, {40, 0}), Line({40, 0}, {40, 30}), Line({40, 30}, {0, 30}),
                             Line({0, 30}, {0, 0})}));
    records.push_back(Curve({bulge, Line({20, 10}, {20, 20}), Line({20, 20}, {10, 20}), Line({10, 20}, {10, 10})}));
    CLgpPlate plate;
    ASSERT_EQ(plate.ImportOutline(std::move(records)), 1);
    ASSERT_EQ(plate.plateOutlines.size(), 2u);
    EXPECT_EQ(plate.plateOutlines[0]->outer, 1);
    EXPECT_EQ(plate.plateOutlines[1]->outer, 0);
    const std::vector<CFileLine> hole = Segments(*plate.plateOutlines[1]);
    EXPECT_GT(hole.size(), 4u);
    for (const CFileLine& segment : hole) {
        EXPECT_FALSE(segment.IsBezier());
    }
}

}  // namespace
}  // namespace dotplate
