#include "DataCheckPasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "CadMgrFixture.h"
#include "GeometryTestHelpers.h"
#include "SettingsRecords.h"

namespace {

using cutrix::testing::Bezier;
using cutrix::testing::Line;
using dialogs::edit::DataCheckPasses;
using dialogs::edit::kReportGreen;
using dialogs::edit::kReportOlive;
using dialogs::edit::kReportRed;
using dialogs::edit::RunDataCheck;

struct ReportLine {
    std::string text;
    std::uint32_t colour;
    bool operator==(const ReportLine&) const = default;
};

void PrintTo(const ReportLine& line, std::ostream* out) {
    *out << '"' << line.text << "\" 0x" << std::hex << line.colour << std::dec;
}

// The result list as the dialog's list box would hold it, plus every text a progress line showed.
class RecordingReport : public dialogs::edit::DataCheckReport {
  public:
    int AddLine(const std::string& text, std::uint32_t colour) override {
        lines.push_back({text, colour});
        return static_cast<int>(lines.size()) - 1;
    }
    void ReplaceLine(int index, const std::string& text, std::uint32_t colour) override {
        lines.at(static_cast<std::size_t>(index)) = {text, colour};
        shown.push_back(text);
    }
    std::vector<ReportLine> lines;
    std::vector<std::string> shown;
};

class DataCheckPassesTest : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        savedCloseError_ = gFileParaSettings.closeErrorMm;
        // The drawing-wide closing error closes small gaps by itself; keep it below the fixture's gaps
        // so that the check's own auto close is what closes them.
        gFileParaSettings.closeErrorMm = 0.01;
    }
    void TearDown() override { gFileParaSettings.closeErrorMm = savedCloseError_; }

    CCadCurve* AddCurve(std::initializer_list<CFileLine> segments, bool closed) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddRecords(curve->pathList, segments);
        curve->closed = closed ? 1 : 0;
        curve->CalRect();
        return Add(std::move(curve));
    }
    CCadCurve* AddOpen(const std::vector<SDPoint>& points) { return Add(MakeCurve(points, false)); }
    CCadCurve* AddClosed(const std::vector<SDPoint>& points) { return Add(MakeCurve(points, true)); }

    long ModifiedNotices() const {
        const std::vector<std::uint32_t> posted = PostedMessages();
        return std::count(posted.begin(), posted.end(), kDrawingModifiedMessage);
    }

    static DataCheckSettings EveryPass() {
        DataCheckSettings options;
        options.checkClose = 1;
        options.autoClose = 1;
        options.closeError = 0.1;
        options.checkSelfCross = 1;
        options.checkCross = 1;
        options.checkOverlap = 1;
        options.autoDeleteOverlap = 1;
        return options;
    }

  private:
    double savedCloseError_ = 0.0;
};

// Every fault the check looks for, once each, with curves that must not be reported beside them.
TEST_F(DataCheckPassesTest, FixtureOfKnownFaultsGivesItsLinesAndSelectsExactlyTheFaultyCurves) {
    CCadCurve* smallGap = AddOpen({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0.05}});
    CCadCurve* largeGap = AddOpen({{20, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 0.5}});
    CCadCurve* figureEight = AddClosed({{40, 0}, {50, 10}, {50, 0}, {40, 10}});
    CCadCurve* crossA = AddSquare(60, 0, 10);
    CCadCurve* crossB = AddSquare(65, 5, 10);
    // A square crossed by two later squares that do not meet each other: it counts once, with the
    // first partner only.
    CCadCurve* crossedTwice = AddSquare(80, 0, 20);
    CCadCurve* upperPartner = AddSquare(95, 15, 10);
    AddSquare(95, -5, 10);
    CCadCurve* bezierA = AddCurve({Bezier({130, 0}, {130, 10}, {140, 10}, {140, 0}), Line({140, 0}, {130, 0})}, true);
    CCadCurve* bezierB = AddCurve({Line({130, 0}, {140, 0}), Bezier({140, 0}, {140, 10}, {130, 10}, {130, 0})}, true);
    CCadCurve* zeroLength = AddClosed({{150, 0}, {160, 0}, {160, 0}, {160, 10}, {150, 10}});
    //   +----+          B's left edge runs down onto A's right edge and ends exactly on it
    //   | B  |
    // +-+--+ |
    // | A  +-+
    // +----+
    CCadCurve* partialA = AddSquare(170, 0, 10);
    CCadCurve* partialB = AddSquare(180, 5, 10);
    Add(MakeBitmap(8, 8, {220, 50}));
    manager->SelectAll();
    const auto noticesBefore = ModifiedNotices();

    RecordingReport report;
    const auto outcome = RunDataCheck(*manager, EveryPass(), report);

    const std::vector<ReportLine> expected = {
        {"Close check end", kReportGreen},      {"Find unclose curves:2", kReportRed},
        {"Auto closed curves:1", kReportOlive}, {"Self-cross check end", kReportGreen},
        {"Find self-cross curves:1", kReportRed}, {"Cross check end", kReportGreen},
        {"Find cross curves:2", kReportRed},    {"Overlap check end", kReportGreen},
        {"Find overlap lines:3", kReportRed},   {"Auto delete overlap lines:0", kReportOlive},
    };
    EXPECT_EQ(report.lines, expected);
    const std::vector<CCadElement*> faulty = {largeGap, figureEight, crossA,  crossB,   crossedTwice,
                                              upperPartner, bezierA, bezierB, partialA, partialB};
    EXPECT_EQ(Selected(), faulty);
    EXPECT_EQ(smallGap->closed, 1);
    EXPECT_EQ(largeGap->closed, 0);
    EXPECT_EQ(zeroLength->pathList.GetCount(), 4);
    EXPECT_TRUE(outcome.ran);
    EXPECT_TRUE(outcome.changedDrawing);
    // One notice: one undo step and the save prompt for the closed curve and the dropped segment.
    EXPECT_EQ(ModifiedNotices() - noticesBefore, 1);
}

