#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "CurveTestHelpers.h"
#include "DeviceContext.h"
#include "MyCurve.h"
#include "RecordingBackend.h"

namespace {

using namespace shapecore_test;
using platform::GdiCallKind;
using platform::Point;

constexpr platform::ColorRef kRed = 0xFF;
constexpr platform::ColorRef kGreen = 0xFF00;
constexpr platform::ColorRef kCyan = 0xFFFF00;
constexpr platform::ColorRef kBlue = 0xFF0000;

platform::DeviceContext RecordingContext() {
    return platform::DeviceContext(std::make_unique<platform::RecordingBackend>(platform::Size{800, 600}));
}

// The view's context: one millimetre per pixel, y up, the origin 600 pixels down.
platform::DeviceContext ViewMapping() {
    auto dc = RecordingContext();
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(1, -1);
    dc.SetViewportOrg(0, 600);
    return dc;
}

const std::vector<platform::GdiCall>& Calls(platform::DeviceContext& dc) {
    return static_cast<platform::RecordingBackend&>(dc.Backend()).Calls();
}

// What a drawing call must look like: its kind, its device points (for a line only its end) and, for
// drawing calls, the pen colour.
struct ExpectedCall {
    GdiCallKind kind;
    std::vector<Point> points;
    platform::ColorRef colour = 0;
};

void ExpectCalls(const std::vector<platform::GdiCall>& calls, const std::vector<ExpectedCall>& expected) {
    ASSERT_EQ(calls.size(), expected.size());
    for (std::size_t index = 0; index < calls.size(); ++index) {
        const auto& call = calls[index];
        const auto& want = expected[index];
        EXPECT_EQ(call.kind, want.kind) << index;
        const std::vector<Point> points =
            call.kind == GdiCallKind::LineTo ? std::vector<Point>{call.points.back()} : call.points;
        EXPECT_EQ(points, want.points) << index;
        if (call.kind != GdiCallKind::MoveTo) {
            EXPECT_EQ(call.state.pen.color, want.colour) << index;
            EXPECT_EQ(call.state.pen.style, platform::PenStyle::Solid) << index;
        }
    }
}

void AddSegment(CBaseCurve& curve, std::uint16_t type, SDPoint start, SDPoint end) {
    CLineEx segment(start, end);
    segment.type = type;
    curve.segments.AddTail(segment);
}

// A run along y = 10 with one segment of each straight kind: line, marked bridge, gap bridge, line.
void AddBridgedRun(CBaseCurve& curve) {
    AddSegment(curve, CLineEx::kLine, {0, 10}, {10, 10});
    AddSegment(curve, CLineEx::kBridgeMarked, {10, 10}, {20, 10});
    AddSegment(curve, CLineEx::kBridgeGap, {20, 10}, {30, 10});
    AddSegment(curve, CLineEx::kLine, {30, 10}, {40, 10});
}

struct DrawCase {
    const char* name;
    std::function<void(CMyCurve&)> build;
    platform::ColorRef colour;
    std::vector<ExpectedCall> expected;
};

class MyCurveDrawTest : public testing::TestWithParam<DrawCase> {};

TEST_P(MyCurveDrawTest, DrawsTheBridgeMarksInTheirColours) {
    const DrawCase& c = GetParam();
    CMyCurve curve;
    c.build(curve);
    auto mapDC = ViewMapping();
    auto drawDC = RecordingContext();
    const platform::Pen callerPen = platform::Pen::Styled(platform::PenStyle::Dash, 3, kBlue);
    drawDC.SelectObject(callerPen);
    curve.Draw(&mapDC, &drawDC, c.colour);
    ExpectCalls(Calls(drawDC), c.expected);
    EXPECT_EQ(drawDC.CurrentPen(), callerPen);
}

const DrawCase kDrawCases[] = {
    {"plain",
     AddBridgedRun,
     kBlue,
     {{GdiCallKind::MoveTo, {{0, 590}}},
      {GdiCallKind::LineTo, {{10, 590}}, kBlue},
      {GdiCallKind::LineTo, {{20, 590}}, kRed},
      {GdiCallKind::MoveTo, {{30, 590}}},
      {GdiCallKind::LineTo, {{40, 590}}, kBlue}}},
    {"selected red",
     [](CMyCurve& curve) {
         AddBridgedRun(curve);
         curve.highlight = 1;
     },
     kRed,
     {{GdiCallKind::MoveTo, {{0, 590}}},
      {GdiCallKind::LineTo, {{10, 590}}, kCyan},
      {GdiCallKind::LineTo, {{20, 590}}, kGreen},
      {GdiCallKind::MoveTo, {{30, 590}}},
      {GdiCallKind::LineTo, {{40, 590}}, kCyan}}},
    {"selected blue",
     [](CMyCurve& curve) {
         AddBridgedRun(curve);
         curve.highlight = 1;
     },
     kBlue,
     {{GdiCallKind::MoveTo, {{0, 590}}},
      {GdiCallKind::LineTo, {{10, 590}}, kRed},
      {GdiCallKind::LineTo, {{20, 590}}, kRed},
      {GdiCallKind::MoveTo, {{30, 590}}},
      {GdiCallKind::LineTo, {{40, 590}}, kRed}}},
    {"Bezier skipped",
     [](CMyCurve& curve) {
         curve.segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{10, 0}, SDPoint{0, 5}, SDPoint{10, 5}));
         AddSegment(curve, CLineEx::kLine, {10, 0}, {10, 10});
     },
     kGreen,
     {{GdiCallKind::MoveTo, {{0, 600}}},
      {GdiCallKind::MoveTo, {{10, 600}}},
      {GdiCallKind::LineTo, {{10, 590}}, kGreen}}},
    {"empty", [](CMyCurve&) {}, kGreen, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MyCurveDrawTest, testing::ValuesIn(kDrawCases),
                         [](const testing::TestParamInfo<DrawCase>& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

TEST(BaseCurveDrawTest, DrawsLinesAndBeziersThroughTheMapping) {
    CBaseCurve curve;
    curve.segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{30, 0}, SDPoint{10, 20}, SDPoint{20, 20}));
    CLineEx bridge(SDPoint{30, 0}, SDPoint{30, 0.0019});  // 1.9 logical units truncate to 1
    bridge.type = CLineEx::kBridgeGap;
    curve.segments.AddTail(bridge);
    auto mapDC = RecordingContext();  // text mapping: device = logical
    auto drawDC = RecordingContext();
    curve.Draw(&mapDC, &drawDC, kGreen);
    ExpectCalls(Calls(drawDC),
                {{GdiCallKind::MoveTo, {{0, 0}}},
                 {GdiCallKind::PolyBezier, {{0, 0}, {10000, 20000}, {20000, 20000}, {30000, 0}}, kGreen},
                 {GdiCallKind::MoveTo, {{30000, 0}}},
                 {GdiCallKind::LineTo, {{30000, 1}}, kGreen}});
    EXPECT_TRUE(Calls(mapDC).empty());
}

