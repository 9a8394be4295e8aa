#include "MachineParaFiles.h"

#include "MachineParaRecords.h"
#include "OlderMachineParaForm.h"
#include "SettingsTestSupport.h"
#include "Settingstore.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace {

// Every keyed vendor field away from its default, with values that six decimals carry exactly.
void FillVendor(CVendorPara& record) {
    record.vendorWord = 99;
    for (int axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        record.dirPolarity[axis] = 1;
        record.limitPolarity[axis] = axis % 2;
        record.keyDirInverted[axis] = 1;
        record.controlMode[axis] = 1;
        record.pwmRisingEdge[axis] = 1;
        record.hardLimitOn[axis] = 1;
        record.homingOn[axis] = 0;
        record.stepLengthUm[axis] = 0.5 + axis;
        record.maxSpeedMmPerS[axis] = 800.25 + axis;
        record.jumpOffSpeedMmPerS[axis] = 6.5 + axis;
        record.maxAccMmPerS2[axis] = 7000.0 + axis;
        record.breadthMm[axis] = 600.125 + axis;
        record.keyJumpOffSpeedMmPerS[axis] = 7.5 + axis;
        record.keyAccMmPerS2[axis] = 2000.0 + axis;
        record.estopAccMmPerS2[axis] = 4000.0 + axis;
        record.homeOffsetMm[axis] = 1.5 + axis;
    }
    record.tubeConfig = 1;
    record.laserType = 2;
    record.maxPower1Percent = 90.0;
    record.minPower1Percent = 10.0;
    record.maxPower2Percent = 80.0;
    record.minPower2Percent = 20.0;
    record.pwmFrequency1 = 20.0;
    record.pwmFrequency2 = 30.0;
    record.attenuationPercent = 5.5;
    record.preIgnitionFrequency1 = 4000.0;
    record.preIgnitionPulse1Percent = 0.25;
    record.preIgnitionFrequency2 = 3000.0;
    record.preIgnitionPulse2Percent = 0.75;
    record.laser1On = 0;
    record.laser2On = 1;
    record.waterProtect1On = 1;
    record.waterProtect2On = 1;
    record.lidProtectOn = 1;
    record.blowerOn = 1;
    record.machineType = 2;
    record.feedMode = 1;
    record.powerOffDelayMs = 1500.5;
    record.transmission = 3;
    record.zFunction = 1;
}

class MachineParaFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gVendorPara = CVendorPara{};
        gUserPara = CUserPara{};
    }
    void TearDown() override { SetUp(); }
    std::filesystem::path File(const char* name) const { return cutrix::testing::TempHome() / name; }
};

}  // namespace

TEST_F(MachineParaFilesTest, AVendorFileExportedAndImportedGivesBackEveryStoredField) {
    CommaLocale comma;
    FillVendor(gVendorPara);
    ASSERT_EQ(ExportVendorParaFile(File("machine.ZintVSet")), 1);
    const std::vector<std::uint8_t> exported = FileBytes(File("machine.ZintVSet"));

    gVendorPara = CVendorPara{};
    ASSERT_EQ(ImportVendorParaFile(File("machine.ZintVSet")), 1);
    EXPECT_EQ(gVendorPara.vendorWord, 0u);  // not carried by the parameter file
    EXPECT_EQ(gVendorPara.breadthMm[3], 603.125);
    EXPECT_EQ(gVendorPara.preIgnitionPulse2Percent, 0.75);
    EXPECT_EQ(gVendorPara.zFunction, 1);
    ASSERT_EQ(ExportVendorParaFile(File("again.ZintVSet")), 1);
    EXPECT_EQ(FileBytes(File("again.ZintVSet")), exported);
}

TEST_F(MachineParaFilesTest, FieldsAreFiledUnderTheirStoreKeys) {
    FillVendor(gVendorPara);
    gUserPara.panelLanguage = 2;
    gUserPara.lineFeedRepayMm = 0.5;
    ASSERT_EQ(ExportVendorParaFile(File("vpara")), 1);
    ASSERT_EQ(ExportUserParaFile(File("upara")), 1);

    CSettingstore store;
    ASSERT_NE(store.ImportParaFile(File("vpara")), 0);
    ASSERT_NE(store.ImportParaFile(File("upara")), 0);
    double real = 0.0;
    int whole = 0;
    EXPECT_EQ(store.GetFloatPara(0, 1 * 256 + 3, real), 1);  // step length of Y
    EXPECT_EQ(real, 1.5);
    EXPECT_EQ(store.GetIntPara(0, 2 * 256 + 7, whole), 1);  // PWM rising edge of Z
    EXPECT_EQ(whole, 1);
    EXPECT_EQ(store.GetIntPara(1, 1, whole), 1);  // laser type
    EXPECT_EQ(whole, 2);
    EXPECT_EQ(store.GetFloatPara(2, 4, real), 1);  // power-off delay
    EXPECT_EQ(real, 1500.5);
    EXPECT_EQ(store.GetIntPara(7, 4, whole), 1);  // panel language
    EXPECT_EQ(whole, 2);
    EXPECT_EQ(store.GetFloatPara(6, 3, real), 1);  // line-by-line feeding compensation
    EXPECT_EQ(real, 0.5);
}

