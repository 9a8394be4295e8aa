#include "FlatComboBox.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QApplication>
#include <QDockWidget>
#include <QEnterEvent>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FlatComboBoxTest : public platform::WidgetTest {
  protected:
    void Enter(QWidget* widget) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(widget, &enter);
    }
    void Leave(QWidget* widget) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &leave);
    }
};

}  // namespace

TEST_F(FlatComboBoxTest, OwnersHeightHoldsAndTheListShowsSevenEntries) {
    QWidget dialog;
    auto* combo = new CFlatComboBox(&dialog);
    for (int entry = 0; entry < 12; ++entry) combo->addItem(QString("Entry %1").arg(entry));
    QFont large = combo->font();
    large.setPixelSize(30);
    combo->setFont(large);
    combo->setGeometry(10, 10, 120, 21);
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(combo->height(), 21);
    EXPECT_EQ(combo->maxVisibleItems(), 7);
}

TEST_F(FlatComboBoxTest, HoverMovesOntoTheEditPartWithoutDroppingTheHighlight) {
    CFlatComboBox combo;
    combo.resize(120, 21);
    combo.show();
    const QRgb highlight = combo.palette().color(QPalette::Highlight).rgb();
    EXPECT_NE(combo.Render().pixel(0, 10), highlight);
    Enter(&combo);
    EXPECT_EQ(combo.Render().pixel(0, 10), highlight);
    Enter(combo.lineEdit());
    Leave(&combo);
    EXPECT_TRUE(combo.Hover().IsHovering());
    EXPECT_EQ(combo.Render().pixel(0, 10), highlight);
    Leave(combo.lineEdit());
    EXPECT_FALSE(combo.Hover().IsHovering());
}

TEST_F(FlatComboBoxTest, DropArrowIsATriangleUnderTheButtonsMiddle) {
    CFlatComboBox combo;
    combo.resize(120, 21);
    const QImage picture = combo.Render();
    const int tipX = (103 + 120) / 2;
    const int tipY = 21 / 2 + 2;
    const QRgb arrow = combo.palette().color(QPalette::ButtonText).rgb();
    EXPECT_EQ(picture.pixel(tipX, tipY), arrow);
    EXPECT_EQ(picture.pixel(tipX - 3, tipY - 3), arrow);
    EXPECT_EQ(picture.pixel(tipX + 3, tipY - 3), arrow);
    EXPECT_NE(picture.pixel(tipX - 1, tipY), arrow);
}

TEST_F(FlatComboBoxTest, PlainHoverVariantsTrackTheMouse) {
    CHoverButton button;
    CHoverEdit edit;
    CHoverComboBox combo;
    for (QWidget* widget : {static_cast<QWidget*>(&button), static_cast<QWidget*>(&edit), static_cast<QWidget*>(&combo)}) {
        Enter(widget);
    }
    EXPECT_TRUE(button.IsHovering() && edit.IsHovering() && combo.IsHovering());
    Leave(&edit);
    EXPECT_FALSE(edit.IsHovering());
    EXPECT_TRUE(button.IsHovering());
}

TEST_F(FlatComboBoxTest, EnterOnADockedBarSendsTheFrameACommandWithTheControlId) {
    class Frame : public QMainWindow {
      public:
        std::vector<std::uintptr_t> commands;

      protected:
        bool event(QEvent* event) override {
            if (event->type() != platform::WindowMessageEvent::EventType()) return QMainWindow::event(event);
            commands.push_back(static_cast<platform::WindowMessageEvent*>(event)->WParam());
            return true;
        }
    } frame;
    auto* bar = new QDockWidget("Power", &frame);
    auto* combo = new CFlatComboBox;
    platform::SetControlId(*combo, 1207);
    bar->setWidget(combo);
    frame.addDockWidget(Qt::TopDockWidgetArea, bar);
    frame.show();
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(frame.commands, std::vector<std::uintptr_t>{1207});

    QWidget dialog;
    auto* inDialog = new CFlatComboBox(&dialog);
    dialog.show();
    QTest::keyClick(inDialog, Qt::Key_Return);
    EXPECT_EQ(frame.commands.size(), 1u);
}
