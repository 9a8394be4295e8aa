#include "DeviceContext.h"
#include "DibBlock.h"
#include "RecordingBackend.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

class RecordedContext : public ::testing::Test {
  protected:
    RecordedContext() {
        auto backend = std::make_unique<RecordingBackend>(Size{801, 601});
        recording_ = backend.get();
        dc_ = std::make_unique<DeviceContext>(std::move(backend));
    }

    // The canvas view's mapping at zoom 100: one pixel is 100 logical units, y grows upward, logical
    // (0, 0) at pixel (401, 301).
    void UseCanvasMapping() {
        dc_->SetMapMode(MapMode::Isotropic);
        dc_->SetWindowExt(50000, 50000);
        dc_->SetViewportExt(500, -500);
        dc_->SetViewportOrg(401, 301);
    }

    const std::vector<GdiCall>& Calls() const { return recording_->Calls(); }

    RecordingBackend* recording_ = nullptr;
    std::unique_ptr<DeviceContext> dc_;
};

TEST_F(RecordedContext, RecordsPensMovesAndLinesInDeviceUnitsAsDrawn) {
    UseCanvasMapping();
    const Pen band = Pen::Styled(PenStyle::DashDot, 1, Rgb(0, 0, 200));
    const Pen previousPen = dc_->SelectObject(band);
    const Brush previousBrush = dc_->SelectObject(Brush::Null());
    const RasterOp previousRop = dc_->SetROP2(RasterOp::NotXorPen);

    dc_->MoveTo(0, 0);
    dc_->LineTo(10000, 0);
    dc_->LineTo(10000, 10000);

    dc_->SelectObject(previousPen);
    dc_->SelectObject(previousBrush);
    dc_->SetROP2(previousRop);
    dc_->LineTo(0, 0);

    const DrawState bandState{band, Brush::Null(), RasterOp::NotXorPen};
    const DrawState defaultState{Pen::Solid(1, 0), Brush::Solid(Rgb(255, 255, 255)), RasterOp::CopyPen};
    ASSERT_EQ(Calls().size(), 4u);
    EXPECT_EQ(Calls()[0].kind, GdiCallKind::MoveTo);
    EXPECT_EQ(Calls()[0].points, (std::vector<Point>{{401, 301}}));
    EXPECT_EQ(Calls()[1].kind, GdiCallKind::LineTo);
    EXPECT_EQ(Calls()[1].points, (std::vector<Point>{{401, 301}, {501, 301}}));
    EXPECT_EQ(Calls()[1].state, bandState);
    EXPECT_EQ(Calls()[2].points, (std::vector<Point>{{501, 301}, {501, 201}}));
    EXPECT_EQ(Calls()[2].state, bandState);
    EXPECT_EQ(Calls()[3].points, (std::vector<Point>{{501, 201}, {401, 301}}));
    EXPECT_EQ(Calls()[3].state, defaultState);
    EXPECT_EQ(dc_->GetCurrentPosition(), (Point{0, 0}));
}

