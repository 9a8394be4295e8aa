#include "ConfigFile.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every field away from its default, rows out of order.
void FillEverySetting() {
    LanguageIndex = kLanguageEnglish;
    ConfigReservedWord = 0xA1B2C3D4;

    OutputOptions& output = gOutputOptions;
    output.arrayDirection = 3;
    output.feedingOn = 1;
    output.feedingCount = -7;
    output.feedingDistanceMm = 123.25;
    output.rotateEngraveOn = 1;
    output.rotaryDiameterMm = 45.5;
    output.circlePulse = 3600.0;
    output.laser2OffsetXMm = 1.5;
    output.laser2OffsetYMm = -2.5;
    output.laser2OffsetOn = 1;
    output.reverseIntervalOn = 1;
    output.reverseIntervals.AddTail({300.0, 0.3, 0.03});
    output.reverseIntervals.AddTail({100.0, 0.1, 0.01});

    GeneralSettings& general = gGeneralSettings;
    general.xMirror = 0;
    general.yMirror = 0;
    general.laserHeadPosition = 7;
    general.onOffRepayOn = 1;
    general.laserOnRepayMm = 0.25;
    general.startEnergyPercent = 12.5;
    general.laserOffRepayMm = 0.75;
    general.speedLimitOn = 1;
    general.speedLimits.RemoveAll();
    general.speedLimits.AddTail({8.0, 80.0});
    general.speedLimits.AddTail({2.0, 20.0});

    FileParaSettings& file = gFileParaSettings;
    file.pltPrecision = 40;
    file.exportPrecision = 0.5;
    file.velocityUnit = 0;
    file.smoothCurves = 1;
    file.smoothPrecision = 0.9;
    file.autoClose = 0;
    file.closeErrorMm = 2.5;
    file.flagAfterCloseError = 9;
    file.combineLines = 0;
    file.combineErrorMm = 1.75;
    file.autoGreyScale = 0;
    file.importDxfText = 1;
    file.dxfUnit = 3;
    file.dxfScale = 3.5;

    ProcessCtrlSettings& control = gProcessCtrlSettings;
    control.positionChoice = 2;
    control.jogOffsetMm = 11.5;
    control.jogSpeedMmPerS = 51.5;
    control.jogPowerPercent = 5.5;
    control.moveFromOrigin = 1;
    control.jogWithLight = 1;
    control.cutFrameSpeedMmPerS = 33.0;
    control.cutFrameMinPowerPercent = 10.0;
    control.cutFrameMaxPowerPercent = 90.0;
    control.cutFrameBlankMm = 4.0;
    control.outputSelectedOnly = 1;
    control.pathOptimise = 0;
    control.absoluteCoordinate = 1;
    control.dualHeadAutoLayout = 1;
    control.headDistanceMm = 250.0;

    OptimSettings& optim = gOptimSettings;
    optim.orderOfLayer = 1;
    optim.insideToOutside = 0;
    optim.word3 = 0;
    optim.word4 = 5;
    optim.insideToOutsideMode = 1;
    optim.blockHeightMm = 12.0;
    optim.blockDirection = 3;
    optim.backlashRepayOptimise = 1;
    optim.autoStartPointAndDirection = 0;
    optim.startPointOptimise = 1;
}

std::vector<std::uint8_t> StoredConfig() {
    platform::Archive archive = platform::Archive::ForStoring();
    EXPECT_EQ(SerializeConfig(archive), 1);
    return archive.Bytes();
}

int LoadConfig(std::vector<std::uint8_t> bytes) {
    platform::Archive archive = platform::Archive::ForLoading(std::move(bytes));
    return SerializeConfig(archive);
}

template <typename Row, typename First>
std::vector<double> FirstValues(const CDbList<Row>& list, First first) {
    std::vector<double> values;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        values.push_back(first(node->value));
    }
    return values;
}

std::vector<double> SpeedLimitDiameters() {
    return FirstValues(gGeneralSettings.speedLimits, [](const SpeedLimitRow& row) { return row.diameterMm; });
}

std::vector<double> ReverseIntervalSpeeds() {
    return FirstValues(gOutputOptions.reverseIntervals,
                       [](const ReverseIntervalRow& row) { return row.speedMmPerS; });
}

