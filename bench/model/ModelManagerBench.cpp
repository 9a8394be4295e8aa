// The drawing manager at scale: loading a saved drawing of 100,000 four-segment curves beside reading the
// same file whole and beside reading the curve records alone; registering 10,000 and 100,000 curves of
// one type, whose ratio shows whether naming and layer attachment stay near constant per element; and
// overlap removal on 1,000 and 10,000 segments beside the walk over every pair.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "AtomicFile.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"

namespace {

constexpr int kSavedCurves = 100000;

CCadCurve* NewSquare(double x, double y) {
    auto* curve = new CCadCurve;
    const SDPoint corners[] = {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}};
    for (int index = 0; index < 4; ++index) {
        CFileLine segment;
        segment.start = corners[index];
        segment.end = corners[(index + 1) % 4];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

void UseEnglishTexts() {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
}

// The saved drawing, written once into the temporary folder.
const std::filesystem::path& SavedDrawing() {
    static const std::filesystem::path file = [] {
        UseEnglishTexts();
        auto manager = std::make_unique<CCadMgr>();
        for (int index = 0; index < kSavedCurves; ++index) {
            manager->AddElement(NewSquare(index % 1000 * 2.0, index / 1000 * 2.0));
        }
        platform::Archive ar = platform::Archive::ForStoring();
        manager->SerializeDrawing(ar);
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "cutrix-bench-drawing.bin";
        platform::WriteFileAtomically(path, ar.Bytes());
        return path;
    }();
    return file;
}

void BM_LoadDrawing(benchmark::State& state) {
    const std::filesystem::path& file = SavedDrawing();
    for (auto _ : state) {
        state.PauseTiming();
        auto manager = std::make_unique<CCadMgr>();
        state.ResumeTiming();
        platform::Archive ar = platform::Archive::ForLoadingFile(file);
        benchmark::DoNotOptimize(manager->SerializeDrawing(ar));
        state.PauseTiming();
        manager.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadDrawing)->Unit(benchmark::kMillisecond);

void BM_ReadWholeFile(benchmark::State& state) {
    const std::filesystem::path& file = SavedDrawing();
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ReadWholeFile(file));
    }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond);

// The curve records alone, each into a curve that is then dropped: the floor under any drawing load.
void BM_ReadCurveRecords(benchmark::State& state) {
    const std::filesystem::path& file = SavedDrawing();
    for (auto _ : state) {
        platform::Archive ar = platform::Archive::ForLoadingFile(file);
        ar.ReadU32();
        const std::uint32_t layers = ar.ReadU32();
        for (std::uint32_t index = 0; index < layers; ++index) {
            ar.ReadU16();
            CCadVectorLayer layer;
            layer.Serialize(ar);
        }
        const std::uint32_t count = ar.ReadU32();
        for (std::uint32_t index = 0; index < count; ++index) {
            ar.ReadU16();
            CCadCurve curve;
            curve.Serialize(ar);
        }
    }
}
BENCHMARK(BM_ReadCurveRecords)->Unit(benchmark::kMillisecond);

void BM_AddElement(benchmark::State& state) {
    UseEnglishTexts();
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto manager = std::make_unique<CCadMgr>();
        std::vector<CCadCurve*> curves;
        curves.reserve(count);
        for (int index = 0; index < count; ++index) {
            curves.push_back(NewSquare(index, 0));
        }
        state.ResumeTiming();
        for (CCadCurve* curve : curves) {
            manager->AddElement(curve);
        }
        state.PauseTiming();
        manager.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddElement)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Overlap removal on `segments` segments: one curve that runs along a line and back again (every segment
// retraced once), or squares in a grid sharing their edges with their neighbours.
enum class OverlapDrawing { Retraced, SharedEdges };

void FillOverlapDrawing(CCadMgr& manager, OverlapDrawing kind, int segments) {
    if (kind == OverlapDrawing::Retraced) {
        auto* curve = new CCadCurve;
        const int half = segments / 2;
        for (int index = 0; index < segments; ++index) {
            const int at = index < half ? index : segments - 1 - index;
            const double from = index < half ? at : at + 1;
            const double to = index < half ? at + 1 : at;
            CFileLine segment;
            segment.start = {from, 0.0};
            segment.end = {to, 0.0};
            curve->pathList.AddTail(segment);
        }
        curve->CalRect();
        manager.AddElement(curve);
        manager.AddToSelection(curve);
        return;
    }
    const int side = static_cast<int>(std::sqrt(segments / 4));
    for (int index = 0; index < side * side; ++index) {
        CCadCurve* square = NewSquare(index % side, index / side);
        manager.AddElement(square);
        manager.AddToSelection(square);
    }
}

void RunOverlap(benchmark::State& state, OverlapDrawing kind, OverlapRemoval::Search search) {
    UseEnglishTexts();
    for (auto _ : state) {
        state.PauseTiming();
        auto manager = std::make_unique<CCadMgr>();
        FillOverlapDrawing(*manager, kind, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        manager->DeleteOverlap(0, 1, search);
        state.PauseTiming();
        manager.reset();
        state.ResumeTiming();
    }
}

void BM_DeleteOverlapRetraced(benchmark::State& state) {
    RunOverlap(state, OverlapDrawing::Retraced, OverlapRemoval::Search::Indexed);
}
BENCHMARK(BM_DeleteOverlapRetraced)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteOverlapSharedEdges(benchmark::State& state) {
    RunOverlap(state, OverlapDrawing::SharedEdges, OverlapRemoval::Search::Indexed);
}
BENCHMARK(BM_DeleteOverlapSharedEdges)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The walk over every pair on the same 10,000 segments: the anchor the grids are measured against.
void BM_DeleteOverlapRetracedPairwise(benchmark::State& state) {
    RunOverlap(state, OverlapDrawing::Retraced, OverlapRemoval::Search::Pairwise);
}
BENCHMARK(BM_DeleteOverlapRetracedPairwise)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteOverlapSharedEdgesPairwise(benchmark::State& state) {
    RunOverlap(state, OverlapDrawing::SharedEdges, OverlapRemoval::Search::Pairwise);
}
BENCHMARK(BM_DeleteOverlapSharedEdgesPairwise)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