TEST_F(RecordedContext, SelectReturnsThePreviousObjectSoCallersCanRestoreIt) {
    const Pen red = Pen::Solid(2, Rgb(255, 0, 0));
    const Pen original = dc_->SelectObject(red);
    EXPECT_EQ(original, Pen::Solid(0, 0));
    EXPECT_EQ(dc_->SelectObject(original), red);
    EXPECT_EQ(dc_->CurrentPen(), original);

    const Font small{"DejaVu Sans Mono", 9};
    const Font originalFont = dc_->SelectObject(small);
    EXPECT_EQ(dc_->SelectObject(originalFont), small);
    EXPECT_EQ(dc_->SetTextColor(Rgb(1, 2, 3)), 0u);
    EXPECT_EQ(dc_->SetBkMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
}

TEST_F(RecordedContext, PenWidthIsScaledByTheMappingWithAtLeastOnePixelAndWidePensAreSolid) {
    UseCanvasMapping();
    struct Case {
        Pen selected;
        Pen drawn;
    };
    const Case cases[] = {
        {Pen::Solid(0, 7), Pen::Solid(1, 7)},
        {Pen::Solid(1, 7), Pen::Solid(1, 7)},  // 0.01 pixel still draws one pixel
        {Pen::Solid(300, 7), Pen::Solid(3, 7)},
        {Pen::Styled(PenStyle::Dot, 300, 7), Pen::Solid(3, 7)},
        {Pen::Styled(PenStyle::Dot, 100, 7), Pen::Styled(PenStyle::Dot, 1, 7)},
        {Pen::Null(), Pen{PenStyle::Null, 1, 0}},
    };
    for (const Case& c : cases) {
        dc_->SelectObject(c.selected);
        dc_->LineTo(100, 100);
        EXPECT_EQ(Calls().back().state.pen, c.drawn);
    }
}

TEST_F(RecordedContext, ShapesReachTheBackendNormalisedInDeviceUnits) {
    UseCanvasMapping();
    dc_->Rectangle(0, 0, 10000, 10000);  // y flips: top 301, bottom 201 before normalising
    dc_->Ellipse(Rect{-10000, 10000, 0, 0});
    const Point triangle[] = {{0, 0}, {10000, 0}, {0, 10000}};
    dc_->Polygon(triangle);
    dc_->Polyline(triangle);

    ASSERT_EQ(Calls().size(), 4u);
    EXPECT_EQ(Calls()[0].kind, GdiCallKind::Rectangle);
    EXPECT_EQ(Calls()[0].rect, (Rect{401, 201, 501, 301}));
    EXPECT_EQ(Calls()[1].kind, GdiCallKind::Ellipse);
    EXPECT_EQ(Calls()[1].rect, (Rect{301, 201, 401, 301}));
    EXPECT_EQ(Calls()[2].kind, GdiCallKind::Polygon);
    EXPECT_EQ(Calls()[2].points, (std::vector<Point>{{401, 301}, {501, 301}, {401, 201}}));
    EXPECT_EQ(Calls()[3].kind, GdiCallKind::Polyline);
}

TEST_F(RecordedContext, BezierNeedsThreePointsPerPiecePlusOne) {
    const std::vector<Point> points{{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 1}, {5, 1}, {6, 0}};
    for (std::size_t count : {0u, 1u, 2u, 3u, 5u, 6u}) {
        EXPECT_FALSE(dc_->PolyBezier(std::span(points).first(count))) << count;
    }
    EXPECT_TRUE(dc_->PolyBezier(std::span(points).first(4)));
    EXPECT_TRUE(dc_->PolyBezier(points));
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1].kind, GdiCallKind::PolyBezier);
    EXPECT_EQ(Calls()[1].points, points);
}

TEST_F(RecordedContext, AngleArcDrawsALineToItsStartThenTheArcAndEndsAtTheArcsEnd) {
    // A node mark: move to the circle's rightmost point, then a full turn of radius 2.
    dc_->MoveTo(102, 50);
    dc_->AngleArc({100, 50}, 2, 0.0f, 360.0f);
    ASSERT_EQ(Calls().size(), 3u);
    EXPECT_EQ(Calls()[1].kind, GdiCallKind::LineTo);
    EXPECT_EQ(Calls()[1].points, (std::vector<Point>{{102, 50}, {102, 50}}));
    EXPECT_EQ(Calls()[2].kind, GdiCallKind::Arc);
    EXPECT_EQ(Calls()[2].arc, (ArcSpec{{98, 48, 103, 53}, 0.0, 360.0}));
    EXPECT_EQ(dc_->GetCurrentPosition(), (Point{102, 50}));

    // A quarter turn counterclockwise on the screen from angle 0 ends straight above the centre.
    dc_->AngleArc({100, 50}, 10, 0.0f, 90.0f);
    EXPECT_EQ(dc_->GetCurrentPosition(), (Point{100, 40}));
}

