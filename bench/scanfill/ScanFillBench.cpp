// Job generation of the work that takes a user longest to wait for in scan mode: a 16-megapixel
// bitmap engraved line by line, and 10,000 closed curves filled by scanning, each written into memory
// end to end through the job writer, beside the encoder alone replaying the same moves and cuts (read
// back from the generated job) into a job of its own.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "CadBitmap.h"
#include "CadBitmapLayer.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "DataProcessDlg.h"
#include "DibBlock.h"
#include "JobDecoder.h"
#include "JobMemorySink.h"
#include "Motionlink.h"
#include "Rasterkit.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

constexpr int kSide = 4096;                 // 16 Mpx
constexpr int kTenthMillimetrePixels = 10000;  // pels per metre
constexpr int kContours = 10000;
constexpr int kSidesPerContour = 10;

// Round blobs of many sizes on white, 1 bit: runs of every length along the scan lines.
platform::DibBlock BlobPicture() {
    platform::DibBlock dib;
    _dib_create(kSide, kSide, 8, 0, 0, &dib);
    std::uint8_t* pixels = dib.MutablePixels().data();
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            const double cellX = (c % 256) - 128.0, cellY = (r % 256) - 128.0;
            const double radius = 20.0 + ((c / 256) * 7 + (r / 256) * 3) % 100;
            pixels[static_cast<std::size_t>(r) * kSide + c] = std::hypot(cellX, cellY) < radius ? 0 : 255;
        }
    }
    _dib_format(&dib, 1);
    _dib_setprecision(&dib, kTenthMillimetrePixels, kTenthMillimetrePixels);
    return dib;
}

void SetUpSettings() {
    theCadMgr.DeleteAll();
    gProcessCtrlSettings = ProcessCtrlSettings{};
    gProcessCtrlSettings.pathOptimise = 0;
    gOutputOptions.rotateEngraveOn = 0;
    gOutputOptions.reverseIntervalOn = 0;
}

void BuildBitmapDrawing() {
    SetUpSettings();
    auto bitmap = std::make_unique<CCadBitmap>();
    bitmap->dib = BlobPicture();
    bitmap->centre = {kSide * 0.05, kSide * 0.05};
    bitmap->CalRect();
    CCadBitmap* added = bitmap.get();
    theCadMgr.AddElement(bitmap.release());
    auto& layer = *static_cast<CCadBitmapLayer*>(added->layer);
    layer.bitmapParams.Eng_Type = 0;
}

// Closed decagons of 4 mm on a 100 x 100 grid, 5 mm apart, on one layer filled by scanning at 0.1 mm.
void BuildFillDrawing() {
    SetUpSettings();
    CCadCurve* first = nullptr;
    for (int index = 0; index < kContours; ++index) {
        const double cx = (index % 100) * 5.0;
        const double cy = (index / 100) * 5.0;
        auto curve = std::make_unique<CCadCurve>();
        for (int side = 0; side < kSidesPerContour; ++side) {
            const double a0 = side * 6.283185307179586 / kSidesPerContour;
            const double a1 = (side + 1) * 6.283185307179586 / kSidesPerContour;
            CFileLine segment;
            segment.start = {cx + 2.0 * std::cos(a0), cy + 2.0 * std::sin(a0)};
            segment.end = {cx + 2.0 * std::cos(a1), cy + 2.0 * std::sin(a1)};
            curve->pathList.AddTail(segment);
        }
        curve->closed = 1;
        curve->CalRect();
        first = first != nullptr ? first : curve.get();
        theCadMgr.AddElement(curve.release());
    }
    auto& layer = *static_cast<CCadVectorLayer*>(first->layer);
    layer.vectorParams.COM_WorkType = VectorLayerParams::kScan;
    layer.vectorParams.Eng_Type = 0;
    layer.vectorParams.Eng_Space = 0.1;
}

bool WriteJob(motionlink::JobMemorySink& sink) {
    CDataProcessDlg dialog;
    dialog.jobSink = &sink;
    CDataProcessDlg::WriteJobThread(&dialog);
    return dialog.failed == 0;
}

// The moves and cuts of a written job, in order, as the job reader decodes them.
std::vector<jobscan::JobRecord> PathOf(const motionlink::JobMemorySink& sink) {
    std::vector<jobscan::JobRecord> records, path;
    jobscan::DecodeJob(sink.Bytes(), jobscan::JobBytes::kStored, records);
    for (const jobscan::JobRecord& record : records) {
        if (record.kind == JobCommand::Move || record.kind == JobCommand::Cut) {
            path.push_back(record);
        }
    }
    return path;
}

void GenerateJob(benchmark::State& state, void (*build)()) {
    build();
    motionlink::JobMemorySink first;
    if (!WriteJob(first)) {
        state.SkipWithError("the job was not written");
        return;
    }
    const std::size_t commands = PathOf(first).size();
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        WriteJob(sink);
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.counters["moves and cuts"] = static_cast<double>(commands);
    state.counters["bytes"] = static_cast<double>(first.Bytes().size());
    theCadMgr.DeleteAll();
}

void EncoderAlone(benchmark::State& state, void (*build)()) {
    build();
    motionlink::JobMemorySink generated;
    if (!WriteJob(generated)) {
        state.SkipWithError("the job was not written");
        return;
    }
    theCadMgr.DeleteAll();
    const std::vector<jobscan::JobRecord> path = PathOf(generated);
    for (auto _ : state) {
        motionlink::JobMemorySink sink;
        Zint_StrtWFile(&sink);
        std::int32_t cellX = 0;
        std::int32_t cellY = 0;
        for (const jobscan::JobRecord& record : path) {
            if (record.kind == JobCommand::Cut) {
                Zint_wLineTo(&cellX, &cellY, record.a, record.b);
            } else {
                Zint_wMoveTo(&cellX, &cellY, record.a, record.b);
            }
        }
        Zint_wSetFileEnd();
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.counters["moves and cuts"] = static_cast<double>(path.size());
}

BENCHMARK_CAPTURE(GenerateJob, bitmap16Mpx, BuildBitmapDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EncoderAlone, bitmap16Mpx, BuildBitmapDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(GenerateJob, fill10000Curves, BuildFillDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EncoderAlone, fill10000Curves, BuildFillDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
