// The layer dialogs' entry rules: what a typed text stores and what the edit shows afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayerEntryRules.h"

namespace {

using namespace layer_entry;

struct RoundedCase {
    const char* what;
    RoundedRule rule;
    std::string typed;
    double stored;
    std::string shown;
};

TEST(LayerEntryRules, RoundedEntriesHoldRoundAndShowTheirDecimals) {
    const std::vector<RoundedCase> cases = {
        {"power rounds half up", kPowerPercent, "55.55", 55.6, "55.6"},
        {"power above 100", kPowerPercent, "150", 100.0, "100.0"},
        {"negative power", kPowerPercent, "-20", 20.0, "20.0"},
        {"power with unit text", kPowerPercent, "42%", 42.0, "42.0"},
        {"power not a number", kPowerPercent, "x", 0.0, "0.0"},
        {"power overflowing", kPowerPercent, "1e999", 0.0, "0.0"},
        {"power nan", kPowerPercent, "nan", 0.0, "0.0"},
        {"seal above 5", kSealMm, "7", 5.0, "5.000"},
        {"seal rounds", kSealMm, "1.23456", 1.235, "1.235"},
        {"negative seal", kSealMm, "-2", 2.0, "2.000"},
        {"delay above 30000", kDelayMs, "45000", 30000.0, "30000.000"},
        {"tiny delay", kDelayMs, "0.0004", 0.0, "0.000"},
        {"dot time above 4000", kDotTimeS, "5000", 4000.0, "4000.000"},
        {"negative dot time", kDotTimeS, "-0.25", 0.25, "0.250"},
        {"dot interval rounds to nothing", kDotLengthMm, "0.00049", 0.0, "0.000"},
        {"dot interval unbounded", kDotLengthMm, "123456.7", 123456.7, "123456.700"},
        {"pen delay half up", kDelayMs, "0.0005", 0.001, "0.001"},
        {"pen delay negative", kDelayMs, "-12.5", 12.5, "12.500"},
        {"scan interval 0", kScanIntervalMm, "0", 0.001, "0.0010"},
        {"scan interval half up", kScanIntervalMm, "0.12345", 0.1235, "0.1235"},
        {"ramp above 10", kRampLengthMm, "12", 10.0, "10.00"},
        {"negative ramp", kRampLengthMm, "-3", 3.0, "3.00"},
        {"circle above 10000", kCircleDiameterMm, "20000", 10000.0, "10000.000"},
        {"circle diameter half up", kCircleDiameterMm, "2.0005", 2.001, "2.001"},
    };
    for (const RoundedCase& c : cases) {
        const Entry entry = EnterRounded(c.rule, c.typed);
        EXPECT_DOUBLE_EQ(entry.stored, c.stored) << c.what;
        EXPECT_EQ(entry.shown, c.shown) << c.what;
    }
}

struct SpeedCase {
    const char* what;
    bool inMmPerS;
    std::string typed;
    double stored;
    std::string shown;
};

TEST(LayerEntryRules, LayerSpeedIsStoredInMmPerSAndShownInTheChosenUnit) {
    const std::vector<SpeedCase> cases = {
        {"m/min 6", false, "6", 100.0, "6.00"},
        {"m/min 7.5", false, "7.5", 125.0, "7.50"},
        {"m/min 0", false, "0", 0.01, "0.00"},
        {"mm/s 0", true, "0", 0.01, "0.01"},
        {"no number", true, "fast", 0.01, "0.01"},
        {"truncated, not rounded", true, "100.009", 100.0, "100.00"},
        {"negative", true, "-25", 25.0, "25.00"},
        {"truncating to nothing never stops the head", true, "0.001", 0.01, "0.01"},
        {"overflow in m/min counts as no number", false, "1.7e308", 0.01, "0.00"},
    };
    for (const SpeedCase& c : cases) {
        const Entry entry = EnterLayerSpeed(c.typed, c.inMmPerS);
        EXPECT_DOUBLE_EQ(entry.stored, c.stored) << c.what;
        EXPECT_EQ(entry.shown, c.shown) << c.what;
    }
}

TEST(LayerEntryRules, StoredSpeedIsShownRoundedInMetresPerMinute) {
    EXPECT_EQ(ShowLayerSpeed(100.0, false), "6");
    EXPECT_EQ(ShowLayerSpeed(125.0, true), "125");
    EXPECT_EQ(ShowLayerSpeed(-100.0, false), "6");
    EXPECT_EQ(ShowLayerSpeed(12.3456, false), "0.74");
}

TEST(LayerEntryRules, KerfWidthIsHeldToItsRange) {
    EXPECT_EQ(EnterKerfWidth("0.8"), (Entry{0.5, "0.5"}));
    EXPECT_EQ(EnterKerfWidth("0"), (Entry{0.01, "0.01"}));
    EXPECT_EQ(EnterKerfWidth("0.25"), (Entry{0.25, "0.25"}));
    EXPECT_EQ(ClampKerfWidthMm(2.0), 0.5);
}

TEST(LayerEntryRules, OtherParametersConvertAndHoldTheirValues) {
    EXPECT_DOUBLE_EQ(StoredZSpeed(-50.0, true), 50.0);
    EXPECT_DOUBLE_EQ(StoredZSpeed(6.0, false), 100.0);
    EXPECT_EQ(StoredZSpeed(1.7e308, false), 0.0);
    EXPECT_DOUBLE_EQ(ShownZSpeed(100.0, false), 6.0);
    EXPECT_EQ(StoredDotIntervalS(1500.0), 1000.0);
    EXPECT_EQ(StoredDotIntervalS(-1.0), 0.0);
}

}  // namespace
