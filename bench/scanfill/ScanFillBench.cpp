// Job generation of the work that takes a user longest to wait for in scan mode: a 16-megapixel
// bitmap engraved line by line, and 10,000 closed curves filled by scanning, each written into memory
// end to end through the job writer, beside the encoder alone replaying the same moves and cuts (read
// back from the generated job) into a job of its own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "BenchShapes.h"
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

constexpr int kTenthMillimetrePixels = 10000;  // pels per metre

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
    bitmap->dib = bench::BlobPicture();
    _dib_setprecision(&bitmap->dib, kTenthMillimetrePixels, kTenthMillimetrePixels);
    bitmap->centre = {bench::kPictureSide * 0.05, bench::kPictureSide * 0.05};
    bitmap->CalRect();
    CCadBitmap* added = bitmap.get();
    theCadMgr.AddElement(bitmap.release());
    auto& layer = *static_cast<CCadBitmapLayer*>(added->layer);
    layer.bitmapParams.Eng_Type = 0;
}

// The decagons 5 mm apart, on one layer filled by scanning at 0.1 mm.
void BuildFillDrawing() {
    SetUpSettings();
    CCadCurve* first = bench::AddDecagonGrid(5.0);
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
