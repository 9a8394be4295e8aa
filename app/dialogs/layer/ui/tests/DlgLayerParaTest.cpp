// The layer parameter dialog offscreen, by control ids, over a drawing of two vector layers: entries
// stored as typed and corrected, Enter committing the focused edit, the pen rule, layers of both kinds
// chosen from the list, OK as one change and Cancel as none.
#include <gtest/gtest.h>

#include <QStackedWidget>
#include <QTableWidget>

#include "CadVectorLayer.h"
#include "DlgLayerPara.h"
#include "LayerCutPage.h"
#include "LayerDialogFixture.h"
#include "LayerScanPage.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
using Dlg = CDlgLayerPara;

class DlgLayerParaTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        layerA = AddSquare(0, 0, 5, kBlue)->layer;
        layerB = AddSquare(10, 0, 5, kGreen)->layer;
        CurrentEditLayer = layerA;
        owner.Clear();
    }
    // The dialog opened and shown, as exec would, without its own event loop.
    std::unique_ptr<Dlg> Opened() {
        auto dialog = std::make_unique<Dlg>(nullptr, *manager);
        EXPECT_TRUE(dialog->Open());
        dialog->show();
        return dialog;
    }
    void ChooseRow(Dlg& dialog, int row) {
        auto& list = Get<QTableWidget>(dialog, Dlg::kLayerList);
        list.selectRow(row);
        emit list.cellClicked(row, 0);
    }
    static VectorLayerParams& VectorOf(CCadLayer* layer) {
        return static_cast<CCadVectorLayer*>(layer)->vectorParams;
    }

    CCadLayer* layerA = nullptr;
    CCadLayer* layerB = nullptr;
};