TEST(BaseCurveDrawTest, PreviewsUseTheCallersDottedPenInLogicalUnits) {
    CBaseCurve curve;
    AddPolyline(curve, {{0, 0}, {10, 0}, {10, 10}});
    auto dc = ViewMapping();
    dc.SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, kBlue));
    dc.SetROP2(platform::RasterOp::NotXorPen);

    curve.DrawMove(&dc, 1, 2);
    const auto& calls = Calls(dc);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].points.front(), (Point{1, 598}));  // logical (1000, 2000) through the view mapping
    EXPECT_EQ(calls[2].points.back(), (Point{11, 588}));
    for (std::size_t index = 1; index < calls.size(); ++index) {
        EXPECT_EQ(calls[index].state.pen.style, platform::PenStyle::Dot);
        EXPECT_EQ(calls[index].state.rop, platform::RasterOp::NotXorPen);
    }
    EXPECT_EQ(dc.CurrentPen().style, platform::PenStyle::Dot);
}

TEST(BaseCurveDrawTest, RotateAndDragPreviewsTransformTheSegments) {
    CBaseCurve curve;
    curve.segments.AddTail(CLineEx(SDPoint{10, 0}, SDPoint{20, 0}, SDPoint{12, 4}, SDPoint{18, 4}));
    auto dc = RecordingContext();
    curve.DrawRotate(&dc, 0, 0, 0.0);
    EXPECT_TRUE(Calls(dc).empty());

    curve.DrawRotate(&dc, 0, 0, std::numbers::pi / 2);
    ASSERT_EQ(Calls(dc).size(), 3u);
    const auto& bezier = Calls(dc)[1].points;
    ASSERT_EQ(bezier.size(), 4u);
    // A quarter turn about the origin: (x, y) -> (-y, x), truncated to whole logical units.
    const Point turned[] = {{0, 10000}, {-4000, 12000}, {-4000, 18000}, {0, 20000}};
    for (int index = 0; index < 4; ++index) {
        EXPECT_NEAR(bezier[index].x, turned[index].x, 1) << index;
        EXPECT_NEAR(bezier[index].y, turned[index].y, 1) << index;
    }

    static_cast<platform::RecordingBackend&>(dc.Backend()).ClearCalls();
    curve.DrawDrag(&dc, 2, 1, 10, 0);
    const auto& dragged = Calls(dc)[1].points;
    EXPECT_EQ(dragged, (std::vector<Point>{{10000, 0}, {14000, 4000}, {26000, 4000}, {30000, 0}}));
    EXPECT_EQ(curve.segments.head->next->value.p1.x, 20);  // previews leave the curve alone
}

