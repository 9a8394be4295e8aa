// Test jobs of the preview.
#include "SimscopeTestJobs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "JobFileSink.h"
#include "MotionlinkJob.h"
#include "TempHome.h"

namespace simscope::testing {

std::filesystem::path WriteJob(const std::string& name, const std::function<void()>& body) {
    const std::filesystem::path path = cutrix::testing::TempHome() / name;
    motionlink::JobFileSink sink(path);
    EXPECT_EQ(Zint_StrtWFile(&sink), 0);
    body();
    EXPECT_EQ(Zint_wSetFileEnd(), 0);
    return path;
}

void WriteMixedJob() {
    Zint_wSetEngVel(40.0);
    Zint_wMoveTo(nullptr, nullptr, 10.0, 10.0);
    Zint_ExwSetMaxPower(30.0, 30.0, 1);
    Zint_wLineTo(nullptr, nullptr, 110.0, 10.0);
    Zint_wLineTo(nullptr, nullptr, 110.0, 70.0);
    Zint_ExwSetMaxPower(90.0, 90.0, 1);
    Zint_wLineTo(nullptr, nullptr, 10.0, 70.0);
    Zint_wLineTo(nullptr, nullptr, 10.0, 10.0);
    Zint_wSetLaserInterval(0.2);
    Zint_wMoveTo(nullptr, nullptr, 20.0, 40.0);
    Zint_ExwSetImdPower(10.0, 10.0, 1);
    Zint_ExwSetEndPower(100.0, 100.0, 1);
    Zint_wLineTo(nullptr, nullptr, 100.0, 45.0);
    Zint_wSetLaserInterval(0.1);
    Zint_wSetLaserInterval(0.1);
    Zint_ExwSetMaxPower(60.0, 60.0, 1);
    Zint_wMoveTo(nullptr, nullptr, -5.0, -8.0);
    Zint_wLineTo(nullptr, nullptr, -2.5, 75.25);
    Zint_wLineTo(nullptr, nullptr, 60.001, 30.0004);
}

void WriteScanJob(int rows, int runs, double rowPitchMm) {
    Zint_wSetForceEngVel(300.0);
    for (int row = 0; row < rows; ++row) {
        const double y = row * rowPitchMm;
        const bool forward = row % 2 == 0;
        Zint_wMoveTo(nullptr, nullptr, forward ? 0.0 : runs * 2.0, y);
        for (int run = 0; run < runs; ++run) {
            const double level = 10.0 + (row * 7 + run * 13) % 90;
            Zint_ExwSetImdPower(level, level, 1);
            Zint_ExwSetEndPower(100.0 - level, 100.0 - level, 1);
            const double x = forward ? (run + 1) * 2.0 : (runs - run - 1) * 2.0;
            Zint_wLineTo(nullptr, nullptr, x, y);
        }
    }
}

void WriteContourJob(int count) {
    Zint_wSetEngVel(50.0);
    Zint_ExwSetMaxPower(70.0, 70.0, 1);
    const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
    for (int index = 0; index < count; ++index) {
        const double cx = (index % columns) * 3.0;
        const double cy = (index / columns) * 3.0;
        const double radius = 1.0 + (index % 5) * 0.1;
        Zint_wMoveTo(nullptr, nullptr, cx + radius, cy);
        for (int step = 1; step <= 24; ++step) {
            const double angle = step * 2.0 * std::numbers::pi / 24.0;
            Zint_wLineTo(nullptr, nullptr, cx + radius * std::cos(angle), cy + radius * std::sin(angle));
        }
    }
}

PreviewJob LoadedJob(const std::filesystem::path& file, Corner corner, double defaultSpeed) {
    PreviewJob job;
    EXPECT_TRUE(job.Load(file.string(), corner, defaultSpeed, 0));
    return job;
}

JobCommand Rec(JobCommand::Kind kind, double a, double b) {
    return JobCommand{kind, a, b};
}

std::vector<JobCommand> ToVector(const PreviewJob& job) {
    std::vector<JobCommand> commands;
    job.ForEachCommand([&commands](const JobCommand& command) { commands.push_back(command); });
    return commands;
}

}  // namespace simscope::testing