// Writes the parts of a hand-made "config" after the connection block, the records in their file order.
void AppendOlderOutputOptions(platform::Archive& archive) {
    archive.WriteU16(2);        // array direction
    archive.WriteU32(1);        // feeding
    archive.WriteI32(4);        // feeding count
    archive.WriteDouble(77.0);  // feeding distance
    archive.WriteU32(1);        // rotate engrave
    archive.WriteDouble(30.0);  // rotary diameter
    archive.WriteDouble(800.0);
    archive.WriteU32(1);  // one row
    archive.WriteDouble(150.0);
    archive.WriteDouble(0.15);
    archive.WriteDouble(0.05);
}

void AppendRecordsAfterOutputOptions(platform::Archive& archive) {
    // General: mirrors, head 9 (outside the grid), repay, limit switch, no rows.
    archive.WriteU32(0);
    archive.WriteU32(1);
    archive.WriteU16(9);
    archive.WriteU32(1);
    archive.WriteDouble(0.5);
    archive.WriteDouble(20.0);
    archive.WriteDouble(0.6);
    archive.WriteU32(1);
    archive.WriteU32(0);
    // File parameters: PLT precision, export precision, velocity unit, ..., DXF unit 1 with a stray scale.
    archive.WriteU16(500);
    archive.WriteDouble(0.7);
    archive.WriteU16(0);
    archive.WriteU32(1);
    archive.WriteDouble(0.4);
    archive.WriteU32(0);
    archive.WriteDouble(0.2);
    archive.WriteU32(1);
    archive.WriteU32(0);
    archive.WriteDouble(0.3);
    archive.WriteU32(0);
    archive.WriteU32(1);
    archive.WriteU16(1);
    archive.WriteDouble(99.0);
    // Process control.
    archive.WriteU16(1);
    for (double value : {12.0, 60.0, 7.0}) {
        archive.WriteDouble(value);
    }
    archive.WriteU32(1);
    archive.WriteU32(0);
    for (double value : {40.0, 5.0, 95.0, 2.0}) {
        archive.WriteDouble(value);
    }
    for (std::uint32_t flag : {1u, 0u, 1u, 0u}) {
        archive.WriteU32(flag);
    }
    archive.WriteDouble(150.0);
    // Optimisation.
    for (std::uint32_t word : {1u, 0u, 2u, 3u}) {
        archive.WriteU32(word);
    }
    archive.WriteU16(1);
    archive.WriteDouble(25.0);
    archive.WriteU16(2);
    for (std::uint32_t flag : {1u, 0u, 1u}) {
        archive.WriteU32(flag);
    }
}

// A connection block with recognisable values: network, port 3 of 2 ports, address index 1 of 1.
void AppendConnectionBlock(platform::Archive& archive) {
    archive.WriteU16(1);
    archive.WriteU16(3);
    archive.WriteU16(2);
    for (int port = 0; port < 256; ++port) {
        archive.WriteU16(static_cast<std::uint16_t>(port < 2 ? port + 5 : 0));
    }
    archive.WriteU16(1);
    archive.WriteU16(1);
    for (int address = 0; address < 256; ++address) {
        archive.WriteString(address == 0 ? "192.168.1.100" : "");
    }
    for (std::uint8_t byte : {192, 168, 1, 100}) {
        archive.WriteU8(byte);
    }
}

class ConfigFileTest : public SettingsTest {};

}  // namespace

TEST_F(ConfigFileTest, EveryFieldRoundTripsAndTheRowsComeBackSorted) {
    CommaLocale comma;
    FillEverySetting();
    const std::vector<std::uint8_t> stored = StoredConfig();

    ResetSettingsGlobals();
    ASSERT_EQ(LoadConfig(stored), 1);

    EXPECT_EQ(LanguageIndex, kLanguageEnglish);
    EXPECT_EQ(ConfigReservedWord, 0xA1B2C3D4u);
    EXPECT_EQ(FileFormatFlag, kCurrentLayout);
    EXPECT_EQ(gOutputOptions.feedingCount, -7);
    EXPECT_EQ(gOutputOptions.laser2OffsetYMm, -2.5);
    EXPECT_EQ(gGeneralSettings.laserHeadPosition, 7);
    EXPECT_EQ(gFileParaSettings.dxfScale, 3.5);
    EXPECT_EQ(gProcessCtrlSettings.headDistanceMm, 250.0);
    EXPECT_EQ(gOptimSettings.word4, 5u);
    EXPECT_EQ(ReverseIntervalSpeeds(), (std::vector<double>{100.0, 300.0}));
    EXPECT_EQ(SpeedLimitDiameters(), (std::vector<double>{2.0, 8.0}));

    // Stored again, the file differs only where the load sorted the rows.
    ResetSettingsGlobals();
    FillEverySetting();
    SortAscending(gOutputOptions.reverseIntervals);
    SortAscending(gGeneralSettings.speedLimits);
    const std::vector<std::uint8_t> sortedOriginal = StoredConfig();
    ResetSettingsGlobals();
    ASSERT_EQ(LoadConfig(stored), 1);
    EXPECT_EQ(StoredConfig(), sortedOriginal);
}

