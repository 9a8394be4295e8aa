#include "ResizableBar.h"
#include "WidgetTestApplication.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class ResizableBarTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        frame.setCentralWidget(new QWidget);
        frame.resize(900, 600);
        bar = new CResizableBar("Older", frame);
        bar->SetMinimumSizes(80, 40);
        frame.addDockWidget(Qt::LeftDockWidgetArea, bar);
        frame.show();
        QApplication::processEvents();
    }
    QMainWindow frame;
    CResizableBar* bar = nullptr;
};

}  // namespace

TEST_F(ResizableBarTest, EdgeFacesTheCentreAndAnAcceptedDragResizes) {
    ASSERT_EQ(bar->Side(), DockSide::Left);
    const QRect edge = bar->EdgeRect();
    EXPECT_EQ(edge.width(), CResizableBar::kEdgeWidth);
    EXPECT_GT(edge.left(), bar->width() / 2);
    const int before = bar->width();
    const QPoint start = bar->mapToGlobal(edge.center());
    bar->BeginDrag(start);
    bar->DragTo(start + QPoint(60, 0));
    EXPECT_TRUE(bar->IsDragging());
    bar->EndDrag(true);
    QApplication::processEvents();
    EXPECT_EQ(bar->BarWidth(), before + 60);
    EXPECT_EQ(bar->width(), before + 60);
}

TEST_F(ResizableBarTest, DragEndedWithoutAcceptanceOrBelowTheMinimum) {
    const int before = bar->width();
    const QPoint start = bar->mapToGlobal(bar->EdgeRect().center());
    bar->BeginDrag(start);
    bar->DragTo(start + QPoint(60, 0));
    bar->EndDrag(false);
    QApplication::processEvents();
    EXPECT_EQ(bar->width(), before);
    bar->BeginDrag(start);
    bar->DragTo(start - QPoint(1000, 0));
    bar->EndDrag(true);
    EXPECT_EQ(bar->BarWidth(), 80);
}