TEST_F(RecordedContext, ArcRunsCounterclockwiseOnTheScreenFromStartRayToEndRay) {
    dc_->Arc(Rect{0, 0, 21, 21}, Point{20, 10}, Point{10, 0});
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_DOUBLE_EQ(Calls()[0].arc.startDegrees, 0.0);
    EXPECT_DOUBLE_EQ(Calls()[0].arc.sweepDegrees, 90.0);

    dc_->Arc(Rect{0, 0, 21, 21}, Point{10, 0}, Point{20, 10});
    EXPECT_DOUBLE_EQ(Calls()[1].arc.sweepDegrees, 270.0);
}

TEST_F(RecordedContext, DibOutputTurnsTheBottomUpSourceIntoPictureRows) {
    std::optional<DibBlock> dib = DibBlock::CreateBlank(8, 6, 24);
    ASSERT_TRUE(dib);
    // Source lower-left corner (1, 2), 3 x 2 pixels: picture rows 6 - 2 - 2 = 2 and 3.
    EXPECT_EQ(dc_->StretchDIBits(10, 20, 30, 40, 1, 2, 3, 2, dib->Bytes()), 2);
    // A flipped source (top = height, bottom = 0) as the bitmap element passes it.
    EXPECT_EQ(dc_->StretchDIBits(10, 20, 30, -40, 0, 6, 8, -6, dib->Bytes()), 6);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].rect, (Rect{10, 20, 40, 60}));
    EXPECT_EQ(Calls()[0].source, (PictureRect{1, 2, 3, 2}));
    EXPECT_EQ(Calls()[1].rect, (Rect{10, 20, 40, -20}));
    EXPECT_EQ(Calls()[1].source, (PictureRect{0, 6, 8, -6}));
}

TEST_F(RecordedContext, DibOutputRefusesBadBytesAndEmptySizesWithoutDrawing) {
    std::optional<DibBlock> dib = DibBlock::CreateBlank(4, 4, 8);
    ASSERT_TRUE(dib);
    const std::vector<std::uint8_t> truncated(dib->Bytes().begin(), dib->Bytes().end() - 1);
    EXPECT_EQ(dc_->StretchDIBits(0, 0, 4, 4, 0, 0, 4, 4, truncated), 0);
    EXPECT_EQ(dc_->StretchDIBits(0, 0, 4, 4, 0, 0, 4, 4, {}), 0);
    EXPECT_EQ(dc_->StretchDIBits(0, 0, 0, 4, 0, 0, 4, 4, dib->Bytes()), 0);
    EXPECT_EQ(dc_->StretchDIBits(0, 0, 4, 4, 0, 0, 4, 0, dib->Bytes()), 0);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(RecordedContext, MemoryContextIsOfTheSameKindAndBlitsBetweenThem) {
    DeviceContext memory = dc_->CreateCompatibleDC({200, 100});
    EXPECT_EQ(memory.SurfaceSize(), (Size{200, 100}));
    EXPECT_EQ(memory.GetMapMode(), MapMode::Text);
    memory.LineTo(5, 5);
    EXPECT_TRUE(Calls().empty());  // the memory context records on its own

    EXPECT_TRUE(dc_->BitBlt(0, 0, 200, 100, memory, 0, 0));
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].kind, GdiCallKind::BitBlt);
    EXPECT_EQ(Calls()[0].rect, (Rect{0, 0, 200, 100}));
}

TEST_F(RecordedContext, FillRectIgnoresTheRasterOperationAndANullBrushPaintsNothing) {
    dc_->SetROP2(RasterOp::XorPen);
    dc_->FillRect(Rect{0, 0, 801, 601}, Brush::Solid(Rgb(255, 255, 255)));
    dc_->FillRect(Rect{0, 0, 5, 5}, Brush::Null());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].kind, GdiCallKind::FillRect);
    EXPECT_EQ(Calls()[0].color, Rgb(255, 255, 255));
}

}  // namespace
