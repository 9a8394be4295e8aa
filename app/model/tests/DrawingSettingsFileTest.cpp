// "lpara" through the settings library, with the drawing manager's settings block registered as its
// content: saved at exit, read at the next start, in either layer layout, and never half taken.
#include "CadMgr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "AtomicFile.h"
#include "LayerParaFile.h"
#include "SettingsBlockBytes.h"
#include "SettingsFiles.h"
#include "SettingsGlobals.h"
#include "TempHome.h"

namespace {

class DrawingSettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetManager();
        RegisterDrawingSettingsFile();
    }
    void TearDown() override {
        SetLayerParaSerializer(nullptr);
        ResetManager();
    }
    static void ResetManager() {
        static_cast<CadMgrSettings&>(theCadMgr) = CadMgrSettings{};
        theCadMgr.ResetLayerTables();
        ShowPathOn = 0;
        FillDisplayOn = 0;
        FileFormatFlag = kCurrentLayout;
    }
    static std::filesystem::path Folder() { return cutrix::testing::TempHome(); }
    static std::filesystem::path LayerParaPath() { return Folder() / "lpara"; }
};

}  // namespace

TEST_F(DrawingSettingsFileTest, SavedSettingsComeBackAtTheNextStart) {
    theCadMgr.vectorLayerTable[7].commonParams.COM_Pmax1 = 55.0;
    theCadMgr.bitmapLayerTable[30].commonParams.COM_Color = 0x00123456;
    theCadMgr.gridStep = 20.0;
    theCadMgr.textParam.trueTypeFont = "Verdana";
    FillDisplayOn = 1;
    SaveAllSettings(Folder());
    ASSERT_TRUE(std::filesystem::exists(LayerParaPath()));

    ResetManager();
    LoadAllSettings(Folder());
    EXPECT_EQ(theCadMgr.vectorLayerTable[7].commonParams.COM_Pmax1, 55.0);
    EXPECT_EQ(theCadMgr.bitmapLayerTable[30].commonParams.COM_Color, 0x00123456u);
    EXPECT_EQ(theCadMgr.gridStep, 20.0);
    EXPECT_EQ(theCadMgr.textParam.trueTypeFont, "Verdana");
    EXPECT_EQ(FillDisplayOn, 1);
}

TEST_F(DrawingSettingsFileTest, AnOlderLayoutFileIsReadWhenTheFormatFlagIsZero) {
    const auto writer = std::make_unique<CCadMgr>();
    SetDistinctSettings(*writer);
    ShowPathOn = 0;
    ASSERT_TRUE(platform::WriteFileAtomically(LayerParaPath(),
                                              DistinctSettingsBlock(*writer, LayerLayout::Older).Bytes()));

    FileFormatFlag = kOlderLayout;  // as after reading an older "config"
    LoadAllSettings(Folder());
    EXPECT_EQ(theCadMgr.workWidth, 1500.0);
    EXPECT_EQ(theCadMgr.vectorLayerTable[5].commonParams.COM_Speed, 42.0);
    EXPECT_EQ(theCadMgr.bitmapLayerTable[200].bitmapParams.Eng_Space, 0.25);
    EXPECT_EQ(theCadMgr.dataCheck, writer->dataCheck);
    EXPECT_EQ(ShowPathOn, 1);
    EXPECT_EQ(FileFormatFlag, kOlderLayout);
}

TEST_F(DrawingSettingsFileTest, AShortFileChangesNothingAndIsKept) {
    const auto writer = std::make_unique<CCadMgr>();
    SetDistinctSettings(*writer);
    ShowPathOn = 0;
    std::vector<std::uint8_t> bytes = DistinctSettingsBlock(*writer, LayerLayout::Current).Bytes();
    bytes.pop_back();
    ASSERT_TRUE(platform::WriteFileAtomically(LayerParaPath(), bytes));

    platform::Archive archive = platform::Archive::ForLoading(bytes);
    EXPECT_FALSE(SerializeDrawingSettingsFile(archive));  // the end of the bytes does not escape
    LoadAllSettings(Folder());
    EXPECT_EQ(theCadMgr.workWidth, 1200.0);
    EXPECT_EQ(theCadMgr.vectorLayerTable[5].commonParams.COM_Speed, 100.0);
    EXPECT_EQ(ShowPathOn, 0);
    EXPECT_EQ(platform::ReadWholeFile(LayerParaPath()), bytes);
}
