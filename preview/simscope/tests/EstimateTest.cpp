// The preview's total time against the controller's own estimate of the same job, downloaded to the
// emulator: equal for cuts and delays, apart by exactly what each leaves out for travel and feed moves.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "AtomicFile.h"
#include "LabelTexts.h"
#include "MotionlinkJob.h"
#include "MotionlinkLink.h"
#include "SimscopeTestJobs.h"
#include "TestControllers.h"
#include "TestJobs.h"

namespace simscope {
namespace {

constexpr double kJobSpeed = 20.0;
constexpr double kEmulatorTravelSpeed = 200.0;  // the emulator's travel speed until one is set

struct EstimateCase {
    const char* name;
    std::function<void()> body;
    double travelSpeed;  // set in the controller before the estimate
    // Controller estimate minus preview total, in seconds.
    double expectedDifference;
};

void PrintTo(const EstimateCase& estimate, std::ostream* out) {
    *out << estimate.name;
}

void CutsAndDelays() {
    Zint_wSetEngVel(kJobSpeed);
    Zint_wLineTo(nullptr, nullptr, 10.0, 5.0);
    Zint_wLineTo(nullptr, nullptr, 30.0, 5.0);
    Zint_wSetLaserInterval(0.5);
    Zint_wLineTo(nullptr, nullptr, 30.0, 40.0);
    Zint_wSetLaserInterval(0.25);
}

// 50 mm of travel between the cuts.
void CutsWithTravel() {
    Zint_wSetEngVel(kJobSpeed);
    Zint_wLineTo(nullptr, nullptr, 10.0, 0.0);
    Zint_wMoveTo(nullptr, nullptr, 40.0, 40.0);
    Zint_wLineTo(nullptr, nullptr, 40.0, 60.0);
}

void CutsWithFeed() {
    Zint_wSetEngVel(kJobSpeed);
    Zint_wLineTo(nullptr, nullptr, 10.0, 0.0);
    Zint_wAxisMove(3, 12.5, 0, 0, 0);
    Zint_wLineTo(nullptr, nullptr, 10.0, 10.0);
}

class EstimateAgainstController : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateAgainstController, DiffersOnlyByWhatThePreviewLeavesOut) {
    const EstimateCase& c = GetParam();
    motionlink::testing::InProcessEmulator controller;
    if (c.travelSpeed != kEmulatorTravelSpeed) {
        ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
        ASSERT_EQ(Zint_SetG0Vel(c.travelSpeed), 0);
        Zint_Close();
    }
    const std::filesystem::path file = testing::WriteJob(std::string(c.name) + ".zint", c.body);
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_EQ(motionlink::testing::DownloadDocument("JOB", *bytes), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(Zint_CalDocumentTime(1), 0);
    std::int32_t controllerMs = -1;
    ASSERT_EQ(Zint_GetDocumentTime(1, &controllerMs), 0);
    Zint_Close();

    const PreviewJob job = testing::LoadedJob(file);
    const double previewMs = job.Totals().totalSeconds * 1000.0;
    EXPECT_GT(controllerMs, 0);
    EXPECT_NEAR(controllerMs - previewMs, c.expectedDifference * 1000.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, EstimateAgainstController,
    ::testing::Values(
        EstimateCase{"CutsAndDelays", CutsAndDelays, kEmulatorTravelSpeed, 0.0},
        EstimateCase{"TravelAtTheJobSpeed", CutsWithTravel, kJobSpeed, 0.0},
        EstimateCase{"TravelFasterThanTheJob", CutsWithTravel, kEmulatorTravelSpeed,
                     50.0 * (1.0 / kEmulatorTravelSpeed - 1.0 / kJobSpeed)},
        EstimateCase{"FeedMoveTakesAxisTime", CutsWithFeed, kEmulatorTravelSpeed, 12.5 / kEmulatorTravelSpeed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace simscope
