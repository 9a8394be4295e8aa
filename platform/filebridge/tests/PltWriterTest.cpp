#include <gtest/gtest.h>

#include "ExportTestSupport.h"

namespace filebridge::testing {
namespace {

std::string WritePlt(const ScratchFolder& folder, const std::vector<ExportCurve>& curves,
                     const std::array<std::uint32_t, 256>& colours, double precision, std::int32_t& written) {
    const std::string path = folder.File("out.plt");
    std::FILE* file = std::fopen(path.c_str(), "wt");
    EXPECT_EQ(_file_SavePltHeader(file), 0);
    for (const ExportCurve& curve : curves) {
        CDbList<CFileLine> list;
        FillList(list, curve.segments);
        EXPECT_EQ(_file_SaveCurveAsPlt(file, &list, curve.colour, colours.data(), precision, &written), 0);
    }
    EXPECT_EQ(_file_SavePltEnd(file), 0);
    std::fclose(file);
    return path;
}

TEST(PltWriterTest, RoundTripKeepsShapeWithinOnePlotterUnitAndColoursAsPens) {
    ScratchFolder folder;
    const std::vector<ExportCurve> drawing = ThreeColourDrawing();
    ImportOptions options = TestOptions();
    options.layerColours[4] = 0x0000FF;  // pen 5
    options.layerColours[0] = 0x00FF00;  // pen 1
    options.layerColours[9] = 0xFF0000;  // pen 10
    for (const double precision : {1016.0, 40.0}) {
        SCOPED_TRACE(precision);
        options.pltUnitsPerInch = precision;
        std::int32_t written = 0;
        const std::string path = WritePlt(folder, drawing, options.layerColours, precision, written);
        EXPECT_NE(written, 0);
        const ImportOutcome outcome = ImportPath(path, options);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> imported = CurvesOf(outcome);
        ASSERT_EQ(imported.size(), drawing.size());
        const double unit = 25.4 / precision;
        for (std::size_t i = 0; i < drawing.size(); ++i) {
            EXPECT_EQ(imported[i].colour, drawing[i].colour);
            CFileCurve original;
            FillList(original.segments, drawing[i].segments);
            const std::vector<Polyline> expected = {Flattened(original)};
            for (const SDPoint p : imported[i].points) {
                EXPECT_LE(DistanceToPolylines(p, expected), unit);
            }
            for (const SDPoint p : expected[0].points) {
                EXPECT_LE(DistanceToPolylines(p, {imported[i]}), unit);
            }
        }
    }
}

TEST(PltWriterTest, WritesNothingForEmptyOrPoisonedCurves) {
    ScratchFolder folder;
    const std::array<std::uint32_t, 256> colours{};
    std::int32_t written = 0;
    CFileLine poisoned = Line({0, 0}, {NAN, 1});
    const std::string path =
        WritePlt(folder, {{{}, 0, false}, {{poisoned}, 0, false}}, colours, 1016.0, written);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(ReadFile(path), "IN;\nPU;SP0;\n");
}

TEST(PltWriterTest, ReportsAFailedWrite) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    std::setvbuf(full, nullptr, _IONBF, 0);
    CDbList<CFileLine> list;
    list.AddTail(Line({0, 0}, {1, 1}));
    std::int32_t written = 0;
    const std::array<std::uint32_t, 256> colours{};
    EXPECT_NE(_file_SavePltHeader(full), 0);
    EXPECT_NE(_file_SaveCurveAsPlt(full, &list, 0, colours.data(), 1016.0, &written), 0);
    EXPECT_EQ(written, 0);
    std::fclose(full);
}

}  // namespace
}  // namespace filebridge::testing