TEST_F(ConfigFileTest, ASpeedLimitTableStoredEmptyComesBackAsTheSixDefaultRows) {
    gGeneralSettings.speedLimits.RemoveAll();
    const std::vector<std::uint8_t> stored = StoredConfig();
    ResetSettingsGlobals();
    ASSERT_EQ(LoadConfig(stored), 1);
    EXPECT_EQ(SpeedLimitDiameters(), (std::vector<double>{1.1, 2.1, 3.1, 4.1, 5.1, 6.1}));
}

TEST_F(ConfigFileTest, ALanguageAboveThreeLeavesEverySettingAtItsDefault) {
    FillEverySetting();
    std::vector<std::uint8_t> stored = StoredConfig();
    stored[0] = 4;
    ResetSettingsGlobals();
    EXPECT_EQ(LoadConfig(stored), 0);
    EXPECT_EQ(LanguageIndex, kLanguageSimplifiedChinese);
    EXPECT_EQ(ConfigReservedWord, 200u);
    EXPECT_EQ(gOutputOptions.arrayDirection, 0);
    EXPECT_EQ(gOptimSettings.word4, 0u);
}

TEST_F(ConfigFileTest, TheVersionStringMatchesInAnyCase) {
    std::vector<std::uint8_t> stored = StoredConfig();
    for (std::size_t at = 7; at < 7 + kFileVersionString.size(); ++at) {
        stored[at] = static_cast<std::uint8_t>(std::tolower(stored[at]));
    }
    FileFormatFlag = kOlderLayout;
    ASSERT_EQ(LoadConfig(stored), 1);
    EXPECT_EQ(FileFormatFlag, kCurrentLayout);
}

TEST_F(ConfigFileTest, AnOlderConfigReadsItsConnectionBlockFromByteSixAndTheOlderOutputOptions) {
    platform::Archive older = platform::Archive::ForStoring();
    older.WriteU16(kLanguageEnglish);
    older.WriteU32(321);
    AppendConnectionBlock(older);
    AppendOlderOutputOptions(older);
    AppendRecordsAfterOutputOptions(older);

    std::size_t blockStart = 0;
    std::uint16_t kind = 0;
    std::string firstAddress;
    SetConnectionSerializer([&](platform::Archive& archive) {
        blockStart = archive.Position();
        kind = archive.ReadU16();
        for (int word = 0; word < 2 + 256 + 2; ++word) {
            archive.ReadU16();
        }
        firstAddress = archive.ReadString();
        for (int address = 1; address < 256; ++address) {
            archive.ReadString();
        }
        archive.ReadBytes(4);
    });

    ASSERT_EQ(LoadConfig(older.Bytes()), 1);
    EXPECT_EQ(FileFormatFlag, kOlderLayout);
    EXPECT_EQ(LanguageIndex, kLanguageEnglish);
    EXPECT_EQ(ConfigReservedWord, 321u);
    EXPECT_EQ(blockStart, 6u);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(firstAddress, "192.168.1.100");
    EXPECT_EQ(gOutputOptions.arrayDirection, 2);
    EXPECT_EQ(gOutputOptions.circlePulse, 800.0);
    EXPECT_EQ(gOutputOptions.laser2OffsetOn, 0u);
    EXPECT_EQ(ReverseIntervalSpeeds(), (std::vector<double>{150.0}));
    EXPECT_EQ(gGeneralSettings.yMirror, 1u);
    EXPECT_EQ(gGeneralSettings.laserHeadPosition, kCentreLaserHeadPosition);
    EXPECT_EQ(gFileParaSettings.pltPrecision, 500);
    EXPECT_EQ(gFileParaSettings.dxfScale, 10.0);
    EXPECT_EQ(gProcessCtrlSettings.cutFrameMaxPowerPercent, 95.0);
    EXPECT_EQ(gProcessCtrlSettings.headDistanceMm, 150.0);
    EXPECT_EQ(gOptimSettings.blockDirection, 2);
    EXPECT_EQ(gOptimSettings.startPointOptimise, 1u);
}

