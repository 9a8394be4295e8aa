#include "LgpControllerJobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "AtomicFile.h"
#include "LgpLink.h"
#include "LgpWorker.h"
#include "Motionlink.h"
#include "ProgramFolder.h"
#include "TestControllers.h"
#include "TestJobs.h"

namespace dotplate {
namespace {

using motionlink::testing::InProcessEmulator;

// A link to the emulator on loopback.
CLgpLink EmulatorLink() {
    CLgpLink link;
    link.connectionType = CLgpLink::kNetwork;
    link.defaultAddress = {127, 0, 0, 1};
    return link;
}

// A real dot job of the given plate size: rectangle dots scanned line by line.
struct DotJobFixture {
    CLgpPlate plate;
    LgpDotJob job;

    explicit DotJobFixture(double size) {
        plate.MakeRectOutline(size, size);
        LgpDotPara dots;
        dots.dotMode = kRectangle;
        plate.Generate(dots, LgpShapePara{});
        job.plate = &plate;
        job.outlines = &plate.plateOutlines;
        job.frame = LgpJobFrame::For(plate.extent, 3, 6);
    }

    std::vector<std::uint8_t> WriteFile(const std::filesystem::path& path) {
        CLgpLink link;
        LgpWorkerStatus status;
        EXPECT_EQ(ProcessDotJob(link, job, &path, 2, status), 0);
        return platform::ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
    }
};


TEST(LgpControllerJobsTest, ADownloadedJobIsStoredByteForByteAndProgressEndsAtOne) {
    InProcessEmulator emulator;
    DotJobFixture fixture(60);
    const auto path = platform::ProgramFile("job.zint");
    const std::vector<std::uint8_t> bytes = fixture.WriteFile(path);
    ASSERT_GT(bytes.size(), 3000u);
    ASSERT_NE(bytes.size() % 1024, 0u);

    CLgpLink link = EmulatorLink();
    LgpWorkerStatus status;
    ASSERT_EQ(DownloadJobFile(link, path, "PLATE1", 2, {}, status), 0);
    EXPECT_EQ(status.progress.load(), 1.0);
    EXPECT_EQ(status.WaitText(), "Downloading file,Please wait...");

    const auto documents = emulator.Server().StateSnapshot().documents;
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(documents[0].name, "PLATE1");
    EXPECT_EQ(documents[0].bytes, bytes);
}

TEST(LgpControllerJobsTest, AnEmptyOrMissingJobFileIsRefusedBeforeTheControllerIsAsked) {
    InProcessEmulator emulator;
    const auto empty = platform::ProgramFile("empty.zint");
    std::ofstream(empty).close();
    CLgpLink link = EmulatorLink();
    for (const auto& path : {empty, platform::ProgramFile("missing.zint")}) {
        LgpWorkerStatus status;
        EXPECT_EQ(DownloadJobFile(link, path, "EMPTY", 2, {}, status), 1);
        EXPECT_EQ(SendJobFileToController(link, path, 2, {}, status), 1);
        EXPECT_EQ(status.progress.load(), 0.0);
    }
    EXPECT_TRUE(emulator.Server().StateSnapshot().documents.empty());
}

TEST(LgpControllerJobsTest, ANameStoredInOtherCaseIsADuplicate) {
    InProcessEmulator emulator;
    ASSERT_EQ(motionlink::testing::DownloadDocument("Plate", motionlink::testing::PatternBytes(10)), 0);
    CLgpLink link = EmulatorLink();
    EXPECT_EQ(CheckNewDocumentName(link, "PLATE"), LgpDocumentNameCheck::kDuplicate);
    EXPECT_EQ(CheckNewDocumentName(link, "PLATE2"), LgpDocumentNameCheck::kFree);
    CLgpLink nowhere;  // a USB port where no controller is
    nowhere.usbChoice = 1;
    nowhere.portCount = 1;
    nowhere.ports[0] = 250;
    EXPECT_EQ(CheckNewDocumentName(nowhere, "PLATE2"), LgpDocumentNameCheck::kCommunicationError);
}

// The job that is written only to be stored goes to a file of its own in temp/, so that a document
// named like a settings file replaces nothing, and the file is gone afterwards.
TEST(LgpControllerJobsTest, ADownloadNamedLikeASettingsFileSparesIt) {
    InProcessEmulator emulator;
    const auto settings = platform::ProgramFile("config");
    ASSERT_TRUE(platform::WriteFileAtomically(settings, std::string_view("settings")));
    DotJobFixture fixture(20);
    CLgpLink link = EmulatorLink();
    std::string name = "config";
    ASSERT_EQ(CheckDocumentName(name), LgpNameCheck::kValid);
    {
        LgpTemporaryJob temporary;
        ASSERT_FALSE(temporary.Path().empty());
        EXPECT_EQ(temporary.Path().parent_path(), platform::ProgramFolder() / "temp");
        LgpWorkerStatus status;
        ASSERT_EQ(ProcessDotJob(link, fixture.job, &temporary.Path(), 2, status), 0);
        ASSERT_EQ(DownloadJobFile(link, temporary.Path(), name, 2, {}, status), 0);
        LgpTemporaryJob another;
        EXPECT_NE(another.Path(), temporary.Path());
    }
    EXPECT_EQ(platform::ReadWholeFile(settings), std::vector<std::uint8_t>({'s', 'e', 't', 't', 'i', 'n', 'g', 's'}));
    EXPECT_TRUE(std::filesystem::is_empty(platform::ProgramFolder() / "temp"));
    ASSERT_EQ(emulator.Server().StateSnapshot().documents.size(), 1u);
    EXPECT_EQ(emulator.Server().StateSnapshot().documents[0].name, "CONFIG");
}

TEST(LgpControllerJobsTest, AJobSentOrStreamedRunsOnTheControllerAndTheWaitWorkerSeesIt) {
    InProcessEmulator emulator;
    DotJobFixture fixture(40);
    const auto path = platform::ProgramFile("RUN.ZINT");
    fixture.WriteFile(path);
    ASSERT_TRUE(IsJobFilePath(path));
    CLgpLink link = EmulatorLink();
    std::array<std::uint8_t, 5> state{9, 9, 9, 9, 9};
    LgpWorkerStatus status;
    ASSERT_EQ(ReadMachineState(link, 2, state, status), 0);
    EXPECT_EQ(state[0], 0);
    EXPECT_EQ(status.WaitText(), "Please wait");

    ASSERT_EQ(SendJobFileToController(link, path, 2, {}, status), 0);
    ASSERT_EQ(ReadMachineState(link, 2, state, status), 0);
    EXPECT_NE(state[0], 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(Zint_StopProcess(), 0);
    Zint_Close();

    ASSERT_EQ(ProcessDotJob(link, fixture.job, nullptr, 2, status), 0);
    EXPECT_EQ(status.progress.load(), 1.0);
    ASSERT_EQ(ReadMachineState(link, 2, state, status), 0);
    EXPECT_NE(state[0], 0);
}

TEST(LgpControllerJobsTest, WithoutAControllerEveryWorkerFailsAndLeavesNothingOpen) {
    DotJobFixture fixture(20);
    const auto path = platform::ProgramFile("job.zint");
    fixture.WriteFile(path);
    motionlink::testing::NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    CLgpLink link = EmulatorLink();
    LgpWorkerStatus status;
    std::array<std::uint8_t, 5> state{};
    EXPECT_EQ(ReadMachineState(link, 2, state, status), 1);
    EXPECT_EQ(ProcessDotJob(link, fixture.job, nullptr, 2, status), 1);
    EXPECT_EQ(DownloadJobFile(link, path, "A", 2, {}, status), 1);
    EXPECT_EQ(SendJobFileToController(link, path, 2, {}, status), 1);
    std::uint32_t count = 0;
    EXPECT_NE(Zint_GetTotalDocNum(&count), 0);
}

TEST(LgpControllerJobsTest, AJobFileThatCannotBeWrittenFails) {
    DotJobFixture fixture(20);
    CLgpLink link;
    LgpWorkerStatus status;
    const auto path = platform::ProgramFolder() / "no such folder" / "job.zint";
    EXPECT_EQ(ProcessDotJob(link, fixture.job, &path, 0, status), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The controller goes away while a large job streams into it: the job fails.
TEST(LgpControllerJobsTest, ALinkDroppedMidJobFailsTheJob) {
    InProcessEmulator emulator;
    DotJobFixture fixture(300);
    CLgpLink link = EmulatorLink();
    LgpWorker worker;
    worker.Start([&](std::stop_token, LgpWorkerStatus& status) {
        return ProcessDotJob(link, fixture.job, nullptr, 2, status);
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (worker.Status().progress.load() < 0.2 && worker.IsRunning() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(worker.IsRunning()) << "the job ended before the link could be dropped";
    emulator.Server().Stop();
    worker.Join();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.Result(), 1);
}

TEST(LgpControllerJobsTest, CancelStopsTheSendingWorkerWithFailure) {
    InProcessEmulator emulator;
    DotJobFixture fixture(60);
    const auto path = platform::ProgramFile("job.zint");
    fixture.WriteFile(path);
    CLgpLink link = EmulatorLink();
    LgpWorker worker;
    std::atomic<bool> cancelled = false;
    worker.Start([&](std::stop_token stop, LgpWorkerStatus& status) {
        while (!cancelled.load()) {
            std::this_thread::yield();
        }
        return SendJobFileToController(link, path, 2, stop, status);
    });
    EXPECT_TRUE(worker.IsRunning());
    worker.RequestStop();
    cancelled = true;
    worker.Join();
    EXPECT_EQ(worker.Result(), 1);
}

}  // namespace
}  // namespace dotplate
