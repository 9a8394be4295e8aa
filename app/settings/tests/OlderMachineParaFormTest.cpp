#include "OlderMachineParaForm.h"

#include "Archive.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A vendor record in the older form, field by field, with recognisable values.
std::vector<std::uint8_t> OlderVendorFile() {
    platform::Archive archive = platform::Archive::ForStoring();
    archive.WriteU32(77);
    for (int axis = 0; axis < 4; ++axis) {
        for (std::uint32_t flag : {1u, 1u, 0u, 1u, 1u, 0u}) {  // dir, limit, key invert, mode, limit on, home
            archive.WriteU32(flag);
        }
        for (int field = 0; field < 9; ++field) {  // step length ... home offset
            archive.WriteDouble(10.0 * axis + field + 0.5);
        }
    }
    archive.WriteU16(1);  // two tubes
    archive.WriteU32(2);  // RF with pre-ignition
    for (double value : {90.0, 10.0, 80.0, 20.0, 200.0, 300.0, 5.0}) {
        archive.WriteDouble(value);
    }
    for (std::uint32_t flag : {0u, 1u, 1u, 0u, 1u, 1u}) {
        archive.WriteU32(flag);
    }
    archive.WriteU16(2);  // machine type
    archive.WriteU16(1);  // feed mode
    archive.WriteDouble(1500.0);
    archive.WriteU16(3);  // transmission
    archive.WriteU16(1);  // Z feeding
    return archive.Bytes();
}

std::vector<std::uint8_t> OlderUserFile() {
    platform::Archive archive = platform::Archive::ForStoring();
    for (double value : {210.0, 3100.0, 21.0, 410.0, 3200.0}) {
        archive.WriteDouble(value);
    }
    archive.WriteU32(2);
    archive.WriteU32(1);
    for (double value : {11.0, 12.0, 11000.0, 3300.0, 110.0}) {
        archive.WriteDouble(value);
    }
    archive.WriteU32(1);
    archive.WriteDouble(85.0);
    archive.WriteDouble(25.0);
    for (std::uint32_t home : {0u, 1u, 1u, 0u}) {
        archive.WriteU32(home);
    }
    archive.WriteU16(2);
    archive.WriteDouble(3.0);
    archive.WriteU32(1);
    archive.WriteU32(2);
    archive.WriteDouble(1.5);
    archive.WriteDouble(250.0);
    archive.WriteU16(2);
    for (double value : {6.0, 0.2, 0.3, 12.0}) {  // focus depth, backlash X and Y, idle delay
        archive.WriteDouble(value);
    }
    archive.WriteU32(150);  // acceleration factor
    archive.WriteU32(160);  // speed factor
    archive.WriteU32(170);  // idle acceleration factor
    return archive.Bytes();
}

// Overwrites one stored 32-bit value of a file image; the checked access also keeps the optimiser from
// imagining a write past an empty copy.
void PatchU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t byte = 0; byte < 4; ++byte) {
        bytes.at(at + byte) = static_cast<std::uint8_t>(value >> (8 * byte));
    }
}

}  // namespace

TEST(OlderMachineParaForm, AVendorFileRestoresItsFieldsAndKeepsThoseItLacks) {
    const std::vector<std::uint8_t> file = OlderVendorFile();
    ASSERT_EQ(file.size(), kOlderVendorFormBytes);
    CVendorPara record;
    record.pwmRisingEdge[2] = 1;
    record.preIgnitionFrequency2 = 1234.0;

    ASSERT_TRUE(ReadOlderVendorForm(file, record));
    EXPECT_EQ(record.vendorWord, 77u);
    EXPECT_EQ(record.dirPolarity[3], 1);
    EXPECT_EQ(record.keyDirInverted[0], 0);
    EXPECT_EQ(record.controlMode[1], 1);
    EXPECT_EQ(record.homingOn[2], 0);
    EXPECT_EQ(record.stepLengthUm[1], 10.5);
    EXPECT_EQ(record.homeOffsetMm[3], 38.5);
    EXPECT_EQ(record.tubeConfig, 1);
    EXPECT_EQ(record.laserType, 2);
    EXPECT_EQ(record.minPower2Percent, 20.0);
    EXPECT_EQ(record.attenuationPercent, 5.0);
    EXPECT_EQ(record.laser2On, 1);
    EXPECT_EQ(record.blowerOn, 1);
    EXPECT_EQ(record.machineType, 2);
    EXPECT_EQ(record.powerOffDelayMs, 1500.0);
    EXPECT_EQ(record.zFunction, 1);
    EXPECT_EQ(record.pwmRisingEdge[2], 1);
    EXPECT_EQ(record.preIgnitionFrequency2, 1234.0);
    EXPECT_EQ(record.preIgnitionPulse1Percent, 0.5);
}

