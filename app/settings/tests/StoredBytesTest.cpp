// What the program stores stays byte for byte what it was: a document of every element kind on 256
// layers, the settings files ("config", "lpara", "vpara", "upara"), a parameter-store file of both machine
// records, the job of that drawing and the language files of the built-in texts, each compared with the
// reference bytes kept in stored/, and each read back to the same bytes.
//
// Every value in the fixture differs from its default and from its neighbours, so that a field written in
// the wrong place or under the wrong key changes the bytes. Running the test binary with
// CUTRIX_WRITE_STORED_BYTES=1 writes the reference files anew (only when a change of the stored forms is
// meant).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CadArray.h"
#include "CadBitmapLayer.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "CutrixDoc.h"
#include "DataProcessDlg.h"
#include "ElementBuilders.h"
#include "JobMemorySink.h"
#include "LanguageTexts.h"
#include "LayerParaFile.h"
#include "MachineParaFiles.h"
#include "MachineParaRecords.h"
#include "ProgramFolder.h"
#include "SettingsFiles.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "Settingstore.h"

namespace {

const std::filesystem::path kStoredFolder = CUTRIX_STORED_BYTES_FOLDER;

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WritingReferences() {
    const char* flag = std::getenv("CUTRIX_WRITE_STORED_BYTES");
    return flag != nullptr && std::string(flag) == "1";
}

// Compares with the reference file of the name, or writes it when references are being written.
void ExpectStored(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path reference = kStoredFolder / name;
    if (WritingReferences()) {
        ASSERT_TRUE(platform::WriteFileAtomically(reference, bytes)) << reference;
        return;
    }
    const std::vector<std::uint8_t> expected = ReadBytes(reference);
    ASSERT_FALSE(expected.empty()) << "no reference bytes in " << reference;
    EXPECT_EQ(bytes.size(), expected.size()) << name;
    EXPECT_TRUE(bytes == expected) << name << " differs from its reference";
}

void VaryCommon(LayerCommonParams& p, int i) {
    p.COM_Output = i % 2 == 0 && i % 5 != 4 ? 1 : 0;  // a job takes at most 128 layers
    p.COM_Speed = 50.0 + i;
    p.COM_Pmin1 = 10.0 + i % 40;
    p.COM_Pmax1 = 20.0 + i % 50;
    p.COM_Pmin2 = 11.0 + i % 30;
    p.COM_Pmax2 = 21.0 + i % 60;
    p.COM_Blow = i % 2;
    p.COM_SpeedDefault = i % 7 == 3 ? 1 : 0;
    p.COM_PowerDefault = i % 11 == 5 ? 1 : 0;
    p.COM_EnZ = i % 3 == 1 ? 1 : 0;
    p.COM_EnZDown = i % 6 == 1 ? 1 : 0;
    p.COM_EnZUp = i % 9 == 1 ? 1 : 0;
    p.COM_ZDownPos = -1.25 - 0.01 * i;
    p.COM_ZUpPos = 2.5 + 0.01 * i;
    p.COM_ZSpeed = 60.0 + 0.5 * i;
    p.COM_DotInterval = 0.001 * (i % 13);
    p.COM_EnLaser1 = i % 8 == 7 ? 0 : 1;
    p.COM_EnLaser2 = i % 4 == 2 ? 1 : 0;
    p.COM_EnExIO = i % 10 == 9 ? 1 : 0;
}

void VaryVector(VectorLayerParams& p, int i) {
    p.COM_WorkType = static_cast<std::uint16_t>(i % 4);
    p.Eng_EnSlope = i % 3 == 0 ? 1 : 0;
    p.Eng_SlopeLen = 0.2 + 0.01 * (i % 17);
    p.Eng_ThickFont = static_cast<std::uint16_t>(i % 3);
    p.Eng_Type = static_cast<std::uint8_t>(i % 4);
    p.Eng_Space = 0.2 + 0.01 * (i % 9);
    p.Eng_OptMode = i % 5 == 2 ? 1 : 0;
    p.Eng_EnCircle = i % 6 == 4 ? 1 : 0;
    p.Eng_CircleMaxDia = 0.5 + 0.01 * i;
    p.Eng_CircleDia = 0.3 + 0.01 * i;
    p.Eng_EnCut = i % 2;
    p.EngCut_Speed = 70.0 + i;
    p.EngCut_Pmin1 = 12.0 + i % 20;
    p.EngCut_Pmax1 = 32.0 + i % 20;
    p.EngCut_Pmin2 = 13.0 + i % 20;
    p.EngCut_Pmax2 = 33.0 + i % 20;
    p.EngCut_Blow = (i + 1) % 2;
    p.EngCut_Close = 0.05 * (i % 7);
    p.EngCut_OnDelay = 0.5 * (i % 5);
    p.EngCut_OffDelay = 0.25 * (i % 6);
    p.EngCut_DefaultSpeed = i % 9 == 2 ? 1 : 0;
    p.EngCut_DefaultPower = i % 10 == 3 ? 1 : 0;
    p.Cut_Close = 0.1 * (i % 8);
    p.Cut_OnDelay = 0.75 * (i % 4);
    p.Cut_OffDelay = 0.125 * (i % 9);
    p.Cut_EnSew = i % 5 == 1 ? 1 : 0;
    p.Cut_SewDir = static_cast<std::uint16_t>(i % 2);
    p.Cut_SewWidth = 0.05 + 0.01 * (i % 5);
    p.Cut_ThroughMode = i % 3 == 2 ? 0 : 1;
    p.Dot_Time = 0.01 + 0.001 * (i % 11);
    p.Dot_Space = 1.0 + 0.1 * (i % 12);
    p.Dot_Len = 0.05 * (i % 3);
    p.Dot_EnCenter = static_cast<std::uint16_t>(i % 7 == 6 ? 1 : 0);
    p.Pen_DownDelay = 1.5 + i % 4;
    p.Pen_UpDelay = 2.5 + i % 5;
}

void VaryBitmap(BitmapLayerParams& p, int i) {
    p.Eng_Invert = i % 2;
    p.Eng_EnOptim = (i + 1) % 2;
    p.Eng_EnSlope = i % 3 == 1 ? 1 : 0;
    p.Eng_OptDirect = i % 4 == 1 ? 1 : 0;
    p.Eng_OptMode = i % 5 == 1 ? 1 : 0;
    p.Eng_SlopeLen = 0.3 + 0.01 * i;
    p.Eng_ThickFont = static_cast<std::uint16_t>(i % 3);
    p.Eng_Type = static_cast<std::uint8_t>(i % 4);
    p.Eng_Space = 0.15 + 0.01 * (i % 7);
    p.Eng_EnCut = (i + 1) % 2;
    p.EngCut_Speed = 80.0 + i;
    p.EngCut_Pmin1 = 14.0 + i % 20;
    p.EngCut_Pmax1 = 34.0 + i % 20;
    p.EngCut_Pmin2 = 15.0 + i % 20;
    p.EngCut_Pmax2 = 35.0 + i % 20;
    p.EngCut_Blow = i % 2;
    p.EngCut_DefaultSpeed = i % 3 == 2 ? 1 : 0;
    p.EngCut_DefaultPower = i % 4 == 3 ? 1 : 0;
    p.EngCut_Close = 0.2 + 0.01 * i;
    p.EngCut_OnDelay = 0.4 + 0.1 * (i % 3);
    p.EngCut_OffDelay = 0.6 + 0.1 * (i % 4);
}

void VarySettings() {
    gGeneralSettings.xMirror = 0;
    gGeneralSettings.yMirror = 1;
    gGeneralSettings.laserHeadPosition = 6;
    gGeneralSettings.onOffRepayOn = 1;
    gGeneralSettings.laserOnRepayMm = 0.125;
    gGeneralSettings.startEnergyPercent = 3.5;
    gGeneralSettings.laserOffRepayMm = 0.25;
    gGeneralSettings.speedLimitOn = 1;
    gGeneralSettings.speedLimits.RemoveAll();
    gGeneralSettings.speedLimits.AddTail(SpeedLimitRow{2.5, 30.0});
    gGeneralSettings.speedLimits.AddTail(SpeedLimitRow{7.5, 65.0});
    gOutputOptions.arrayDirection = 2;
    gOutputOptions.reverseIntervalOn = 1;
    gOutputOptions.reverseIntervals.RemoveAll();
    gOutputOptions.reverseIntervals.AddTail(ReverseIntervalRow{100.0, 0.1, 0.05});
    gOutputOptions.reverseIntervals.AddTail(ReverseIntervalRow{300.0, 0.2, 0.15});
    gOutputOptions.feedingOn = 0;
    gOutputOptions.feedingCount = 3;
    gOutputOptions.feedingDistanceMm = 450.0;
    gOutputOptions.rotateEngraveOn = 0;
    gOutputOptions.rotaryDiameterMm = 22.5;
    gOutputOptions.circlePulse = 1200.0;
    gOutputOptions.laser2OffsetXMm = 0.75;
    gOutputOptions.laser2OffsetYMm = -0.5;
    gOutputOptions.laser2OffsetOn = 1;
    gFileParaSettings = FileParaSettings{1000, 1, 0.35, 0, 0.15, 0, 0, 0.2, 0.0, 0, 0, 1, 3, 2.75};
    gProcessCtrlSettings = ProcessCtrlSettings{3,   12.5, 55.0, 4.5, 1, 1,   45.0, 5.5,
                                               95.0, 1.5, 0,    1,   1, 1, 150.0};
    gOptimSettings = OptimSettings{1, 1, 0, 1, 1, 60.0, 2, 0, 1, 1};
}

void VaryMachineRecords() {
    CVendorPara& v = gVendorPara;
    v.vendorWord = 7;
    for (int a = 0; a < CVendorPara::kAxisCount; ++a) {
        v.dirPolarity[a] = a % 2;
        v.limitPolarity[a] = (a + 1) % 2;
        v.keyDirInverted[a] = a == 2 ? 1 : 0;
        v.controlMode[a] = a == 1 ? 1 : 0;
        v.pwmRisingEdge[a] = a == 3 ? 1 : 0;
        v.hardLimitOn[a] = a < 2 ? 1 : 0;
        v.homingOn[a] = a == 0 ? 0 : 1;
        v.stepLengthUm[a] = 0.5 + 0.125 * a;
        v.maxSpeedMmPerS[a] = 900.0 + a;
        v.jumpOffSpeedMmPerS[a] = 6.0 + a;
        v.maxAccMmPerS2[a] = 7000.0 + a;
        v.breadthMm[a] = 800.0 + a;
        v.keyJumpOffSpeedMmPerS[a] = 7.0 + a;
        v.keyAccMmPerS2[a] = 2500.0 + a;
        v.estopAccMmPerS2[a] = 4500.0 + a;
        v.homeOffsetMm[a] = 1.5 + a;
    }
    v.tubeConfig = 1;
    v.laserType = 2;
    v.maxPower1Percent = 90.0;
    v.minPower1Percent = 8.0;
    v.maxPower2Percent = 85.0;
    v.minPower2Percent = 9.0;
    v.pwmFrequency1 = 20.0;
    v.pwmFrequency2 = 25.0;
    v.attenuationPercent = 12.0;
    v.preIgnitionFrequency1 = 4000.0;
    v.preIgnitionPulse1Percent = 0.75;
    v.preIgnitionFrequency2 = 3500.0;
    v.preIgnitionPulse2Percent = 0.625;
    v.laser1On = 0;
    v.laser2On = 1;
    v.waterProtect1On = 1;
    v.waterProtect2On = 0;
    v.lidProtectOn = 1;
    v.blowerOn = 1;
    v.machineType = 2;
    v.feedMode = 1;
    v.powerOffDelayMs = 1500.0;
    v.transmission = 3;
    v.zFunction = 1;

    CUserPara& u = gUserPara;
    u = CUserPara{210.0, 3100.0, 21.0,  410.0, 3200.0, 1,     1,     2.5, 110,    120,   130,
                  11.0,  12.0,   9000., 2900., 105.0,  1,     85.0,  25.0, {0, 1, 1, 0}, 2,
                  3.5,   1,      2,     1.25,  250.0,  2,     6.5,   0.5,  0.25,  1,     0.75};
}

// The element and, for a group, text or array, every child.
void PaintAll(CCadElement& element, std::uint32_t colour) {
    element.color = colour;
    if (auto* group = dynamic_cast<CCadGroup*>(&element)) {
        for (auto* node = group->children.head->next; node != group->children.head; node = node->next) {
            PaintAll(*node->value, colour);
        }
    }
}

// 256 layers: a vector layer of its own colour for each element of the first 248, bitmaps on 8 more;
// curves, points, groups, texts and arrays in turn.
void BuildDrawing(CCadMgr& manager) {
    constexpr int kVectorLayers = 248;
    constexpr int kBitmapLayers = 8;
    auto colourOf = [](int index) { return static_cast<std::uint32_t>(0x010203 * (index + 1)) & 0xFFFFFF; };
    for (int index = 0; index < kVectorLayers; ++index) {
        const double x = 6.0 * (index % 16);
        const double y = 6.0 * (index / 16);
        const std::uint32_t colour = colourOf(index);
        std::unique_ptr<CCadElement> element;
        switch (index % 5) {
            case 0:
                element = MakeCurve({{x, y}, {x + 4, y}, {x + 4, y + 3}, {x + 1, y + 4}}, true);
                break;
            case 1:
                element = MakePoint(x + 2, y + 2);
                break;
            case 2: {
                auto group = std::make_unique<CCadGroup>();
                group->children.AddTail(MakeSquare({x, y}, 3).release());
                group->children.AddTail(MakeCurve({{x, y + 3.5}, {x + 4, y + 3.5}}).release());
                element = std::move(group);
                break;
            }
            case 3: {
                auto text = MakeText(1);
                text->TransMove(x, y);
                element = std::move(text);
                break;
            }
            default: {
                auto array = std::make_unique<CCadArray>();
                array->children.AddTail(MakeSquare({x, y}, 1.5).release());
                array->columnCount = 2;
                array->rowCount = 2;
                array->columnSpacing = 0.5;
                array->rowSpacing = 0.5;
                element = std::move(array);
                break;
            }
        }
        PaintAll(*element, colour);
        element->CalRect();
        ASSERT_EQ(manager.AddElement(element.release()), 1);
    }
    for (int index = 0; index < kBitmapLayers; ++index) {
        auto bitmap = MakeBitmap(8 + index, 6, {120.0 + 12 * index, 40.0});
        bitmap->color = colourOf(kVectorLayers + index);
        ASSERT_EQ(manager.AddElement(bitmap.release()), 1);
    }
    int position = 0;
    for (auto* node = manager.layerList.head->next; node != manager.layerList.head; node = node->next) {
        CCadLayer* layer = node->value;
        VaryCommon(layer->commonParams, position);
        if (layer->commonParams.COM_Type == CCadLayer::kBitmapLayer) {
            VaryBitmap(static_cast<CCadBitmapLayer*>(layer)->bitmapParams, position);
        } else {
            VaryVector(static_cast<CCadVectorLayer*>(layer)->vectorParams, position);
        }
        ++position;
    }
    // The tables carry distinct values too, in the entries the drawing did not take.
    for (int index = 0; index < CCadMgr::kLayerTableSize; ++index) {
        VaryVector(manager.vectorLayerTable[index].vectorParams, 1000 - index);
        VaryBitmap(manager.bitmapLayerTable[index].bitmapParams, 2000 - index);
        VaryCommon(manager.bitmapLayerTable[index].commonParams, 3000 - index);
    }
}

class StoredBytes : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        FileFormatFlag = kCurrentLayout;
        PenModeFlag = 1;
        JobDestinationFlag = 0;
        RegisterDrawingSettingsFile();
        theCadMgr.DeleteAll();
        VarySettings();
        VaryMachineRecords();
        BuildDrawing(theCadMgr);
    }
    void TearDown() override { theCadMgr.DeleteAll(); }

    const std::filesystem::path folder = platform::ProgramFolder();
};

