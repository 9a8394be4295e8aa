// Drawing single segments, their Bezier handles and arrow heads.
#include <array>
#include <cmath>
#include <numbers>

#include "DrawExports.h"
#include "LogicalUnits.h"

namespace {

using platform::DeviceContext;
using platform::Point;

// Draws the segment into `target`, each point taken through `place` from model millimetres.
template <typename Place>
void DrawSegment(DeviceContext& target, const CFileLine& segment, int moveFirst, Place place) {
    if (moveFirst != 0) {
        target.MoveTo(place(segment.start));
    }
    if (segment.IsBezier()) {
        const std::array<Point, 4> points = {place(segment.start), place(segment.ctrl1), place(segment.ctrl2),
                                             place(segment.end)};
        target.PolyBezier(points);
        target.MoveTo(points[3]);
    } else {
        target.LineTo(place(segment.end));
    }
}

bool SamePoint(SDPoint a, SDPoint b) {
    return a.x == b.x && a.y == b.y;
}

// One Bezier handle: the dotted line from its node to its control point and the box on the control point.
void DrawHandle(DeviceContext& mapDC, DeviceContext& drawDC, SDPoint node, SDPoint control) {
    constexpr std::int32_t kBoxHalfSize = 2;
    const Point nodeOnDevice = mapDC.LPtoDP(ToLogicalUnits(node));
    const Point controlOnDevice = mapDC.LPtoDP(ToLogicalUnits(control));

    const platform::Pen previousPen =
        drawDC.SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, 0xFF0000));
    drawDC.MoveTo(nodeOnDevice);
    drawDC.LineTo(controlOnDevice);

    drawDC.SelectObject(platform::Pen::Solid(1, 0));
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(0));
    drawDC.Rectangle(controlOnDevice.x - kBoxHalfSize, controlOnDevice.y - kBoxHalfSize,
                     controlOnDevice.x + kBoxHalfSize, controlOnDevice.y + kBoxHalfSize);
    drawDC.SelectObject(previousBrush);
    drawDC.SelectObject(previousPen);
}

// The unit vector from start toward end. A segment without length points along +y.
SDPoint DirectionOf(const CFileLine& segment) {
    const double dx = segment.end.x - segment.start.x;
    const double dy = segment.end.y - segment.start.y;
    if (dx == 0.0) {
        return {0.0, dy < 0.0 ? -1.0 : 1.0};
    }
    if (dy == 0.0) {
        return {dx < 0.0 ? -1.0 : 1.0, 0.0};
    }
    const double length = std::hypot(dx, dy);
    return {dx / length, dy / length};
}

// The arrow's wing length in millimetres: 8 device pixels of the mapping context.
double ArrowLengthMm(const DeviceContext& mapDC) {
    constexpr std::int32_t kArrowPixels = 8;
    const Point origin = mapDC.DPtoLP(Point{0, 0});
    const Point reach = mapDC.DPtoLP(Point{kArrowPixels, 0});
    return std::hypot(double(reach.x) - origin.x, double(reach.y) - origin.y) / kLogicalUnitsPerMm;
}

}  // namespace

std::uint16_t _draw_line(DeviceContext* dc, CFileLine segment, int moveFirst) {
    if (dc != nullptr) {
        DrawSegment(*dc, segment, moveFirst, [](SDPoint point) { return ToLogicalUnits(point); });
    }
    return 0;
}

std::uint16_t _draw_memline(DeviceContext* mapDC, DeviceContext* drawDC, CFileLine segment, int moveFirst) {
    if (mapDC != nullptr && drawDC != nullptr) {
        DrawSegment(*drawDC, segment, moveFirst,
                    [mapDC](SDPoint point) { return mapDC->LPtoDP(ToLogicalUnits(point)); });
    }
    return 0;
}

std::uint16_t _draw_bezierctrlline(CFileLine segment, DeviceContext* mapDC, DeviceContext* drawDC,
                                   std::uint16_t which) {
    if (mapDC == nullptr || drawDC == nullptr || !segment.IsBezier()) {
        return 0;
    }
    if ((which & kStartHandle) != 0 && !SamePoint(segment.ctrl1, segment.start)) {
        DrawHandle(*mapDC, *drawDC, segment.start, segment.ctrl1);
    }
    if ((which & kEndHandle) != 0 && !SamePoint(segment.ctrl2, segment.end)) {
        DrawHandle(*mapDC, *drawDC, segment.end, segment.ctrl2);
    }
    return 0;
}

std::uint16_t _draw_arrow(DeviceContext* mapDC, DeviceContext* drawDC, CFileLine segment,
                          platform::ColorRef colour, int width) {
    if (mapDC == nullptr || drawDC == nullptr) {
        return 0;
    }
    constexpr double kWingAngle = std::numbers::pi / 6.0;
    const double length = ArrowLengthMm(*mapDC);
    const SDPoint direction = DirectionOf(segment);
    const auto wing = [&](double turn) {
        const double c = std::cos(turn), s = std::sin(turn);
        const SDPoint end{segment.start.x + length * (direction.x * c - direction.y * s),
                          segment.start.y + length * (direction.x * s + direction.y * c)};
        return mapDC->LPtoDP(ToLogicalUnits(end));
    };

    const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Solid(width, colour));
    drawDC->MoveTo(wing(kWingAngle));
    drawDC->LineTo(mapDC->LPtoDP(ToLogicalUnits(segment.start)));
    drawDC->LineTo(wing(-kWingAngle));
    drawDC->SelectObject(previousPen);
    return 0;
}
