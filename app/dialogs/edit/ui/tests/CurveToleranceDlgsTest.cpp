#include "CurveToleranceDlgs.h"

#include <QCheckBox>
#include <QRadioButton>

#include "DrawingChange.h"
#include "EditWindowFixture.h"
#include "OffsetDlg.h"
#include "RotateAngleDlg.h"

namespace {

using namespace dialogs::edit;
using namespace dialogs::edit::ui;

class CurveToleranceDlgsTest : public EditWindowFixture {};

TEST_F(CurveToleranceDlgsTest, CombineToleranceOutOfRangeKeepsTheWindowOpenAtItsEdit) {
    for (const char* typed : {"0.001", "6", "1e999"}) {
        CCombineErrDlg dialog(nullptr, CombineCurveForm::RecordOf(*manager),
                              dialogs::DrawingApplier<CombineCurveForm>(*manager));
        dialog.show();
        Edit(dialog, kCombineToleranceEdit).setText(typed);
        Click(dialog, dialogkit::kOkButton);
        EXPECT_TRUE(dialog.isVisible()) << typed;
        EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, kCombineToleranceEdit)) << typed;
        EXPECT_EQ(messages.Shown().size(), 1u) << typed;
        messages.Clear();
    }
    EXPECT_DOUBLE_EQ(manager->mergeTolerance, 0.1);
}

TEST_F(CurveToleranceDlgsTest, CloseDialogClosesTheSelectedGapInOneUndoStep) {
    CCadCurve* curve = AddSquare(0, 0, 10);
    curve->closed = 0;
    curve->pathList.head->prev->value.end = {0, 0.3};
    manager->SelectAll();
    StartHistory();
    CCloseCurveDlg dialog(nullptr, CloseCurveForm::RecordOf(*manager), dialogs::DrawingApplier<CloseCurveForm>(*manager));
    dialog.show();
    EXPECT_EQ(Edit(dialog, kCloseToleranceEdit).text(), "0.100");
    Edit(dialog, kCloseToleranceEdit).setText("0.5");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(curve->closed, 1);
    EXPECT_DOUBLE_EQ(manager->closingTolerance, 0.5);
    EXPECT_EQ(UndoStepsTaken(), 1);
}

TEST_F(CurveToleranceDlgsTest, OverlapEditFollowsItsBoxAndCancelStoresNothing) {
    manager->overlapTolerance = 0.0001;
    COverLapDlg dialog(nullptr, OverlapForm::RecordOf(*manager), nullptr);
    dialog.show();
    EXPECT_EQ(Edit(dialog, kOverlapToleranceEdit).text(), "0.001");
    EXPECT_FALSE(Edit(dialog, kOverlapToleranceEdit).isEnabled());
    dialogkit::Find<QCheckBox>(dialog, kOverlapToleranceBox)->click();
    EXPECT_TRUE(Edit(dialog, kOverlapToleranceEdit).isEnabled());
    Click(dialog, dialogkit::kCancelButton);
    EXPECT_EQ(manager->overlapWord, 0u);
    EXPECT_DOUBLE_EQ(manager->overlapTolerance, 0.0001);
}

TEST_F(CurveToleranceDlgsTest, OffsetOutwardAddsTheGrownContourAsOneUndoStep) {
    AddSquare(0, 0, 10);
    manager->SelectAll();
    StartHistory();
    COffsetDlg dialog(nullptr, OffsetForm::RecordOf(*manager), dialogs::DrawingApplier<OffsetForm>(*manager));
    dialog.show();
    Edit(dialog, kOffsetDistanceEdit).setText("2");
    dialogkit::Find<QRadioButton>(dialog, kOutwardRadio)->click();
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(manager->offsetWord, 1);
    EXPECT_EQ(ElementLefts(), (std::vector<double>{0.0, -2.0}));
    EXPECT_EQ(UndoStepsTaken(), 1);
}

TEST_F(CurveToleranceDlgsTest, RotateByMinusNinetyTurnsAQuarterTheOtherWay) {
    AddSquare(0, 0, 10);
    AddCurve({{0, 0}, {20, 0}}, false);
    manager->SelectAll();
    CRotateAngleDlg dialog(nullptr, [this](RotateAngleForm& form) { form.Apply(*manager); });
    dialog.show();
    EXPECT_EQ(Edit(dialog, kRotateAngleEdit).text(), "0.000");
    Edit(dialog, kRotateAngleEdit).setText("-90");
    Click(dialog, dialogkit::kOkButton);
    const CCadRect turned = manager->GetSelectionRect();
    EXPECT_NEAR(turned.x2 - turned.x1, 10.0, 1e-9);
    EXPECT_NEAR(turned.y2 - turned.y1, 20.0, 1e-9);
}

}  // namespace
