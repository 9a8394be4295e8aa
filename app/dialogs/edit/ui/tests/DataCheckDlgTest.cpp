#include "DataCheckDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "EditWindowFixture.h"

namespace {

using dialogs::edit::ui::CDataCheckDlg;

class DataCheckDlgTest : public EditWindowFixture {
  protected:
    QStringList Lines(CDataCheckDlg& dialog) {
        QStringList lines;
        auto* list = dialogkit::Find<QListWidget>(dialog, CDataCheckDlg::kResultList);
        for (int row = 0; row < list->count(); ++row) {
            lines << list->item(row)->text();
        }
        return lines;
    }
    QCheckBox& Box(CDataCheckDlg& dialog, int id) { return *dialogkit::Find<QCheckBox>(dialog, id); }
};

TEST_F(DataCheckDlgTest, BoxesWriteTheOptionsAtOnceAndGovernWhatIsEnabled) {
    manager->dataCheck = DataCheckSettings{0, 1, 0.2, 0, 0, 0.01, 0, 0, 0, 0, 0};
    CDataCheckDlg dialog(nullptr, *manager, nullptr);
    dialog.show();
    EXPECT_FALSE(Box(dialog, 1109).isEnabled());
    EXPECT_FALSE(Edit(dialog, CDataCheckDlg::kCloseToleranceEdit).isEnabled());
    Box(dialog, 1005).click();
    EXPECT_EQ(manager->dataCheck.checkClose, 1);
    EXPECT_TRUE(Box(dialog, 1109).isEnabled());
    EXPECT_TRUE(Edit(dialog, CDataCheckDlg::kCloseToleranceEdit).isEnabled());
    EXPECT_EQ(Edit(dialog, CDataCheckDlg::kCloseToleranceEdit).text(), "0.200");
    Box(dialog, 1141).click();
    EXPECT_TRUE(Box(dialog, 1110).isEnabled());
    EXPECT_FALSE(Edit(dialog, CDataCheckDlg::kOverlapToleranceEdit).isEnabled());
    Box(dialog, 1064).click();
    EXPECT_TRUE(Edit(dialog, CDataCheckDlg::kOverlapToleranceEdit).isEnabled());
    // Unticking keeps the stored values of what it disables.
    Box(dialog, 1005).click();
    EXPECT_FALSE(Box(dialog, 1109).isEnabled());
    EXPECT_EQ(manager->dataCheck.autoClose, 1);
}

TEST_F(DataCheckDlgTest, CheckWithNothingSelectedSaysSoAndListsNothing) {
    AddSquare(0, 0, 10);
    CDataCheckDlg dialog(nullptr, *manager, nullptr);
    dialog.show();
    Click(dialog, CDataCheckDlg::kCheckButton);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "No selected curves for check!");
    EXPECT_TRUE(Lines(dialog).isEmpty());
}

TEST_F(DataCheckDlgTest, CheckListsTheLinesAndSelectsTheCrossingSquares) {
    AddSquare(0, 0, 10);
    AddSquare(5, 5, 10);
    AddSquare(40, 0, 10);
    manager->SelectAll();
    manager->dataCheck = DataCheckSettings{1, 0, 0.1, 0, 0, 0.01, 0, 0, 0, 1, 0};
    int checks = 0;
    CDataCheckDlg dialog(nullptr, *manager, [&checks] { ++checks; });
    dialog.show();
    Click(dialog, CDataCheckDlg::kCheckButton);
    EXPECT_EQ(Lines(dialog), (QStringList{"Close check end", "Not find unclose curves", "Cross check end",
                                          "Find cross curves:1"}));
    EXPECT_EQ(dialogkit::Find<QListWidget>(dialog, CDataCheckDlg::kResultList)->item(3)->foreground().color(),
              QColor(255, 0, 0));
    EXPECT_EQ(manager->selectionList.GetCount(), 2);
    EXPECT_EQ(checks, 1);
}

TEST_F(DataCheckDlgTest, EnterEscapeAndCloseNeverEndItWhileBusy) {
    AddSquare(0, 0, 10);
    manager->SelectAll();
    manager->dataCheck = DataCheckSettings{1, 0, 0.1, 0, 0, 0.01, 0, 0, 0, 0, 0};
    CDataCheckDlg dialog(nullptr, *manager, nullptr);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    // A close request and a second check arriving while the check runs are turned away: the check
    // lets timers run between its steps.
    bool busyMidCheck = false;
    bool closedMidCheck = true;
    QTimer::singleShot(0, &dialog, [&] {
        busyMidCheck = dialog.IsBusy();
        dialog.OnCheck();
        closedMidCheck = dialog.close();
    });
    Click(dialog, CDataCheckDlg::kCheckButton);
    EXPECT_TRUE(busyMidCheck);
    EXPECT_FALSE(closedMidCheck);
    EXPECT_EQ(Lines(dialog), (QStringList{"Close check end", "Not find unclose curves"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsBusy());
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
