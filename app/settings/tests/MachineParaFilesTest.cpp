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

TEST_F(MachineParaFilesTest, KeysThatAStoreLacksLeaveTheirFieldsAsTheyWere) {
    CSettingstore store;
    store.SetFloatPara(3, 0, 321.0);  // idle speed
    store.SetIntPara(7, 0, 2);        // frame mode

    gUserPara.idleAccMmPerS2 = 1234.0;
    gUserPara.idleDelayMs = 40.0;
    gUserPara.speedFactorPercent = 150;
    ASSERT_TRUE(gUserPara.LoadFromStore(store));
    EXPECT_EQ(gUserPara.idleSpeedMmPerS, 321.0);
    EXPECT_EQ(gUserPara.frameMode, 2);
    EXPECT_EQ(gUserPara.idleAccMmPerS2, 1234.0);
    EXPECT_EQ(gUserPara.idleDelayMs, 40.0);
    EXPECT_EQ(gUserPara.speedFactorPercent, 150);
}

// A parameter file holds every key of its record once: one that lacks a key, repeats one or holds a key
// the record does not have lost or gained something on its way, and is refused whole.
TEST_F(MachineParaFilesTest, AFileWithoutExactlyTheRecordsKeysIsRefused) {
    struct Case {
        const char* name;
        void (*change)(CSettingstore&);
    };
    const Case cases[] = {
        {"a key missing", [](CSettingstore& store) {
             CSettingstore partial;
             for (const CSettingstore::EntryName& name : store.EntryNames()) {
                 std::string text;
                 store.GetParaData(name.key, name.id, text);
                 if (!(name.key == 7 && name.id == 5)) {
                     partial.SetParaData(name.key, name.id, text);
                 }
             }
             store.RemoveAllData();
             for (const CSettingstore::EntryName& name : partial.EntryNames()) {
                 std::string text;
                 partial.GetParaData(name.key, name.id, text);
                 store.SetParaData(name.key, name.id, text);
             }
         }},
        {"a key of no field", [](CSettingstore& store) { store.SetFloatPara(7, 8, 1.0); }},
        {"a group of no record", [](CSettingstore& store) { store.SetFloatPara(9, 0, 1.0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gUserPara = CUserPara{};
        gUserPara.focusDepthMm = 6.5;
        CSettingstore store;
        gUserPara.SaveToStore(store);
        c.change(store);
        ASSERT_NE(store.ExportParaFile(File("changed.ZintUSet")), 0);
        gUserPara = CUserPara{};
        EXPECT_EQ(ImportUserParaFile(File("changed.ZintUSet")), 0);
        EXPECT_EQ(gUserPara.focusDepthMm, 5.0);
    }
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

template <typename Record>
RangeCase MakeCase(const char* name, std::function<void(Record&)> apply, bool accepted) {
    RangeCase c{name, nullptr, nullptr, accepted};
    if constexpr (std::is_same_v<Record, CVendorPara>) {
        c.vendor = std::move(apply);
    } else {
        c.user = std::move(apply);
    }
    return c;
}

// The bounds themselves, and one step beyond each; no step below 0 for a field that cannot hold it.
template <typename Record, typename Set>
std::vector<RangeCase> Edges(const char* name, Set set, double low, double high, double step,
                             bool holdsNegatives) {
    auto at = [set](double value) {
        return std::function<void(Record&)>([set, value](Record& r) { set(r, value); });
    };
    std::vector<RangeCase> cases = {MakeCase<Record>(name, at(low), true),
                                    MakeCase<Record>(name, at(high), true),
                                    MakeCase<Record>(name, at(high + step), false)};
    if (holdsNegatives || low > 0) {
        cases.push_back(MakeCase<Record>(name, at(low - step), false));
    }
    return cases;
}

template <typename Record, typename Field>
std::vector<RangeCase> FieldEdges(const char* name, Field Record::*field, double low, double high,
                                  double step) {
    return Edges<Record>(
        name, [field](Record& r, double value) { r.*field = static_cast<Field>(value); }, low, high, step,
        std::is_signed_v<Field>);
}

// On the Z axis, away from the first entry.
template <typename Field>
std::vector<RangeCase> AxisEdges(const char* name, Field (CVendorPara::*field)[CVendorPara::kAxisCount],
                                 double low, double high, double step) {
    return Edges<CVendorPara>(
        name, [field](CVendorPara& r, double value) { (r.*field)[2] = static_cast<Field>(value); }, low, high,
        step, std::is_signed_v<Field>);
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
        FieldEdges("tube configuration", &CVendorPara::tubeConfig, 0, 1, 1),
        FieldEdges("laser type", &CVendorPara::laserType, 0, 2, 1),
        FieldEdges("maximum power 1", &CVendorPara::maxPower1Percent, 0, 100, 0.001),
        FieldEdges("minimum power 2", &CVendorPara::minPower2Percent, 0, 100, 0.001),
        FieldEdges("PWM frequency 1", &CVendorPara::pwmFrequency1, 0, 1000, 0.001),
        FieldEdges("attenuation", &CVendorPara::attenuationPercent, 0, 99, 0.001),
        FieldEdges("laser 2", &CVendorPara::laser2On, 0, 1, 1),
        FieldEdges("machine type", &CVendorPara::machineType, 0, 2, 1),
        FieldEdges("transmission", &CVendorPara::transmission, 0, 3, 1),
        FieldEdges("power-off delay", &CVendorPara::powerOffDelayMs, 0, 3000, 0.001),
        FieldEdges("Z function", &CVendorPara::zFunction, 0, 1, 1),
        FieldEdges("spot size", &CUserPara::spotSizePercent, 50, 99, 0.001),
        FieldEdges("backlash X", &CUserPara::backlashXMm, 0, 1, 0.001),
        FieldEdges("cutting mode", &CUserPara::cuttingMode, 0, 2, 1),
        FieldEdges("return position", &CUserPara::returnPosition, 0, 2, 1),
        FieldEdges("panel language", &CUserPara::panelLanguage, 0, 2, 1),
        FieldEdges("frame mode", &CUserPara::frameMode, 0, 2, 1),
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

// Writes the record with the case applied in both forms, imports each into a record at its defaults,
// and expects the same verdict from both; a refused file leaves the record at its defaults.
template <typename Record, typename Export, typename Import, typename Older>
void ExpectSameAcceptance(const RangeCase& c, const std::function<void(Record&)>& apply, Record& global,
                          Export exportFile, Import importFile, Older olderBytes,
                          const std::filesystem::path& folder) {
    Record record;
    apply(record);
    global = record;
    const std::filesystem::path current = folder / "current";
    const std::filesystem::path older = folder / "older";
    ASSERT_EQ(exportFile(current), 1);
    WriteFile(older, olderBytes(record));
    for (const auto& file : {current, older}) {
        global = Record{};
        EXPECT_EQ(importFile(file), c.accepted ? 1 : 0) << file.filename();
        EXPECT_EQ(olderBytes(global), olderBytes(c.accepted ? record : Record{})) << file.filename();
    }
}

// Every value just inside and just outside its range, written in the current form and in the older
// form: both forms accept exactly the same, and a refused file leaves the record as it was.
TEST_F(MachineParaFilesTest, BothFormsAcceptTheSameRangeOfEveryValue) {
    const std::filesystem::path folder = cutrix::testing::TempHome();
    for (const RangeCase& c : RangeCases()) {
        SCOPED_TRACE(std::string(c.name) + (c.accepted ? " inside" : " outside"));
        if (c.vendor) {
            ExpectSameAcceptance(c, c.vendor, gVendorPara, ExportVendorParaFile, ImportVendorParaFile,
                                 OlderVendorBytes, folder);
        } else {
            ExpectSameAcceptance(c, c.user, gUserPara, ExportUserParaFile, ImportUserParaFile, OlderUserBytes,
                                 folder);
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
        gVendorPara = CVendorPara{};
        gVendorPara.SaveToStore(store);   // every key, so that only the bad value can refuse the file
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
