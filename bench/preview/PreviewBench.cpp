// The preview's costs on large jobs:
// - opening a 50 MB job (read, measure, shift, display list) against reading it alone;
// - rebuilding the static drawing after a view change for jobs of a million commands (a scan-engraving
//   job and one of small contours) at fit, 10x and the deepest zoom, beside the reference paint through
//   the device context and QPainter::drawLines of the same segments.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLine>
#include <QPainter>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

#include "DbList.h"
#include "DisplayList.h"
#include "JobDecoder.h"
#include "JobFileSink.h"
#include "Jobscan.h"
#include "MotionlinkJob.h"
#include "PreviewJob.h"
#include "StaticRaster.h"

namespace {

using simscope::Corner;
using simscope::PreviewJob;

constexpr platform::Size kArea{1600, 1000};
constexpr std::uintmax_t kLargeJobBytes = 50u << 20;

// A scan-engraving job written as the bitmap output writes it, ramps and all, until it is 50 MB.
const std::filesystem::path& LargeJobFile() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "cutrix-preview-bench-50mb.zint";
        if (std::filesystem::exists(file) && std::filesystem::file_size(file) >= kLargeJobBytes) {
            return file;
        }
        motionlink::JobFileSink sink(file);
        Zint_StrtWFile(&sink);
        Zint_wSetForceEngVel(400.0);
        std::uintmax_t estimate = 0;
        for (int row = 0; estimate < kLargeJobBytes + (4u << 20); ++row) {
            const double y = row * 0.05;
            Zint_wMoveTo(nullptr, nullptr, 0.0, y);
            for (int run = 1; run <= 200; ++run) {
                const double level = 10.0 + (row * 7 + run * 13) % 90;
                Zint_ExwSetImdPower(level, level, 1);
                Zint_ExwSetEndPower(run % 3 == 0 ? 100.0 - level : level, level, 1);
                Zint_wLineTo(nullptr, nullptr, run * 0.5, y);
            }
            estimate += 200 * 28;
        }
        Zint_wSetFileEnd();
        return file;
    }();
    return path;
}

