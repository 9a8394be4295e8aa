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

}  // namespace
}  // namespace simscope
