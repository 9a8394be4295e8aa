#include <gtest/gtest.h>

#include <memory>

#include "DrawExports.h"
#include "RecordingBackend.h"

using platform::DeviceContext;
using platform::GdiCallKind;
using platform::Point;

namespace {

CFileLine Line(SDPoint start, SDPoint end) {
    CFileLine segment;
    segment.start = start;
    segment.end = end;
    return segment;
}

CFileLine Bezier(SDPoint start, SDPoint ctrl1, SDPoint ctrl2, SDPoint end) {
    CFileLine segment = Line(start, end);
    segment.type = CFileLine::kBezier;
    segment.ctrl1 = ctrl1;
    segment.ctrl2 = ctrl2;
    return segment;
}

DeviceContext RecordingContext() {
    return DeviceContext(std::make_unique<platform::RecordingBackend>(platform::Size{100, 100}));
}

const std::vector<platform::GdiCall>& CallsOf(const DeviceContext& dc) {
    return static_cast<const platform::RecordingBackend&>(dc.Backend()).Calls();
}

// A view of one pixel per millimetre: 1000 logical units to a device pixel.
class MappedDrawing : public ::testing::Test {
  protected:
    MappedDrawing() : mapDC(RecordingContext()), drawDC(RecordingContext()) {
        mapDC.SetMapMode(platform::MapMode::Isotropic);
        mapDC.SetWindowExt(1000, 1000);
        mapDC.SetViewportExt(1, 1);
    }
    DeviceContext mapDC;
    DeviceContext drawDC;
};

}  // namespace

TEST(DrawLine, LineContinuesFromTheCurrentPositionUnlessAskedToMove) {
    DeviceContext dc = RecordingContext();
    dc.MoveTo(5, 5);
    _draw_line(&dc, Line({0.5, 0.25}, {2.0, -0.0015}), 0);
    _draw_line(&dc, Line({0.5, 0.25}, {1e12, 1.0}), 1);
    const auto& calls = CallsOf(dc);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].kind, GdiCallKind::LineTo);
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{5, 5}, {2000, -1}})) << "millimetres x 1000, truncated";
    EXPECT_EQ(calls[2].kind, GdiCallKind::MoveTo);
    EXPECT_EQ(calls[2].points, (std::vector<Point>{{500, 250}}));
    EXPECT_EQ(calls[3].points[1], (Point{2147483647, 1000})) << "beyond the range: the nearest limit";
}

TEST(DrawLine, BezierIsOneCurveAndEndsAtItsEnd) {
    DeviceContext dc = RecordingContext();
    _draw_line(&dc, Bezier({0, 0}, {1, 0}, {2, 1}, {3, 1}), 0);
    const auto& calls = CallsOf(dc);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, GdiCallKind::PolyBezier);
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{0, 0}, {1000, 0}, {2000, 1000}, {3000, 1000}}));
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{3000, 1000}));
}

TEST_F(MappedDrawing, MemlineDrawsDevicePointsOfTheMappingContext) {
    _draw_memline(&mapDC, &drawDC, Line({2, 3}, {10, 20}), 1);
    const auto& calls = CallsOf(drawDC);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{2, 3}}));
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{2, 3}, {10, 20}}));
    EXPECT_TRUE(CallsOf(mapDC).empty());
}

TEST_F(MappedDrawing, BezierHandlesAsChosen) {
    struct Case {
        const char* name;
        CFileLine segment;
        std::uint16_t which;
        std::vector<Point> controlBoxCentres;
    };
    const CFileLine curve = Bezier({10, 10}, {20, 10}, {30, 40}, {40, 40});
    const CFileLine noStartHandle = Bezier({10, 10}, {10, 10}, {30, 40}, {40, 40});
    const Case cases[] = {
        {"start", curve, kStartHandle, {{20, 10}}},
        {"end", curve, kEndHandle, {{30, 40}}},
        {"both", curve, kBothHandles, {{20, 10}, {30, 40}}},
        {"start control on its node", noStartHandle, kBothHandles, {{30, 40}}},
        {"a line has none", Line({10, 10}, {40, 40}), kBothHandles, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceContext dc = RecordingContext();
        const platform::Pen pen = platform::Pen::Solid(1, platform::Rgb(0, 255, 0));
        dc.SelectObject(pen);
        _draw_bezierctrlline(c.segment, &mapDC, &dc, c.which);

        std::vector<Point> centres;
        for (const auto& call : CallsOf(dc)) {
            if (call.kind == GdiCallKind::LineTo) {
                EXPECT_EQ(call.state.pen.style, platform::PenStyle::Dot);
                EXPECT_EQ(call.state.pen.color, 0xFF0000u);
            }
            if (call.kind == GdiCallKind::Rectangle) {
                EXPECT_EQ(call.rect.Width(), 4);
                EXPECT_EQ(call.rect.Height(), 4);
                EXPECT_EQ(call.state.brush, platform::Brush::Solid(0));
                EXPECT_EQ(call.state.pen.color, 0u);
                centres.push_back({call.rect.left + 2, call.rect.top + 2});
            }
        }
        EXPECT_EQ(centres, c.controlBoxCentres);
        EXPECT_EQ(dc.CurrentPen(), pen) << "the caller's pen is selected again";
    }
}

// The tip is the segment's start; the wings, 8 pixels long, open 30 degrees either side of the
// direction toward the end:
//
//          wing (27, 24)
//        /
//  tip (20, 20) ----------> end (40, 20)
//        \  wing (27, 16)
TEST_F(MappedDrawing, ArrowHeadSitsOnTheStart) {
    const platform::Pen pen = platform::Pen::Solid(1, platform::Rgb(0, 255, 0));
    drawDC.SelectObject(pen);
    _draw_arrow(&mapDC, &drawDC, Line({20, 20}, {40, 20}), platform::Rgb(255, 0, 0), 3);
    const auto& calls = CallsOf(drawDC);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].points, (std::vector<Point>{{27, 24}}));
    EXPECT_EQ(calls[1].points, (std::vector<Point>{{27, 24}, {20, 20}}));
    EXPECT_EQ(calls[2].points, (std::vector<Point>{{20, 20}, {27, 16}}));
    EXPECT_EQ(calls[1].state.pen, platform::Pen::Solid(3, platform::Rgb(255, 0, 0)));
    EXPECT_EQ(drawDC.CurrentPen(), pen);
}

TEST_F(MappedDrawing, ArrowFollowsTheSegmentsDirection) {
    struct Case {
        SDPoint end;
        Point wing1;
        Point wing2;
    };
    const Case cases[] = {
        {{20, 50}, {16, 27}, {24, 27}},  // straight up
        {{20, -5}, {24, 13}, {16, 13}},  // straight down
        {{0, 20}, {13, 16}, {13, 24}},   // to the left
        {{40, 40}, {22, 28}, {28, 22}},  // diagonal
        {{20, 20}, {16, 27}, {24, 27}},  // no length: upward
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.end.x << "," << c.end.y);
        DeviceContext dc = RecordingContext();
        _draw_arrow(&mapDC, &dc, Line({20, 20}, c.end), 0, 1);
        const auto& calls = CallsOf(dc);
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].points[0], c.wing1);
        EXPECT_EQ(calls[2].points[1], c.wing2);
    }
}
