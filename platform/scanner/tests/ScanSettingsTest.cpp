#include "ScanSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(ScanSettings, ResolutionChoicesAreTheUsualStepsInRangeWithTheCurrentOne) {
    EXPECT_EQ(platform::ResolutionChoices(1, 1200, 50),
              (std::vector<int>{50, 75, 100, 150, 200, 300, 600, 1200}));
    EXPECT_EQ(platform::ResolutionChoices(100, 400, 333), (std::vector<int>{100, 150, 200, 300, 333}));
    EXPECT_EQ(platform::ResolutionChoices(2, 20, 0), std::vector<int>{});
}

TEST(ScanSettings, FeederSourcesAreKnownByTheirName) {
    const std::pair<const char*, bool> cases[] = {
        {"Automatic Document Feeder", true},
        {"ADF Duplex", true},
        {"adf", true},
        {"Duplex", true},
        {"Flatbed", false},
        {"", false},
        {"Transparency Adapter", false},
    };
    for (const auto& [source, feeder] : cases) {
        EXPECT_EQ(platform::IsFeederSource(source), feeder) << source;
    }
}

TEST(ScanSettings, ADeviceIsListedByMakerAndModelWithItsName) {
    EXPECT_EQ((platform::ScanDevice{"test:0", "Noname", "frontend-tester", "virtual device"}.Label()),
              "Noname frontend-tester (test:0)");
    EXPECT_EQ((platform::ScanDevice{"net:scan", "", "", ""}.Label()), "net:scan");
}

}  // namespace
