// Rasterising curves into 1 or 8-bit bitmaps by toggling pixels: the even-odd fill of a closed curve and
// the line of one segment.
#include <algorithm>
#include <cmath>
#include <vector>

#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr double kFlatness = 0.001;  // mm^2: control points this close to the chord count as on it
constexpr int kMaxFlattenDepth = 16;
constexpr std::uint8_t kMarkedGrey = 80;

// Toggles one pixel: a 1-bit pixel's bit flips; an 8-bit pixel of 255 becomes 80, any other 255.
class Toggler {
  public:
    explicit Toggler(const Raster& raster) : raster_(raster) {}

    const Raster& Picture() const { return raster_; }

    void Toggle(std::int32_t column, std::int32_t row) const {
        std::uint8_t* pixels = raster_.Row(row);
        if (raster_.Bits() == 1) {
            pixels[column >> 3] ^= static_cast<std::uint8_t>(0x80 >> (column & 7));
        } else {
            pixels[column] = pixels[column] == 255 ? kMarkedGrey : 255;
        }
    }

    // Toggles columns first..last (inclusive) of a row, the part inside the picture.
    void ToggleSpan(std::int64_t first, std::int64_t last, std::int32_t row) const {
        first = std::max<std::int64_t>(first, 0);
        last = std::min<std::int64_t>(last, raster_.Width() - 1);
        for (std::int64_t c = first; c <= last; ++c) {
            Toggle(static_cast<std::int32_t>(c), row);
        }
    }

  private:
    const Raster& raster_;
};

std::optional<Toggler> TogglerOf(const std::optional<Raster>& raster) {
    if (!raster || (raster->Bits() != 1 && raster->Bits() != 8)) {
        return std::nullopt;
    }
    return Toggler(*raster);
}

