// Cut order of 2,000 and 20,000 closed contours on the default work area with the default settings:
// parts (a rectangle with a rectangular hole and two round holes) on a jittered grid, seeded. Reports the
// time of CCutOrder::Optimize and, as counters, the head travel of its order from the start corner beside
// that of a nearest-neighbour tour improved by 2-opt over the same contours (each entered at its first
// node). The optimiser keeps its own order rules (inner contours first, bands, serpentine); the ratio
// tells users what those rules cost in travel.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CutOrder.h"
#include "SettingsRecords.h"

namespace {

constexpr int kContoursPerPart = 4;

std::unique_ptr<CCadCurve> Polygon(const std::vector<SDPoint>& points) {
    auto curve = std::make_unique<CCadCurve>();
    for (std::size_t index = 0; index < points.size(); ++index) {
        CFileLine segment;
        segment.start = points[index];
        segment.end = points[(index + 1) % points.size()];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

std::unique_ptr<CCadCurve> Rectangle(double x1, double y1, double x2, double y2) {
    return Polygon({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
}

std::unique_ptr<CCadCurve> Circle(double cx, double cy, double radius) {
    return CCadCurve::MakeEllipse(cx - radius, cy - radius, cx + radius, cy + radius);
}

struct Sheet {
    std::vector<std::unique_ptr<CCadCurve>> contours;
    SDPoint start;
    std::uint16_t code = 0;
};

Sheet MakeSheet(int contours) {
    const CadMgrSettings area;
    const int parts = contours / kContoursPerPart;
    const double cell = std::sqrt(area.workWidth * area.workHeight / parts);
    const int columns = static_cast<int>(area.workWidth / cell);
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Sheet sheet;
    for (int part = 0; part < parts; ++part) {
        const double left = (part % columns) * cell;
        const double bottom = (part / columns) * cell;
        const double width = cell * (0.5 + 0.3 * unit(random));
        const double height = cell * (0.5 + 0.3 * unit(random));
        const double x = left + (cell - width) * unit(random);
        const double y = bottom + (cell - height) * unit(random);
        // Listed as a nesting program would: the outline first, then what lies in it.
        sheet.contours.push_back(Rectangle(x, y, x + width, y + height));
        sheet.contours.push_back(
            Rectangle(x + 0.1 * width, y + 0.1 * height, x + 0.45 * width, y + 0.9 * height));
        const double radius = 0.12 * std::min(width, height);
        sheet.contours.push_back(Circle(x + 0.7 * width, y + 0.3 * height, radius));
        sheet.contours.push_back(Circle(x + 0.7 * width, y + 0.7 * height, radius));
    }
    CCadRect box = sheet.contours.front()->rect;
    for (const auto& contour : sheet.contours) {
        box.x1 = std::min(box.x1, contour->rect.x1);
        box.y1 = std::min(box.y1, contour->rect.y1);
        box.x2 = std::max(box.x2, contour->rect.x2);
        box.y2 = std::max(box.y2, contour->rect.y2);
    }
    CCadMgr::GetStartPoint(box.x1, box.y1, box.x2, box.y2, sheet.start.x, sheet.start.y);
    sheet.code = CCadMgr::GetStartCorner();
    return sheet;
}

double Distance(SDPoint a, SDPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Head travel from the start through the list: to each curve's first node, then from its last node on.
double Travel(const CDbList<CCadElement*>& list, SDPoint start) {
    double travel = 0.0;
    SDPoint head = start;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        const auto* curve = static_cast<const CCadCurve*>(node->value);
        travel += Distance(head, curve->pathList.head->next->value.start);
        head = curve->pathList.head->prev->value.end;
    }
    return travel;
}

// Nearest-neighbour tour through the points from the start, by a uniform grid, then 2-opt over each
// point's nearest neighbours until no move shortens the path. Returns the path length.
double BaselineTravel(const std::vector<SDPoint>& points, SDPoint start) {
    const int count = static_cast<int>(points.size());
    double x1 = start.x, y1 = start.y, x2 = start.x, y2 = start.y;
    for (SDPoint point : points) {
        x1 = std::min(x1, point.x), y1 = std::min(y1, point.y), x2 = std::max(x2, point.x),
        y2 = std::max(y2, point.y);
    }
    const double cell = std::max(1e-6, std::sqrt((x2 - x1) * (y2 - y1) / count));
    const int columns = static_cast<int>((x2 - x1) / cell) + 1;
    const int rows = static_cast<int>((y2 - y1) / cell) + 1;
    std::vector<std::vector<int>> grid(static_cast<std::size_t>(columns * rows));
    const auto cellOf = [&](SDPoint point) {
        return std::pair{std::min(columns - 1, static_cast<int>((point.x - x1) / cell)),
                         std::min(rows - 1, static_cast<int>((point.y - y1) / cell))};
    };
    for (int index = 0; index < count; ++index) {
        const auto [column, row] = cellOf(points[index]);
        grid[row * columns + column].push_back(index);
    }
    // The k nearest of a point, ring by ring; `taken` points are skipped.
    const auto nearest = [&](SDPoint from, int k, const std::vector<char>& taken, int self) {
        std::vector<std::pair<double, int>> found;
        const auto [column, row] = cellOf(from);
        for (int ring = 0; ring <= std::max(columns, rows); ++ring) {
            for (int r = row - ring; r <= row + ring; ++r) {
                for (int c = column - ring; c <= column + ring; ++c) {
                    if (r < 0 || c < 0 || r >= rows || c >= columns ||
                        (std::abs(r - row) != ring && std::abs(c - column) != ring)) {
                        continue;
                    }
                    for (int index : grid[r * columns + c]) {
                        if (index != self && taken[index] == 0) {
                            found.emplace_back(Distance(from, points[index]), index);
                        }
                    }
                }
            }
            std::sort(found.begin(), found.end());
            if (static_cast<int>(found.size()) >= k && found[k - 1].first <= ring * cell) {
                break;
            }
        }
        found.resize(std::min<std::size_t>(found.size(), static_cast<std::size_t>(k)));
        return found;
    };
    // The tour as point indices after the fixed start.
    std::vector<char> taken(count, 0);
    std::vector<int> tour;
    SDPoint head = start;
    for (int step = 0; step < count; ++step) {
        const int next = nearest(head, 1, taken, -1).front().second;
        taken[next] = 1;
        head = points[next];
        tour.push_back(next);
    }
    const auto at = [&](std::ptrdiff_t position) { return position < 0 ? start : points[tour[position]]; };
    const std::vector<char> none(count, 0);
    std::vector<std::vector<int>> neighbours(count);
    for (int index = 0; index < count; ++index) {
        for (const auto& [distance, other] : nearest(points[index], 8, none, index)) {
            neighbours[index].push_back(other);
        }
    }
    std::vector<std::ptrdiff_t> place(count);
    for (std::ptrdiff_t position = 0; position < count; ++position) {
        place[tour[position]] = position;
    }
    // 2-opt on the open path: edges (a, a + 1) and (c, c + 1) become (a, c) and (a + 1, c + 1), for c among
    // the neighbours of a's point; the start (position -1) stays first.
    const auto end = static_cast<std::ptrdiff_t>(count);
    for (bool improved = true; improved;) {
        improved = false;
        for (std::ptrdiff_t a = -1; a + 1 < end; ++a) {
            const std::vector<int>& candidates = a < 0 ? neighbours[tour[0]] : neighbours[tour[a]];
            for (int other : candidates) {
                const std::ptrdiff_t c = place[other];
                if (c <= a + 1) {
                    continue;
                }
                const double before =
                    Distance(at(a), at(a + 1)) + (c + 1 < end ? Distance(at(c), at(c + 1)) : 0.0);
                const double after =
                    Distance(at(a), at(c)) + (c + 1 < end ? Distance(at(a + 1), at(c + 1)) : 0.0);
                if (after + 1e-9 < before) {
                    std::reverse(tour.begin() + a + 1, tour.begin() + c + 1);
                    for (std::ptrdiff_t position = a + 1; position <= c; ++position) {
                        place[tour[position]] = position;
                    }
                    improved = true;
                }
            }
        }
    }
    double travel = 0.0;
    for (std::ptrdiff_t position = 0; position < end; ++position) {
        travel += Distance(at(position - 1), at(position));
    }
    return travel;
}

void BM_CutOrder(benchmark::State& state) {
    const Sheet sheet = MakeSheet(static_cast<int>(state.range(0)));
    std::vector<SDPoint> entries;
    for (const auto& contour : sheet.contours) {
        entries.push_back(contour->pathList.head->next->value.start);
    }
    CDbList<CCadElement*> list;
    for (auto _ : state) {
        state.PauseTiming();
        list.RemoveAll();
        for (const auto& contour : sheet.contours) {
            list.AddTail(contour.get());
        }
        state.ResumeTiming();
        CCutOrder order;
        order.Optimize(list, static_cast<std::int32_t>(gOptimSettings.insideToOutside), sheet.code,
                       sheet.start.x, sheet.start.y);
        benchmark::DoNotOptimize(list.head->next);
    }
    const double travel = Travel(list, sheet.start);
    const double baseline = BaselineTravel(entries, sheet.start);
    state.counters["contours"] = static_cast<double>(sheet.contours.size());
    state.counters["travel_mm"] = travel;
    state.counters["baseline_mm"] = baseline;
    state.counters["travel_ratio"] = travel / baseline;
}

BENCHMARK(BM_CutOrder)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
