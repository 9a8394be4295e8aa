// CCadPoint: drawing, previews, transforms, the hit test, the copy, the record and the PLT output.
#include "CadPoint.h"

#include <cinttypes>
#include <cmath>

#include "Geomcore.h"
#include "LogicalUnits.h"

namespace {

constexpr int kCircleRadiusPixels = 2;
constexpr int kHitPixels = 3;
constexpr double kPlotterUnitsPerMm = 40.0;

void DrawCircle(platform::DeviceContext& dc, platform::Point centre, int radius) {
    dc.MoveTo(centre.x + radius, centre.y);
    dc.AngleArc(centre, radius, 0.0f, 360.0f);
}

}  // namespace

CCadPoint::CCadPoint() : CCadElement(kPointElement) {
    orderNumber = 1;
}

void CCadPoint::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                     double dx, double dy, std::uint16_t mode) {
    if (mapDC == nullptr || drawDC == nullptr) {
        return;
    }
    if (!rect.MovedNormalised(dx, dy).Meets(visibleArea)) {
        return;
    }
    const platform::Point centre = mapDC->LPtoDP(ToLogicalUnits(SDPoint{x + dx, y + dy}));
    const platform::PenStyle style = mode == 1 ? platform::PenStyle::Dot : platform::PenStyle::Solid;
    const platform::Pen previousPen =
        drawDC->SelectObject(platform::Pen::Styled(style, GetSelect() != 0 ? 2 : 1, color));
    DrawCircle(*drawDC, centre, kCircleRadiusPixels);
    drawDC->SelectObject(previousPen);
}

int CCadPoint::ExportPlt(std::FILE* file) {
    if (file == nullptr) {
        return 0;
    }
    // Saturated: a coordinate of a damaged drawing must not wrap into a plausible position.
    const std::int32_t plotX = TruncateToInt32(x * kPlotterUnitsPerMm);
    const std::int32_t plotY = TruncateToInt32(y * kPlotterUnitsPerMm);
    std::fprintf(file, "PU%" PRId32 " %" PRId32 "PD%" PRId32 " %" PRId32, plotX, plotY, plotX, plotY);
    return 1;
}

void CCadPoint::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreBaseRecord(ar);
        ar << x << y;
        return;
    }
    BaseRecord base = LoadBaseRecord(ar);
    const double loadedX = ar.ReadDouble();
    const double loadedY = ar.ReadDouble();
    if (!std::isfinite(loadedX) || !std::isfinite(loadedY)) {
        throw platform::ArchiveError("point with a non-finite coordinate");
    }
    ApplyBaseRecord(std::move(base));
    x = loadedX;
    y = loadedY;
    CalRect();
}

int CCadPoint::HitTest(double px, double py, platform::DeviceContext* viewDC) {
    double distance = 0.0;
    _math_dis(x * kLogicalUnitsPerMm, y * kLogicalUnitsPerMm, px, py, &distance);
    return LengthDPtoLP(viewDC, kHitPixels) >= distance ? 1 : 0;
}

void CCadPoint::DrawMove(platform::DeviceContext* dc, double dx, double dy) {
    if (dc == nullptr) {
        return;
    }
    DrawCircle(*dc, ToLogicalUnits(SDPoint{x + dx, y + dy}), LengthDPtoLP(dc, kCircleRadiusPixels));
}

void CCadPoint::TransMove(double dx, double dy) {
    x += dx;
    y += dy;
    rect.Offset(dx, dy);
}

SDPoint CCadPoint::Dragged(double sx, double sy, double px, double py) const {
    return {sx != 1.0 ? (x - px) * sx + px : x, sy != 1.0 ? (y - py) * sy + py : y};
}

SDPoint CCadPoint::Rotated(double cx, double cy, double angle) const {
    const double c = std::cos(angle), s = std::sin(angle);
    return {(x - cx) * c - (y - cy) * s + cx, (x - cx) * s + (y - cy) * c + cy};
}

SDPoint CCadPoint::Skewed(double cx, double cy, double angleX, double angleY) const {
    return {x - (y - cy) * std::tan(angleX), y + (x - cx) * std::tan(angleY)};
}

void CCadPoint::MoveTo(SDPoint position) {
    x = position.x;
    y = position.y;
    CalRect();
}

void CCadPoint::DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) {
    if (dc != nullptr) {
        DrawCircle(*dc, ToLogicalUnits(Dragged(sx, sy, px, py)), LengthDPtoLP(dc, kCircleRadiusPixels));
    }
}

void CCadPoint::TransDrag(double sx, double sy, double px, double py) {
    if (sx == 1.0 && sy == 1.0) {
        return;
    }
    MoveTo(Dragged(sx, sy, px, py));
}

void CCadPoint::DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) {
    if (dc != nullptr && angle != 0.0) {
        DrawCircle(*dc, ToLogicalUnits(Rotated(cx, cy, angle)), LengthDPtoLP(dc, kCircleRadiusPixels));
    }
}

void CCadPoint::TransRotate(double cx, double cy, double angle) {
    if (angle != 0.0) {
        MoveTo(Rotated(cx, cy, angle));
    }
}

void CCadPoint::DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY) {
    if (dc != nullptr && (angleX != 0.0 || angleY != 0.0)) {
        DrawCircle(*dc, ToLogicalUnits(Skewed(cx, cy, angleX, angleY)), LengthDPtoLP(dc, kCircleRadiusPixels));
    }
}

void CCadPoint::TransSkew(double cx, double cy, double angleX, double angleY) {
    if (angleX != 0.0 || angleY != 0.0) {
        MoveTo(Skewed(cx, cy, angleX, angleY));
    }
}

void CCadPoint::XMirror(double axis) {
    MoveTo({2.0 * axis - x, y});
}

void CCadPoint::YMirror(double axis) {
    MoveTo({x, 2.0 * axis - y});
}

void CCadPoint::CalRect() {
    rect.x1 = rect.x2 = x;
    rect.y1 = rect.y2 = y;
}

int CCadPoint::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* point = dynamic_cast<const CCadPoint*>(source);
    if (point == nullptr || point->typeCode != kPointElement) {
        return 0;
    }
    x = point->x + dx;
    y = point->y + dy;
    color = point->color;
    layer = point->layer;
    CalRect();
    return 1;
}
