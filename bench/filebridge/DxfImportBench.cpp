// Importing a 50 MB DXF drawing through the file library, and on until it is shown, beside the DXF parser's own reading of the same
// file into an adapter that keeps nothing: the cost of building geometry, checking and handing over
// records on top of parsing.
#include <benchmark/benchmark.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchPlacement.h"

namespace {

constexpr std::uintmax_t kTargetBytes = 50ULL * 1024 * 1024;

// Lines, bulged polylines, arcs and circles in a grid until the file reaches the target size.
std::string WriteDrawing() {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("filebridge-bench-" + std::to_string(::getpid()) + ".dxf")).string();
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> writer(dxf.out(path.c_str(), DL_Codes::AC1015));
    dxf.writeHeader(*writer);
    writer->sectionEnd();
    writer->sectionEntities();
    const DL_Attributes attributes("0", 256, -1, "BYLAYER", 1.0);
    constexpr int kCellsBetweenSizeChecks = 10000;
    for (int cell = 0; cell % kCellsBetweenSizeChecks != 0 || std::filesystem::file_size(path) < kTargetBytes; ++cell) {
        const double x = (cell % 1000) * 10.0, y = (cell / 1000) * 10.0;
        dxf.writeLine(*writer, DL_LineData(x, y, 0, x + 8, y + 1, 0), attributes);
        dxf.writeArc(*writer, DL_ArcData(x + 4, y + 4, 0, 2.5, 15, 250), attributes);
        dxf.writeCircle(*writer, DL_CircleData(x + 5, y + 5, 0, 1.5), attributes);
        dxf.writePolyline(*writer, DL_PolylineData(4, 0, 0, 1), attributes);
        dxf.writeVertex(*writer, DL_VertexData(x, y, 0, 0.3));
        dxf.writeVertex(*writer, DL_VertexData(x + 6, y, 0, 0));
        dxf.writeVertex(*writer, DL_VertexData(x + 6, y + 6, 0, -0.5));
        dxf.writeVertex(*writer, DL_VertexData(x, y + 6, 0, 0));
        dxf.writePolylineEnd(*writer);
    }
    writer->sectionEnd();
    writer->dxfEOF();
    writer->close();
    return path;
}

// The drawing is written once, at the first benchmark, and removed at exit.
struct DrawingFile {
    std::string path = WriteDrawing();
    ~DrawingFile() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::string& Drawing() {
    static const DrawingFile file;
    return file.path;
}

void BM_DxfParserAlone(benchmark::State& state) {
    const std::string& path = Drawing();
    for (auto _ : state) {
        DL_CreationAdapter nothing;
        DL_Dxf dxf;
        benchmark::DoNotOptimize(dxf.in(path, &nothing));
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024 * 1024);
}

void BM_ImportFile(benchmark::State& state) {
    bench::ImportRecords(state, Drawing());
}

// From the import to the drawing shown in the window: records, placement, worker, centring and zoom.
void BM_DxfImportUntilShown(benchmark::State& state) {
    bench::ImportUntilShown(state, Drawing());
}

BENCHMARK(BM_DxfParserAlone)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFile)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfImportUntilShown)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