TEST_F(MachineParaFilesTest, KeysThatAFileLacksLeaveTheirFieldsAsTheyWere) {
    CSettingstore store;
    store.SetFloatPara(3, 0, 321.0);    // idle speed
    store.SetIntPara(7, 0, 65536 + 2);  // frame mode: kept to its low 16 bits
    ASSERT_NE(store.ExportParaFile(File("partial.ZintUSet")), 0);

    gUserPara.idleAccMmPerS2 = 1234.0;
    gUserPara.idleDelayMs = 40.0;
    gUserPara.speedFactorPercent = 150;
    ASSERT_EQ(ImportUserParaFile(File("partial.ZintUSet")), 1);
    EXPECT_EQ(gUserPara.idleSpeedMmPerS, 321.0);
    EXPECT_EQ(gUserPara.frameMode, 2);
    EXPECT_EQ(gUserPara.idleAccMmPerS2, 1234.0);
    EXPECT_EQ(gUserPara.idleDelayMs, 40.0);
    EXPECT_EQ(gUserPara.speedFactorPercent, 150);
}

TEST_F(MachineParaFilesTest, TheIdleDelayAndFactorsDoNotTravelInFiles) {
    gUserPara.idleDelayMs = 12.0;
    gUserPara.accFactorPercent = 150;
    ASSERT_EQ(ExportUserParaFile(File("upara")), 1);
    gUserPara = CUserPara{};
    ASSERT_EQ(ImportUserParaFile(File("upara")), 1);
    EXPECT_EQ(gUserPara.idleDelayMs, 0.0);
    EXPECT_EQ(gUserPara.accFactorPercent, 100);
}

TEST_F(MachineParaFilesTest, TheOlderFormLoadsAtItsExactSizeOnly) {
    platform::Archive older = platform::Archive::ForStoring();
    CVendorPara written;
    written.laserType = 1;
    older.WriteU32(5);
    for (int axis = 0; axis < 4; ++axis) {
        for (int flag = 0; flag < 6; ++flag) {
            older.WriteU32(flag == 5 ? 1 : 0);
        }
        for (int value = 0; value < 9; ++value) {
            older.WriteDouble(1.0);
        }
    }
    older.WriteU16(0);
    older.WriteU32(1);  // laser type
    for (int value = 0; value < 7; ++value) {
        older.WriteDouble(50.0);
    }
    for (int word = 0; word < 6; ++word) {
        older.WriteU32(0);
    }
    for (int value = 0; value < 2; ++value) {
        older.WriteU16(0);
    }
    older.WriteDouble(0.0);
    older.WriteU16(0);
    older.WriteU16(0);
    std::vector<std::uint8_t> bytes = older.Bytes();
    ASSERT_EQ(bytes.size(), kOlderVendorFormBytes);

    WriteFile(File("old490"), bytes);
    ASSERT_EQ(ImportVendorParaFile(File("old490")), 1);
    EXPECT_EQ(gVendorPara.vendorWord, 5u);
    EXPECT_EQ(gVendorPara.laserType, 1);
    EXPECT_EQ(gVendorPara.maxSpeedMmPerS[2], 1.0);

    gVendorPara = CVendorPara{};
    bytes.pop_back();
    WriteFile(File("old489"), bytes);
    EXPECT_EQ(ImportVendorParaFile(File("old489")), 0);
    EXPECT_EQ(gVendorPara.vendorWord, 0u);
    EXPECT_EQ(gVendorPara.maxSpeedMmPerS[2], 1000.0);
}

TEST_F(MachineParaFilesTest, MissingAndUnwritableFiles) {
    EXPECT_EQ(ImportVendorParaFile(File("missing")), 0);
    EXPECT_EQ(ImportUserParaFile(File("missing")), 0);
    EXPECT_EQ(ExportVendorParaFile(File("no-such-folder") / "vpara"), 0);
}
