#include "CutrixView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <memory>

#include "CadMgr.h"
#include "ToolCursors.h"
#include "WidgetTestApplication.h"

namespace {

class CutrixViewTest : public platform::WidgetTest {
  protected:
    CutrixViewTest() {
        view.resize(401, 301);
        view.grab();  // the first paint makes the view the owner
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CCutrixView view{*manager};

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, held, modifiers);
        QApplication::sendEvent(&view, &event);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(&view, &event);
    }
    QPoint Pixel(SDPoint mm) {
        const platform::Point p = manager->GetPreparedDC().LPtoDP(
            platform::Point{static_cast<int>(mm.x * 1000), static_cast<int>(mm.y * 1000)});
        return {p.x, p.y};
    }
};

TEST_F(CutrixViewTest, FirstPaintOwnsTheManagerShowsThePageAndSelects) {
    EXPECT_EQ(manager->GetOwnerHwnd(), &view);
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
    EXPECT_EQ(view.Picture().size(), QSize(401, 301));
    int drawn = 0;  // the page frame, the grid and the marks
    for (int y = 0; y < view.Picture().height(); ++y) {
        for (int x = 0; x < view.Picture().width(); ++x) {
            drawn += view.Picture().pixel(x, y) != view.Picture().pixel(0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 1000);
}

TEST_F(CutrixViewTest, MouseButtonsCarryShiftAndCtrlToTheDrawingTools) {
    manager->SetToolMode(CCadMgr::kRectangleTool);
    const QPoint from = Pixel({600, 400});
    Drag(from, from + QPoint(30, 10), Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_EQ(manager->elementList.GetCount(), 1);
    const CCadRect& rect = manager->elementList.head->next->value->rect;
    EXPECT_NEAR(rect.x2 - rect.x1, rect.y2 - rect.y1, 1e-9);                 // squared by Ctrl
    EXPECT_NEAR((rect.x1 + rect.x2) / 2, 600, manager->zoomFactor * 0.001);  // centred by Shift, to a pixel
}

TEST_F(CutrixViewTest, ArrowKeysNudgeAndCtrlTurnsTheSelection) {
    manager->SetToolMode(CCadMgr::kLineTool);
    const QPoint from = Pixel({100, 100});
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
    Mouse(QEvent::MouseButtonPress, from + QPoint(40, 0), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, from + QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(manager->selectionList.GetCount(), 1);
    const double left = manager->selectionRect.x1;
    Key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    Key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    EXPECT_NEAR(manager->selectionRect.x1, left + view.nudgeStepMm, 1e-9);
    const double width = manager->selectionRect.x2 - manager->selectionRect.x1;
    view.nudgeDegrees = 90;
    Key(QEvent::KeyPress, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_NEAR(manager->selectionRect.y2 - manager->selectionRect.y1, width, 1e-6);
}

TEST_F(CutrixViewTest, WheelZoomsAtThePointer) {
    const double before = manager->zoomFactor;
    QWheelEvent wheel(QPointF(100, 100), view.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_NEAR(manager->zoomFactor, before * 1.5, 0.01);
}

TEST_F(CutrixViewTest, CursorFollowsTheToolMode) {
    EXPECT_EQ(view.ShownCursor(), kArrowCursor);
    manager->SetToolMode(CCadMgr::kEllipseTool);
    Mouse(QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.ShownCursor(), kEllipseCursor);
}

}  // namespace
