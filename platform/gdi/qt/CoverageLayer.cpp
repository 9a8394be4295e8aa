// Painting one shape into a scratch layer and mixing it into the image.
#include "CoverageLayer.h"

#include "PixelMix.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <vector>

namespace platform {
namespace {

constexpr QRgb kCoverage = 0xFF000000u;

// One Sutherland-Hodgman pass: keeps the part of a closed polygon on the inner side of one edge.
template <typename Inside, typename Cross>
std::vector<PointF> ClipAgainstEdge(const std::vector<PointF>& polygon, Inside inside, Cross cross) {
    std::vector<PointF> kept;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const PointF& current = polygon[index];
        const PointF& previous = polygon[(index + polygon.size() - 1) % polygon.size()];
        if (inside(current)) {
            if (!inside(previous)) {
                kept.push_back(cross(previous, current));
            }
            kept.push_back(current);
        } else if (inside(previous)) {
            kept.push_back(cross(previous, current));
        }
    }
    return kept;
}

PointF CrossAtX(const PointF& a, const PointF& b, double x) {
    return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
}

PointF CrossAtY(const PointF& a, const PointF& b, double y) {
    return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
}

// The closed polygon cut to the rectangle [left, right] x [top, bottom]. Inside that rectangle the even-odd
// region is unchanged; the cut adds edges only along its border.
std::vector<PointF> ClipPolygon(std::vector<PointF> polygon, double left, double top, double right,
                                double bottom) {
    polygon = ClipAgainstEdge(
        polygon, [left](const PointF& p) { return p.x >= left; },
        [left](const PointF& a, const PointF& b) { return CrossAtX(a, b, left); });
    polygon = ClipAgainstEdge(
        polygon, [right](const PointF& p) { return p.x <= right; },
        [right](const PointF& a, const PointF& b) { return CrossAtX(a, b, right); });
    polygon = ClipAgainstEdge(
        polygon, [top](const PointF& p) { return p.y >= top; },
        [top](const PointF& a, const PointF& b) { return CrossAtY(a, b, top); });
    return ClipAgainstEdge(
        polygon, [bottom](const PointF& p) { return p.y <= bottom; },
        [bottom](const PointF& a, const PointF& b) { return CrossAtY(a, b, bottom); });
}

}  // namespace

CoverageLayer::CoverageLayer(const QRect& area) : area_(area), layer_(area.size(), QImage::Format_ARGB32) {
    layer_.fill(Qt::transparent);
}

void CoverageLayer::FillRect(const QRect& device, QRgb color) {
    const QRect visible = device.intersected(area_);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(layer_.scanLine(y - area_.top()));
        std::fill(row + (visible.left() - area_.left()), row + (visible.right() + 1 - area_.left()),
                  color | kCoverage);
    }
}

QPolygonF CoverageLayer::ToLayer(std::span<const PointF> points, double offset, double margin) const {
    std::vector<PointF> moved;
    moved.reserve(points.size());
    for (const PointF& point : points) {
        moved.push_back({point.x + offset - area_.left(), point.y + offset - area_.top()});
    }
    moved = ClipPolygon(std::move(moved), -margin, -margin, area_.width() + margin, area_.height() + margin);
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(moved.size()));
    for (const PointF& point : moved) {
        polygon.append(QPointF(point.x, point.y));
    }
    return polygon;
}

void CoverageLayer::FillPolygon(std::span<const PointF> vertices, QRgb color) {
    const QPolygonF polygon = ToLayer(vertices, 0.0, 2.0);
    if (polygon.size() < 3) {
        return;
    }
    QPainter painter(&layer_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(color | kCoverage));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void CoverageLayer::Stroke(std::span<const PointF> pixelCentres, bool closed, int width, QRgb color) {
    QPainter painter(&layer_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor::fromRgb(color | kCoverage), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Each segment is cut on its own, as a two-point polygon, with a margin wider than the pen; joins
    // are round, so stroking the pieces one by one paints the same pixels as the whole chain.
    const double margin = width + 2.0;
    const std::size_t segmentCount = closed ? pixelCentres.size() : pixelCentres.size() - 1;
    for (std::size_t index = 0; index < segmentCount; ++index) {
        const PointF segment[] = {pixelCentres[index], pixelCentres[(index + 1) % pixelCentres.size()]};
        const QPolygonF piece = ToLayer(segment, 0.5, margin);
        if (piece.size() >= 2) {
            painter.drawPolyline(piece);
        }
    }
}

void CoverageLayer::Plot(int x, int y, QRgb color) {
    if (area_.contains(x, y)) {
        reinterpret_cast<QRgb*>(layer_.scanLine(y - area_.top()))[x - area_.left()] = color | kCoverage;
    }
}

void CoverageLayer::MixInto(QImage& target, RasterOp rop) const {
    const QRect visible = area_.intersected(target.rect());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const QRgb* source = reinterpret_cast<const QRgb*>(layer_.constScanLine(y - area_.top()));
        QRgb* destination = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const QRgb covered = source[x - area_.left()];
            if ((covered & kCoverage) == kCoverage) {
                destination[x] = MixPixel(destination[x], covered, rop);
            }
        }
    }
}

}  // namespace platform