TEST_F(ConfigFileTest, WithoutARegisteredSerializerTheConnectionBlockIsCarriedThroughUnchanged) {
    // A default "config" holds the header, an empty connection block, then the records.
    constexpr std::size_t kHeaderBytes = 2 + 4 + 1 + kFileVersionString.size();
    constexpr std::size_t kEmptyBlockBytes = 2 * (3 + 256 + 2) + 256 + 4;
    const std::vector<std::uint8_t> defaults = StoredConfig();
    ASSERT_GT(defaults.size(), kHeaderBytes + kEmptyBlockBytes);

    platform::Archive original = platform::Archive::ForStoring();
    original.WriteBytes(std::span(defaults).first(kHeaderBytes));
    AppendConnectionBlock(original);
    original.WriteBytes(std::span(defaults).subspan(kHeaderBytes + kEmptyBlockBytes));

    ASSERT_EQ(LoadConfig(original.Bytes()), 1);
    EXPECT_EQ(StoredConfig(), original.Bytes());
}

TEST_F(ConfigFileTest, AFileThatEndsEarlyKeepsTheRecordsItLacksWhole) {
    FillEverySetting();
    std::vector<std::uint8_t> stored = StoredConfig();
    ResetSettingsGlobals();
    // Cut inside the general settings: the output options before them are whole.
    constexpr std::size_t kGeneralStart = 2 + 4 + 15 + 782 + 66 + 2 * 24;
    stored.resize(kGeneralStart + 10);
    EXPECT_THROW(LoadConfig(stored), platform::ArchiveError);
    EXPECT_EQ(gOutputOptions.circlePulse, 3600.0);
    EXPECT_EQ(ReverseIntervalSpeeds(), (std::vector<double>{100.0, 300.0}));
    EXPECT_EQ(gGeneralSettings.xMirror, 1u);
    EXPECT_EQ(SpeedLimitDiameters(), (std::vector<double>{1.1, 2.1, 3.1, 4.1, 5.1, 6.1}));
    EXPECT_EQ(gOptimSettings.word4, 0u);
}

TEST_F(ConfigFileTest, TheDxfScaleFollowsTheDxfUnitAfterLoading) {
    struct Case {
        std::uint16_t unit;
        double storedScale;
        std::uint16_t loadedUnit;
        double loadedScale;
    };
    const Case cases[] = {
        {0, 7.0, 0, 1.0}, {1, 7.0, 1, 10.0}, {2, 7.0, 2, 25.4},
        {3, 7.0, 3, 7.0}, {3, -2.0, 3, 1.0}, {4, 7.0, 0, 1.0},
    };
    for (const Case& c : cases) {
        gFileParaSettings.dxfUnit = c.unit;
        gFileParaSettings.dxfScale = c.storedScale;
        const std::vector<std::uint8_t> stored = StoredConfig();
        ResetSettingsGlobals();
        ASSERT_EQ(LoadConfig(stored), 1);
        EXPECT_EQ(gFileParaSettings.dxfUnit, c.loadedUnit) << "unit " << c.unit;
        EXPECT_EQ(gFileParaSettings.dxfScale, c.loadedScale) << "unit " << c.unit;
    }
}

// The general page shows a position outside the 3 x 3 grid as the centre; job output must see the same.
TEST_F(ConfigFileTest, ALaserHeadPositionAboveEightNoLongerReachesTheOutput) {
    struct Case {
        std::uint16_t stored;
        std::uint16_t loaded;
    };
    const Case cases[] = {{0, 0}, {8, 8}, {9, kCentreLaserHeadPosition}, {0xFFFF, kCentreLaserHeadPosition}};
    for (const Case& c : cases) {
        gGeneralSettings.laserHeadPosition = c.stored;
        const std::vector<std::uint8_t> stored = StoredConfig();
        ResetSettingsGlobals();
        ASSERT_EQ(LoadConfig(stored), 1);
        EXPECT_EQ(gGeneralSettings.laserHeadPosition, c.loaded) << "stored " << c.stored;
    }
}
