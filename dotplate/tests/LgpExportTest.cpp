#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "AtomicFile.h"
#include "GeometryTestHelpers.h"
#include "LgpPlate.h"
#include "ProgramFolder.h"
#include "RecordingMessageSink.h"
#include "ZintDataFile.h"

namespace dotplate {
namespace {

using cutrix::testing::ExpectPointNear;

struct ExportedCurve {
    std::uint32_t colour = 0;
    std::vector<CFileLine> segments;
};

struct ExportedDesign {
    std::vector<ExportedCurve> dots;
    std::vector<ExportedCurve> outlines;
};

std::vector<ExportedCurve> ReadGroup(std::FILE* file) {
    std::uint32_t count = 0;
    EXPECT_EQ(_file_ZintData_Load(file, &count, 4), 0);
    std::vector<ExportedCurve> curves(count);
    for (ExportedCurve& curve : curves) {
        CDbList<CFileLine> segments;
        EXPECT_EQ(_file_ZintData_LoadCurve(file, &segments, &curve.colour), 0);
        for (auto* node = segments.head->next; node != segments.head; node = node->next) {
            curve.segments.push_back(node->value);
        }
    }
    return curves;
}

ExportedDesign ReadDesign(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    EXPECT_NE(file, nullptr);
    ExportedDesign design;
    design.dots = ReadGroup(file.get());
    design.outlines = ReadGroup(file.get());
    return design;
}

// Rows of dots at the given heights, each holding dots at the given x, all of width and height 2.
CLgpPlate PlateWithRows(std::uint16_t mode, std::initializer_list<double> heights, std::initializer_list<double> xs) {
    CLgpPlate plate;
    plate.MakeRectOutline(100, 100);
    plate.dotPara.dotMode = mode;
    for (double y : heights) {
        LgpDotRow row;
        for (double x : xs) {
            row.dots.push_back({mode, x, y, 2, 2});
        }
        plate.dotRows.push_back(row);
    }
    return plate;
}

ExportedDesign Export(CLgpPlate& plate, const LgpShapePara& shape = {}) {
    platform::RecordingMessageSink messages;
    const auto path = platform::ProgramFile("lgp.ds");
    EXPECT_EQ(plate.ExportDesign(path, shape, 2, messages), 1);
    return ReadDesign(path);
}

TEST(LgpExportTest, HorizontalLinesRunBackAndForthRowByRow) {
    CLgpPlate plate = PlateWithRows(kHorizontalLine, {10, 20, 30}, {10, 20});
    const ExportedDesign design = Export(plate);
    const double expected[][2] = {{9, 11}, {19, 21}, {21, 19}, {11, 9}, {9, 11}, {19, 21}};
    ASSERT_EQ(design.dots.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(design.dots[i].colour, 0u);
        EXPECT_EQ(design.dots[i].segments.front().start.x, expected[i][0]);
        EXPECT_EQ(design.dots[i].segments.front().end.x, expected[i][1]);
    }
    ASSERT_EQ(design.outlines.size(), 1u);
    EXPECT_EQ(design.outlines.front().colour, 0xFF0000u);
    EXPECT_EQ(plate.plateOutlines.front()->colour, 0xFF0000u);
}

TEST(LgpExportTest, VerticalLinesSplitColumnsOnExactX) {
    CLgpPlate plate = PlateWithRows(kVerticalLine, {10, 20}, {5.0, 5.0000001});
    const ExportedDesign design = Export(plate);
    ASSERT_EQ(design.dots.size(), 4u);
    // Column 5.0 upward, then column 5.0000001 downward.
    EXPECT_EQ(design.dots[0].segments.front().start.y, 9.0);
    EXPECT_EQ(design.dots[1].segments.front().start.y, 19.0);
    EXPECT_EQ(design.dots[2].segments.front().start.y, 21.0);
    EXPECT_EQ(design.dots[2].segments.front().start.x, 5.0000001);
    EXPECT_EQ(design.dots[0].colour, 255u);
}

TEST(LgpExportTest, CrossLinesWriteEveryHorizontalBeforeEveryVertical) {
    CLgpPlate plate = PlateWithRows(kCrossLine, {10, 20}, {10, 20});
    const ExportedDesign design = Export(plate);
    ASSERT_EQ(design.dots.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(design.dots[i].colour, i < 4 ? 0u : 255u);
    }
}

TEST(LgpExportTest, AnEllipseDotIsFourBeziersAroundItsBox) {
    const std::unique_ptr<CLgpCurve> curve = CLgpPlate::MakeEllipseDotCurve({kEllipse, 0, 0, 4, 2});
    ASSERT_EQ(curve->segments.GetCount(), 4);
    EXPECT_EQ(curve->closed, 1);
    std::vector<SDPoint> nodes;
    for (auto* node = curve->segments.head->next; node != curve->segments.head; node = node->next) {
        EXPECT_TRUE(node->value.IsBezier());
        nodes.push_back(node->value.start);
    }
    nodes.push_back(curve->segments.head->prev->value.end);
    const SDPoint expected[] = {{-2, 0}, {0, 1}, {2, 0}, {0, -1}, {-2, 0}};
    for (std::size_t i = 0; i < 5; ++i) {
        ExpectPointNear(nodes[i], expected[i], 1e-9);
    }
}

TEST(LgpExportTest, TheEdgeOutlinesAreWrittenWhenTheyAreTheNewPlateEdge) {
    CLgpPlate plate = PlateWithRows(kRectangle, {50}, {50});
    LgpShapePara shape;
    shape.blankEnabled = 1;
    shape.blankDistance = 5;
    shape.applyToOutline = 1;
    plate.ApplyOutline(shape);
    const ExportedDesign design = Export(plate, shape);
    ASSERT_EQ(design.outlines.size(), 1u);
    double lowest = 0;
    for (const CFileLine& segment : design.outlines.front().segments) {
        lowest = std::min(lowest, segment.start.y);
    }
    EXPECT_NEAR(lowest, -5.0, 1e-6);
    EXPECT_EQ(design.dots.front().segments.size(), 4u);
}

TEST(LgpExportTest, AFileThatCannotBeWrittenKeepsWhatWasThereAndSaysSo) {
    CLgpPlate plate = PlateWithRows(kEllipse, {50}, {50});
    platform::RecordingMessageSink messages;
    const auto missingFolder = platform::ProgramFolder() / "no such folder" / "lgp.ds";
    EXPECT_EQ(plate.ExportDesign(missingFolder, {}, 2, messages), 0);
    EXPECT_FALSE(std::filesystem::exists(missingFolder));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown().front().text, "Failed to create exopt file!");
}

// The disk fills up half way through a large design (a file size limit stands in for it): the old
// design stays, nothing is left beside it, and the failure is told.
TEST(LgpExportTest, ADiskThatFillsUpMidWriteKeepsTheOldDesign) {
    const auto folder = platform::ProgramFolder() / "full";
    std::filesystem::create_directories(folder);
    const auto path = folder / "lgp.ds";
    ASSERT_TRUE(platform::WriteFileAtomically(path, std::string_view("old design")));
    CLgpPlate plate;
    plate.MakeRectOutline(100, 100);
    LgpDotPara dots;
    dots.dotMode = kEllipse;
    plate.Generate(dots, LgpShapePara{});
    ASSERT_GT(plate.dotRows.size(), 20u);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    platform::RecordingMessageSink messages;
    const int result = plate.ExportDesign(path, {}, 0, messages);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(platform::ReadWholeFile(path), std::vector<std::uint8_t>({'o', 'l', 'd', ' ', 'd', 'e', 's', 'i', 'g', 'n'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown().front().text, "导出文件创建失败!");

    EXPECT_EQ(plate.ExportDesign("/dev/full", {}, 2, messages), 0);
}

TEST(LgpExportTest, NoDotsWritesNothing) {
    CLgpPlate plate;
    plate.MakeRectOutline(10, 10);
    platform::RecordingMessageSink messages;
    const auto path = platform::ProgramFile("lgp.ds");
    EXPECT_EQ(plate.ExportDesign(path, {}, 0, messages), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
}  // namespace dotplate
