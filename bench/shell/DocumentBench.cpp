// Opening and saving a document of 100,000 curves beside the plain work under them: opening until the
// drawing is shown (read, parse, the undo history's first snapshot, the zoom to the page and its
// repaint) beside reading the file's bytes and one parse of them; saving beside an atomic write of the
// same bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "AtomicFile.h"
#include "BenchDrawing.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "FakeCanvas.h"
#include "RecordingMessageSink.h"
#include "UndoStore.h"

namespace {

constexpr int kCurves = 100000;

const std::filesystem::path& DocumentFile() {
    static const std::filesystem::path file = [] {
        const std::filesystem::path path = bench::BenchHome() / "large.lcx";
        const std::unique_ptr<CCadMgr> manager = bench::MakeSquares(kCurves);
        CCutrixDoc(*manager).WriteDocumentTo(path);
        return path;
    }();
    return file;
}

void SetFileSize(benchmark::State& state) {
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(DocumentFile())) / (1024 * 1024);
}

// What the frame does for Open: the document, a fresh history, the zoom to the page (which paints).
void BM_OpenUntilShown(benchmark::State& state) {
    platform::FakeCanvas canvas({0, 0, 1920, 1080});
    auto manager = std::make_unique<CCadMgr>();
    manager->SetOwnerHwnd(&canvas);
    CCutrixDoc doc(*manager);
    platform::RecordingMessageSink messages;
    UndoHistory history;
    for (auto _ : state) {
        if (doc.OpenDocument(DocumentFile(), messages) != CCutrixDoc::LoadResult::kOpened) {
            state.SkipWithError("the document did not open");
        }
        history.Start(doc);
        manager->ZoomToPage();
    }
    SetFileSize(state);
}
BENCHMARK(BM_OpenUntilShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadDocumentBytes(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ReadWholeFile(DocumentFile())->size());
    }
    SetFileSize(state);
}
BENCHMARK(BM_ReadDocumentBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// One parse of bytes already in memory, into a drawing that is empty again each time.
void BM_ParseDocumentOnce(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = *platform::ReadWholeFile(DocumentFile());
    for (auto _ : state) {
        auto manager = std::make_unique<CCadMgr>();
        CCutrixDoc doc(*manager);
        if (doc.LoadDocument(bytes) != CCutrixDoc::LoadResult::kOpened) {
            state.SkipWithError("the document did not load");
        }
        state.PauseTiming();  // the drawing's release is not the parse's
        manager.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ParseDocumentOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

struct SaveFixture {
    std::unique_ptr<CCadMgr> manager = bench::MakeSquares(kCurves);
    CCutrixDoc doc{*manager};
};

SaveFixture& Saving() {
    static SaveFixture fixture;
    return fixture;
}

void BM_SaveDocument(benchmark::State& state) {
    const std::filesystem::path file = bench::BenchHome() / "saved.lcx";
    for (auto _ : state) {
        if (!Saving().doc.SaveDocument(file)) {
            state.SkipWithError("the save failed");
        }
    }
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AtomicWriteOfTheSameBytes(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = Saving().doc.StoreDocument();
    const std::filesystem::path file = bench::BenchHome() / "plain.lcx";
    for (auto _ : state) {
        if (!platform::WriteFileAtomically(file, bytes)) {
            state.SkipWithError("the write failed");
        }
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / (1024 * 1024);
}
BENCHMARK(BM_AtomicWriteOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
