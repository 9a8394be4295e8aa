// The cost of one undo snapshot: CUndoStore::Push of a drawing of 100,000 curves of four segments,
// beside the least any snapshot store must do, a plain write of the same bytes and 20 renames.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "Archive.h"
#include "BenchDrawing.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "AtomicFile.h"
#include "UndoStore.h"

namespace {

constexpr int kCurves = 100000;

// Every slot starts with the drawing, as after a few changes: each push then drops a full snapshot, as the
// plain write below drops a full file.
struct Fixture {
    Fixture() : manager(bench::MakeSquares(kCurves)), doc(*manager) {
        bench::BenchHome();
        CUndoStore::Init();
        CUndoStore::ClearAll(doc);
    }
    std::unique_ptr<CCadMgr> manager;
    CCutrixDoc doc;
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

void BM_UndoPush(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CUndoStore::Push(fixture.doc));
    }
}
BENCHMARK(BM_UndoPush)->Unit(benchmark::kMillisecond)->UseRealTime();

// The snapshot's bytes alone, in memory: how much of a push is the drawing's serialisation.
void BM_SnapshotBytes(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    static std::vector<std::uint8_t> buffer;  // grown once, as the store's own
    for (auto _ : state) {
        platform::Archive ar = platform::Archive::ForStoring(std::move(buffer));
        fixture.doc.StoreUndo(ar);
        buffer = ar.TakeBytes();
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_SnapshotBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes written once more with fwrite, then the 20 renames that shift the slots, over 21 files
// that already hold them.
void BM_PlainWriteAndRenames(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    platform::Archive ar = platform::Archive::ForStoring();
    fixture.doc.StoreUndo(ar);
    const std::filesystem::path folder = bench::BenchHome() / "plain";
    std::filesystem::create_directories(folder);
    for (int index = 0; index <= CUndoStore::kLastSlot; ++index) {
        std::FILE* file = std::fopen((folder / std::to_string(index)).c_str(), "wb");
        std::fwrite(ar.Bytes().data(), 1, ar.Bytes().size(), file);
        std::fclose(file);
    }
    for (auto _ : state) {
        for (int index = CUndoStore::kLastSlot; index >= 1; --index) {
            std::filesystem::rename(folder / std::to_string(index - 1), folder / std::to_string(index));
        }
        std::FILE* file = std::fopen((folder / "0").c_str(), "wb");
        std::fwrite(ar.Bytes().data(), 1, ar.Bytes().size(), file);
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ar.Bytes().size()));
}
BENCHMARK(BM_PlainWriteAndRenames)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

namespace {

// A history two changes deep, so that one Undo and one Redo each load a full snapshot.
struct StepFixture {
    StepFixture() {
        history.Start(doc);
        manager->elementList.head->next->value->TransMove(1.0, 0.0);
        history.OnDrawingModified(doc);
        manager->elementList.head->next->value->TransMove(1.0, 0.0);
        history.OnDrawingModified(doc);
    }
    std::unique_ptr<CCadMgr> manager = bench::MakeSquares(kCurves);
    CCutrixDoc doc{*manager};
    UndoHistory history;
};

StepFixture& Steps() {
    static StepFixture fixture;
    return fixture;
}

// Each step's counterpart runs untimed, so that every timed step loads the same snapshot.
void BM_UndoStep(benchmark::State& state) {
    StepFixture& fixture = Steps();
    for (auto _ : state) {
        if (!fixture.history.Undo(fixture.doc)) {
            state.SkipWithError("undo failed");
        }
        state.PauseTiming();
        fixture.history.Redo(fixture.doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RedoStep(benchmark::State& state) {
    StepFixture& fixture = Steps();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.history.Undo(fixture.doc);
        state.ResumeTiming();
        if (!fixture.history.Redo(fixture.doc)) {
            state.SkipWithError("redo failed");
        }
    }
}
BENCHMARK(BM_RedoStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The least a snapshot costs: its bytes written to a file and read back.
void BM_WriteAndReadOneSnapshot(benchmark::State& state) {
    platform::Archive ar = platform::Archive::ForStoring();
    Steps().doc.StoreUndo(ar);
    const std::vector<std::uint8_t> bytes = ar.TakeBytes();
    const std::filesystem::path file = bench::BenchHome() / "snapshot";
    for (auto _ : state) {
        std::FILE* stream = std::fopen(file.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        std::fclose(stream);
        benchmark::DoNotOptimize(platform::ReadWholeFile(file)->size());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / (1024 * 1024);
}
BENCHMARK(BM_WriteAndReadOneSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
