#include "CoolBar.h"
#include "WidgetTestApplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QRubberBand>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The main window with its three docking panels, as the program creates them.
class CoolBarTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        frame.setCentralWidget(new QWidget);
        frame.resize(1000, 700);
        ASSERT_TRUE(docking->Create("DockingPlat", &frame, QSize(300, 150), true, 123, kSizeChild));
        ASSERT_TRUE(process->Create("ProcessCtrl", &frame, QSize(100, 95), true, 124, kSizeChild));
        ASSERT_TRUE(layerColor->Create("LayerColor", &frame, QSize(50, 35), true, 125, kSizeChild));
        frame.show();
    }
    void Settle() {
        for (int round = 0; round < 3; ++round) QApplication::processEvents();
    }
    QPoint ScreenPointOf(QWidget* widget, QPoint local) { return widget->mapToGlobal(local); }

    QMainWindow frame;
    CCoolBar* docking = new CCoolBar;
    CCoolBar* process = new CCoolBar;
    CCoolBar* layerColor = new CCoolBar;
};

bool HasPixelOf(const QImage& image, QRect area, QRgb color) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == color) return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(CoolBarTest, PanelsDockWithTheirDefaultSizes) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    frame.addDockWidget(Qt::BottomDockWidgetArea, process);
    frame.addDockWidget(Qt::RightDockWidgetArea, layerColor);
    Settle();
    EXPECT_EQ(docking->Side(), DockSide::Left);
    EXPECT_EQ(docking->width(), 300);
    EXPECT_EQ(process->height(), 95);
    EXPECT_EQ(layerColor->width(), 50);
}

TEST_F(CoolBarTest, FloatingBarShowsNeitherGripperNorButton) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    EXPECT_TRUE(docking->HasGripper());
    const QImage docked = docking->RenderTitle();
    const QRgb text = docking->palette().color(QPalette::ButtonText).rgb();
    EXPECT_TRUE(HasPixelOf(docked, docking->CloseButtonRect(), text));
    EXPECT_TRUE(HasPixelOf(docked, QRect(1, 1, 20, 3), docking->palette().color(QPalette::Light).rgb()));

    docking->setFloating(true);
    Settle();
    EXPECT_FALSE(docking->HasGripper());
    EXPECT_TRUE(docking->CloseButtonRect().isEmpty());
    const QImage floating = docking->RenderTitle();
    EXPECT_FALSE(HasPixelOf(floating, floating.rect(), text));
    EXPECT_FALSE(HasPixelOf(floating, floating.rect(), docking->palette().color(QPalette::Light).rgb()));
}

TEST_F(CoolBarTest, CloseButtonHidesOnlyOnAReleaseOverIt) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    QWidget* band = docking->TitleBand();
    const QPoint button = docking->CloseButtonRect().center();
    QTest::mousePress(band, Qt::LeftButton, {}, button);
    const QImage pressed = docking->RenderTitle();
    // Sunken while pressed: the shadow colour along the button's top edge.
    EXPECT_EQ(pressed.pixel(docking->CloseButtonRect().topLeft() + QPoint(4, 0)),
              docking->palette().color(QPalette::Dark).rgb());
    QTest::mouseRelease(band, Qt::LeftButton, {}, QPoint(20, 6));
    EXPECT_TRUE(docking->isVisible());
    QTest::mousePress(band, Qt::LeftButton, {}, button);
    QTest::mouseRelease(band, Qt::LeftButton, {}, button);
    EXPECT_FALSE(docking->isVisible());
}

TEST_F(CoolBarTest, EdgeDragBetweenBarsStopsAtTheNeighboursMinimum) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    frame.addDockWidget(Qt::LeftDockWidgetArea, process);
    docking->SetMinimumSizes({33, 32}, {33, 120}, {37, 32});
    Settle();
    ASSERT_LT(docking->y(), process->y());
    EXPECT_EQ(process->HitTest(QPoint(50, 2)), kHitTop);
    EXPECT_EQ(docking->HitTest(QPoint(50, docking->height() - 2)), kHitBottom);

    const QPoint start = ScreenPointOf(process, QPoint(50, 2));
    process->BeginEdgeDrag(kHitTop, start);
    process->DragEdgeTo(start - QPoint(0, 2000));
    process->EndEdgeDrag();
    Settle();
    EXPECT_EQ(docking->VertSize().height(), 120);
    EXPECT_EQ(docking->height(), 120);
}

