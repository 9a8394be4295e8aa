// Speed of the heavy curve math: smoothing a large traced contour and turning many arcs into lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "Geomcore.h"

namespace {

constexpr int kTracedPoints = 100000;

// A closed five-lobed outline about 4.8 m around, its points 0.05 mm apart with a tracer's jitter of
// a few hundredths of a millimetre.
FileLineList& TracedContour() {
    static FileLineList contour = [] {
        FileLineList list;
        auto point = [](int i) {
            const double angle = 2.0 * std::numbers::pi * i / kTracedPoints;
            const double radius = 700.0 * (1.0 + 0.2 * std::sin(5.0 * angle)) + 0.02 * std::sin(i * 12.9898);
            return SDPoint{radius * std::cos(angle), radius * std::sin(angle)};
        };
        for (int i = 0; i < kTracedPoints; ++i) {
            CFileLine line;
            line.start = point(i);
            line.end = point((i + 1) % kTracedPoints);
            list.AddTail(line);
        }
        return list;
    }();
    return contour;
}

void BM_SmoothTracedContour(benchmark::State& state) {
    FileLineList& source = TracedContour();  // read only: the result goes to the target
    const int mode = static_cast<int>(state.range(0));
    for (auto _ : state) {
        FileLineList target;
        _math_c_smooth(&source, &target, 0.1, 0.5, mode, 0);
        benchmark::DoNotOptimize(target.count);
    }
    state.SetItemsProcessed(state.iterations() * kTracedPoints);
}
BENCHMARK(BM_SmoothTracedContour)->ArgName("mode")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Quarter-arc lead lines of 5 mm, as job output turns them into lines with a 0.01 mm tolerance.
void BM_ArcToLines(benchmark::State& state) {
    const int arcCount = static_cast<int>(state.range(0));
    const double radius = 5.0 * 2.0 / std::numbers::pi;
    std::int64_t lines = 0;
    for (auto _ : state) {
        FileLineList list;
        for (int i = 0; i < arcCount; ++i) {
            const double start = (i * 37) % 360;
            _math_c_arc2line(&list, i * 0.5, 0.0, radius, start, start - 90.0, 0.01);
        }
        lines += list.count;
    }
    state.SetItemsProcessed(lines);
    state.counters["arcs"] = arcCount;
}
BENCHMARK(BM_ArcToLines)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