std::vector<std::uint8_t> JobBytes() {
    motionlink::JobMemorySink sink;
    CDataProcessDlg dialog;
    dialog.jobSink = &sink;
    CDataProcessDlg::WriteJobThread(&dialog);
    EXPECT_EQ(dialog.failed.load(), 0u);
    return sink.Bytes();
}

TEST_F(StoredBytes, DocumentOfEveryElementKindOn256Layers) {
    ASSERT_EQ(theCadMgr.layerList.GetCount(), 256);
    CCutrixDoc doc(theCadMgr);
    const std::vector<std::uint8_t> stored = doc.StoreDocument();
    ExpectStored("drawing.lcx", stored);

    theCadMgr.DeleteAll();
    ASSERT_EQ(doc.LoadDocument(stored), CCutrixDoc::LoadResult::kOpened);
    EXPECT_TRUE(doc.StoreDocument() == stored);
}

TEST_F(StoredBytes, SettingsFilesOfTheProgramFolder) {
    SaveAllSettings(folder);
    const char* names[] = {"config", "lpara", "vpara", "upara"};
    for (const char* name : names) {
        ExpectStored(name, ReadBytes(folder / name));
    }

    // Read back over the built-in values, then written again: the same bytes.
    const std::filesystem::path again = folder / "again";
    std::filesystem::create_directories(again);
    for (const char* name : names) {
        std::filesystem::copy_file(kStoredFolder / name, again / name);
    }
    gGeneralSettings = GeneralSettings{};
    gOutputOptions.reverseIntervals.RemoveAll();
    gOutputOptions = OutputOptions{};
    gFileParaSettings = FileParaSettings{};
    gProcessCtrlSettings = ProcessCtrlSettings{};
    gOptimSettings = OptimSettings{};
    gVendorPara = CVendorPara{};
    gUserPara = CUserPara{};
    theCadMgr.DeleteAll();
    LoadAllSettings(again);
    std::filesystem::remove(again / "config");
    std::filesystem::remove(again / "lpara");
    std::filesystem::remove(again / "vpara");
    std::filesystem::remove(again / "upara");
    SaveAllSettings(again);
    for (const char* name : names) {
        EXPECT_TRUE(ReadBytes(again / name) == ReadBytes(kStoredFolder / name)) << name << " read back";
    }
}

