#include "MachineParaFiles.h"

#include "MachineParaRecords.h"
#include "MachineParaTestFiles.h"
#include "OlderMachineParaForm.h"
#include "SettingsTestSupport.h"
#include "Settingstore.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

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
    store.SetFloatPara(3, 0, 321.0);  // idle speed
    store.SetIntPara(7, 0, 2);        // frame mode
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

namespace {

// One value set into a record: the cases of the range table below.
struct RangeCase {
    const char* name;
    std::function<void(CVendorPara&)> vendor;  // one of the two is set
    std::function<void(CUserPara&)> user;
    bool accepted;
};

template <typename Field>
std::vector<RangeCase> VendorEdges(const char* name, Field CVendorPara::*field, double low, double high,
                                   double step) {
    auto set = [field](double value) {
        return [field, value](CVendorPara& r) { r.*field = static_cast<Field>(value); };
    };
    std::vector<RangeCase> cases = {{name, set(low), nullptr, true},
                                    {name, set(high), nullptr, true},
                                    {name, set(high + step), nullptr, false}};
    if (std::is_signed_v<Field> || low > 0) {  // an unsigned field cannot hold a value below 0
        cases.push_back({name, set(low - step), nullptr, false});
    }
    return cases;
}

template <typename Field>
std::vector<RangeCase> UserEdges(const char* name, Field CUserPara::*field, double low, double high,
                                 double step) {
    auto set = [field](double value) {
        return [field, value](CUserPara& r) { r.*field = static_cast<Field>(value); };
    };
    std::vector<RangeCase> cases = {{name, nullptr, set(low), true},
                                    {name, nullptr, set(high), true},
                                    {name, nullptr, set(high + step), false}};
    if (std::is_signed_v<Field> || low > 0) {
        cases.push_back({name, nullptr, set(low - step), false});
    }
    return cases;
}

template <typename Field>
std::vector<RangeCase> AxisEdges(const char* name, Field (CVendorPara::*field)[CVendorPara::kAxisCount],
                                 double low, double high, double step) {
    auto set = [field](double value) {
        return [field, value](CVendorPara& r) { (r.*field)[2] = static_cast<Field>(value); };
    };
    std::vector<RangeCase> cases = {{name, set(low), nullptr, true},
                                    {name, set(high), nullptr, true},
                                    {name, set(high + step), nullptr, false}};
    if (std::is_signed_v<Field> || low > 0) {  // an unsigned field cannot hold a value below 0
        cases.push_back({name, set(low - step), nullptr, false});
    }
    return cases;
}

std::vector<RangeCase> RangeCases() {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::vector<std::vector<RangeCase>> groups = {
        AxisEdges("step length", &CVendorPara::stepLengthUm, 0.001, 1000, 0.001),
        AxisEdges("max speed", &CVendorPara::maxSpeedMmPerS, 0.1, 10000, 0.001),
        AxisEdges("jump-off speed", &CVendorPara::jumpOffSpeedMmPerS, 0.001, 200, 0.001),
        AxisEdges("max acceleration", &CVendorPara::maxAccMmPerS2, 0.001, 100000, 0.001),
        AxisEdges("breadth", &CVendorPara::breadthMm, 0.1, 1000000, 0.001),
        AxisEdges("key jump-off speed", &CVendorPara::keyJumpOffSpeedMmPerS, 0.1, 1000, 0.001),
        AxisEdges("key acceleration", &CVendorPara::keyAccMmPerS2, 0.1, 100000, 0.001),
        AxisEdges("e-stop acceleration", &CVendorPara::estopAccMmPerS2, 0.1, 100000, 0.001),
        AxisEdges("home offset", &CVendorPara::homeOffsetMm, 0, 100000, 0.001),
        AxisEdges("direction polarity", &CVendorPara::dirPolarity, 0, 1, 1),
        AxisEdges("homing", &CVendorPara::homingOn, 0, 1, 1),
        VendorEdges("tube configuration", &CVendorPara::tubeConfig, 0, 1, 1),
        VendorEdges("laser type", &CVendorPara::laserType, 0, 2, 1),
        VendorEdges("maximum power 1", &CVendorPara::maxPower1Percent, 0, 100, 0.001),
        VendorEdges("minimum power 2", &CVendorPara::minPower2Percent, 0, 100, 0.001),
        VendorEdges("PWM frequency 1", &CVendorPara::pwmFrequency1, 0, 1000, 0.001),
        VendorEdges("attenuation", &CVendorPara::attenuationPercent, 0, 99, 0.001),
        VendorEdges("laser 2", &CVendorPara::laser2On, 0, 1, 1),
        VendorEdges("machine type", &CVendorPara::machineType, 0, 2, 1),
        VendorEdges("transmission", &CVendorPara::transmission, 0, 3, 1),
        VendorEdges("power-off delay", &CVendorPara::powerOffDelayMs, 0, 3000, 0.001),
        VendorEdges("Z function", &CVendorPara::zFunction, 0, 1, 1),
        UserEdges("spot size", &CUserPara::spotSizePercent, 50, 99, 0.001),
        UserEdges("backlash X", &CUserPara::backlashXMm, 0, 1, 0.001),
        UserEdges("cutting mode", &CUserPara::cuttingMode, 0, 2, 1),
        UserEdges("return position", &CUserPara::returnPosition, 0, 2, 1),
        UserEdges("panel language", &CUserPara::panelLanguage, 0, 2, 1),
        UserEdges("frame mode", &CUserPara::frameMode, 0, 2, 1),
        {{"idle speed negative", nullptr, [](CUserPara& r) { r.idleSpeedMmPerS = -5; }, false},
         {"idle speed most negative", nullptr, [](CUserPara& r) { r.idleSpeedMmPerS = -1e308; }, false},
         {"focus depth NaN", nullptr, [=](CUserPara& r) { r.focusDepthMm = kNaN; }, false},
         {"home speed infinite", nullptr, [=](CUserPara& r) { r.homeSpeedMmPerS = kInf; }, false},
         {"power 1.1e12", [](CVendorPara& r) { r.maxPower1Percent = 1.1e12; }, nullptr, false},
         {"step length NaN", [=](CVendorPara& r) { r.stepLengthUm[0] = kNaN; }, nullptr, false},
         {"panel language 65531", nullptr, [](CUserPara& r) { r.panelLanguage = 65531; }, false},
         {"laser type 65531", [](CVendorPara& r) { r.laserType = 65531; }, nullptr, false}},
    };
    std::vector<RangeCase> cases;
    for (const auto& group : groups) {
        cases.insert(cases.end(), group.begin(), group.end());
    }
    return cases;
}

}  // namespace

