// The start-up worker against the controller emulator: what the controller reports becomes the work
// area and the step lengths, and what it does not report keeps the loaded values.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <span>

#include "CadMgr.h"
#include "ConnectSetting.h"
#include "MachineParaRecords.h"
#include "MotionlinkLink.h"
#include "RecentFileList.h"
#include "SettingsFiles.h"
#include "StartupThread.h"
#include "TempHome.h"
#include "TestControllers.h"

namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::NoController;

void UseNetworkAt(std::array<std::uint8_t, 4> address) {
    ConnectSetting = CConnectSetting();
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    ConnectSetting.defaultAddress = address;
}

// The controller's axis ranges and precisions, set through the link.
void SetController(double rangeX, double rangeY, double precisionX, double precisionY) {
    ASSERT_EQ(ConnectSetting.Open(), 0);
    EXPECT_EQ(Zint_SetAxisRange(1, rangeX), 0);
    EXPECT_EQ(Zint_SetAxisRange(2, rangeY), 0);
    EXPECT_EQ(Zint_SetAxisPrecision(1, precisionX), 0);
    EXPECT_EQ(Zint_SetAxisPrecision(2, precisionY), 0);
    ConnectSetting.Close();
}

class StartupThreadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager->workWidth = 1200.0;
        manager->workHeight = 800.0;
    }
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CVendorPara vendor;
};

TEST_F(StartupThreadTest, AxisRangesBecomeTheWorkAreaAndPrecisionsTheStepLengths) {
    InProcessEmulator controller;
    UseNetworkAt({127, 0, 0, 1});
    SetController(700.0, 500.0, 0.5, 0.25);
    ASSERT_EQ(ConnectSetting.Open(), 0);
    const std::uint8_t twoTubes[8] = {0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(Zint_SetSystemCtrlMode(twoTubes), 0);
    ConnectSetting.Close();

    ReadControllerSizes(*manager, vendor);
    EXPECT_EQ(manager->workWidth, 700.0);
    EXPECT_EQ(manager->workHeight, 500.0);
    EXPECT_EQ(vendor.stepLengthUm[0], 0.5);
    EXPECT_EQ(vendor.stepLengthUm[1], 0.25);
    EXPECT_EQ(vendor.tubeConfig, 1);

    CopyWorkSizeToPage(*manager);
    EXPECT_EQ(manager->pageWidth, 700.0);
    EXPECT_EQ(manager->pageHeight, 500.0);
}

TEST_F(StartupThreadTest, RangesOfZeroAndFromOneHundredMetresOnAreIgnoredAndPrecisionZeroIsDefault) {
    InProcessEmulator controller;
    UseNetworkAt({127, 0, 0, 1});
    SetController(0.0, 100000.0, 0.0, -1.0);
    vendor.stepLengthUm[0] = 9.0;

    ReadControllerSizes(*manager, vendor);
    EXPECT_EQ(manager->workWidth, 1200.0);
    EXPECT_EQ(manager->workHeight, 800.0);
    EXPECT_EQ(vendor.stepLengthUm[0], 0.35);
    EXPECT_EQ(vendor.stepLengthUm[1], 0.35);
}

TEST_F(StartupThreadTest, WithoutAControllerTheLoadedSizesStay) {
    NoController nobody;
    UseNetworkAt({127, 83, 91, 7});
    vendor.stepLengthUm[0] = 0.7;
    ReadControllerSizes(*manager, vendor);
    EXPECT_EQ(manager->workWidth, 1200.0);
    EXPECT_EQ(manager->workHeight, 800.0);
    EXPECT_EQ(vendor.stepLengthUm[0], 0.7);
}

TEST(StartupRulesTest, AxisValuesAreTakenOnlyInRange) {
    const struct {
        double range, size;
    } ranges[] = {{0.0, 5.0}, {-3.0, 5.0}, {0.5, 0.5}, {99999.9, 99999.9}, {100000.0, 5.0}, {2e9, 5.0}};
    for (const auto& c : ranges) {
        EXPECT_EQ(WorkSizeFromAxisRange(c.range, 5.0), c.size) << c.range;
    }
    EXPECT_EQ(StepLengthFromAxisPrecision(0.0), 0.35);
    EXPECT_EQ(StepLengthFromAxisPrecision(-2.0), 0.35);
    EXPECT_EQ(StepLengthFromAxisPrecision(0.1), 0.1);
}

// The whole worker: the connection block of "config" must be read through its serialiser (registered
// first), or the worker would try the default serial port instead of the saved network address.
TEST(StartupThreadWholeTest, LoadsTheSavedConnectionAndReadsTheController) {
    InProcessEmulator controller;
    UseNetworkAt({127, 0, 0, 1});
    SetController(640.0, 480.0, 0.5, 0.5);
    RegisterConnectSettingSerializer();
    RegisterDrawingSettingsFile();
    SaveAllSettings(cutrix::testing::TempHome());
    ConnectSetting = CConnectSetting();
    theCadMgr.workWidth = 1200.0;

    std::jthread worker = StartStartupThread();
    EXPECT_EQ(StartupBusy.load(), 1);  // set before the worker starts
    worker.join();

    EXPECT_EQ(StartupBusy.load(), 0);
    EXPECT_EQ(ConnectSetting.kind, CConnectSetting::kKindNetwork);
    EXPECT_EQ(theCadMgr.workWidth, 640.0);
    EXPECT_EQ(theCadMgr.workHeight, 480.0);
}

}  // namespace

// A leftover of a save killed in an earlier session, in the program folder and beside a recent
// document, is gone after the start; files of other names stay, and so does a folder not in the list.
TEST(StartupLeftoversTest, KilledSavesLeftoversInTheProgramAndDocumentFoldersAreRemoved) {
    const std::filesystem::path home = cutrix::testing::TempHome();
    const std::filesystem::path documents = home / "documents", elsewhere = home / "elsewhere";
    std::filesystem::create_directories(documents);
    std::filesystem::create_directories(elsewhere);
    CRecentFileList recent(home / CRecentFileList::kStoreName);
    recent.Add(documents / "sign.lcx");
    ASSERT_TRUE(recent.Save());
    const std::filesystem::path leftovers[] = {home / ".config.tmp-Ab12Cd", documents / ".sign.lcx.tmp-x9Y8z7"};
    const std::filesystem::path kept[] = {home / "notes.txt", documents / "sign.lcx", documents / ".sign.lcx",
                                          elsewhere / ".other.lcx.tmp-x9Y8z7"};
    const auto earlierSession = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& files : {std::span<const std::filesystem::path>(leftovers), std::span<const std::filesystem::path>(kept)}) {
        for (const std::filesystem::path& file : files) {
            std::ofstream(file) << "bytes";
            std::filesystem::last_write_time(file, earlierSession);
        }
    }
    RemoveLeftoversOfKilledSaves();
    for (const std::filesystem::path& file : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    }
    for (const std::filesystem::path& file : kept) {
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
    }
}
