#include "LayerParaFile.h"

#include "SettingsTestSupport.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stands in for the drawing manager: its block holds one word, and a second one in the current layout.
struct FakeDrawingManager {
    std::uint32_t value = 0;
    std::uint32_t extra = 0;
    std::vector<std::uint16_t> layoutsSeen;

    bool Serialize(platform::Archive& archive) {
        layoutsSeen.push_back(FileFormatFlag);
        const bool current = FileFormatFlag == kCurrentLayout;
        if (archive.IsStoring()) {
            archive.WriteU32(value);
            if (current) {
                archive.WriteU32(extra);
            }
            return true;
        }
        const std::uint32_t loadedValue = archive.ReadU32();
        const std::uint32_t loadedExtra = current ? archive.ReadU32() : 0;
        if (archive.Remaining() != 0) {
            return false;
        }
        value = loadedValue;
        extra = loadedExtra;
        return true;
    }
};

class LayerParaFileTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetLayerParaSerializer([this](platform::Archive& archive) { return manager.Serialize(archive); });
    }
    void TearDown() override {
        SetLayerParaSerializer(nullptr);
        SettingsTest::TearDown();
    }
    std::filesystem::path File() const { return cutrix::testing::TempHome() / "lpara"; }

    FakeDrawingManager manager;
};

std::vector<std::uint8_t> Words(std::initializer_list<std::uint32_t> words) {
    platform::Archive archive = platform::Archive::ForStoring();
    for (std::uint32_t word : words) {
        archive.WriteU32(word);
    }
    return archive.Bytes();
}

}  // namespace

TEST_F(LayerParaFileTest, ASavedFileIsReadInItsOwnLayoutWhateverConfigSaid) {
    manager.value = 11;
    manager.extra = 22;
    FileFormatFlag = kOlderLayout;  // an older "config" was read first
    ASSERT_EQ(SaveLayerPara(File()), 1);
    EXPECT_EQ(FileFormatFlag, kOlderLayout);

    manager = FakeDrawingManager{};
    ASSERT_EQ(LoadLayerPara(File()), 1);
    EXPECT_EQ(manager.value, 11u);
    EXPECT_EQ(manager.extra, 22u);
    EXPECT_EQ(manager.layoutsSeen, (std::vector<std::uint16_t>{kCurrentLayout}));
    EXPECT_EQ(FileFormatFlag, kOlderLayout);
}

TEST_F(LayerParaFileTest, AnOlderLparaBesideANewerConfigIsNoLongerMisread) {
    WriteFile(File(), Words({33}));  // an unmarked file in the older layout
    FileFormatFlag = kCurrentLayout;
    ASSERT_EQ(LoadLayerPara(File()), 1);
    EXPECT_EQ(manager.value, 33u);
    EXPECT_EQ(manager.layoutsSeen.back(), kOlderLayout);
    EXPECT_EQ(FileFormatFlag, kCurrentLayout);
}

TEST_F(LayerParaFileTest, AnUnmarkedCurrentLparaBesideAnOlderConfigIsReadInTheCurrentLayout) {
    WriteFile(File(), Words({44, 55}));
    FileFormatFlag = kOlderLayout;
    ASSERT_EQ(LoadLayerPara(File()), 1);
    EXPECT_EQ(manager.value, 44u);
    EXPECT_EQ(manager.extra, 55u);
    EXPECT_EQ(manager.layoutsSeen, (std::vector<std::uint16_t>{kCurrentLayout}));
}

TEST_F(LayerParaFileTest, MissingFilesAndMissingSerialisers) {
    EXPECT_EQ(LoadLayerPara(File()), 0);
    WriteFile(File(), Words({1, 2, 3}));  // fits no layout: read, but nothing taken
    EXPECT_EQ(LoadLayerPara(File()), 0);
    EXPECT_EQ(manager.value, 0u);
    EXPECT_EQ(manager.layoutsSeen, (std::vector<std::uint16_t>{kCurrentLayout, kOlderLayout}));
    SetLayerParaSerializer(nullptr);
    EXPECT_EQ(SaveLayerPara(File()), 0);
    EXPECT_EQ(FileBytes(File()), Words({1, 2, 3}));
}