TEST(BaseCurveDrawTest, NodeMarksAreSquaresAroundEveryStartTheFirstTwice) {
    CBaseCurve curve;
    AddPolyline(curve, {{0, 0}, {10, 0}, {10, 10}});
    auto mapDC = ViewMapping();
    auto drawDC = RecordingContext();
    curve.DrawGraphicPoint(&drawDC, nullptr);
    EXPECT_TRUE(Calls(drawDC).empty());
    curve.DrawGraphicPoint(&drawDC, &mapDC);
    const auto& calls = Calls(drawDC);
    ASSERT_EQ(calls.size(), 3u);
    const platform::Rect expected[] = {{-3, 597, 3, 603}, {-3, 597, 3, 603}, {7, 597, 13, 603}};
    for (std::size_t index = 0; index < calls.size(); ++index) {
        EXPECT_EQ(calls[index].kind, GdiCallKind::Rectangle);
        EXPECT_EQ(calls[index].rect, expected[index]) << index;
        EXPECT_EQ(calls[index].state.pen.color, 0u);
        EXPECT_EQ(calls[index].state.brush, platform::Brush::Solid(0xFFFFFF));
    }
    EXPECT_EQ(drawDC.CurrentBrush(), platform::Brush{});
}

TEST(BaseCurveDrawTest, SelectConvertsPixelsThroughTheMapping) {
    CBaseCurve square;
    AddSquare(square);
    auto dc = ViewMapping();  // 1000 logical units per pixel
    EXPECT_EQ(square.Select(&dc, {10500, 5000}, 1), 1);
    EXPECT_EQ(square.Select(&dc, {12000, 5000}, 1), 0);
    EXPECT_EQ(square.Select(&dc, {12000, 5000}, 3), 1);
}

TEST(BaseCurveDrawTest, NodePickReversesOrRestartsTheCurve) {
    auto dc = ViewMapping();  // five pixels are five millimetres
    CBaseCurve reversed;
    AddSquare(reversed);
    ASSERT_EQ(reversed.DbSelect({10000, 4000}, &dc, 0), 1);  // node (10,0) picked, curve reversed
    EXPECT_EQ(reversed.GetCurveDir(), 1);

    CBaseCurve restarted;
    AddSquare(restarted);
    ASSERT_EQ(restarted.DbSelect({9000, 11000}, &dc, 1), 1);  // node (10,10) becomes the start
    const auto segments = Segments(restarted.segments);
    ASSERT_EQ(segments.size(), 4u);
    const SDPoint starts[] = {{10, 10}, {0, 10}, {0, 0}, {10, 0}};
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(segments[index].p0.x, starts[index].x);
        EXPECT_EQ(segments[index].p0.y, starts[index].y);
    }
    EXPECT_TRUE(IsWellLinked(restarted.segments));

    EXPECT_EQ(restarted.DbSelect({50000, 50000}, &dc, 1), 0);
    CBaseCurve open;
    AddPolyline(open, {{0, 0}, {10, 0}, {10, 10}});
    EXPECT_EQ(open.DbSelect({10000, 0}, &dc, 1), 1);  // picked, but an open curve keeps its start
    EXPECT_EQ(open.segments.head->next->value.p0.x, 0);
}

}  // namespace
