#include <gtest/gtest.h>

#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

struct PltCase {
    const char* name;
    const char* text;
    double precision;
    // Expected polylines in plotter units and their pens (0 = no pen selected).
    std::vector<std::vector<SDPoint>> polylines;
    std::vector<int> pens;
};

TEST(PltReaderTest, DrawsWhatTheCommandsSay) {
    const PltCase cases[] = {
        {"absolute with pens",
         "IN;SP1;PU0,0;PD1016,0,1016,1016;SP3;PU0,0;PD0,1016;PU;SP0;",
         1016,
         {{{0, 0}, {1016, 0}, {1016, 1016}}, {{0, 0}, {0, 1016}}},
         {1, 3}},
        {"relative moves",
         "IN;SP2;PA;PU100,100;PR;PD50,0,0,50,-50,0;PU;",
         1016,
         {{{100, 100}, {150, 100}, {150, 150}, {100, 150}}},
         {2}},
        {"spaces for commas, no semicolons",
         "IN SP1 PU 0 0 PD 10 0 10 10 PU",
         40,
         {{{0, 0}, {10, 0}, {10, 10}}},
         {1}},
        {"many pairs in one command",
         "IN;SP1;PU0,0;PD1,1,2,2,3,3,4,4,5,5,6,6,7,7,8,8;",
         1016,
         {{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}}},
         {1}},
        {"label holding a semicolon",
         "IN;SP1;PU0,0;LBA;B PD9,9;\x03PD10,0;PU;",
         1016,
         {{{0, 0}, {10, 0}}},
         {1}},
        {"changed label terminator", "IN;DT@;SP1;PU0,0;LBx;PD5,5;@PD0,20;", 1016, {{{0, 0}, {0, 20}}}, {1}},
        {"unknown commands skipped", "IN;VS10;SP1;PU0,0;PD0,30;FS5;PU;", 1016, {{{0, 0}, {0, 30}}}, {1}},
        {"no pen selected", "IN;PU0,0;PD7,0;", 1016, {{{0, 0}, {7, 0}}}, {0}},
        {"pen change inside a run",
         "IN;SP1;PU0,0;PD5,0;SP2;PD5,5;",
         1016,
         {{{0, 0}, {5, 0}}, {{5, 0}, {5, 5}}},
         {1, 2}},
    };
    for (const PltCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportOptions options = TestOptions(c.precision);
        const ImportOutcome outcome = ImportBytes(FileKind::kPlt, c.text, options);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        ASSERT_EQ(curves.size(), c.polylines.size());
        const double mmPerUnit = 25.4 / c.precision;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            ASSERT_EQ(curves[i].points.size(), c.polylines[i].size()) << "curve " << i;
            for (std::size_t j = 0; j < curves[i].points.size(); ++j) {
                EXPECT_NEAR(curves[i].points[j].x, c.polylines[i][j].x * mmPerUnit, 1e-9);
                EXPECT_NEAR(curves[i].points[j].y, c.polylines[i][j].y * mmPerUnit, 1e-9);
            }
            const int pen = c.pens[i];
            EXPECT_EQ(curves[i].colour, pen == 0 ? options.defaultColour : options.layerColours[pen - 1]);
        }
    }
}

struct ArcCase {
    const char* name;
    const char* text;  // at 25.4 units per inch: one unit is one mm
    struct Curve {
        Box box;
        int pen;
        std::size_t chords;  // segments of the curve
        bool closed;
    };
    std::vector<Curve> curves;
};

