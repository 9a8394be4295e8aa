// Curve combine beside Clipper 1's union on the other sets the combine's exact-output test pins:
// letters over moved copies of themselves, crossing rectangles and scattered star polygons, some
// running the other way round. The curves are made outside the timing.
#include <benchmark/benchmark.h>

#include <clipper.hpp>
#include <memory>
#include <string>
#include <vector>

#include "../../geometry/pathsmith/tests/CombineInputs.h"
#include "../../geometry/pathsmith/tests/OffsetReference.h"
#include "DbList.h"
#include "MyCurve.h"

namespace {

using pathsmith::testing::Points;

enum Set { kLetters, kRectangles, kStars, kStarsEitherWay };

std::vector<Points> Outlines(Set set) {
    namespace t = pathsmith::testing;
    switch (set) {
        case kLetters:
            return t::WithMovedCopies(t::LetterContours("The quick brown fox jumps over a lazy dog"), 2.5,
                                      1.5);
        case kRectangles:
            return t::CrossingRectangles(1000);
        case kStars:
            return t::ScatteredStars(300, 2024);
        case kStarsEitherWay:
            return t::EverySecondReversed(t::ScatteredStars(300, 2024));
    }
    return {};
}

void BM_Combine(benchmark::State& state) {
    const std::vector<Points> outlines = Outlines(static_cast<Set>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto curves = std::make_unique<pathsmith::testing::CurveList>();
        for (const Points& outline : outlines) {
            auto* curve = new CMyCurve;
            pathsmith::testing::FillSegments(curve->segments, outline);
            curves->list.AddTail(curve);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(Zint_CurveCombine(&curves->list));
        state.PauseTiming();
        curves.reset();
        state.ResumeTiming();
    }
}

void BM_ClipperUnion(benchmark::State& state) {
    ClipperLib::Paths paths;
    for (const Points& outline : Outlines(static_cast<Set>(state.range(0)))) {
        paths.push_back(pathsmith::testing::ClipperPath(outline));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            pathsmith::testing::Combine(paths, {}, ClipperLib::ctUnion, ClipperLib::pftNonZero));
    }
}

void Sets(benchmark::internal::Benchmark* bench) {
    for (const Set set : {kLetters, kRectangles, kStars, kStarsEitherWay}) {
        bench->Arg(set);
    }
    bench->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Combine)->Apply(Sets);
BENCHMARK(BM_ClipperUnion)->Apply(Sets);