void BM_ReadZintFileAlone(benchmark::State& state) {
    const std::string path = LargeJobFile().string();
    for (auto _ : state) {
        CDbList<JobCommand> list;
        benchmark::DoNotOptimize(Zint_ReadZintFile(path.c_str(), &list, 0));
        state.counters["commands"] = list.count;
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(LargeJobFile())) / (1 << 20);
}
BENCHMARK(BM_ReadZintFileAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

// The bulk form the preview loads through, a ramped cut one record.
void BM_ReadJobRecordsAlone(benchmark::State& state) {
    const std::string path = LargeJobFile().string();
    for (auto _ : state) {
        std::vector<jobscan::JobRecord> records;
        benchmark::DoNotOptimize(jobscan::ReadJobRecords(path.c_str(), records));
        state.counters["records"] = static_cast<double>(records.size());
    }
}
BENCHMARK(BM_ReadJobRecordsAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenJobInThePreview(benchmark::State& state) {
    const std::string path = LargeJobFile().string();
    for (auto _ : state) {
        PreviewJob job;
        job.Load(path, Corner::TopLeft, 100.0, 0);
        const simscope::DisplayList list = simscope::DisplayList::Build(job);
        benchmark::DoNotOptimize(list.Points().data());
    }
}
BENCHMARK(BM_OpenJobInThePreview)->Unit(benchmark::kMillisecond)->Iterations(3);

// The window opening job after job: one preview job read into again, as the reader's list reuses its
// pooled nodes.
void BM_ReopenJobInThePreview(benchmark::State& state) {
    const std::string path = LargeJobFile().string();
    PreviewJob job;
    job.Load(path, Corner::TopLeft, 100.0, 0);
    for (auto _ : state) {
        job.Load(path, Corner::TopLeft, 100.0, 0);
        const simscope::DisplayList list = simscope::DisplayList::Build(job);
        benchmark::DoNotOptimize(list.Points().data());
    }
}
BENCHMARK(BM_ReopenJobInThePreview)->Unit(benchmark::kMillisecond)->Iterations(3);

JobCommand Rec(JobCommand::Kind kind, double a = 0.0, double b = 0.0) {
    return JobCommand{kind, a, b};
}

// A million commands of scan rows: each run a power and a cut of 0.1 mm, rows 0.05 mm apart.
const PreviewJob& ScanJob() {
    static const PreviewJob job = [] {
        std::vector<JobCommand> commands{Rec(JobCommand::Speed, 400.0)};
        for (int row = 0; commands.size() < 1000000; ++row) {
            const double y = row * 0.05;
            commands.push_back(Rec(JobCommand::Move, 0.0, y));
            for (int run = 1; run <= 1000; ++run) {
                commands.push_back(Rec(JobCommand::Power, ((row * 7 + run * 13) % 100) / 100.0));
                commands.push_back(Rec(JobCommand::Cut, run * 0.1, y));
            }
        }
        PreviewJob loaded;
        loaded.Take(commands, Corner::BottomLeft, 100.0);
        return loaded;
    }();
    return job;
}

// A million commands of small closed contours: 40000 circles of 24 cuts, 3 mm apart.
const PreviewJob& ContourJob() {
    static const PreviewJob job = [] {
        std::vector<JobCommand> commands{Rec(JobCommand::Speed, 50.0), Rec(JobCommand::Power, 0.7)};
        for (int index = 0; commands.size() < 1000000; ++index) {
            const double cx = (index % 200) * 3.0;
            const double cy = (index / 200) * 3.0;
            const double radius = 1.0 + (index % 5) * 0.1;
            commands.push_back(Rec(JobCommand::Move, cx + radius, cy));
            for (int step = 1; step <= 24; ++step) {
                const double angle = step * 2.0 * std::numbers::pi / 24.0;
                commands.push_back(Rec(JobCommand::Cut, cx + radius * std::cos(angle), cy + radius * std::sin(angle)));
            }
        }
        PreviewJob loaded;
        loaded.Take(commands, Corner::BottomLeft, 100.0);
        return loaded;
    }();
    return job;
}

enum Zoom { kFit, kTenTimes, kDeepest };

const PreviewJob& JobOf(int which) {
    return which == 0 ? ScanJob() : ContourJob();
}

simscope::ViewState ViewOf(const PreviewJob& job, int zoom) {
    simscope::ViewState view;
    simscope::FitView(kArea, job.Box(), view);
    if (zoom == kTenTimes) {
        view.scale /= 10.0;
        view.panX *= 10;
        view.panY *= 10;
    } else if (zoom == kDeepest) {
        view.scale = simscope::kMinScale;
        view.panX = static_cast<std::int32_t>(-job.Box().maxX * 2500.0);
        view.panY = static_cast<std::int32_t>(job.Box().maxY * 2500.0);
    }
    return view;
}

void SetLabel(benchmark::State& state) {
    static const char* const jobs[] = {"scan", "contours"};
    static const char* const zooms[] = {"fit", "10x", "deepest"};
    state.SetLabel(std::string(jobs[state.range(0)]) + " " + zooms[state.range(1)]);
}

void BM_RebuildStaticRaster(benchmark::State& state) {
    const PreviewJob& job = JobOf(static_cast<int>(state.range(0)));
    const simscope::DisplayList list = simscope::DisplayList::Build(job);
    const simscope::ViewState start = ViewOf(job, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        simscope::ViewState view = start;
        const QImage image = simscope::RenderStaticRaster(list, kArea, view, simscope::PreviewColors{}, "");
        benchmark::DoNotOptimize(image.constBits());
    }
    SetLabel(state);
}
BENCHMARK(BM_RebuildStaticRaster)->ArgsProduct({{0, 1}, {kFit, kTenTimes, kDeepest}})->Unit(benchmark::kMillisecond);

void BM_ReferencePaint(benchmark::State& state) {
    const PreviewJob& job = JobOf(static_cast<int>(state.range(0)));
    const simscope::ViewState start = ViewOf(job, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        simscope::ViewState view = start;
        const QImage image = simscope::PaintJobReference(job, kArea, view, simscope::PreviewColors{}, "");
        benchmark::DoNotOptimize(image.constBits());
    }
    SetLabel(state);
}
BENCHMARK(BM_ReferencePaint)->ArgsProduct({{0, 1}, {kFit, kTenTimes, kDeepest}})->Unit(benchmark::kMillisecond);

// The same segments handed to QPainter as lines in device pixels, one pen, no mapping of our own.
void BM_QPainterDrawLines(benchmark::State& state) {
    const PreviewJob& job = JobOf(static_cast<int>(state.range(0)));
    simscope::ViewState view = ViewOf(job, static_cast<int>(state.range(1)));
    const platform::Mapping mapping = simscope::ViewMappingFor(kArea, view);
    std::vector<QLine> lines;
    platform::Point at;
    job.ForEachCommand([&](const JobCommand& command) {
        if (command.kind != JobCommand::Move && command.kind != JobCommand::Cut) {
            return;
        }
        const platform::Point to = mapping.LPtoDP({static_cast<std::int32_t>(command.a * 1000), static_cast<std::int32_t>(command.b * 1000)});
        if (command.kind == JobCommand::Cut) {
            lines.emplace_back(at.x, at.y, to.x, to.y);
        }
        at = to;
    });
    const platform::Size size = simscope::PictureSize(kArea);
    QImage image(size.width, size.height, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::white, 0));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    SetLabel(state);
}
BENCHMARK(BM_QPainterDrawLines)->ArgsProduct({{0, 1}, {kFit, kTenTimes, kDeepest}})->Unit(benchmark::kMillisecond);

}  // namespace
