#include "Twain.h"

#include <gtest/gtest.h>

#include <cmath>

#include "SaneTestDevice.h"

namespace {

using cutrix::testing::SaneTestSettings;
using cutrix::testing::UseSaneTestDevice;

constexpr const char* kFeeder = "Automatic Document Feeder";

// A session that keeps its pages, picks the source it is told, and can pass over or stop at a page.
class RecordingTwain : public CTwain {
  public:
    using CTwain::CTwain;

    std::string source;  // empty: the device's own
    bool cancelSettings = false;
    bool cancelDevice = false;
    std::vector<int> answers;  // ShouldTransfer's answers, page by page; kTransfer beyond
    std::vector<platform::DibBlock> pictures;
    std::vector<ScanImageInfo> infos;
    platform::ScanSettings offered;

    int ShouldTransfer(const ScanImageInfo&) override {
        const std::size_t page = asked++;
        return page < answers.size() ? answers[page] : kTransfer;
    }
    void OnNativeImage(platform::DibBlock picture, const ScanImageInfo& info) override {
        pictures.push_back(std::move(picture));
        infos.push_back(info);
    }

  protected:
    std::optional<std::size_t> ChooseSource(const std::vector<platform::ScanDevice>& devices) override {
        return cancelDevice ? std::nullopt : std::optional<std::size_t>(devices.size() - 1);
    }
    bool ChooseSettings(platform::ScanSettings& settings) override {
        offered = settings;
        if (!source.empty()) {
            settings.source = source;
        }
        return !cancelSettings;
    }

  private:
    std::size_t asked = 0;
};

// Opens the manager, selects and acquires `count` pages; the transfer is the caller's.
bool Start(RecordingTwain& twain, int count) {
    return twain.OpenSourceManager() && twain.SelectSource() && twain.Acquire(count);
}

TEST(Twain, AFlatbedScanGivesOnePageAtTheDevicesResolutionAndClosesTheSource) {
    UseSaneTestDevice();
    RecordingTwain twain;
    ASSERT_TRUE(Start(twain, CTwain::kAnyCount));
    EXPECT_EQ(twain.Source(), "test:0");
    EXPECT_EQ(twain.offered.modes, (std::vector<std::string>{"Gray", "Color"}));
    EXPECT_EQ(twain.offered.sources, (std::vector<std::string>{"Flatbed", kFeeder}));
    EXPECT_EQ(twain.offered.resolution, 50);

    EXPECT_EQ(twain.TransferPages(), 1);
    ASSERT_EQ(twain.pictures.size(), 1u);
    const platform::DibLayout& layout = twain.pictures[0].Layout();
    EXPECT_EQ(layout.bitCount, 8);
    // 80 x 100 mm at 50 dpi.
    EXPECT_EQ(layout.width, 157);
    EXPECT_EQ(layout.height, 196);
    EXPECT_EQ(twain.pictures[0].InfoHeader()->xPelsPerMeter, 1969);
    EXPECT_EQ(twain.infos[0].resolution, 50.0);
    EXPECT_EQ(twain.LastError(), ScanError::kNone);
    EXPECT_FALSE(twain.IsSourceOpen());
    EXPECT_TRUE(twain.IsManagerOpen());
    twain.Release();
    EXPECT_FALSE(twain.IsLoaded());
}

TEST(Twain, TheFeederGivesTheCountAskedForOrEverySheetItHolds) {
    UseSaneTestDevice();
    RecordingTwain two;
    two.source = kFeeder;
    ASSERT_TRUE(Start(two, 2));
    EXPECT_EQ(two.TransferPages(), 2);
    EXPECT_EQ(two.pictures.size(), 2u);
    two.Release();

    RecordingTwain all;  // SANE's test feeder holds ten sheets, then reports it is empty
    all.source = kFeeder;
    ASSERT_TRUE(Start(all, CTwain::kAnyCount));
    EXPECT_EQ(all.TransferPages(), 10);
    EXPECT_EQ(all.LastError(), ScanError::kNone);
}

TEST(Twain, ThePageAnswerPassesOverOrStopsAndCountsTowardsTheImageCount) {
    UseSaneTestDevice();
    RecordingTwain skipping;
    skipping.source = kFeeder;
    skipping.answers = {CTwain::kSkip};
    ASSERT_TRUE(Start(skipping, 3));
    EXPECT_EQ(skipping.TransferPages(), 2);
    skipping.Release();

    RecordingTwain stopping;
    stopping.source = kFeeder;
    stopping.answers = {CTwain::kTransfer, CTwain::kAbort};
    ASSERT_TRUE(Start(stopping, CTwain::kAnyCount));
    EXPECT_EQ(stopping.TransferPages(), 1);
}

TEST(Twain, AColourScanArrivesAsTwentyFourBits) {
    UseSaneTestDevice({.mode = "Color", .resolution = 25});
    RecordingTwain twain;
    ASSERT_TRUE(Start(twain, 1));
    ASSERT_EQ(twain.TransferPages(), 1);
    EXPECT_EQ(twain.pictures[0].Layout().bitCount, 24);
    EXPECT_TRUE(twain.infos[0].colour);
}

TEST(Twain, WithoutLibraryOrDeviceNothingIsScannedAndTheReasonIsKept) {
    RecordingTwain missing("libsane-that-is-not-there.so.1");
    EXPECT_FALSE(missing.OpenSourceManager());
    EXPECT_EQ(missing.LastError(), ScanError::kNoLibrary);
    EXPECT_FALSE(missing.SelectSource());
    EXPECT_FALSE(missing.Acquire(1));
    EXPECT_EQ(missing.TransferPages(), 0);

    UseSaneTestDevice({.devices = 0});
    RecordingTwain none;
    ASSERT_TRUE(none.OpenSourceManager());
    EXPECT_FALSE(none.SelectSource());
    EXPECT_EQ(none.LastError(), ScanError::kNoDevice);
    EXPECT_FALSE(none.Acquire(1));
    EXPECT_EQ(none.TransferPages(), 0);
    EXPECT_TRUE(none.pictures.empty());
}

TEST(Twain, CancellingAChoiceOrStoppingTheTransferScansNothing) {
    UseSaneTestDevice();
    RecordingTwain device;
    device.cancelDevice = true;
    ASSERT_TRUE(device.OpenSourceManager());
    EXPECT_FALSE(device.SelectSource());
    EXPECT_EQ(device.LastError(), ScanError::kCancelled);

    RecordingTwain settings;
    settings.cancelSettings = true;
    EXPECT_FALSE(Start(settings, 1));
    EXPECT_FALSE(settings.IsSourceEnabled());
    EXPECT_EQ(settings.TransferPages(), 0);
    settings.Release();

    RecordingTwain stopped;
    ASSERT_TRUE(Start(stopped, 1));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(stopped.TransferPages(stop.get_token()), 0);
    EXPECT_EQ(stopped.LastError(), ScanError::kCancelled);
    EXPECT_FALSE(stopped.IsSourceOpen());
}

}  // namespace