TEST_F(DlgLayerParaTest, SpeedTypedThenEnterIsCommitted) {
    auto dialog = Opened();
    QLineEdit& speed = Get<QLineEdit>(*dialog, Dlg::kSpeedEdit);
    speed.setFocus();
    speed.setText("25");
    QTest::keyClick(&speed, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(layerA->commonParams.COM_Speed, 25.0);
    EXPECT_EQ(ModifiedNotices(), 1);
}

TEST_F(DlgLayerParaTest, EntriesAreCorrectedAndShownBack) {
    gFileParaSettings.velocityUnit = 0;  // m/min
    auto dialog = Opened();
    Type(*dialog, Dlg::kSpeedEdit, "6");
    EXPECT_EQ(Text(*dialog, Dlg::kSpeedEdit), "6.00");
    Type(*dialog, Dlg::kMaxPower1Edit, "150");
    EXPECT_EQ(Text(*dialog, Dlg::kMaxPower1Edit), "100.0");
    Type(*dialog, Dlg::kMinPower2Edit, "-20");
    EXPECT_EQ(Text(*dialog, Dlg::kMinPower2Edit), "20.0");
    EXPECT_EQ(layerA->editCommonParams.COM_Speed, 100.0);
    EXPECT_EQ(layerA->editCommonParams.COM_Pmax1, 100.0);
    EXPECT_EQ(layerA->editCommonParams.COM_Pmin2, 20.0);
}

TEST_F(DlgLayerParaTest, TwoLayersEditedAreCommittedOnOkAndNeitherOnCancel) {
    const double speedA = layerA->commonParams.COM_Speed;
    const double powerB = layerB->commonParams.COM_Pmax1;
    for (const bool ok : {false, true}) {
        auto dialog = Opened();
        Type(*dialog, Dlg::kSpeedEdit, "25");
        ChooseRow(*dialog, 1);
        EXPECT_EQ(CurrentEditLayer, layerB);
        Type(*dialog, Dlg::kMaxPower1Edit, "60");
        ChooseRow(*dialog, 0);
        EXPECT_EQ(Text(*dialog, Dlg::kSpeedEdit), "25");  // the first layer's edit was kept
        Click(*dialog, ok ? Dlg::kOkButton : Dlg::kCancelButton);
        EXPECT_EQ(layerA->commonParams.COM_Speed, ok ? 25.0 : speedA) << ok;
        EXPECT_EQ(layerB->commonParams.COM_Pmax1, ok ? 60.0 : powerB) << ok;
        EXPECT_EQ(ModifiedNotices(), ok ? 1 : 0) << ok;
        owner.Clear();
    }
}

TEST_F(DlgLayerParaTest, PenLayerWithoutPenModeShowsTheDotPageAndNoPowers) {
    VectorOf(layerA).COM_WorkType = VectorLayerParams::kPen;
    auto dialog = Opened();
    EXPECT_EQ(Get<QComboBox>(*dialog, Dlg::kModeList).currentIndex(), -1);
    EXPECT_EQ(Get<QComboBox>(*dialog, Dlg::kModeList).count(), 3);
    EXPECT_EQ(Get<QStackedWidget>(*dialog, Dlg::kPageFrame).currentWidget(), &dialog->Page(LayerPage::Dot));
    for (const int id :
         {Dlg::kMinPower1Edit, Dlg::kMaxPower1Edit, Dlg::kMinPower2Edit, Dlg::kMaxPower2Edit}) {
        EXPECT_FALSE(Get<QLineEdit>(*dialog, id).isEnabled()) << id;
    }
    EXPECT_FALSE(Get<QCheckBox>(*dialog, Dlg::kPowerDefaultCheck).isEnabled());

    // Choosing Cut gives the powers back.
    auto& modes = Get<QComboBox>(*dialog, Dlg::kModeList);
    modes.setCurrentIndex(1);
    emit modes.activated(1);
    EXPECT_TRUE(Get<QLineEdit>(*dialog, Dlg::kMaxPower1Edit).isEnabled());
    EXPECT_EQ(Get<QStackedWidget>(*dialog, Dlg::kPageFrame).currentWidget(), &dialog->Page(LayerPage::Cut));
}

TEST_F(DlgLayerParaTest, CutPageStoresItsEntriesAndEnterThereKeepsTheDialogOpen) {
    auto dialog = Opened();
    CLayerPage& page = dialog->Page(LayerPage::Cut);
    ASSERT_TRUE(page.isVisible());
    QLineEdit& seal = Get<QLineEdit>(page, CLayerCutPage::kSealEdit);
    seal.setFocus();
    seal.setText("7");
    QTest::keyClick(&seal, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(seal.text(), "5.000");
    EXPECT_EQ(static_cast<CCadVectorLayer*>(layerA)->editVectorParams.Cut_Close, 5.0);
    // The dialog's own edit of the same id is a different control.
    EXPECT_NE(&Get<QLineEdit>(*dialog, Dlg::kMaxPower2Edit), &seal);
}

TEST_F(DlgLayerParaTest, BitmapLayerChosenFromTheListShowsTheScanPageForItsOwnCopy) {
    CCadLayer* bitmapLayer = Add(MakeBitmap(4, 4, {30, 30}), kBlue)->layer;
    auto dialog = Opened();
    ChooseRow(*dialog, 2);
    ASSERT_EQ(CurrentEditLayer, bitmapLayer);
    CLayerPage& scan = dialog->Page(LayerPage::Scan);
    EXPECT_EQ(Get<QStackedWidget>(*dialog, Dlg::kPageFrame).currentWidget(), &scan);
    EXPECT_EQ(Get<QComboBox>(*dialog, Dlg::kModeList).count(), 1);
    EXPECT_TRUE(Get<QCheckBox>(scan, CLayerScanPage::kInvertCheck).isEnabled());
    EXPECT_FALSE(Get<QCheckBox>(scan, CLayerScanPage::kCircleCheck).isEnabled());
    Type(scan, CLayerScanPage::kIntervalEdit, "0.12345");
    EXPECT_EQ(Text(scan, CLayerScanPage::kIntervalEdit), "0.1235");
    Click(*dialog, Dlg::kOkButton);
    EXPECT_EQ(static_cast<CCadBitmapLayer*>(bitmapLayer)->bitmapParams.Eng_Space, 0.1235);
    EXPECT_NE(static_cast<CCadVectorLayer*>(layerA)->vectorParams.Eng_Space, 0.1235);
}

TEST_F(DlgLayerParaTest, NoLayerToEditClosesAtOnce) {
    CurrentEditLayer = nullptr;
    Dlg dialog(nullptr, *manager);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

}  // namespace
