#include "LgpDesigner.h"

#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "ProgramFolder.h"

namespace dotplate {
namespace {

CDbList<ReverseIntervalRow> Rows(std::initializer_list<std::pair<double, double>> rows) {
    CDbList<ReverseIntervalRow> list;
    for (auto [speed, interval] : rows) {
        ReverseIntervalRow row;
        row.speedMmPerS = speed;
        row.reverseIntervalMm = interval;
        list.AddTail(row);
    }
    return list;
}

TEST(LgpDesignerTest, EveryEntryClearsThePlateAndCopiesTheCallersRowsAfresh) {
    LgpDesigner& designer = LgpDesigner::Instance();
    designer.plate.MakeRectOutline(50, 50);
    designer.plate.Generate(LgpDotPara{}, LgpShapePara{});
    const CDbList<ReverseIntervalRow> rows = Rows({{200, 0.4}, {100, 0.2}});
    designer.BeginSession(2, 3, 4, &rows);
    designer.BeginSession(2, 3, 4, &rows);
    EXPECT_TRUE(designer.plate.plateOutlines.empty());
    EXPECT_TRUE(designer.plate.dotRows.empty());
    ASSERT_EQ(designer.reverseIntervals.size(), 2u);
    EXPECT_EQ(designer.reverseIntervals[0].speedMmPerS, 200);
    EXPECT_EQ(designer.languageIndex, 2);

    designer.OpenSession(platform::ProgramFolder());
    const LgpDotJob job = designer.MakeDotJob();
    EXPECT_DOUBLE_EQ(LookupReverseInterval(job.reverseIntervals, 150), 0.3);
    EXPECT_EQ(job.frame.JobBox().left, -100.0);  // corner 3, head 4: the plate's centre
    EXPECT_EQ(job.frame.JobBox().right, 100.0);

    designer.BeginSession(0, 0, 0, nullptr);
    EXPECT_TRUE(designer.reverseIntervals.empty());
    const CDbList<ReverseIntervalRow> none;
    designer.BeginSession(0, 0, 0, &none);
    EXPECT_TRUE(designer.reverseIntervals.empty());
}

TEST(LgpDesignerTest, AMissingSettingsFileIsWrittenWithDefaultsAndClosingKeepsTheEdits) {
    const auto folder = platform::ProgramFolder();
    std::filesystem::remove(folder / kConfigFileName);
    LgpDesigner& designer = LgpDesigner::Instance();
    designer.config = LgpConfig{};
    designer.BeginSession(2, 3, 6, nullptr);
    designer.OpenSession(folder);
    const auto stored = platform::ReadWholeFile(folder / kConfigFileName);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), LgpConfig::kStoredBytes);
    EXPECT_EQ(designer.texts.GetText("Main", "1"), "LGP CAD&CAM System");
    ASSERT_EQ(designer.plate.plateOutlines.size(), 1u);
    EXPECT_EQ(designer.plate.extent.right, 200.0);

    designer.config.shape.plateWidth = 120.0;
    designer.config.laser.dots.speed = 250.0;
    ASSERT_TRUE(designer.CloseSession(folder));
    designer.config = LgpConfig{};
    designer.BeginSession(2, 3, 6, nullptr);
    designer.OpenSession(folder);
    EXPECT_EQ(designer.config.laser.dots.speed, 250.0);
    EXPECT_EQ(designer.plate.extent.right, 120.0);
}

}  // namespace
}  // namespace dotplate
