#include "CurveToleranceForms.h"

#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "RecordForm.h"

namespace {

using namespace dialogs::edit;

class CurveToleranceFormsTest : public CadMgrFixture {};

template <typename Form>
std::optional<dialogkit::FormProblem> Submit(Form& form, int controlId, const char* typed) {
    dialogkit::FormEntries entries;
    entries.EnterText(controlId, typed);
    return dialogkit::SubmitEntries(form, entries);
}

TEST_F(CurveToleranceFormsTest, CloseToleranceBelowZeroIsStoredAsZeroAndLeavesAGapOpen) {
    struct Case {
        const char* typed;
        double storedMm;
        bool gapCloses;  // a 0.05 mm gap
    };
    for (const Case c : {Case{"-0.5", 0.0, false}, Case{"50", 50.0, true}, Case{"0.1", 0.1, true}}) {
        CCadCurve* curve = Add(MakeCurve({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0.05}}));
        manager->ClearSelection();
        manager->AddToSelection(curve);
        CloseCurveForm form;
        form.Load(CloseCurveForm::RecordOf(*manager));
        ASSERT_FALSE(Submit(form, kCloseToleranceEdit, c.typed)) << c.typed;
        form.Apply(*manager);
        EXPECT_DOUBLE_EQ(manager->closingTolerance, c.storedMm) << c.typed;
        EXPECT_EQ(curve->closed, c.gapCloses ? 1 : 0) << c.typed;
        manager->DeleteElement(curve);
    }
}

TEST_F(CurveToleranceFormsTest, CombineToleranceOutsideItsRangeKeepsTheDialogOpen) {
    struct Case {
        const char* typed;
        bool taken;
    };
    for (const Case c : {Case{"0.001", false}, Case{"6", false}, Case{"0.005", true}, Case{"5.0", true},
                         Case{"1e999", false}, Case{"abc", false}}) {
        CombineCurveForm form;
        form.Load(CombineCurveForm::RecordOf(*manager));
        const auto problem = Submit(form, kCombineToleranceEdit, c.typed);
        EXPECT_EQ(!problem, c.taken) << c.typed;
        if (problem) {
            EXPECT_EQ(problem->controlId, kCombineToleranceEdit);
        }
    }
}

TEST_F(CurveToleranceFormsTest, OverlapToleranceIsBroughtIntoItsRangeOnOpeningAndOnOk) {
    struct Case {
        const char* typed;
        double storedMm;
    };
    for (const Case c : {Case{"0.0005", 0.001}, Case{"3", 1.0}, Case{"0.25", 0.25}}) {
        OverlapForm form;
        form.Load(OverlapForm::RecordOf(*manager));
        ASSERT_FALSE(Submit(form, kOverlapToleranceEdit, c.typed));
        form.Apply(*manager);
        EXPECT_DOUBLE_EQ(manager->overlapTolerance, c.storedMm) << c.typed;
    }
    manager->overlapTolerance = 7.0;
    EXPECT_DOUBLE_EQ(OverlapForm::RecordOf(*manager).toleranceMm, 1.0);
}

TEST_F(CurveToleranceFormsTest, OverlapToleranceEditFollowsItsSwitch) {
    OverlapForm form;
    form.Load({0.01, 0});
    EXPECT_EQ(form.Enabled(), (dialogkit::FormEnabling{{kOverlapToleranceEdit, false}}));
    form.Edited().toleranceOn = 1;
    EXPECT_EQ(form.Enabled(), (dialogkit::FormEnabling{{kOverlapToleranceEdit, true}}));
}

TEST_F(CurveToleranceFormsTest, CombineJoinsTwoHalvesOfALetterOutlineWithinTheTolerance) {
    // The bowl of a letter D split in two open halves 0.05 mm apart at both joints.
    Add(MakeCurve({{0, 0}, {5, 0}, {9, 4}, {9, 6}}));
    Add(MakeCurve({{9, 6.05}, {5, 10}, {0, 10}, {0, 0.05}}));
    manager->SelectAll();
    CombineCurveForm form;
    form.Load(CombineCurveForm::RecordOf(*manager));
    ASSERT_FALSE(Submit(form, kCombineToleranceEdit, "0.1"));
    form.Apply(*manager);
    EXPECT_DOUBLE_EQ(manager->mergeTolerance, 0.1);
    EXPECT_EQ(Elements().size(), 1u);
}

}  // namespace