TEST_F(StoredBytes, ParameterStoreOfBothMachineRecords) {
    CSettingstore store;
    gVendorPara.SaveToStore(store);
    gUserPara.SaveToStore(store);
    const std::filesystem::path file = folder / "machine.para";
    ASSERT_NE(store.ExportParaFile(file), 0);
    ExpectStored("machine.para", ReadBytes(file));

    CSettingstore loaded;
    ASSERT_NE(loaded.ImportParaFile(kStoredFolder / "machine.para"), 0);
    CVendorPara vendor;
    CUserPara user;
    ASSERT_TRUE(vendor.LoadFromStore(loaded));
    ASSERT_TRUE(user.LoadFromStore(loaded));
    CSettingstore again;
    vendor.SaveToStore(again);
    user.SaveToStore(again);
    ASSERT_NE(again.ExportParaFile(folder / "again.para"), 0);
    EXPECT_TRUE(ReadBytes(folder / "again.para") == ReadBytes(file));
}

TEST_F(StoredBytes, JobOfTheRichDrawing) {
    const std::vector<std::uint8_t> job = JobBytes();
    ExpectStored("drawing.zint", job);

    // The drawing read back from its document writes the same job.
    CCutrixDoc doc(theCadMgr);
    const std::vector<std::uint8_t> stored = doc.StoreDocument();
    theCadMgr.DeleteAll();
    ASSERT_EQ(doc.LoadDocument(stored), CCutrixDoc::LoadResult::kOpened);
    EXPECT_TRUE(JobBytes() == job);
}

TEST_F(StoredBytes, LanguageFilesOfTheBuiltInTexts) {
    for (std::uint16_t index = 0; index <= kLastLanguageIndex; ++index) {
        LanguageIndex = index;
        ClearLangStore();
        WriteDefaultTexts();
        const std::string name(LanguageFileName(index));
        ASSERT_EQ(SaveLangFile(folder / name), 0);
        ExpectStored(name, ReadBytes(folder / name));

        ClearLangStore();
        ASSERT_EQ(LoadLangFile(kStoredFolder / name), 0);
        ASSERT_EQ(SaveLangFile(folder / "again.ini"), 0);
        EXPECT_TRUE(ReadBytes(folder / "again.ini") == ReadBytes(kStoredFolder / name)) << name;
    }
    LanguageIndex = kLanguageEnglish;
}

}  // namespace
