#include "LgpPreview.h"

#include <gtest/gtest.h>

#include "LgpPlate.h"
#include "RecordingBackend.h"

namespace dotplate {
namespace {

constexpr platform::Size kArea{500, 400};

TEST(LgpPreviewTest, FitCentresThePlateInNinetyEightPercentOfTheArea) {
    struct Case {
        LgpBox plate;
        double scale;  // 1/1000 mm per pixel
    };
    const Case cases[] = {
        {{0, 0, 200, 100}, 200000 / (500 * 0.98)},
        {{0, 0, 100, 200}, 200000 / (400 * 0.98)},
        {{10, 5, 110, 5}, 100000 / (500 * 0.98)},  // no height: fitted by the width alone
    };
    for (const Case& c : cases) {
        LgpPreviewView view;
        view.Fit(c.plate, kArea);
        EXPECT_DOUBLE_EQ(view.scale, c.scale);
        const SDPoint centre =
            view.ToDevice({(c.plate.left + c.plate.right) / 2, (c.plate.bottom + c.plate.top) / 2}, kArea);
        EXPECT_NEAR(centre.x, 250, 1e-9);
        EXPECT_NEAR(centre.y, 200, 1e-9);
    }
}

TEST(LgpPreviewTest, AWheelNotchInAndOutReturnsToTheSameViewAndHoldsThePointUnderTheCursor) {
    LgpPreviewView view;
    view.Fit({0, 0, 200, 200}, kArea);
    const LgpPreviewView before = view;
    const platform::Point cursor{123, 77};
    const SDPoint held = view.ToPlate({123, 77}, kArea);
    view.Zoom(true, cursor, kArea);
    EXPECT_DOUBLE_EQ(view.scale, before.scale / 1.1);
    const SDPoint stillThere = view.ToDevice(held, kArea);
    EXPECT_NEAR(stillThere.x, 123, 1e-9);
    EXPECT_NEAR(stillThere.y, 77, 1e-9);
    view.Zoom(false, cursor, kArea);
    EXPECT_DOUBLE_EQ(view.scale, before.scale);
    EXPECT_NEAR(view.panX, before.panX, 1e-9);
    EXPECT_NEAR(view.panY, before.panY, 1e-9);
}

TEST(LgpPreviewTest, ABaselineIsPickedWithinThreePixelsAndDraggedInMillimetres) {
    LgpPreviewView view;
    view.scale = 500;  // 0.5 mm per pixel
    const SDPoint cross{100, 100};
    EXPECT_EQ(view.BeginDrag({102, 40}, cross), LgpPreviewView::DragLine::kVertical);
    EXPECT_DOUBLE_EQ(view.DragTo({110, 60}), 4.0);
    EXPECT_EQ(view.BeginDrag({40, 98}, cross), LgpPreviewView::DragLine::kHorizontal);
    EXPECT_DOUBLE_EQ(view.DragTo({40, 88}), 5.0);  // up the screen is up the plate
    EXPECT_EQ(view.BeginDrag({103, 103}, cross), LgpPreviewView::DragLine::kNone);
    EXPECT_DOUBLE_EQ(view.DragTo({120, 120}), 0.0);
}

TEST(LgpPreviewTest, AViewZoomedFarInDrawsWithoutLeavingTheDeviceRange) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    plate.Generate(LgpDotPara{}, LgpShapePara{});
    LgpPreviewScene scene;
    scene.plate = &plate;
    LgpPreviewView view;
    view.Fit(plate.OutlineBox(), kArea);
    for (int notch = 0; notch < 200; ++notch) {
        view.Zoom(true, {250, 200}, kArea);
    }
    auto backend = std::make_unique<platform::RecordingBackend>(platform::Size{496, 396});
    platform::DeviceContext dc(std::move(backend));
    DrawPlatePreview(dc, scene, view, kArea);  // the sanitizer catches an overflowing conversion
    EXPECT_FALSE(dynamic_cast<platform::RecordingBackend&>(dc.Backend()).Calls().empty());
}

TEST(LgpPreviewTest, ResizingTheOutlinesScalesAboutTheOriginAndDropsTheDots) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 100);
    plate.Generate(LgpDotPara{}, LgpShapePara{});
    EXPECT_FALSE(plate.ResizeOutlines(200, 100));
    EXPECT_TRUE(plate.HasDots());
    EXPECT_TRUE(plate.ResizeOutlines(50, 25));
    EXPECT_FALSE(plate.HasDots());
    const LgpBox box = plate.OutlineBox();
    EXPECT_DOUBLE_EQ(box.right, 50);
    EXPECT_DOUBLE_EQ(box.top, 25);
}

}  // namespace
}  // namespace dotplate
