// The kerf dialog on the edited cut layer: opening mends a stored width, Enter stores the corrected
// width, and it acts on cut layers only.
#include <gtest/gtest.h>

#include "CadVectorLayer.h"
#include "CutExDlg.h"
#include "LayerDialogFixture.h"
#include "LayerEditState.h"

namespace {

class CutExDlgTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        CurrentEditLayer = AddSquare(0, 0, 5, 0xFF0000)->layer;
        ASSERT_TRUE(state.BeginEdit());
        state.Vector()->COM_WorkType = VectorLayerParams::kCut;
    }
    LayerEditState state{*manager};
};

TEST_F(CutExDlgTest, OpeningBringsTheStoredWidthIntoRange) {
    for (const auto& [stored, held] : {std::pair{0.0, 0.01}, std::pair{2.0, 0.5}}) {
        state.Vector()->Cut_SewWidth = stored;
        CCutExDlg dialog(nullptr, state);
        EXPECT_EQ(state.Vector()->Cut_SewWidth, held) << stored;
        EXPECT_EQ(Text(dialog, CCutExDlg::kWidthEdit).toDouble(), held) << stored;
    }
}

TEST_F(CutExDlgTest, WidthTypedThenEnterIsStoredWithinRange) {
    CCutExDlg dialog(nullptr, state);
    dialog.show();
    Get<QCheckBox>(dialog, CCutExDlg::kEnableCheck).click();
    Get<QComboBox>(dialog, CCutExDlg::kDirectionList).setCurrentIndex(1);
    QLineEdit& width = Get<QLineEdit>(dialog, CCutExDlg::kWidthEdit);
    width.setFocus();
    width.setText("0.8");
    QTest::keyClick(&width, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state.Vector()->Cut_SewWidth, 0.5);
    EXPECT_EQ(state.Vector()->Cut_EnSew, 1);
    EXPECT_EQ(state.Vector()->Cut_SewDir, 1);
}

TEST_F(CutExDlgTest, ClearedBoxDisablesDirectionAndWidthButOkStillStoresThem) {
    state.Vector()->Cut_EnSew = 0;
    CCutExDlg dialog(nullptr, state);
    EXPECT_FALSE(Get<QLineEdit>(dialog, CCutExDlg::kWidthEdit).isEnabled());
    EXPECT_FALSE(Get<QComboBox>(dialog, CCutExDlg::kDirectionList).isEnabled());
    Get<QLineEdit>(dialog, CCutExDlg::kWidthEdit).setText("0.3");
    dialog.accept();
    EXPECT_EQ(state.Vector()->Cut_SewWidth, 0.3);
}

TEST_F(CutExDlgTest, LayerInAnotherModeIsLeftAlone) {
    state.Vector()->COM_WorkType = VectorLayerParams::kDot;
    state.Vector()->Cut_SewWidth = 0.0;
    CCutExDlg dialog(nullptr, state);
    Get<QLineEdit>(dialog, CCutExDlg::kWidthEdit).setText("0.2");
    dialog.accept();
    EXPECT_EQ(state.Vector()->Cut_SewWidth, 0.0);
}

}  // namespace