TEST_F(DataCheckPassesTest, ProgressLineCountsUpThenShowsTheEndText) {
    AddSquare(0, 0, 10);
    AddSquare(20, 0, 10);
    AddSquare(40, 0, 10);
    Add(MakeBitmap(4, 4, {80, 0}));
    manager->SelectAll();
    DataCheckSettings closureOnly;
    closureOnly.checkClose = 1;
    RecordingReport report;
    RunDataCheck(*manager, closureOnly, report);
    const std::vector<std::string> shown = {"Close check...  25.0%", "Close check...  50.0%",
                                            "Close check...  75.0%", "Close check...  100.0%", "Close check end"};
    EXPECT_EQ(report.shown, shown);
    EXPECT_EQ(report.lines.back(), (ReportLine{"Not find unclose curves", kReportGreen}));
}

TEST_F(DataCheckPassesTest, NothingSelectedRunsNoPassAndWritesNothing) {
    AddSquare(0, 0, 10);
    RecordingReport report;
    const auto outcome = RunDataCheck(*manager, EveryPass(), report);
    EXPECT_FALSE(outcome.ran);
    EXPECT_TRUE(report.lines.empty());
}

TEST_F(DataCheckPassesTest, NoPassChosenWritesNoLineAndEmptiesTheSelection) {
    AddSquare(0, 0, 10);
    AddSquare(5, 5, 10);
    manager->SelectAll();
    RecordingReport report;
    const auto outcome = RunDataCheck(*manager, DataCheckSettings{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, report);
    EXPECT_TRUE(outcome.ran);
    EXPECT_FALSE(outcome.changedDrawing);
    EXPECT_TRUE(report.lines.empty());
    EXPECT_TRUE(Selected().empty());
}

TEST_F(DataCheckPassesTest, OnlyNonCurvesSelectedReportsNothingFoundForEachPass) {
    Add(MakeBitmap(4, 4, {0, 0}));
    manager->SelectAll();
    DataCheckSettings options = EveryPass();
    options.autoClose = 0;
    options.autoDeleteOverlap = 0;
    RecordingReport report;
    RunDataCheck(*manager, options, report);
    const std::vector<ReportLine> expected = {
        {"Close check end", kReportGreen},     {"Not find unclose curves", kReportGreen},
        {"Self-cross check end", kReportGreen}, {"Not find self-cross curves", kReportGreen},
        {"Cross check end", kReportGreen},     {"Not find cross curves", kReportGreen},
        {"Overlap check end", kReportGreen},   {"Not find overlap lines", kReportGreen},
    };
    EXPECT_EQ(report.lines, expected);
}

TEST_F(DataCheckPassesTest, GapWiderThanTheCloseToleranceStaysOpenAndListed) {
    struct Case {
        double gapMm;
        double closeToleranceMm;
        bool closes;
    };
    for (const Case c : {Case{0.05, 0.1, true}, Case{0.05, 0.0, false}, Case{0.5, 0.1, false}}) {
        CCadCurve* curve = AddOpen({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, c.gapMm}});
        manager->ClearSelection();
        manager->AddToSelection(curve);
        DataCheckSettings options;
        options.checkClose = 1;
        options.autoClose = 1;
        options.closeError = c.closeToleranceMm;
        RecordingReport report;
        RunDataCheck(*manager, options, report);
        EXPECT_EQ(curve->closed, c.closes ? 1 : 0) << c.gapMm << " at " << c.closeToleranceMm;
        EXPECT_EQ(report.lines.at(2).text, c.closes ? "Auto closed curves:1" : "Auto closed curves:0");
        EXPECT_EQ(Selected().empty(), c.closes);
        manager->DeleteElement(curve);
    }
}

