// Filling a closed curve with horizontal spans, row by row, by the even-odd rule.
//
// An edge is active on the rows from its upper y (the larger) down to one row above its lower y, so a
// row through a vertex meets exactly one of two edges that pass through it, and both or neither of two
// edges that turn there. Each pair of active edges, in order of x, gives one span drawn with the pen.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "DrawExports.h"
#include "LogicalUnits.h"

namespace {

using platform::DeviceContext;
using platform::Point;

// Samples of a Bezier after its start: t = 0.1, 0.2, ... while below 1, the sum taken in double as it
// grows, so that ten samples come before the end (the last one just short of t = 1).
constexpr double kBezierStep = 0.1;

struct Edge {
    std::int32_t upperY = 0;
    std::int32_t lowerY = 0;
    float x = 0;     // on the current row
    float step = 0;  // change of x from one row to the next one down
};

// The curve's outline in device points: the first segment's start, then every segment's end, a Bezier
// with its start and ten points between.
std::vector<Point> OutlineOf(const DeviceContext& mapDC, const CDbList<CFileLine>& curve) {
    std::vector<Point> points;
    const auto add = [&](SDPoint point) { points.push_back(mapDC.LPtoDP(ToLogicalUnits(point))); };
    bool first = true;
    for (const auto* node = curve.head->next; node != curve.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (segment.IsBezier()) {
            add(segment.start);
            for (double t = kBezierStep; t < 1.0; t += kBezierStep) {
                add(segment.GetPoint(t));
            }
        } else if (first) {
            add(segment.start);
        }
        add(segment.end);
        first = false;
    }
    return points;
}

// One edge per pair of consecutive points with different y, the closing pair included; sorted by
// upper y, largest first.
std::vector<Edge> EdgesOf(const std::vector<Point>& points) {
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % points.size()];
        if (a.y == b.y) {
            continue;
        }
        const Point upper = a.y > b.y ? a : b;
        const Point lower = a.y > b.y ? b : a;
        const double slope = (double(b.x) - a.x) / (double(b.y) - a.y);
        edges.push_back({upper.y, lower.y, static_cast<float>(upper.x), static_cast<float>(-slope)});
    }
    std::stable_sort(edges.begin(), edges.end(),
                     [](const Edge& l, const Edge& r) { return l.upperY > r.upperY; });
    return edges;
}

// The rows of drawDC's surface, in its logical units, widened by one row each way. Rows outside draw
// nothing visible, and a curve reaching far off the surface must not cost a loop over billions of rows.
void VisibleRows(const DeviceContext& drawDC, std::int64_t& top, std::int64_t& bottom) {
    const std::int32_t height = drawDC.SurfaceSize().height;
    const std::int32_t y0 = drawDC.DPtoLP(Point{0, 0}).y;
    const std::int32_t y1 = drawDC.DPtoLP(Point{0, height}).y;
    top = std::int64_t{std::min(y0, y1)} - 1;
    bottom = std::int64_t{std::max(y0, y1)} + 1;
}

std::int32_t SpanEnd(float x) {
    return TruncateToInt32(static_cast<double>(x));
}

void FillRows(DeviceContext& drawDC, std::vector<Edge> edges, std::int64_t highestRow,
              std::int64_t lowestRow) {
    std::vector<Edge> active;
    std::size_t next = 0;
    for (std::int64_t row = highestRow; row >= lowestRow; --row) {
        for (; next < edges.size() && edges[next].upperY >= row; ++next) {
            Edge edge = edges[next];
            if (edge.lowerY >= row) {
                continue;  // wholly above the rows drawn
            }
            edge.x += edge.step * static_cast<float>(edge.upperY - row);  // non-zero only above the surface
            active.push_back(edge);
        }
        // Edges of a self-crossing curve change order, so the list is sorted on every row.
        std::stable_sort(active.begin(), active.end(), [](const Edge& l, const Edge& r) {
            return l.x < r.x || (l.x == r.x && l.x + l.step < r.x + r.step);
        });
        const std::int32_t y = static_cast<std::int32_t>(row);
        for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
            drawDC.MoveTo(SpanEnd(active[i].x), y);
            drawDC.LineTo(SpanEnd(active[i + 1].x), y);
        }
        std::erase_if(active, [row](const Edge& edge) { return edge.lowerY >= row - 1; });
        for (Edge& edge : active) {
            edge.x += edge.step;
        }
    }
}

}  // namespace

std::uint16_t _draw_cfill(DeviceContext* mapDC, DeviceContext* drawDC, CDbList<CFileLine>* curve) {
    if (mapDC == nullptr || drawDC == nullptr || curve == nullptr || curve->head == nullptr) {
        return 0;
    }
    const std::vector<Point> points = OutlineOf(*mapDC, *curve);
    if (points.size() < 3) {
        return 0;
    }
    const auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(), [](Point a, Point b) { return a.y < b.y; });
    std::int64_t visibleTop = 0, visibleBottom = 0;
    VisibleRows(*drawDC, visibleTop, visibleBottom);
    FillRows(*drawDC, EdgesOf(points), std::min<std::int64_t>(highest->y, visibleBottom),
             std::max<std::int64_t>(lowest->y, visibleTop));
    return 0;
}
