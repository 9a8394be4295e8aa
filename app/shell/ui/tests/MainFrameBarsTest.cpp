#include "MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <memory>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CoolBar.h"
#include "CutrixView.h"
#include "GeometryTestHelpers.h"
#include "ImageButton.h"
#include "LanguageTexts.h"
#include "LayerColorBar.h"
#include "MainToolBars.h"
#include "PropertyBar.h"
#include "SettingsGlobals.h"
#include "StatusBarXP.h"
#include "ToolBarEx.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

using Which = CMainToolBars::Which;
constexpr Which kBars[] = {Which::kSystem, Which::kNodeEdit, Which::kDraw, Which::kArrange};
constexpr std::uint32_t kSelectAll = 32782;

class MainFrameBarsTest : public platform::WidgetTest {
  protected:
    MainFrameBarsTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        CUndoStore::Init();
    }

    CCadElement* AddSquare(double x, double y, double size) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList,
                                     {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true);
        curve->closed = 1;
        curve->CalRect();
        CCadElement* element = curve.get();
        EXPECT_EQ(manager->AddElement(curve.release()), 1);
        return element;
    }

    QAction* Button(std::uint32_t id) const {
        for (const Which which : kBars) {
            if (QAction* button = frame.ToolBars().Bar(which).CommandAction(static_cast<int>(id))) {
                return button;
            }
        }
        return nullptr;
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
};

TEST_F(MainFrameBarsTest, EveryToolbarButtonOfALaterCommandIsDisabledAndSaysWhy) {
    AddSquare(0, 0, 10);
    frame.RunCommand(kSelectAll);  // every enable rule that a selection can satisfy is satisfied
    int later = 0;
    for (const Which which : kBars) {
        for (const std::uint16_t id : CMainToolBars::Buttons(which)) {
            if (id == 0 || !IsLaterCommand(id)) {
                continue;
            }
            SCOPED_TRACE(id);
            QAction* button = frame.ToolBars().Bar(which).CommandAction(id);
            ASSERT_NE(button, nullptr);
            EXPECT_FALSE(button->isEnabled());
            EXPECT_EQ(button->statusTip().toStdString(), LaterCommandStatusText());
            ++later;
        }
    }
    EXPECT_GT(later, 0);  // fewer as their handlers land
}

TEST_F(MainFrameBarsTest, ButtonsFollowTheirCommandsAndRunThem) {
    constexpr std::uint32_t kDelete = 32781;
    constexpr std::uint32_t kLine = 32785;
    constexpr std::uint32_t kSelect = 32784;
    AddSquare(0, 0, 10);
    frame.UpdateCommandUi();
    EXPECT_FALSE(Button(kDelete)->isEnabled());
    frame.RunCommand(kSelectAll);
    EXPECT_TRUE(Button(kDelete)->isEnabled());

    Button(kLine)->trigger();
    EXPECT_EQ(manager->toolMode, 0x2001u);
    EXPECT_TRUE(Button(kLine)->isChecked());
    EXPECT_FALSE(Button(kSelect)->isChecked());
    // A click on the checked tool's button leaves it checked: the tool mode decides.
    Button(kLine)->trigger();
    EXPECT_TRUE(Button(kLine)->isChecked());
}

TEST_F(MainFrameBarsTest, NodeEditBarShowsOnlyWhileNodesAreEdited) {
    CToolBarEx& nodeBar = frame.ToolBars().Bar(Which::kNodeEdit);
    EXPECT_TRUE(nodeBar.isHidden());
    frame.RunCommand(40012);  // Edit Node
    EXPECT_FALSE(nodeBar.isHidden());
    frame.RunCommand(32784);  // Select
    EXPECT_TRUE(nodeBar.isHidden());
}

TEST_F(MainFrameBarsTest, HidingABarUnchecksItsToggleAndTheToggleShowsItAgain) {
    frame.show();
    struct Case {
        std::uint32_t id;
        QWidget* bar;
    };
    const Case cases[] = {
        {59392, &frame.ToolBars().Bar(Which::kSystem)},
        {59393, &frame.StatusBarXP()},
        {32812, &frame.ToolBars().Bar(Which::kDraw)},
        {32813, &frame.PropertyBar()},
        {32814, &frame.ToolBars().Bar(Which::kArrange)},
        {32815, &frame.LayerColorDock()},
        {32887, &frame.DockingPlatBar()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QAction* toggle = frame.Action(c.id);
        ASSERT_NE(toggle, nullptr);
        EXPECT_TRUE(toggle->isEnabled());
        EXPECT_TRUE(toggle->isChecked());
        c.bar->close();  // as its close button or the frame's bar menu would
        EXPECT_FALSE(toggle->isChecked());
        frame.RunCommand(c.id);
        EXPECT_FALSE(c.bar->isHidden());
        EXPECT_TRUE(toggle->isChecked());
        frame.RunCommand(c.id);
        EXPECT_TRUE(c.bar->isHidden());
        EXPECT_FALSE(toggle->isChecked());
    }
    // No bar stands behind the process panel's switch yet.
    EXPECT_FALSE(frame.Action(40052)->isEnabled());
}

TEST_F(MainFrameBarsTest, ColourClickMovesTheSelectionToThatLayerAndRefreshesTheBars) {
    frame.show();
    CCadElement* square = AddSquare(0, 0, 10);
    frame.RunCommand(kSelectAll);
    QTest::mouseClick(frame.LayerColorBar().Button(3), Qt::LeftButton);
    EXPECT_EQ(square->color, manager->vectorLayerTable[2].commonParams.COM_Color);
    EXPECT_EQ(frame.PropertyBar().Edit(CPropertyBar::kWidthEdit)->text(), "10");
}

TEST_F(MainFrameBarsTest, StatusPanesShowTheSelectionAndTheCursorInMillimetres) {
    EXPECT_EQ(frame.StatusBarXP().PaneText(CMainFrame::kSelectionPane), QString(9, QLatin1Char('\t')));
    AddSquare(0, 0, 10);
    frame.RunCommand(kSelectAll);
    EXPECT_TRUE(frame.StatusBarXP().PaneText(CMainFrame::kSelectionPane).startsWith("1 curve object"));

    CCutrixView& view = frame.View();
    view.grab();  // the first paint makes the view the manager's owner, whose client area maps the mouse
    manager->zoomFactor = 100.0;  // 0.1 mm a pixel, the model origin at the centre of the view
    manager->viewOffsetX = 0;
    manager->viewOffsetY = 0;
    const QPoint centre((view.width() + 1) / 2, (view.height() + 1) / 2);  // the origin's pixel
    const QPoint at = centre + QPoint(10, -20);
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    EXPECT_EQ(frame.StatusBarXP().PaneText(CMainFrame::kPositionPane), "X:1.000mm,Y:2.000mm");
}

}  // namespace
