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
        {"absolute with pens", "IN;SP1;PU0,0;PD1016,0,1016,1016;SP3;PU0,0;PD0,1016;PU;SP0;", 1016,
         {{{0, 0}, {1016, 0}, {1016, 1016}}, {{0, 0}, {0, 1016}}}, {1, 3}},
        {"relative moves", "IN;SP2;PA;PU100,100;PR;PD50,0,0,50,-50,0;PU;", 1016,
         {{{100, 100}, {150, 100}, {150, 150}, {100, 150}}}, {2}},
        {"spaces for commas, no semicolons", "IN SP1 PU 0 0 PD 10 0 10 10 PU", 40,
         {{{0, 0}, {10, 0}, {10, 10}}}, {1}},
        {"many pairs in one command", "IN;SP1;PU0,0;PD1,1,2,2,3,3,4,4,5,5,6,6,7,7,8,8;", 1016,
         {{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}}}, {1}},
        {"label holding a semicolon", "IN;SP1;PU0,0;LBA;B PD9,9;\x03PD10,0;PU;", 1016, {{{0, 0}, {10, 0}}}, {1}},
        {"changed label terminator", "IN;DT@;SP1;PU0,0;LBx;PD5,5;@PD0,20;", 1016, {{{0, 0}, {0, 20}}}, {1}},
        {"unknown commands skipped", "IN;VS10;SP1;PU0,0;PD0,30;CI5;PU;", 1016, {{{0, 0}, {0, 30}}}, {1}},
        {"no pen selected", "IN;PU0,0;PD7,0;", 1016, {{{0, 0}, {7, 0}}}, {0}},
        {"pen change inside a run", "IN;SP1;PU0,0;PD5,0;SP2;PD5,5;", 1016, {{{0, 0}, {5, 0}}, {{5, 0}, {5, 5}}}, {1, 2}},
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

TEST(PltReaderTest, RefusesWhatWouldPoisonTheDrawing) {
    const std::pair<const char*, const char*> cases[] = {
        {"odd coordinate count", "IN;SP1;PU0,0;PD10,10,20;"},
        {"beyond the coordinate limit", "IN;SP1;PU0,0;PD1e308,0;"},
        {"not a number", "IN;SP1;PU0,0;PDnan,0;"},
        {"relative moves running away", "IN;SP1;PU0,0;PR;PD1e300,0,1e300,0,1e300,0;"},
    };
    for (const auto& [name, text] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kPlt, text, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
    }
}

}  // namespace
}  // namespace filebridge::testing
