// The cutting-order options window by its control ids: texts and lists, greying as boxes are clicked,
// OK storing the clamped height and ordering the drawing, Cancel storing nothing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CadMgrFixture.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "OptimDlgWindow.h"
#include "RecordingMessageSink.h"
#include "SettingsRecords.h"
#include "WidgetTestApplication.h"

namespace {

using Form = COptimDlg;

class OptimDlgWindowTest : public CadMgrFixture {
  protected:
    OptimDlgWindowTest() {
        platform::EnsureWidgetApplication();
        dialogkit::SetMessageSink(&messages);
        settings = OptimSettings{};
        settings.insideToOutside = 1;
        settings.insideToOutsideMode = 0;
        settings.startPointOptimise = 0;
    }
    ~OptimDlgWindowTest() override {
        dialogkit::SetMessageSink(nullptr);
        gOptimSettings = savedSettings;
        gGeneralSettings.laserHeadPosition = savedHead;
    }

    template <typename Control>
    Control* Get(int id) {
        return dialogkit::Find<Control>(*dialog, id);
    }
    void Click(int id) { Get<QAbstractButton>(id)->click(); }
    void Open() {
        dialog = std::make_unique<output::ui::COptimDlg>(nullptr, settings, *manager);
        dialog->show();
    }

    platform::RecordingMessageSink messages;
    // The order reads the program's settings, so the dialog edits them, as in the program.
    OptimSettings savedSettings = gOptimSettings;
    std::uint16_t savedHead = gGeneralSettings.laserHeadPosition;
    OptimSettings& settings = gOptimSettings;
    std::unique_ptr<output::ui::COptimDlg> dialog;
};

TEST_F(OptimDlgWindowTest, ShowsTextsListsAndTheSettings) {
    settings.blockDirection = 2;
    settings.blockHeightMm = 12.5;
    Open();
    EXPECT_EQ(dialog->windowTitle(), "Cutting optimize handle");
    EXPECT_EQ(Get<QCheckBox>(Form::kLayerOrderCheck)->text(), "Order of layer");
    EXPECT_EQ(Get<QGroupBox>(Form::kBlockFrame)->title(), "Block handle");
    EXPECT_EQ(Get<QComboBox>(Form::kInnerModeCombo)->itemText(1), "Single inner to outer,Find cutting port");
    EXPECT_EQ(Get<QComboBox>(Form::kDirectionCombo)->count(), 4);
    EXPECT_EQ(Get<QComboBox>(Form::kDirectionCombo)->currentText(), "Left to right");
    EXPECT_EQ(Get<QLineEdit>(Form::kBandHeightEdit)->text(), "12.500");
    EXPECT_TRUE(Get<QCheckBox>(Form::kInsideToOutsideCheck)->isChecked());
}

TEST_F(OptimDlgWindowTest, GreyingFollowsTheBoxesAsTheyAreClicked) {
    Open();
    EXPECT_TRUE(Get<QCheckBox>(Form::kAutoStartDirCheck)->isEnabled());
    Click(Form::kStartPointCheck);
    EXPECT_FALSE(Get<QCheckBox>(Form::kAutoStartDirCheck)->isEnabled());

    Get<QComboBox>(Form::kInnerModeCombo)->setCurrentIndex(Form::kFindCuttingPort);
    EXPECT_FALSE(Get<QCheckBox>(Form::kStartPointCheck)->isEnabled());
    EXPECT_FALSE(Get<QCheckBox>(Form::kAutoStartDirCheck)->isEnabled());
    EXPECT_TRUE(Get<QCheckBox>(Form::kStartPointCheck)->isChecked());

    Click(Form::kInsideToOutsideCheck);
    EXPECT_FALSE(Get<QComboBox>(Form::kInnerModeCombo)->isEnabled());
    EXPECT_TRUE(Get<QCheckBox>(Form::kStartPointCheck)->isEnabled());
}

TEST_F(OptimDlgWindowTest, OkStoresTheClampedHeightAndOrdersTheDrawing) {
    AddSquare(100, 0, 5);
    CCadCurve* left = AddSquare(0, 0, 5);
    gGeneralSettings.laserHeadPosition = 4;
    Open();
    Get<QLineEdit>(Form::kBandHeightEdit)->setText("100001");
    Get<QComboBox>(Form::kDirectionCombo)->setCurrentIndex(2);
    Click(Form::kLayerOrderCheck);
    Click(dialogkit::kOkButton);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(settings.blockHeightMm, 100000.0);
    EXPECT_EQ(settings.blockDirection, 2);
    EXPECT_EQ(settings.orderOfLayer, 1u);
    EXPECT_EQ(Elements().front(), left);
}

TEST_F(OptimDlgWindowTest, AHeightThatIsNoNumberKeepsTheDialogOpen) {
    Open();
    Get<QLineEdit>(Form::kBandHeightEdit)->setText("high");
    Click(dialogkit::kOkButton);

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(settings.blockHeightMm, OptimSettings{}.blockHeightMm);
}

TEST_F(OptimDlgWindowTest, CancelStoresNothing) {
    const OptimSettings before = settings;
    Open();
    Click(Form::kLayerOrderCheck);
    Click(Form::kStartPointCheck);
    Get<QComboBox>(Form::kInnerModeCombo)->setCurrentIndex(1);
    Click(dialogkit::kCancelButton);

    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings.orderOfLayer, before.orderOfLayer);
    EXPECT_EQ(settings.startPointOptimise, before.startPointOptimise);
    EXPECT_EQ(settings.insideToOutsideMode, before.insideToOutsideMode);
}

}  // namespace
