// The cross cursor removes itself when drawn twice, at any view and raster operation left around it.
#include <gtest/gtest.h>

#include "PlaybackCanvas.h"
#include "SimscopeTestJobs.h"
#include "StaticRaster.h"

namespace simscope {
namespace {

TEST(PlaybackCanvas, CrossDrawnTwiceLeavesTheCanvasUnchanged) {
    const PreviewJob job = testing::LoadedJob(testing::WriteJob("mixed.zint", testing::WriteMixedJob));
    const platform::Size area{300, 200};
    for (const double zoom : {1.0, 0.01, 30.0}) {
        ViewState view;
        FitView(area, job.Box(), view);
        view.scale *= zoom;
        const QImage raster = RenderStaticRaster(DisplayList::Build(job), area, view, PreviewColors{}, "");
        PlaybackCanvas canvas;
        canvas.Reset(raster, area, view);
        platform::Point middle;
        canvas.Draw([&](platform::DeviceContext& context) { middle = context.DPtoLP(platform::Point{150, 100}); });
        const platform::Pen pen = platform::Pen::Solid(0, platform::Rgb(255, 128, 0));
        QImage once;
        canvas.Draw([&](platform::DeviceContext& context) { DrawCrossCursor(context, middle, pen); });
        once = canvas.Snapshot();
        canvas.Draw([&](platform::DeviceContext& context) {
            DrawCrossCursor(context, middle, pen);
            EXPECT_EQ(context.GetROP2(), platform::RasterOp::CopyPen);
            EXPECT_EQ(context.GetCurrentPosition(), middle);
        });
        EXPECT_NE(once, raster) << zoom;
        EXPECT_EQ(canvas.Snapshot(), raster) << zoom;
    }
}

// A view change during the playback starts the canvas over from the new static drawing; the cross is
// carried over, so moving it on leaves no stray cross behind.
TEST(PlaybackCanvas, CursorSurvivesAViewChangeWithoutAStrayCross) {
    const platform::Size area{300, 200};
    ViewState anyView;
    const QImage blank = RenderStaticRaster(DisplayList::Build(PreviewJob{}), area, anyView, PreviewColors{}, "");
    const platform::Pen pen = platform::Pen::Solid(0, platform::Rgb(255, 128, 0));
    const ViewState first{10.0, 0, 0};
    const ViewState zoomed{5.0, 20, -10};
    PlaybackCanvas canvas;
    canvas.Reset(blank, area, first);
    canvas.DrawAndMoveCursor([](platform::DeviceContext&) {}, {100, 100}, pen);
    canvas.Reset(blank, area, zoomed);
    canvas.DrawAndMoveCursor([](platform::DeviceContext&) {}, {-300, 200}, pen);

    PlaybackCanvas expected;
    expected.Reset(blank, area, zoomed);
    expected.Draw([&](platform::DeviceContext& context) { DrawCrossCursor(context, {-300, 200}, pen); });
    EXPECT_EQ(canvas.Snapshot(), expected.Snapshot());
}

}  // namespace
}  // namespace simscope
