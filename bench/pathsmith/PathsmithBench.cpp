// Offset (inward and outward), self-crossing test and combine on traced-looking contours of 1,000 to
// 100,000 segments, with Clipper offsetting the same contours at the same arc tolerance for scale.
#include <benchmark/benchmark.h>

#include <clipper.hpp>
#include <cmath>
#include <vector>

#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"
#include "Pathsmith.h"

namespace {

constexpr double kOffsetMm = 0.5;
constexpr double kArcToleranceMm = 0.01;
// Clipper works on integers: coordinates in units of 0.1 micrometre.
constexpr double kClipperScale = 10000.0;

// A traced gear: a circle whose rim carries notches 2 mm deep and as wide as the teeth between them,
// segmentCount vertices about 0.3 mm apart along the rim (a larger drawing, not a denser one), a
// notch every 20 vertices, counter-clockwise.
std::vector<SDPoint> NotchedCircle(int segmentCount) {
    const double rimRadius = segmentCount * 0.3 / (2.0 * M_PI);
    std::vector<SDPoint> vertices;
    vertices.reserve(segmentCount);
    for (int index = 0; index < segmentCount; ++index) {
        const double angle = 2.0 * M_PI * index / segmentCount;
        const double radius = (index / 10) % 2 == 0 ? rimRadius : rimRadius - 2.0;
        vertices.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return vertices;
}

void FillClosed(CDbList<CLineEx>& list, const std::vector<SDPoint>& vertices) {
    for (std::size_t index = 0; index < vertices.size(); ++index) {
        list.AddTail(CLineEx(vertices[index], vertices[(index + 1) % vertices.size()]));
    }
}

void DeleteCurves(CDbList<CMyCurve*>& curves) {
    if (curves.MoveFirst() != 0) {
        do {
            delete curves.cursor->value;
        } while (curves.MoveNext() != 0);
    }
    curves.RemoveAll();
}

void OffsetContour(benchmark::State& state, int side) {
    const std::vector<SDPoint> contour = NotchedCircle(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        CDbList<CLineEx> segments;
        FillClosed(segments, contour);
        CDbList<CMyCurve*> curves;
        state.ResumeTiming();
        benchmark::DoNotOptimize(Zint_Offset(&segments, &curves, kOffsetMm, side, 0));
        state.PauseTiming();
        DeleteCurves(curves);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void BM_OffsetInward(benchmark::State& state) {
    OffsetContour(state, 1);
}
void BM_OffsetOutward(benchmark::State& state) {
    OffsetContour(state, 0);
}

void ClipperOffsetContour(benchmark::State& state, double sign) {
    const std::vector<SDPoint> contour = NotchedCircle(static_cast<int>(state.range(0)));
    ClipperLib::Path path;
    for (const SDPoint& vertex : contour) {
        path.push_back({static_cast<ClipperLib::cInt>(std::llround(vertex.x * kClipperScale)),
                        static_cast<ClipperLib::cInt>(std::llround(vertex.y * kClipperScale))});
    }
    for (auto _ : state) {
        ClipperLib::ClipperOffset offset;
        offset.ArcTolerance = kArcToleranceMm * kClipperScale;
        offset.AddPath(path, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        ClipperLib::Paths solution;
        offset.Execute(solution, sign * kOffsetMm * kClipperScale);
        benchmark::DoNotOptimize(solution.data());
    }
    state.SetComplexityN(state.range(0));
}

void BM_ClipperOffsetInward(benchmark::State& state) {
    ClipperOffsetContour(state, -1.0);
}
void BM_ClipperOffsetOutward(benchmark::State& state) {
    ClipperOffsetContour(state, 1.0);
}

void BM_SelfCrossingTest(benchmark::State& state) {
    CDbList<CLineEx> segments;
    FillClosed(segments, NotchedCircle(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Zint_IsSelfCross(&segments));
    }
    state.SetComplexityN(state.range(0));
}

// 100 circles of 64 segments on a 10 x 10 grid, each overlapping its neighbours.
void BM_CombineOverlappingOutlines(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CDbList<CMyCurve*> curves;
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 10; ++column) {
                auto* curve = new CMyCurve;
                const SDPoint centre{column * 15.0, row * 15.0 + (column % 2) * 3.0};
                std::vector<SDPoint> circle;
                for (int index = 0; index < 64; ++index) {
                    const double angle = 2.0 * M_PI * index / 64 + 0.01 * (row + column);
                    circle.push_back({centre.x + 10.0 * std::cos(angle), centre.y + 10.0 * std::sin(angle)});
                }
                FillClosed(curve->segments, circle);
                curves.AddTail(curve);
            }
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(Zint_CurveCombine(&curves));
        state.PauseTiming();
        DeleteCurves(curves);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_OffsetInward)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_ClipperOffsetInward)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_OffsetOutward)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_ClipperOffsetOutward)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_SelfCrossingTest)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_CombineOverlappingOutlines)->Unit(benchmark::kMillisecond);
