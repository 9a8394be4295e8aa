// The drawing manager at scale: loading a saved drawing of 100,000 four-segment curves beside reading the
// same file whole and beside reading the curve records alone; and registering 10,000 and 100,000 curves of
// one type, whose ratio shows whether naming and layer attachment stay near constant per element.
#include <benchmark/benchmark.h>

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

}  // namespace
