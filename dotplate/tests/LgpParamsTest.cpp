#include "LgpParams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Archive.h"
#include "AtomicFile.h"
#include "LgpPageRules.h"
#include "ProgramFolder.h"

namespace dotplate {
namespace {

std::vector<std::uint8_t> StoredBytes(LgpConfig config) {
    platform::Archive archive = platform::Archive::ForStoring();
    config.Serialize(archive);
    return archive.Bytes();
}

void WriteDouble(std::vector<std::uint8_t>& bytes, std::size_t offset, double value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

TEST(LgpParamsTest, TheThreeRecordsTakeTheirDocumentedPlacesIn392Bytes) {
    LgpConfig config;
    config.dot.dotMode = kGrid;
    config.laser.scanPrecisionDpi = 500.0;
    config.shape.mergeCrossing = 1;
    const std::vector<std::uint8_t> bytes = StoredBytes(config);
    ASSERT_EQ(bytes.size(), LgpConfig::kStoredBytes);
    EXPECT_EQ(bytes[32], kGrid);                  // the dot mode after four doubles
    double precision = 0.0;
    std::memcpy(&precision, bytes.data() + 240, sizeof precision);
    EXPECT_EQ(precision, 500.0);                  // the processing block starts at 202
    EXPECT_EQ(bytes[388], 1);                     // the last field of the shape block
}

TEST(LgpParamsTest, AMissingFileLeavesTheDefaultsAndASavedOneReadsBackBitIdentical) {
    const auto file = platform::ProgramFile("LGPConfig");
    LgpConfig config;
    EXPECT_FALSE(LoadConfigFile(file, config));
    EXPECT_EQ(StoredBytes(config), StoredBytes(LgpConfig{}));

    config.dot.baselineX = 12.345;
    config.laser.arrayCountX = 7;
    config.shape.plateWidth = 321.5;
    ASSERT_TRUE(SaveConfigFile(file, config));
    LgpConfig loaded;
    ASSERT_TRUE(LoadConfigFile(file, loaded));
    EXPECT_EQ(StoredBytes(loaded), StoredBytes(config));
    EXPECT_EQ(platform::ReadWholeFile(file)->size(), 392u);
}

TEST(LgpParamsTest, AFileCutByOneByteChangesNothing) {
    const auto file = platform::ProgramFile("LGPConfig");
    LgpConfig changed;
    changed.dot.dotWidth = 3.0;
    std::vector<std::uint8_t> bytes = StoredBytes(changed);
    bytes.pop_back();
    ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
    LgpConfig config;
    EXPECT_FALSE(LoadConfigFile(file, config));
    EXPECT_EQ(config.dot.dotWidth, 1.0);
}

TEST(LgpParamsTest, ValuesOutsideTheirRangesAreBroughtIntoThem) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* field;
        std::size_t offset;
        double stored;
        double (*read)(const LgpConfig&);
        double expected;
    };
    const Case cases[] = {
        {"minimum spacing -1", 8, -1.0, [](const LgpConfig& c) { return c.dot.minSpacing; }, 0.5},
        {"minimum spacing NaN", 8, kNaN, [](const LgpConfig& c) { return c.dot.minSpacing; }, 0.5},
        {"minimum spacing 0", 8, 0.0, [](const LgpConfig& c) { return c.dot.minSpacing; }, 0.5},
        {"minimum dot size -inf", 0, -kInf, [](const LgpConfig& c) { return c.dot.minDotSize; }, 0.1},
        {"dot width 0.05", 16, 0.05, [](const LgpConfig& c) { return c.dot.dotWidth; }, 0.1},
        {"upper row spacing 0.3", 98, 0.3, [](const LgpConfig& c) { return c.dot.upperRows.start; }, 0.5},
        {"upper row gradient 0.00004", 106, 0.00004, [](const LgpConfig& c) { return c.dot.upperRows.gradient; }, 0.0001},
        {"speed 1e9", 202, 1e9, [](const LgpConfig& c) { return c.laser.dots.speed; }, 10000.0},
        {"maximum power NaN", 222, kNaN, [](const LgpConfig& c) { return c.laser.dots.maxPower; }, 30.0},
        {"scan precision 1", 240, 1.0, [](const LgpConfig& c) { return c.laser.scanPrecisionDpi; }, 10.0},
        {"dot time 5000", 348, 5000.0, [](const LgpConfig& c) { return c.laser.dotTimeMs; }, 1000.0},
        {"plate width 0.2", 356, 0.2, [](const LgpConfig& c) { return c.shape.plateWidth; }, 1.0},
        {"plate height inf", 364, kInf, [](const LgpConfig& c) { return c.shape.plateHeight; }, 200.0},
        {"blank distance -5000", 376, -5000.0, [](const LgpConfig& c) { return c.shape.blankDistance; }, -1000.0},
    };
    const auto file = platform::ProgramFile("LGPConfig");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.field);
        std::vector<std::uint8_t> bytes = StoredBytes(LgpConfig{});
        WriteDouble(bytes, test.offset, test.stored);
        ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
        LgpConfig config;
        ASSERT_TRUE(LoadConfigFile(file, config));
        EXPECT_DOUBLE_EQ(test.read(config), test.expected);
    }
}

TEST(LgpPageRulesTest, EditsAreRoundedAndBoundedAsThePagesShowThem) {
    EXPECT_EQ(RoundCoord(-0.0005), -0.001);
    EXPECT_EQ(RoundCoord(0.0004), 0.0);
    EXPECT_DOUBLE_EQ(DotSizeRule(0.05), 0.1);
    EXPECT_DOUBLE_EQ(SpacingRule(0.3), 0.5);
    EXPECT_DOUBLE_EQ(GradientRule(0.00004), 0.0001);
    EXPECT_DOUBLE_EQ(GradientRule(-0.00004), -0.0001);
    EXPECT_EQ(GradientRule(0.0), 0.0);
    EXPECT_DOUBLE_EQ(GradientRule(0.12345), 0.1235);
    EXPECT_DOUBLE_EQ(PlateSizeRule(123.44), 123.4);
    EXPECT_DOUBLE_EQ(PlateSizeRule(0.0), 1.0);
}

}  // namespace
}  // namespace dotplate
