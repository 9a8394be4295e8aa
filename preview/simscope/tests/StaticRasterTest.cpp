// The cached static drawing equals, pixel for pixel, the reference paint of every record through the
// device context, for views where chunks are skipped and points dropped.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "MotionlinkJob.h"
#include "PixelMix.h"
#include "PreviewLanguage.h"
#include "SimscopeTestJobs.h"
#include "StaticRaster.h"

namespace simscope {
namespace {

constexpr platform::Size kArea{640, 480};

int DifferingPixels(const QImage& left, const QImage& right) {
    if (left.size() != right.size()) {
        return -1;
    }
    int differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            differing += left.pixel(x, y) != right.pixel(x, y) ? 1 : 0;
        }
    }
    return differing;
}

int PixelsOfColor(const QImage& image, QRgb color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

struct ViewCase;
void PrintTo(const ViewCase& view, std::ostream* out);

struct ViewCase {
    const char* name;
    std::function<void(ViewState&, const JobBox&)> setUp;
    bool mirrored;
};

ViewState FittedTo(const JobBox& box) {
    ViewState view;
    FitView(kArea, box, view);
    return view;
}

const ViewCase kViews[] = {
    {"Fit", [](ViewState& view, const JobBox& box) { view = FittedTo(box); }, false},
    {"TenTimesAboutAPoint",
     [](ViewState& view, const JobBox& box) {
         view = FittedTo(box);
         for (int turn = 0; turn < 25; ++turn) {  // 1.1^-25 is about a tenth
             ZoomView(kArea, {200, 150}, -120, view);
         }
     },
     false},
    {"Panned",
     [](ViewState& view, const JobBox& box) {
         view = FittedTo(box);
         view.panX += 173;
         view.panY -= 91;
     },
     false},
    {"Mirrored", [](ViewState& view, const JobBox& box) { view = FittedTo(box); }, true},
    {"DeepestZoomOnACorner",
     [](ViewState& view, const JobBox&) {
         view.scale = kMinScale;
         // Put the job point (10 mm, 10 mm) in the middle: 10000 um at 10 pixels per um.
         view.panX = -100000;
         view.panY = 100000;
     },
     false},
    {"DeepestZoomOnTheTopLeftCorner",
     [](ViewState& view, const JobBox&) {
         view.scale = kMinScale;
         view.panX = -100000;
         view.panY = 700000;
     },
     false},
    {"FarOut", [](ViewState& view, const JobBox&) { view.scale = 50000.0; }, false},
};

void PrintTo(const ViewCase& view, std::ostream* out) {
    *out << view.name;
}

class StaticRasterViews : public ::testing::TestWithParam<ViewCase> {};

TEST_P(StaticRasterViews, RasterEqualsTheReferencePaint) {
    PreviewJob job = testing::LoadedJob(testing::WriteJob("mixed.zint", testing::WriteMixedJob));
    if (GetParam().mirrored) {
        job.MirrorHorizontally();
        job.MirrorVertically();
    }
    ViewState view;
    GetParam().setUp(view, job.Box());
    ViewState referenceView = view;
    const PreviewColors colors;
    const QImage raster = RenderStaticRaster(DisplayList::Build(job), kArea, view, colors, "");
    const QImage reference = PaintJobReference(job, kArea, referenceView, colors, "");
    EXPECT_EQ(DifferingPixels(raster, reference), 0);
    EXPECT_GT(PixelsOfColor(reference, platform::ToQRgb(colors.background)), 0);
    EXPECT_LT(PixelsOfColor(reference, platform::ToQRgb(colors.background)), reference.width() * reference.height());
}

INSTANTIATE_TEST_SUITE_P(Views, StaticRasterViews, ::testing::ValuesIn(kViews),
                         [](const auto& info) { return std::string(info.param.name); });

// A dense scan: most points fall on the pixel of the one before at fit, and the ramps change the pen
// at every record.
TEST(StaticRaster, DenseScanEqualsTheReferenceAtFitAndZoomed) {
    const PreviewJob job = testing::LoadedJob(testing::WriteJob("scan.zint", [] { testing::WriteScanJob(60, 40, 0.05); }));
    const DisplayList list = DisplayList::Build(job);
    for (const double zoom : {1.0, 0.05}) {
        ViewState view = FittedTo(job.Box());
        view.scale *= zoom;
        ViewState referenceView = view;
        const PreviewColors colors;
        EXPECT_EQ(DifferingPixels(RenderStaticRaster(list, kArea, view, colors, ""),
                                  PaintJobReference(job, kArea, referenceView, colors, "")),
                  0)
            << zoom;
    }
}

// The line that enters a chunk comes from the point before it: a chunk lying wholly outside the view
// still draws that line when it crosses the view.
//
//   chunk 1 (around the origin) ---- long cut through the view ----> chunk 2 (around 100 mm, 100 mm)
TEST(StaticRaster, LineEnteringAChunkOutsideTheViewIsDrawn) {
    std::vector<JobCommand> commands{testing::Rec(JobCommand::Power, 0.5)};
    // The jump is the first point of the second chunk of 512.
    for (int index = 0; index < 1500; ++index) {
        const double base = index < 512 ? 0.0 : 100.0;
        commands.push_back(testing::Rec(JobCommand::Cut, base + (index % 7) * 0.01, base + (index % 5) * 0.01));
        if (index > 600 && index % 300 == 0) {
            commands.push_back(testing::Rec(JobCommand::Delay, 0.1));
        }
    }
    PreviewJob job;
    job.Take(commands, Corner::BottomLeft, 100.0);
    const DisplayList list = DisplayList::Build(job);
    ASSERT_GT(list.Chunks().size(), 2u);
    for (const double scale : {kMinScale, 3.0, 200.0}) {
        // The view's centre on the job point (50 mm, 50 mm).
        ViewState view{scale, static_cast<std::int32_t>(-50000 / scale), static_cast<std::int32_t>(50000 / scale)};
        ViewState referenceView = view;
        const QImage reference = PaintJobReference(job, kArea, referenceView, PreviewColors{}, "");
        EXPECT_EQ(DifferingPixels(RenderStaticRaster(list, kArea, view, PreviewColors{}, ""), reference), 0) << scale;
        EXPECT_LT(PixelsOfColor(reference, platform::ToQRgb(PreviewColors{}.background)),
                  reference.width() * reference.height())
            << scale;
    }
}

// Points far beyond the 32-bit micrometre range, a huge feed shift and mirrors about such a box convert
// at the ends of the range (no overflow), and the drawing still equals the reference.
TEST(StaticRaster, FarShiftedAndMirroredPointsConvertWithoutOverflow) {
    using testing::Rec;
    PreviewJob job;
    job.Take({Rec(JobCommand::Power, 1.0), Rec(JobCommand::Cut, 1e12, -1e12), Rec(JobCommand::Delay, 0.1),
              Rec(JobCommand::AxisMove, 3.0, 1e300), Rec(JobCommand::Cut, 5.0, 5.0), Rec(JobCommand::Delay, 0.1),
              Rec(JobCommand::Cut, -3e9, 7.0), Rec(JobCommand::Move, 1.0, 2.0), Rec(JobCommand::Cut, 40.0, 30.0)},
             Corner::TopRight, 100.0);
    const DisplayList list = DisplayList::Build(job);
    for (const double scale : {-1.0, kMinScale, 50.0}) {
        ViewState view;
        if (scale < 0.0) {
            FitView(kArea, job.Box(), view);
        } else {
            view.scale = scale;
        }
        ViewState referenceView = view;
        EXPECT_EQ(DifferingPixels(RenderStaticRaster(list, kArea, view, PreviewColors{}, ""),
                                  PaintJobReference(job, kArea, referenceView, PreviewColors{}, "")),
                  0)
            << scale;
    }
}

TEST(StaticRaster, EmptyJobShowsTheHint) {
    // Text needs the application's fonts.
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    const PreviewJob empty;
    ViewState view;
    PreviewColors colors;
    const QImage raster = RenderStaticRaster(DisplayList::Build(empty), kArea, view, colors,
                                             "Double click to import the work file");
    EXPECT_EQ(raster.width(), kArea.width - 4);
    const int background = PixelsOfColor(raster, platform::ToQRgb(colors.background));
    EXPECT_GT(raster.width() * raster.height() - background, 50);
}

}  // namespace
}  // namespace simscope