TEST_F(DataCheckPassesTest, OverlapToleranceAppliesOnlyWithItsSwitch) {
    AddSquare(0, 0, 10);
    AddSquare(10.3, 0, 10);  // 0.3 mm beside the first one's right edge
    manager->SelectAll();
    DataCheckSettings options;
    options.checkOverlap = 1;
    options.overlapError = 0.5;
    RecordingReport withoutSwitch;
    RunDataCheck(*manager, options, withoutSwitch);
    EXPECT_EQ(withoutSwitch.lines.back().text, "Not find overlap lines");
    manager->SelectAll();
    options.overlapErrorOn = 1;
    RecordingReport withSwitch;
    RunDataCheck(*manager, options, withSwitch);
    EXPECT_EQ(withSwitch.lines.back().text, "Find overlap lines:1");
}

TEST_F(DataCheckPassesTest, CurvesOfLetterOutlinesCrossWhereTheStrokesMeet) {
    // A letter X of two slanted strokes drawn as one outline each, and an O of Beziers round it.
    CCadCurve* stroke1 = AddClosed({{0, 0}, {2, 0}, {12, 20}, {10, 20}});
    CCadCurve* stroke2 = AddClosed({{10, 0}, {12, 0}, {2, 20}, {0, 20}});
    CCadCurve* ring =
        AddCurve({Bezier({-30, 10}, {-30, 50}, {42, 50}, {42, 10}), Bezier({42, 10}, {42, -30}, {-30, -30}, {-30, 10})},
                 true);
    manager->SelectAll();
    EXPECT_TRUE(DataCheckPasses::CurvesCross(*stroke1, *stroke2));
    EXPECT_FALSE(DataCheckPasses::CurvesCross(*stroke1, *ring));
    long pairs = 0;
    EXPECT_FALSE(DataCheckPasses::CurvesOverlap(*stroke1, *ring, 0.001, pairs));
    EXPECT_EQ(pairs, 0);
}

// The passes screen pairs by a sweep over the boxes; trying every pair in list order must give the
// same count and the same faulty curves in the same order.
TEST_F(DataCheckPassesTest, SweptPairsGiveTheSameLinesAndSelectionAsTryingEveryPair) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(0.0, 200.0), radius(2.0, 9.0);
    std::vector<CCadElement*> selection;
    for (int index = 0; index < 300; ++index) {
        const SDPoint centre{place(random), place(random)};
        std::vector<SDPoint> corners = cutrix::testing::CirclePoints(centre, radius(random), 6);
        if (index % 25 == 0) {
            selection.push_back(AddClosed(corners));
            std::reverse(corners.begin(), corners.end());  // a duplicate drawn the other way round
        }
        selection.push_back(AddClosed(corners));
    }
    Add(MakeBitmap(4, 4, {100, 100}));
    selection.push_back(Elements().back());

    long crossCount = 0, overlapPairs = 0;
    dialogs::edit::DataCheckResults expected;
    for (std::size_t i = 0; i + 1 < selection.size(); ++i) {
        if (selection[i]->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(selection[i]);
        for (std::size_t j = i + 1; j < selection.size(); ++j) {
            if (selection[j]->typeCode == kCurveElement &&
                DataCheckPasses::CurvesCross(*curve, *static_cast<CCadCurve*>(selection[j]))) {
                ++crossCount;
                expected.AddUniqueResult(curve);
                expected.AddUniqueResult(selection[j]);
                break;
            }
        }
    }
    for (std::size_t i = 0; i + 1 < selection.size(); ++i) {
        for (std::size_t j = i + 1; j < selection.size(); ++j) {
            if (selection[i]->typeCode == kCurveElement && selection[j]->typeCode == kCurveElement &&
                DataCheckPasses::CurvesOverlap(*static_cast<CCadCurve*>(selection[i]),
                                               *static_cast<CCadCurve*>(selection[j]), 0.001, overlapPairs)) {
                expected.AddUniqueResult(selection[i]);
                expected.AddUniqueResult(selection[j]);
            }
        }
    }
    ASSERT_GT(crossCount, 10);
    ASSERT_GT(overlapPairs, 0);

    DataCheckSettings options;
    options.checkCross = 1;
    options.checkOverlap = 1;
    RecordingReport report;
    DataCheckPasses passes(report, options);
    dialogs::edit::DataCheckResults results;
    passes.CheckCross(selection, results);
    passes.CheckOverlap(selection, results);
    EXPECT_EQ(report.lines.at(1).text, "Find cross curves:" + std::to_string(crossCount));
    EXPECT_EQ(report.lines.at(3).text, "Find overlap lines:" + std::to_string(overlapPairs));
    EXPECT_EQ(results.Elements(), expected.Elements());
}

}  // namespace