TEST_F(CoolBarTest, WithoutFullDragALineFollowsAndSizesChangeOnRelease) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    docking->SetFullDrag(false);
    const int before = docking->width();
    const QPoint start = ScreenPointOf(docking, QPoint(docking->width() - 2, 100));
    ASSERT_EQ(docking->HitTest(QPoint(docking->width() - 2, 100)), kHitRight);
    docking->BeginEdgeDrag(kHitRight, start);
    docking->DragEdgeTo(start + QPoint(40, 0));
    ASSERT_NE(docking->Tracker(), nullptr);
    EXPECT_TRUE(docking->Tracker()->isVisible());
    Settle();
    EXPECT_EQ(docking->width(), before);
    docking->EndEdgeDrag();
    Settle();
    EXPECT_EQ(docking->Tracker(), nullptr);
    EXPECT_EQ(docking->VertSize().width(), before + 40);
    EXPECT_EQ(docking->width(), before + 40);
}

TEST_F(CoolBarTest, BarAloneInItsRowHasOnlyTheEdgeTowardsTheView) {
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    EXPECT_EQ(docking->HitTest(QPoint(50, 20)), kHitClient);
    EXPECT_EQ(docking->HitTest(QPoint(docking->width() - 2, 100)), kHitRight);
    docking->setFloating(true);
    Settle();
    EXPECT_EQ(docking->HitTest(QPoint(docking->width() - 2, 100)), kHitClient);
}

TEST_F(CoolBarTest, SizesRoundTripThroughTheProfileRaisedToTheirMinimums) {
    QTemporaryDir folder;
    QSettings profile(folder.filePath("profile.ini"), QSettings::IniFormat);
    docking->SaveState(profile, "Cutrix");
    profile.setValue("Cutrix-SCBar-123/sizeVertCX", 5);
    profile.setValue("Cutrix-SCBar-123/sizeFloatCY", 444);
    CCoolBar reloaded;
    ASSERT_TRUE(reloaded.Create("DockingPlat", &frame, QSize(10, 10), true, 123, kSizeChild));
    reloaded.LoadState(profile, "Cutrix");
    EXPECT_EQ(reloaded.HorzSize(), QSize(300, 150));
    EXPECT_EQ(reloaded.VertSize(), QSize(33, 150));
    EXPECT_EQ(reloaded.FloatSize(), QSize(300, 444));
}

TEST_F(CoolBarTest, FocusMovingIntoTheBarMarksItActiveOnce) {
    auto* field = new QLineEdit;
    docking->SetChild(field);
    auto* outside = new QLineEdit;
    frame.setCentralWidget(outside);
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    frame.activateWindow();
    outside->setFocus();
    Settle();
    const int before = docking->ActiveChanges();
    field->setFocus();
    Settle();
    EXPECT_TRUE(docking->IsActive());
    EXPECT_EQ(docking->ActiveChanges(), before + 1);
    outside->setFocus();
    Settle();
    EXPECT_FALSE(docking->IsActive());
}

TEST_F(CoolBarTest, BarDestroyedWithTheFocusInsideIsNoLongerToldOfFocusChanges) {
    auto* field = new QLineEdit;
    docking->SetChild(field);
    frame.setCentralWidget(new QLineEdit);
    frame.addDockWidget(Qt::LeftDockWidgetArea, docking);
    Settle();
    frame.activateWindow();
    field->setFocus();
    Settle();
    ASSERT_TRUE(docking->IsActive());
    // Destroying the field moves the focus while the bar is half destroyed.
    delete docking;
    docking = nullptr;
    Settle();
    EXPECT_NE(QApplication::focusWidget(), field);
}
