// The cost of one undo snapshot: CUndoStore::Push of a drawing of 100,000 curves of four segments,
// beside the least any snapshot store must do, a plain write of the same bytes and 20 renames.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Archive.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "UndoStore.h"

namespace {

constexpr int kCurves = 100000;

// Every run works in a fresh program folder of its own.
const std::filesystem::path& BenchHome() {
    static const std::filesystem::path home = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "cutrix-undo-bench-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        setenv("CUTRIX_HOME", made != nullptr ? made : pattern.c_str(), 1);
        // The slots of a large drawing take gigabytes; they go with the program.
        std::atexit([] { std::filesystem::remove_all(std::getenv("CUTRIX_HOME")); });
        return std::filesystem::path(pattern);
    }();
    return home;
}

CFileLine Line(double x1, double y1, double x2, double y2) {
    CFileLine line;
    line.start = {x1, y1};
    line.end = {x2, y2};
    return line;
}

// 100,000 closed squares of four lines in a grid, on a manager of their own.
std::unique_ptr<CCadMgr> MakeDrawing() {
    auto manager = std::make_unique<CCadMgr>();
    for (int index = 0; index < kCurves; ++index) {
        const double x = (index % 400) * 3.0;
        const double y = (index / 400) * 3.0;
        auto curve = std::make_unique<CCadCurve>();
        curve->pathList.AddTail(Line(x, y, x + 2, y));
        curve->pathList.AddTail(Line(x + 2, y, x + 2, y + 2));
        curve->pathList.AddTail(Line(x + 2, y + 2, x, y + 2));
        curve->pathList.AddTail(Line(x, y + 2, x, y));
        curve->closed = 1;
        curve->CalRect();
        manager->AddElement(curve.release());
    }
    return manager;
}

// Every slot starts with the drawing, as after a few changes: each push then drops a full snapshot, as the
// plain write below drops a full file.
struct Fixture {
    Fixture() : manager(MakeDrawing()), doc(*manager) {
        BenchHome();
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
    const std::filesystem::path folder = BenchHome() / "plain";
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
