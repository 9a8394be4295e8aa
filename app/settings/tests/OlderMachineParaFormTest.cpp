#include "OlderMachineParaForm.h"

#include "Archive.h"
#include "MachineParaTestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
