#include "EditListCtrl.h"
#include "WidgetTestApplication.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ParentWindow : public QWidget {
  public:
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> commits;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != platform::WindowMessageEvent::EventType()) return QWidget::event(event);
        const auto* message = static_cast<platform::WindowMessageEvent*>(event);
        if (message->Message() == kEditListCommitMessage) commits.emplace_back(message->WParam(), message->LParam());
        return true;
    }
};

class EditListCtrlTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        list = new CEditListCtrl(&parent);
        list->setColumnCount(2);
        list->setRowCount(3);
        for (int row = 0; row < 3; ++row) {
            list->setItem(row, 0, new QTableWidgetItem(QString("Layer %1").arg(row)));
            list->setItem(row, 1, new QTableWidgetItem(QString::number(100 * (row + 1))));
        }
        list->resize(300, 200);
        parent.show();
    }
    void DoubleClick(int row, int column) {
        const QRect cell = list->visualItemRect(list->item(row, column));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void LeaveEditor() {
        QFocusEvent focusOut(QEvent::FocusOut);
        QCoreApplication::sendEvent(list->Editor(), &focusOut);
        QCoreApplication::sendPostedEvents(&parent);
    }
    ParentWindow parent;
    CEditListCtrl* list = nullptr;
};

}  // namespace

TEST_F(EditListCtrlTest, OnlyTheSecondColumnOpensTheEditor) {
    DoubleClick(1, 0);
    EXPECT_EQ(list->Editor(), nullptr);
    DoubleClick(1, 1);
    ASSERT_NE(list->Editor(), nullptr);
    EXPECT_TRUE(list->Editor()->isVisible());
    EXPECT_EQ(list->Editor()->text(), "200");
    EXPECT_EQ(list->Editor()->cursorPosition(), 3);
}

TEST_F(EditListCtrlTest, LeavingTheEditorCommitsTheClampedValueWithTheRow) {
    struct Case {
        const char* typed;
        const char* cell;
    };
    const Case cases[] = {{"0", "1"}, {"25000", "10000"}, {"", "1"}, {"750", "750"}};
    for (const Case& c : cases) {
        parent.commits.clear();
        DoubleClick(2, 1);
        list->Editor()->setText(c.typed);
        LeaveEditor();
        EXPECT_FALSE(list->Editor()->isVisible()) << c.typed;
        EXPECT_EQ(list->item(2, 1)->text(), c.cell) << c.typed;
        ASSERT_EQ(parent.commits.size(), 1u) << c.typed;
        EXPECT_EQ(parent.commits[0].first, 2u);
        EXPECT_EQ(parent.commits[0].second, QString(c.cell).toInt());
    }
}