TEST(OlderMachineParaForm, AUserFileCarriesTheThreeFactorsInTheOrderThreeFiveFour) {
    const std::vector<std::uint8_t> file = OlderUserFile();
    ASSERT_EQ(file.size(), kOlderUserFormBytes);
    CUserPara record;
    record.lineFeedRepayMm = 0.7;

    ASSERT_TRUE(ReadOlderUserForm(file, record));
    EXPECT_EQ(record.idleSpeedMmPerS, 210.0);
    EXPECT_EQ(record.cuttingMode, 2);
    EXPECT_EQ(record.scanLineShiftSpeedMmPerS, 110.0);
    EXPECT_EQ(record.spotSizePercent, 85.0);
    EXPECT_EQ(record.homeAtPowerOn[0], 0);
    EXPECT_EQ(record.homeAtPowerOn[2], 1);
    EXPECT_EQ(record.frameMode, 2);
    EXPECT_EQ(record.returnPosition, 2);
    EXPECT_EQ(record.feedDelayAfterMs, 250.0);
    EXPECT_EQ(record.panelLanguage, 2);
    EXPECT_EQ(record.backlashYMm, 0.3);
    EXPECT_EQ(record.idleDelayMs, 12.0);
    EXPECT_EQ(record.accFactorPercent, 150);
    EXPECT_EQ(record.speedFactorPercent, 160);
    EXPECT_EQ(record.idleAccFactorPercent, 170);
    EXPECT_EQ(record.lineFeedRepayMm, 0.7);
}

TEST(OlderMachineParaForm, OlderFormFromAnyFileIsNoLongerAcceptedUnchecked) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool vendor;
    };
    std::vector<std::uint8_t> vendor = OlderVendorFile();
    std::vector<std::uint8_t> user = OlderUserFile();
    std::vector<std::uint8_t> vendorBadSwitch = vendor;
    PatchU32(vendorBadSwitch, 4, 2);  // direction polarity of X
    std::vector<std::uint8_t> vendorBadLaser = vendor;
    PatchU32(vendorBadLaser, 4 + 4 * 96 + 2, 3);  // laser type
    std::vector<std::uint8_t> userBadFactor = user;
    PatchU32(userBadFactor, kOlderUserFormBytes - 12, 201);
    std::vector<std::uint8_t> userNan = user;
    for (int byte = 0; byte < 8; ++byte) {
        userNan[byte] = byte == 7 ? 0x7F : 0xFF;
    }
    const Case cases[] = {
        {"vendor one byte short", std::vector<std::uint8_t>(vendor.begin(), vendor.end() - 1), true},
        {"vendor one byte long",
         [&] {
             auto v = vendor;
             v.push_back(0);
             return v;
         }(),
         true},
        {"vendor switch out of range", vendorBadSwitch, true},
        {"vendor laser type out of range", vendorBadLaser, true},
        {"user file of the vendor size", std::vector<std::uint8_t>(kOlderVendorFormBytes), false},
        {"user factor above 200", userBadFactor, false},
        {"user speed not a number", userNan, false},
    };
    for (const Case& c : cases) {
        if (c.vendor) {
            CVendorPara record;
            record.laserType = 1;
            EXPECT_FALSE(ReadOlderVendorForm(c.bytes, record)) << c.name;
            EXPECT_EQ(record.laserType, 1) << c.name;
            EXPECT_EQ(record.vendorWord, 0u) << c.name;
        } else {
            CUserPara record;
            EXPECT_FALSE(ReadOlderUserForm(c.bytes, record)) << c.name;
            EXPECT_EQ(record.idleSpeedMmPerS, 200.0) << c.name;
            EXPECT_EQ(record.accFactorPercent, 100) << c.name;
        }
    }
}
