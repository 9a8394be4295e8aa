// The data check's crossing and overlap passes over 20,000 seeded curves (small octagons scattered so
// that neighbours now and then cross or touch) beside a plain sweep-line pair test written here: boxes
// sorted by their left side, then every chord of one curve against every chord of a near curve. The
// check does more per pair (Bezier sampling, overlap projections, its report), so the goal is a ratio
// of at most 3, not equality.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

#include "CadCurve.h"
#include "DataCheckPasses.h"

namespace {

constexpr int kCurves = 20000;
constexpr int kSides = 8;

class NullReport : public dialogs::edit::DataCheckReport {
  public:
    int AddLine(const std::string&, std::uint32_t) override { return lines_++; }
    void ReplaceLine(int, const std::string&, std::uint32_t) override {}

  private:
    int lines_ = 0;
};

struct Drawing {
    std::vector<std::unique_ptr<CCadCurve>> curves;
    std::vector<CCadElement*> selection;
};

const Drawing& SeededDrawing() {
    static const Drawing drawing = [] {
        Drawing built;
        std::mt19937 random(2024);
        std::uniform_real_distribution<double> place(0.0, 3000.0), radius(2.0, 12.0);
        for (int index = 0; index < kCurves; ++index) {
            auto curve = std::make_unique<CCadCurve>();
            const SDPoint centre{place(random), place(random)};
            const double r = radius(random);
            for (int side = 0; side < kSides; ++side) {
                const auto corner = [&](int at) {
                    const double angle = 2.0 * std::numbers::pi * at / kSides;
                    return SDPoint{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
                };
                CFileLine segment;
                segment.start = corner(side);
                segment.end = corner((side + 1) % kSides);
                curve->pathList.AddTail(segment);
            }
            curve->closed = 1;
            curve->CalRect();
            built.selection.push_back(curve.get());
            built.curves.push_back(std::move(curve));
        }
        return built;
    }();
    return drawing;
}

void BM_DataCheckCrossAndOverlap(benchmark::State& state) {
    const Drawing& drawing = SeededDrawing();
    DataCheckSettings options;
    for (auto _ : state) {
        NullReport report;
        dialogs::edit::DataCheckPasses passes(report, options);
        dialogs::edit::DataCheckResults results;
        passes.CheckCross(drawing.selection, results);
        passes.CheckOverlap(drawing.selection, results);
        benchmark::DoNotOptimize(results.Elements().size());
    }
}
BENCHMARK(BM_DataCheckCrossAndOverlap)->Unit(benchmark::kMillisecond);

// Strictly crossing chords, by the signs of the four orientations.
bool ChordsCross(const CFileLine& a, const CFileLine& b) {
    const auto side = [](SDPoint p, SDPoint q, SDPoint r) { return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x); };
    const double d1 = side(a.start, a.end, b.start), d2 = side(a.start, a.end, b.end);
    const double d3 = side(b.start, b.end, a.start), d4 = side(b.start, b.end, a.end);
    return d1 * d2 < 0.0 && d3 * d4 < 0.0;
}

void BM_PlainSweepLinePairs(benchmark::State& state) {
    const Drawing& drawing = SeededDrawing();
    for (auto _ : state) {
        std::vector<int> byLeft(drawing.curves.size());
        std::iota(byLeft.begin(), byLeft.end(), 0);
        std::sort(byLeft.begin(), byLeft.end(),
                  [&](int a, int b) { return drawing.curves[a]->rect.x1 < drawing.curves[b]->rect.x1; });
        long crossingPairs = 0;
        for (std::size_t at = 0; at < byLeft.size(); ++at) {
            const CCadCurve& curve = *drawing.curves[byLeft[at]];
            for (std::size_t next = at + 1; next < byLeft.size(); ++next) {
                const CCadCurve& other = *drawing.curves[byLeft[next]];
                if (other.rect.x1 > curve.rect.x2) {
                    break;
                }
                if (other.rect.y1 > curve.rect.y2 || curve.rect.y1 > other.rect.y2) {
                    continue;
                }
                for (const CFileLine& segment : curve.pathList) {
                    for (const CFileLine& otherSegment : other.pathList) {
                        crossingPairs += ChordsCross(segment, otherSegment) ? 1 : 0;
                    }
                }
            }
        }
        benchmark::DoNotOptimize(crossingPairs);
    }
}
BENCHMARK(BM_PlainSweepLinePairs)->Unit(benchmark::kMillisecond);

}  // namespace
