// The manual cutting-order window by its control ids: texts and rows, a list click and ">>", OK and
// Cancel, the preview's band drawn in not-XOR and selecting through the band.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "CadMgrFixture.h"
#include "DialogControls.h"
#include "DlgSetOrderWindow.h"
#include "LogicalUnits.h"
#include "RecordingBackend.h"
#include "SetOrderPreviewArea.h"
#include "WidgetTestApplication.h"

namespace {

using Lists = CDlgSetOrder;

class DlgSetOrderWindowTest : public CadMgrFixture {
  protected:
    void SetUp() override {
        platform::EnsureWidgetApplication();
        CadMgrFixture::SetUp();
        savedShowPath = ShowPathOn;
        for (int index = 0; index < 5; ++index) {
            squares.push_back(AddSquare(index * 20.0, 0, 10));
        }
        owner.Clear();
        dialog = std::make_unique<output::ui::CDlgSetOrder>(nullptr, *manager);
        dialog->resize(900, 500);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void TearDown() override {
        dialog.reset();
        ShowPathOn = savedShowPath;
    }

    QTableWidget& Table(int id) { return *dialogkit::Find<QTableWidget>(*dialog, id); }
    void Press(int id) { dialogkit::Find<QAbstractButton>(*dialog, id)->click(); }
    QPoint PixelOf(SDPoint mm) {
        platform::DeviceContext mapping(
            std::make_unique<platform::RecordingBackend>(dialog->PreviewArea().Preview().AreaSize()));
        dialog->PreviewArea().Preview().PrepareDC(mapping);
        const platform::Point at = mapping.LPtoDP(ToLogicalUnits(mm));
        return {at.x, at.y};
    }

    std::vector<CCadElement*> squares;
    int savedShowPath = 0;
    std::unique_ptr<output::ui::CDlgSetOrder> dialog;
};

TEST_F(DlgSetOrderWindowTest, ShowsItsTextsAndOneRowPerElement) {
    EXPECT_EQ(dialog->windowTitle(), "Set cutting property");
    EXPECT_EQ(Table(Lists::kRemainingList).horizontalHeaderItem(0)->text(), "NO");
    EXPECT_EQ(Table(Lists::kOrderedList).horizontalHeaderItem(1)->text(), "Name");
    EXPECT_EQ(Table(Lists::kRemainingList).columnWidth(0), 40);
    EXPECT_EQ(dialogkit::Find<QCheckBox>(*dialog, Lists::kShowPathCheck)->text(), "ShowPath");
    EXPECT_EQ(dialogkit::Find<QPushButton>(*dialog, Lists::kReverseButton)->text(), "Reverse");
    EXPECT_EQ(dialogkit::Find<QPushButton>(*dialog, Lists::kOkButton)->text(), "Ok");
    ASSERT_EQ(Table(Lists::kRemainingList).rowCount(), 5);
    EXPECT_EQ(Table(Lists::kRemainingList).item(2, 0)->text(), "3");
    EXPECT_EQ(Table(Lists::kRemainingList).item(2, 1)->text(), "Element3");
    EXPECT_EQ(Table(Lists::kOrderedList).rowCount(), 0);
}

TEST_F(DlgSetOrderWindowTest, AClickedRowMovedOverAndOkMakesItFirst) {
    QTableWidget& remaining = Table(Lists::kRemainingList);
    QTest::mouseClick(remaining.viewport(), Qt::LeftButton, {},
                      remaining.visualItemRect(remaining.item(2, 1)).center());
    EXPECT_EQ(squares[2]->selected, 1);
    Press(Lists::kMoveSelectedButton);

    ASSERT_EQ(Table(Lists::kOrderedList).rowCount(), 1);
    EXPECT_EQ(Table(Lists::kOrderedList).item(0, 1)->text(), "Element3");
    EXPECT_EQ(remaining.item(0, 0)->text(), "2");
    Press(Lists::kOkButton);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Elements().front(), squares[2]);
    EXPECT_EQ(std::ranges::count(PostedMessages(), kDrawingModifiedMessage), 1);
}

TEST_F(DlgSetOrderWindowTest, CancelKeepsTheOrder) {
    Press(Lists::kMoveAllButton);
    Table(Lists::kOrderedList).selectRow(4);
    Press(Lists::kMoveUpButton);
    EXPECT_EQ(Table(Lists::kOrderedList).item(3, 1)->text(), "Element5");
    Press(Lists::kCancelButton);

    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Elements(), squares);
    EXPECT_TRUE(PostedMessages().empty());
}

TEST_F(DlgSetOrderWindowTest, TheBandIsDrawnInNotXorAndSelectsWhatItEncloses) {
    Press(Lists::kSelectModeButton);
    QWidget* area = &dialog->PreviewArea();
    const QImage before = dialog->PreviewArea().Picture().copy();
    const QPoint from = PixelOf({15, -5});
    const QPoint to = PixelOf({55, 15});

    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QMouseEvent firstMove(QEvent::MouseMove, QPointF(to), area->mapToGlobal(QPointF(to)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &firstMove);
    const QImage withBand = dialog->PreviewArea().Picture().copy();
    EXPECT_NE(withBand, before);
    // Drawing the band once more erases it: the picture is as it was.
    const QPoint elsewhere = to + QPoint(5, 5);
    QMouseEvent secondMove(QEvent::MouseMove, QPointF(elsewhere), area->mapToGlobal(QPointF(elsewhere)),
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &secondMove);
    QMouseEvent backMove(QEvent::MouseMove, QPointF(to), area->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &backMove);
    EXPECT_EQ(dialog->PreviewArea().Picture(), withBand);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);

    // The squares at 20 and 40 mm lie inside; their rows are selected.
    EXPECT_EQ(squares[1]->selected, 1);
    EXPECT_EQ(squares[2]->selected, 1);
    EXPECT_EQ(squares[0]->selected, 0);
    const auto selected = Table(Lists::kRemainingList).selectionModel()->selectedRows();
    EXPECT_EQ(selected.size(), 2);
}

TEST_F(DlgSetOrderWindowTest, AVerticalBandSelectsNothing) {
    Press(Lists::kSelectModeButton);
    QWidget* area = &dialog->PreviewArea();
    const QPoint from = PixelOf({25, -5});
    const QPoint to(from.x(), PixelOf({25, 15}).y());
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    for (CCadElement* square : squares) {
        EXPECT_EQ(square->selected, 0);
    }
}

TEST_F(DlgSetOrderWindowTest, ShowPathRedrawsAndIsPutBackOnClose) {
    ShowPathOn = 0;
    const QImage before = dialog->PreviewArea().Picture().copy();
    Press(Lists::kShowPathCheck);
    EXPECT_EQ(ShowPathOn, 1);
    EXPECT_NE(dialog->PreviewArea().Picture(), before);
    Press(Lists::kCancelButton);
    EXPECT_EQ(ShowPathOn, 0);
}

}  // namespace