// Circles, arcs and outlines were skipped as unknown commands: a circle-only file gave no data at all.
TEST(PltReaderTest, CirclesArcsAndOutlinesAreDrawnInChordsOfThePen) {
    const ArcCase cases[] = {
        {"rectangle, triangle, circle and arc",
         "IN;SP1;PU0,0;PD40,0,40,20,0,20,0,0;PU60,0;PD80,0,70,15,60,0;PU;SP2;PA100,10;CI10;PU150,0;SP3;PD;"
         "AA140,0,180;PU;",
         {{{0, 0, 40, 20}, 1, 4, true},
          {{60, 0, 80, 15}, 1, 3, true},
          {{90, 0, 110, 20}, 2, 72, true},
          {{130, 0, 150, 10}, 3, 36, false}}},
        {"circle alone", "IN;SP1;PA50,50;CI25;", {{{25, 25, 75, 75}, 1, 72, true}}},
        {"circle with its own chord angle", "IN;SP1;PA0,0;CI10,45;", {{{-10, -10, 10, 10}, 1, 8, true}}},
        {"relative arc turning clockwise", "IN;SP4;PA0,0;PD;AR10,0,-90;", {{{0, 0, 10, 10}, 4, 18, false}}},
        {"arc with the pen up only moves it",
         "IN;SP1;PA0,0;AA10,0,90;PD;PR0,5;",
         {{{10, -10, 10, -5}, 1, 1, false}}},
        {"edge rectangles leave the pen in place",
         "IN;SP1;PA5,5;EA15,25;ER-5,-5;",
         {{{5, 5, 15, 25}, 1, 4, true}, {{0, 0, 5, 5}, 1, 4, true}}},
        {"edge wedge", "IN;SP2;PA0,0;EW10,0,90;", {{{0, 0, 10, 10}, 2, 20, true}}},
        {"chord given as the deviation from the arc",
         "IN;SP1;PA0,0;CT1;EW100,0,90,1;",
         {{{0, 0, 100, 100}, 1, 8, true}}},
        {"circle in a drawn run",
         "IN;SP1;PA0,0;PD10,0;CI2;PD10,10;",
         {{{0, 0, 10, 0}, 1, 1, false}, {{8, -2, 12, 2}, 1, 72, true}, {{10, 0, 10, 10}, 1, 1, false}}},
    };
    for (const ArcCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportOptions options = TestOptions(25.4);
        const ImportOutcome outcome = ImportBytes(FileKind::kPlt, c.text, options);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        ASSERT_EQ(curves.size(), c.curves.size());
        for (std::size_t i = 0; i < curves.size(); ++i) {
            SCOPED_TRACE(i);
            const ArcCase::Curve& expected = c.curves[i];
            const Box box = BoxOf({curves[i]});
            EXPECT_NEAR(box.x1, expected.box.x1, 0.01);
            EXPECT_NEAR(box.y1, expected.box.y1, 0.01);
            EXPECT_NEAR(box.x2, expected.box.x2, 0.01);
            EXPECT_NEAR(box.y2, expected.box.y2, 0.01);
            EXPECT_EQ(curves[i].colour, options.layerColours[expected.pen - 1]);
            EXPECT_EQ(curves[i].points.size() - 1, expected.chords);
            EXPECT_EQ(curves[i].closed, expected.closed);
        }
    }
}

TEST(PltReaderTest, CircleChordEndsLieOnTheCircle) {
    const ImportOutcome outcome = ImportBytes(FileKind::kPlt, "IN;SP1;PA50,50;CI25,7.5;", TestOptions(25.4));
    const std::vector<Polyline> curves = CurvesOf(outcome);
    ASSERT_EQ(curves.size(), 1u);
    for (const SDPoint& point : curves[0].points) {
        EXPECT_NEAR(std::hypot(point.x - 50.0, point.y - 50.0), 25.0, 1e-9);
    }
}

TEST(PltReaderTest, RefusesWhatWouldPoisonTheDrawing) {
    const std::pair<const char*, const char*> cases[] = {
        {"odd coordinate count", "IN;SP1;PU0,0;PD10,10,20;"},
        {"beyond the coordinate limit", "IN;SP1;PU0,0;PD1e308,0;"},
        {"not a number", "IN;SP1;PU0,0;PDnan,0;"},
        {"relative moves running away", "IN;SP1;PU0,0;PR;PD1e300,0,1e300,0,1e300,0;"},
        {"circle beyond the coordinate limit", "IN;SP1;PA0,0;CI1e300;"},
        {"arc about a far centre", "IN;SP1;PA0,0;PD;AA1e300,0,90;"},
    };
    for (const auto& [name, text] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kPlt, text, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
    }
}

}  // namespace
}  // namespace filebridge::testing
