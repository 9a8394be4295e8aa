// Offset and combine beside Clipper 1 in the same run: stars, combs, letters, random polygons and
// circles from 48 to 100,000 segments; a noisy blob shrunk by less than its noise; unions of 100 and
// 1,000 overlapping circles. Clipper offsets with round joins at the same arc tolerance.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <clipper.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "../../geometry/pathsmith/tests/GlyphOutlines.h"
#include "../../geometry/pathsmith/tests/OffsetReference.h"
#include "../../geometry/pathsmith/tests/OffsetShapes.h"
#include "DbList.h"
#include "LineEx.h"
#include "MyCurve.h"

namespace {

constexpr double kArcToleranceMm = 0.01;
using pathsmith::testing::Circle;
using pathsmith::testing::ClipperPath;
using pathsmith::testing::Comb;
using pathsmith::testing::kClipperScale;
using pathsmith::testing::NoisyBlob;
using pathsmith::testing::Polygon;
using pathsmith::testing::RandomPolygon;
using pathsmith::testing::Star;
constexpr int kOutward = 0;
constexpr int kInward = 1;

// The contours of a 40-character line in DejaVu Sans at 20 mm.
std::vector<Polygon> Letters() {
    std::vector<Polygon> contours;
    for (const auto& glyph : pathsmith::testing::GlyphContours(
             pathsmith::testing::kDejaVuSans, "The quick brown fox jumps over a lazy dog", 20.0)) {
        contours.push_back(glyph.polygon);
    }
    return contours;
}

void FillClosed(CDbList<CLineEx>& list, const Polygon& polygon) {
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        list.AddTail(CLineEx(polygon[index], polygon[(index + 1) % polygon.size()]));
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

std::size_t SegmentCount(const std::vector<Polygon>& contours) {
    std::size_t count = 0;
    for (const Polygon& polygon : contours) {
        count += polygon.size();
    }
    return count;
}

// The segment lists are filled and the curves freed outside the timing: only the offset calls are
// timed, on the wall clock as Clipper's loop is. Pausing the benchmark's own timers instead reads the
// process's CPU clock, a system call here, and a pause with its resume cost about 1.5 µs, as much as a
// tenth of a small part's offset.
void Offset(benchmark::State& state, const std::vector<Polygon>& contours, double distance, int side) {
    for (auto _ : state) {
        std::vector<CDbList<CLineEx>> lists(contours.size());
        for (std::size_t index = 0; index < contours.size(); ++index) {
            FillClosed(lists[index], contours[index]);
        }
        CDbList<CMyCurve*> curves;
        const auto start = std::chrono::steady_clock::now();
        for (CDbList<CLineEx>& list : lists) {
            benchmark::DoNotOptimize(Zint_Offset(&list, &curves, distance, side, 0));
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        DeleteCurves(curves);
    }
    state.counters["segments"] = static_cast<double>(SegmentCount(contours));
}

void ClipperOffset(benchmark::State& state, const std::vector<Polygon>& contours, double distance, int side) {
    std::vector<ClipperLib::Path> paths;
    for (const Polygon& polygon : contours) {
        paths.push_back(ClipperPath(polygon));
    }
    const double delta = (side == kInward ? -distance : distance) * kClipperScale;
    for (auto _ : state) {
        for (const ClipperLib::Path& path : paths) {
            ClipperLib::ClipperOffset offset(2.0, kArcToleranceMm * kClipperScale);
            offset.AddPath(path, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            ClipperLib::Paths solution;
            offset.Execute(solution, delta);
            benchmark::DoNotOptimize(solution.data());
        }
    }
    state.counters["segments"] = static_cast<double>(SegmentCount(contours));
}

using Shape = Polygon (*)(int);

template <Shape shape>
void BM_Offset(benchmark::State& state) {
    Offset(state, {shape(static_cast<int>(state.range(0)))}, state.range(1) / 10.0,
           static_cast<int>(state.range(2)));
}
template <Shape shape>
void BM_Clipper(benchmark::State& state) {
    ClipperOffset(state, {shape(static_cast<int>(state.range(0)))}, state.range(1) / 10.0,
                  static_cast<int>(state.range(2)));
}

void BM_OffsetLetters(benchmark::State& state) {
    static const std::vector<Polygon> letters = Letters();
    Offset(state, letters, state.range(0) / 10.0, static_cast<int>(state.range(1)));
}
void BM_ClipperLetters(benchmark::State& state) {
    static const std::vector<Polygon> letters = Letters();
    ClipperOffset(state, letters, state.range(0) / 10.0, static_cast<int>(state.range(1)));
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Shrunk by 0.1 mm, less than twice its noise: the offset runs into itself all along.
void BM_OffsetNoisyBlobInward(benchmark::State& state) {
    Offset(state, {NoisyBlob(static_cast<int>(state.range(0)))}, 0.1, kInward);
    state.counters["peak_MB"] = PeakResidentMegabytes();
}
void BM_ClipperNoisyBlobInward(benchmark::State& state) {
    ClipperOffset(state, {NoisyBlob(static_cast<int>(state.range(0)))}, 0.1, kInward);
}

// Grown and shrunk by 2 mm, forty times its noise: the round joins of the noise cross each other by the
// thousand. Argument: 0 outward, 1 inward.
void BM_OffsetNoisyBlobTwoMillimetres(benchmark::State& state) {
    Offset(state, {NoisyBlob(10000)}, 2.0, static_cast<int>(state.range(0)));
}
void BM_ClipperNoisyBlobTwoMillimetres(benchmark::State& state) {
    ClipperOffset(state, {NoisyBlob(10000)}, 2.0, static_cast<int>(state.range(0)));
}

// circleCount circles of 64 segments and radius 10 mm on a grid 15 mm apart, each overlapping its
// neighbours.
std::vector<Polygon> OverlappingCircles(int circleCount) {
    const int columns = static_cast<int>(std::ceil(std::sqrt(circleCount)));
    std::vector<Polygon> circles;
    for (int index = 0; index < circleCount; ++index) {
        const int row = index / columns, column = index % columns;
        const SDPoint centre{column * 15.0, row * 15.0 + (column % 2) * 3.0};
        Polygon circle;
        for (int step = 0; step < 64; ++step) {
            const double angle = 2.0 * M_PI * step / 64 + 0.01 * (row + column);
            circle.push_back({centre.x + 10.0 * std::cos(angle), centre.y + 10.0 * std::sin(angle)});
        }
        circles.push_back(circle);
    }
    return circles;
}

void BM_CombineCircles(benchmark::State& state) {
    const std::vector<Polygon> circles = OverlappingCircles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        CDbList<CMyCurve*> curves;
        for (const Polygon& circle : circles) {
            auto* curve = new CMyCurve;
            FillClosed(curve->segments, circle);
            curves.AddTail(curve);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(Zint_CurveCombine(&curves));
        state.PauseTiming();
        DeleteCurves(curves);
        state.ResumeTiming();
    }
}

void BM_ClipperUnionCircles(benchmark::State& state) {
    ClipperLib::Paths paths;
    for (const Polygon& circle : OverlappingCircles(static_cast<int>(state.range(0)))) {
        paths.push_back(ClipperPath(circle));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            pathsmith::testing::Combine(paths, {}, ClipperLib::ctUnion, ClipperLib::pftNonZero));
    }
}

// Arguments: segments, distance in tenths of a millimetre, side.
void ShapeSizes(benchmark::internal::Benchmark* bench) {
    for (const int segments : {48, 400, 1000, 10000, 100000}) {
        for (const int side : {kOutward, kInward}) {
            bench->Args({segments, 5, side});
        }
    }
    bench->Unit(benchmark::kMillisecond);
}

void CombSizes(benchmark::internal::Benchmark* bench) {
    for (const int segments : {48, 402, 1002, 10002, 100002}) {
        for (const int side : {kOutward, kInward}) {
            bench->Args({segments, 20, side});
        }
    }
    bench->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Offset<Star>)->Apply(ShapeSizes)->UseManualTime();
BENCHMARK(BM_Clipper<Star>)->Apply(ShapeSizes);
BENCHMARK(BM_Offset<Comb>)->Apply(CombSizes)->UseManualTime();
BENCHMARK(BM_Clipper<Comb>)->Apply(CombSizes);
BENCHMARK(BM_Offset<RandomPolygon>)->Apply(ShapeSizes)->UseManualTime();
BENCHMARK(BM_Clipper<RandomPolygon>)->Apply(ShapeSizes);
BENCHMARK(BM_Offset<Circle>)->Apply(ShapeSizes)->UseManualTime();
BENCHMARK(BM_Clipper<Circle>)->Apply(ShapeSizes);
BENCHMARK(BM_OffsetLetters)
    ->Args({8, kOutward})
    ->Args({8, kInward})
    ->Args({20, kOutward})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_ClipperLetters)
    ->Args({8, kOutward})
    ->Args({8, kInward})
    ->Args({20, kOutward})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetNoisyBlobInward)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ClipperNoisyBlobInward)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetNoisyBlobTwoMillimetres)->DenseRange(0, 1)->ArgName("inward")->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_ClipperNoisyBlobTwoMillimetres)->DenseRange(0, 1)->ArgName("inward")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombineCircles)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClipperUnionCircles)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
