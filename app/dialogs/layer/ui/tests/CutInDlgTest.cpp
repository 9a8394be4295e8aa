// The lead-in and lead-out dialog over the selection: filled from a single curve, arcs hiding what they
// do not use, OK writing both leads into every selected curve as one change, Cancel none.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QRadioButton>

#include "CadCurve.h"
#include "CutInDlg.h"
#include "LayerDialogFixture.h"

namespace {

using In = CCutInDlg;

class CutInDlgTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        first = AddSquare(0, 0, 10);
        second = AddSquare(20, 0, 10);
        owner.Clear();
    }
    void Select(std::initializer_list<CCadElement*> elements) {
        manager->ClearSelection();
        for (CCadElement* element : elements) {
            manager->AddToSelection(element);
        }
        owner.Clear();
    }
    static void Choose(const QWidget& dialog, int id, int index) {
        Get<QComboBox>(dialog, id).setCurrentIndex(index);
    }

    CCadCurve* first = nullptr;
    CCadCurve* second = nullptr;
};

TEST_F(CutInDlgTest, SingleCurveFillsTheDialog) {
    CutInOutPara lead = CCadCurve::DefaultLead();
    lead.enabled = 1;
    lead.kind = 1;
    lead.side = 1;
    lead.length = 3.0;
    first->SetCutInOutPara(lead, CCadCurve::DefaultLead());
    Select({first});
    In dialog(nullptr, *manager);
    EXPECT_TRUE(Get<QCheckBox>(dialog, In::kLeadIn.enable).isChecked());
    EXPECT_EQ(Get<QComboBox>(dialog, In::kLeadIn.lineType).currentIndex(), 1);
    EXPECT_TRUE(Get<QRadioButton>(dialog, In::kLeadIn.male).isChecked());
    EXPECT_EQ(Text(dialog, In::kLeadIn.length), "3");
    EXPECT_FALSE(Get<QCheckBox>(dialog, In::kLeadOut.enable).isChecked());
}

TEST_F(CutInDlgTest, ArcHidesPositionAndAngleAndCentreHidesLengthAndAngle) {
    Select({first});
    In dialog(nullptr, *manager);
    dialog.show();
    Choose(dialog, In::kLeadIn.lineType, 1);
    EXPECT_FALSE(Get<QComboBox>(dialog, In::kLeadIn.position).isVisible());
    EXPECT_FALSE(Get<QLineEdit>(dialog, In::kLeadIn.angle).isVisible());
    EXPECT_TRUE(Get<QLineEdit>(dialog, In::kLeadIn.length).isVisible());
    EXPECT_TRUE(Get<QRadioButton>(dialog, In::kLeadIn.female).isVisible());

    Choose(dialog, In::kLeadOut.position, 1);
    EXPECT_FALSE(Get<QLineEdit>(dialog, In::kLeadOut.length).isVisible());
    EXPECT_FALSE(Get<QLineEdit>(dialog, In::kLeadOut.angle).isVisible());
    EXPECT_TRUE(Get<QComboBox>(dialog, In::kLeadOut.position).isVisible());
    EXPECT_FALSE(Get<QRadioButton>(dialog, In::kLeadOut.male).isVisible());
}

TEST_F(CutInDlgTest, OkWritesBothLeadsIntoEverySelectedCurveAsOneChange) {
    Select({first, second});
    In dialog(nullptr, *manager);
    dialog.show();
    Get<QCheckBox>(dialog, In::kLeadIn.enable).click();
    Choose(dialog, In::kLeadIn.lineType, 1);
    Get<QLineEdit>(dialog, In::kLeadIn.length).setText("0.05");
    Get<QCheckBox>(dialog, In::kLeadOut.enable).click();
    Get<QLineEdit>(dialog, In::kLeadOut.angle).setText("725");
    Click(dialog, dialogkit::kOkButton);
    for (const CCadCurve* curve : {first, second}) {
        EXPECT_EQ(curve->leadIn.enabled, 1);
        EXPECT_EQ(curve->leadIn.kind, 1);
        EXPECT_EQ(curve->leadIn.length, 0.1);
        EXPECT_EQ(curve->leadOut.enabled, 1);
        EXPECT_EQ(curve->leadOut.angle, 5.0);
    }
    EXPECT_EQ(ModifiedNotices(), 1);
}

TEST_F(CutInDlgTest, CancelAndAnEmptySelectionChangeNothing) {
    Select({first});
    {
        In dialog(nullptr, *manager);
        Get<QCheckBox>(dialog, In::kLeadIn.enable).click();
        Click(dialog, dialogkit::kCancelButton);
    }
    EXPECT_EQ(first->leadIn.enabled, 0);
    Select({});
    In dialog(nullptr, *manager);
    Get<QCheckBox>(dialog, In::kLeadIn.enable).click();
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(first->leadIn.enabled, 0);
    EXPECT_EQ(ModifiedNotices(), 0);
}

}  // namespace