// Every value just inside and just outside its range, written in the current form and in the older
// form (where the field has a place in it): both forms accept exactly the same, and a refused file
// leaves the record as it was.
TEST_F(MachineParaFilesTest, BothFormsAcceptTheSameRangeOfEveryValue) {
    for (const RangeCase& c : RangeCases()) {
        SCOPED_TRACE(std::string(c.name) + (c.accepted ? " inside" : " outside"));
        const std::filesystem::path current = File("current");
        const std::filesystem::path older = File("older");
        if (c.vendor) {
            CVendorPara record;
            c.vendor(record);
            gVendorPara = record;
            ASSERT_EQ(ExportVendorParaFile(current), 1);
            WriteFile(older, OlderVendorBytes(record));
            for (const auto& file : {current, older}) {
                gVendorPara = CVendorPara{};
                EXPECT_EQ(ImportVendorParaFile(file), c.accepted ? 1 : 0) << file.filename();
                const CVendorPara expected = c.accepted ? record : CVendorPara{};
                EXPECT_EQ(OlderVendorBytes(gVendorPara), OlderVendorBytes(expected)) << file.filename();
            }
        } else {
            CUserPara record;
            c.user(record);
            gUserPara = record;
            ASSERT_EQ(ExportUserParaFile(current), 1);
            WriteFile(older, OlderUserBytes(record));
            for (const auto& file : {current, older}) {
                gUserPara = CUserPara{};
                EXPECT_EQ(ImportUserParaFile(file), c.accepted ? 1 : 0) << file.filename();
                if (!c.accepted) {
                    EXPECT_EQ(OlderUserBytes(gUserPara), OlderUserBytes(CUserPara{})) << file.filename();
                }
            }
        }
    }
}

// What the current form stores as text must be one number: text, a number followed by more, an empty
// value and a number beyond the field's width are refused, never read as 0 or cut to the low bits.
TEST_F(MachineParaFilesTest, StoredTextThatIsNotOneNumberRefusesTheFile) {
    struct Case {
        std::uint32_t group, index;
        const char* text;
    };
    const Case cases[] = {
        {0, 3, "fast"},  {0, 3, "0.35mm"}, {0, 3, ""},    {0, 3, "nan"}, {0, 3, "inf"},
        {0, 3, "1e999"}, {2, 0, "65538"},  {1, 1, "1.5"}, {1, 3, "-1"},  {0, 10, "0x10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CSettingstore store;
        store.SetFloatPara(0, 4, 450.0);  // a good breadth beside the bad value
        store.SetParaData(c.group, c.index, c.text);
        ASSERT_NE(store.ExportParaFile(File("bad.ZintVSet")), 0);
        gVendorPara = CVendorPara{};
        EXPECT_EQ(ImportVendorParaFile(File("bad.ZintVSet")), 0);
        EXPECT_EQ(gVendorPara.breadthMm[0], 1000.0);
        EXPECT_EQ(gVendorPara.stepLengthUm[0], 0.35);
        EXPECT_EQ(gVendorPara.machineType, 0);
    }
}