double DistanceToChordSquared(SDPoint p, SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

SDPoint Middle(SDPoint a, SDPoint b) {
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

// Appends the points of a cubic Bezier after its start, halving it until both control points lie within
// the flatness of the chord (an S curve is split even though its midpoint lies on the chord).
void Flatten(SDPoint p0, SDPoint p1, SDPoint p2, SDPoint p3, int depth, std::vector<SDPoint>& points) {
    if (depth >= kMaxFlattenDepth ||
        std::max(DistanceToChordSquared(p1, p0, p3), DistanceToChordSquared(p2, p0, p3)) <= kFlatness) {
        points.push_back(p3);
        return;
    }
    const SDPoint q0 = Middle(p0, p1), q1 = Middle(p1, p2), q2 = Middle(p2, p3);
    const SDPoint r0 = Middle(q0, q1), r1 = Middle(q1, q2);
    const SDPoint middle = Middle(r0, r1);
    Flatten(p0, q0, r0, middle, depth + 1, points);
    Flatten(middle, r1, q2, p3, depth + 1, points);
}

std::vector<SDPoint> PolygonOf(const CDbList<CFileLine>& curve, SDPoint origin) {
    std::vector<SDPoint> points;
    auto relative = [&](SDPoint p) { return SDPoint{p.x - origin.x, p.y - origin.y}; };
    points.push_back(relative(curve.head->next->value.start));
    for (const auto* node = curve.head->next; node != curve.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (segment.IsBezier()) {
            Flatten(relative(segment.start), relative(segment.ctrl1), relative(segment.ctrl2), relative(segment.end), 0,
                    points);
        } else {
            points.push_back(relative(segment.end));
        }
    }
    return points;
}

bool AllFinite(const CDbList<CFileLine>& curve) {
    for (const auto* node = curve.head->next; node != curve.head; node = node->next) {
        if (!node->value.HasFiniteCoordinates()) {
            return false;
        }
    }
    return true;
}

// A value in pixels rounded half away from zero; kept as a double, since it may lie far outside the int
// range for points far from the picture.
double RoundAway(double value) {
    return std::trunc(value + std::copysign(0.5, value));
}

struct Edge {
    double upper;  // row of the upper end
    double lower;
    double xUpper;
    double step;  // x change per row downward
};

std::vector<Edge> EdgesOf(const std::vector<SDPoint>& polygon, double pixelSize) {
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const SDPoint& a = polygon[i];
        const SDPoint& b = polygon[(i + 1) % polygon.size()];
        const double ax = RoundAway(a.x / pixelSize), ay = RoundAway(a.y / pixelSize);
        const double bx = RoundAway(b.x / pixelSize), by = RoundAway(b.y / pixelSize);
        if (ay == by) {
            continue;
        }
        const bool aUpper = ay > by;
        const double dx = bx - ax, dy = by - ay;
        edges.push_back({aUpper ? ay : by, aUpper ? by : ay, aUpper ? ax : bx, -(dx / dy)});
    }
    return edges;
}

// Scan rows from the top down: at row y, each edge with lower < y <= upper crosses at
// xUpper + step x (upper - y), and the pixels of row y - 1 between pairs of crossings are toggled.
void FillEdges(const Toggler& toggler, std::vector<Edge> edges) {
    const Raster& picture = toggler.Picture();
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.upper > b.upper; });
    std::vector<const Edge*> active;
    std::vector<double> crossings;
    if (edges.empty()) {
        return;
    }
    std::size_t next = 0;
    // Rows above the highest edge have nothing to toggle, and once every edge has been taken in and
    // dropped again neither have the rows below: a curve costs the rows it spans, not the picture's.
    const double highestRow = std::clamp(edges.front().upper - 1.0, -1.0, picture.Height() - 1.0);
    for (auto pixelRow = static_cast<std::int32_t>(highestRow); pixelRow >= 0; --pixelRow) {
        const double y = pixelRow + 1.0;
        for (; next < edges.size() && edges[next].upper >= y; ++next) {
            active.push_back(&edges[next]);
        }
        std::erase_if(active, [&](const Edge* edge) { return edge->lower >= y; });
        if (active.empty() && next == edges.size()) {
            return;
        }
        crossings.clear();
        for (const Edge* edge : active) {
            crossings.push_back(edge->xUpper + edge->step * (edge->upper - y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const double first = std::clamp(std::trunc(crossings[i]), -1.0, double(picture.Width()));
            const double last = std::clamp(std::trunc(crossings[i + 1] - 1.0), -1.0, double(picture.Width()));
            toggler.ToggleSpan(static_cast<std::int64_t>(first), static_cast<std::int64_t>(last), pixelRow);
        }
    }
}

// Pixel of a drawing point limited to the picture (column from x, stored row from y).
std::int32_t LimitedPixel(double mm, double origin, double pixelSize, std::int32_t count) {
    const double pixel = std::trunc((mm - origin) / pixelSize + 0.5);
    return static_cast<std::int32_t>(std::clamp(pixel, 0.0, count - 1.0));
}

void ToggleLine(const Toggler& toggler, std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1) {
    const std::int64_t dx = std::abs(std::int64_t{c1} - c0), dy = -std::abs(std::int64_t{r1} - r0);
    const int stepX = c0 < c1 ? 1 : -1, stepY = r0 < r1 ? 1 : -1;
    std::int64_t error = dx + dy;
    for (;;) {
        toggler.Toggle(c0, r0);
        if (c0 == c1 && r0 == r1) {
            return;
        }
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            c0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            r0 += stepY;
        }
    }
}

bool UsablePlacement(double pixelSize, std::initializer_list<double> values) {
    return pixelSize > 0.0 && std::isfinite(pixelSize) &&
           std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

extern "C" {

RasterStatus _dib_fill(DibBlock* dib, CDbList<CFileLine>* curve, double pixelSize, double x1, double y1, double x2,
                       double y2) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster || !UsablePlacement(pixelSize, {x1, y1, x2, y2})) {
            return kFailed;
        }
        const std::optional<Toggler> toggler = TogglerOf(raster);
        if (!toggler || curve == nullptr || curve->IsEmpty() != 0) {
            return kDone;
        }
        if (!AllFinite(*curve)) {
            return kFailed;
        }
        FillEdges(*toggler, EdgesOf(PolygonOf(*curve, {x1, y1}), pixelSize));
        return kDone;
    });
}

RasterStatus _dib_DrawLine(DibBlock* dib, CFileLine segment, double pixelSize, double x1, double y1, double x2,
                           double y2) {
    const std::optional<Raster> raster = Raster::Of(dib);
    if (!raster || !UsablePlacement(pixelSize, {x1, y1, x2, y2}) || !segment.HasFiniteCoordinates()) {
        return kFailed;
    }
    const std::optional<Toggler> toggler = TogglerOf(raster);
    if (!toggler) {
        return kDone;
    }
    ToggleLine(*toggler, LimitedPixel(segment.start.x, x1, pixelSize, raster->Width()),
               LimitedPixel(segment.start.y, y1, pixelSize, raster->Height()),
               LimitedPixel(segment.end.x, x1, pixelSize, raster->Width()),
               LimitedPixel(segment.end.y, y1, pixelSize, raster->Height()));
    return kDone;
}

}  // extern "C"
