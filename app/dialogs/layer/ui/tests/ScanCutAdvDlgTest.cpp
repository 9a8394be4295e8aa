// The cut after a scan: filled from either kind's block, values held by the layer's own rules on OK,
// the seal's range keeping the dialog open with nothing stored.
#include <gtest/gtest.h>

#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "DialogMessages.h"
#include "LayerDialogFixture.h"
#include "LayerEditState.h"
#include "RecordingMessageSink.h"
#include "ScanCutAdvDlg.h"

namespace {

using Adv = CScanCutAdvDlg;

class ScanCutAdvDlgTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        dialogkit::SetMessageSink(&messages);
        CurrentEditLayer = AddSquare(0, 0, 5)->layer;
        ASSERT_TRUE(state.BeginEdit());
    }
    void TearDown() override {
        dialogkit::SetMessageSink(nullptr);
        LayerDialogFixture::TearDown();
    }
    platform::RecordingMessageSink messages;
    LayerEditState state{*manager};
};

TEST_F(ScanCutAdvDlgTest, ValuesTypedOutOfRangeAreHeldByTheLayerRules) {
    Adv dialog(nullptr, state);
    Get<QCheckBox>(dialog, Adv::kCutAfterScanCheck).click();
    Get<QLineEdit>(dialog, Adv::kSpeedEdit).setText("-5");
    Get<QLineEdit>(dialog, Adv::kMaxPower1Edit).setText("250");
    Get<QLineEdit>(dialog, Adv::kMinPower2Edit).setText("-20");
    Get<QLineEdit>(dialog, Adv::kOnDelayEdit).setText("45000");
    Get<QLineEdit>(dialog, Adv::kSealEdit).setText("2.5");
    Click(dialog, dialogkit::kOkButton);
    const VectorLayerParams& cut = *state.Vector();
    EXPECT_EQ(cut.Eng_EnCut, 1);
    EXPECT_EQ(cut.EngCut_Speed, 5.0);
    EXPECT_EQ(cut.EngCut_Pmax1, 100.0);
    EXPECT_EQ(cut.EngCut_Pmin2, 20.0);
    EXPECT_EQ(cut.EngCut_OnDelay, 30000.0);
    EXPECT_EQ(cut.EngCut_Close, 2.5);
}

TEST_F(ScanCutAdvDlgTest, SealBeyondItsRangeKeepsTheDialogOpenWithNothingStored) {
    Adv dialog(nullptr, state);
    dialog.show();
    Get<QLineEdit>(dialog, Adv::kSealEdit).setText("6");
    Get<QLineEdit>(dialog, Adv::kSpeedEdit).setText("42");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("0 - 5 mm"), std::string::npos);
    EXPECT_NE(state.Vector()->EngCut_Speed, 42.0);
}

TEST_F(ScanCutAdvDlgTest, SpeedIsShownAndTakenInTheChosenUnit) {
    gFileParaSettings.velocityUnit = 0;
    state.Vector()->EngCut_Speed = 100.0;
    Adv dialog(nullptr, state);
    EXPECT_EQ(Text(dialog, Adv::kSpeedEdit), "6");
    Get<QLineEdit>(dialog, Adv::kSpeedEdit).setText("7.5");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(state.Vector()->EngCut_Speed, 125.0);
}

TEST_F(ScanCutAdvDlgTest, EverythingFollowsTheCutBoxAndABitmapLayerStartsWithItsOwnDefaults) {
    CurrentEditLayer = Add(MakeBitmap(4, 4, {20, 20}))->layer;
    ASSERT_TRUE(state.BeginEdit());
    Adv dialog(nullptr, state);
    EXPECT_EQ(Text(dialog, Adv::kSpeedEdit), "0");
    EXPECT_EQ(Get<QComboBox>(dialog, Adv::kBlowList).currentIndex(), 1);
    EXPECT_FALSE(Get<QLineEdit>(dialog, Adv::kSealEdit).isEnabled());
    Get<QCheckBox>(dialog, Adv::kCutAfterScanCheck).click();
    EXPECT_TRUE(Get<QLineEdit>(dialog, Adv::kSealEdit).isEnabled());
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(state.Bitmap()->Eng_EnCut, 1);
    EXPECT_EQ(state.Bitmap()->EngCut_Speed, 0.01);  // a speed of 0 would stop the head
}

}  // namespace
