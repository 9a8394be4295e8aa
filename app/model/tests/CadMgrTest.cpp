// CCadMgr: the layer tables after construction and after a reset, and the settings block.
#include "CadMgr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "SettingsBlockBytes.h"
#include "SettingsGlobals.h"

namespace {

// The display switches and the layer layout are globals: every test starts and ends with their start values.
class CadMgrTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    static void ResetGlobals() {
        ShowPathOn = 0;
        FillDisplayOn = 0;
        FileFormatFlag = kCurrentLayout;
    }
    // 512 layers: too large for the stack.
    static std::unique_ptr<CCadMgr> NewManager() { return std::make_unique<CCadMgr>(); }
};

// Both managers hold the same settings and the same parameters in every table entry.
void ExpectSameSettings(const CCadMgr& actual, const CCadMgr& expected) {
    EXPECT_TRUE(static_cast<const CadMgrSettings&>(actual) == static_cast<const CadMgrSettings&>(expected));
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        EXPECT_EQ(actual.vectorLayerTable[slot].commonParams, expected.vectorLayerTable[slot].commonParams)
            << slot;
        EXPECT_EQ(actual.vectorLayerTable[slot].vectorParams, expected.vectorLayerTable[slot].vectorParams)
            << slot;
        EXPECT_EQ(actual.bitmapLayerTable[slot].commonParams, expected.bitmapLayerTable[slot].commonParams)
            << slot;
        EXPECT_EQ(actual.bitmapLayerTable[slot].bitmapParams, expected.bitmapLayerTable[slot].bitmapParams)
            << slot;
    }
}

// The stored block with one of the first three fields replaced.
std::vector<std::uint8_t> BlockWith(std::vector<std::uint8_t> bytes, std::size_t offset,
                                    const RecordBytes& value) {
    std::copy(value.Bytes().begin(), value.Bytes().end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

constexpr std::size_t kWidthOffset = 0;
constexpr std::size_t kHeightOffset = 8;
constexpr std::size_t kCornerOffset = 16;

}  // namespace

TEST_F(CadMgrTest, TablesHoldTheTwentySlotColoursThenFreeSlots) {
    const auto manager = NewManager();
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        const std::uint32_t expected = slot < 20 ? CCadMgr::kSlotColors[slot] : 0;
        EXPECT_EQ(manager->vectorLayerTable[slot].commonParams.COM_Color, expected) << slot;
        EXPECT_EQ(manager->bitmapLayerTable[slot].commonParams.COM_Color, expected) << slot;
        EXPECT_EQ(manager->vectorLayerTable[slot].commonParams.COM_Type, CCadLayer::kVectorLayer);
        EXPECT_EQ(manager->bitmapLayerTable[slot].commonParams.COM_Type, CCadLayer::kBitmapLayer);
    }
    EXPECT_EQ(manager->vectorLayerTable[4].commonParams.COM_Color, 0x7280FAu);
    EXPECT_EQ(manager->bitmapLayerTable[19].commonParams.COM_Color, 0x75A0B3u);
}

TEST_F(CadMgrTest, ResetPutsEditedEntriesBackToTheirDefaults) {
    const auto manager = NewManager();
    manager->vectorLayerTable[3].commonParams.COM_Speed = 5.0;
    manager->vectorLayerTable[3].vectorParams.Dot_Len = 2.0;
    manager->bitmapLayerTable[40].commonParams.COM_Color = 0x123456;
    manager->ResetLayerTables();
    EXPECT_DOUBLE_EQ(manager->vectorLayerTable[3].commonParams.COM_Speed, 100.0);
    EXPECT_DOUBLE_EQ(manager->vectorLayerTable[3].vectorParams.Dot_Len, 0.0);
    EXPECT_EQ(manager->vectorLayerTable[3].commonParams.COM_Color, 0x00FF00u);
    EXPECT_EQ(manager->bitmapLayerTable[40].commonParams.COM_Color, 0u);
}

TEST_F(CadMgrTest, SettingsStartWithTheirDefaults) {
    const auto manager = NewManager();
    EXPECT_EQ(manager->workWidth, 1200.0);
    EXPECT_EQ(manager->workHeight, 800.0);
    EXPECT_EQ(manager->originCorner, 1);
    EXPECT_EQ(manager->gridVisible, 1u);
    EXPECT_EQ(manager->gridStep, 50.0);
    EXPECT_EQ(manager->largeStepRatio, 10.0);
    EXPECT_EQ(manager->backgroundColor, 0x00FFFFFFu);
    EXPECT_EQ(manager->pageFrameColor, 0u);
    EXPECT_EQ(manager->gridColor, 0x0099A8ACu);
    EXPECT_EQ(manager->fontName1, "宋体");
    EXPECT_EQ(manager->fontName2, "FS.SHX");
    EXPECT_EQ(manager->settingDouble1, 8.0);
    EXPECT_EQ(manager->smoothingValue, 0.3);
    EXPECT_EQ(manager->mergeTolerance, 0.1);
    EXPECT_EQ(manager->closingTolerance, 0.1);
    EXPECT_EQ(manager->overlapTolerance, 0.001);
    EXPECT_EQ(manager->bitmapOptionWord, 1u);
    EXPECT_EQ(manager->textParam, CTextParam{});
    EXPECT_EQ(manager->dataCheck, DataCheckSettings{});
}

TEST_F(CadMgrTest, SettingsBlockStoresEveryFieldInFileOrderAndLoadsItBack) {
    const auto stored = NewManager();
    SetDistinctSettings(*stored);
    const RecordBytes expected = DistinctSettingsBlock(*stored, LayerLayout::Current);
    platform::Archive out = platform::Archive::ForStoring();
    EXPECT_EQ(stored->Serialize(out), 1);
    ASSERT_EQ(out.Bytes(), expected.Bytes());

    ShowPathOn = 0;
    FillDisplayOn = 1;
    const auto loaded = NewManager();
    platform::Archive in = expected.ForLoading();
    EXPECT_EQ(loaded->Serialize(in), 1);
    EXPECT_EQ(in.Remaining(), 0u);
    ExpectSameSettings(*loaded, *stored);
    EXPECT_EQ(ShowPathOn, 1);
    EXPECT_EQ(FillDisplayOn, 0);
}

TEST_F(CadMgrTest, OlderLayoutTablesAreReadWhenTheFormatFlagSaysSo) {
    const auto stored = NewManager();
    SetDistinctSettings(*stored);
    const RecordBytes older = DistinctSettingsBlock(*stored, LayerLayout::Older);

    const auto loaded = NewManager();
    loaded->vectorLayerTable[5].vectorParams.Cut_ThroughMode = 0;  // not in the older layout
    FileFormatFlag = kOlderLayout;
    platform::Archive in = older.ForLoading();
    ASSERT_EQ(loaded->SerializeSettingsFile(in), 1);
    EXPECT_EQ(loaded->vectorLayerTable[5].commonParams.COM_Speed, 42.0);
    EXPECT_EQ(loaded->vectorLayerTable[5].vectorParams.Dot_Space, 3.5);
    EXPECT_EQ(loaded->vectorLayerTable[5].vectorParams.Cut_ThroughMode, 0);
    EXPECT_EQ(loaded->bitmapLayerTable[200].commonParams.COM_Color, 0x00ABCDEFu);
    EXPECT_EQ(loaded->dataCheck, stored->dataCheck);
}

TEST_F(CadMgrTest, WorkSizesAndOriginCornersOutsideTheirRangesAreRefused) {
    const auto source = NewManager();
    SetDistinctSettings(*source);
    const std::vector<std::uint8_t> block = DistinctSettingsBlock(*source, LayerLayout::Current).Bytes();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::size_t offset;
        RecordBytes value;
        int result;
    };
    const Case cases[] = {
        {"smallest width", kWidthOffset, RecordBytes{}.F64(1.0), 1},
        {"largest width", kWidthOffset, RecordBytes{}.F64(100000.0), 1},
        {"width below 1", kWidthOffset, RecordBytes{}.F64(0.99), 0},
        {"width above the largest", kWidthOffset, RecordBytes{}.F64(100000.1), 0},
        {"width not a number", kWidthOffset, RecordBytes{}.F64(nan), 0},
        {"largest height", kHeightOffset, RecordBytes{}.F64(100000.0), 1},
        {"height below 1", kHeightOffset, RecordBytes{}.F64(0.5), 0},
        {"height not a number", kHeightOffset, RecordBytes{}.F64(nan), 0},
        {"last corner", kCornerOffset, RecordBytes{}.U16(3), 1},
        {"corner 4", kCornerOffset, RecordBytes{}.U16(4), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto manager = NewManager();
        platform::Archive in = platform::Archive::ForLoading(BlockWith(block, c.offset, c.value));
        EXPECT_EQ(manager->Serialize(in), c.result);
        if (c.result == 0) {
            const auto untouched = NewManager();
            ExpectSameSettings(*manager, *untouched);
            EXPECT_EQ(ShowPathOn, 0);
        }
        ShowPathOn = 0;
    }
}

// Reading took over the work width before the height was checked, so a refused block still changed it.
TEST_F(CadMgrTest, RefusedWorkHeightLeavesTheWorkWidthAsItWas) {
    const RecordBytes start = RecordBytes{}.F64(2000.0).F64(0.5);
    const auto manager = NewManager();
    platform::Archive in = start.ForLoading();
    EXPECT_EQ(manager->Serialize(in), 0);
    EXPECT_EQ(manager->workWidth, 1200.0);
}

TEST_F(CadMgrTest, AShortBlockThrowsAndChangesNothing) {
    const auto source = NewManager();
    SetDistinctSettings(*source);
    const std::vector<std::uint8_t> block = DistinctSettingsBlock(*source, LayerLayout::Current).Bytes();
    const std::size_t dataCheckStart = block.size() - DataCheckSettings::kStoredBytes;
    const std::size_t bitmapTableStart =
        dataCheckStart -
        CCadMgr::kLayerTableSize * (LayerCommonParams::kStoredBytes + BitmapLayerParams::kCurrentStoredBytes);
    ShowPathOn = 0;
    const std::size_t cuts[] = {
        12,                    // inside the work height
        18,                    // after the origin corner
        200,                   // inside the text parameters
        bitmapTableStart - 7,  // inside the last vector entry
        bitmapTableStart + 5,  // inside the first bitmap entry
        block.size() - 1,      // inside the data check record
    };
    for (std::size_t kept : cuts) {
        const auto manager = NewManager();
        platform::Archive in =
            platform::Archive::ForLoading({block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept)});
        EXPECT_THROW(manager->Serialize(in), platform::ArchiveError) << kept;
        const auto untouched = NewManager();
        ExpectSameSettings(*manager, *untouched);
        EXPECT_EQ(ShowPathOn, 0) << kept;
    }
}

TEST_F(CadMgrTest, BytesAfterTheBlockAreLeftForTheDrawingButRefusedInTheSettingsFile) {
    const auto source = NewManager();
    SetDistinctSettings(*source);
    std::vector<std::uint8_t> bytes = DistinctSettingsBlock(*source, LayerLayout::Current).Bytes();
    bytes.push_back(0xDD);

    const auto document = NewManager();
    platform::Archive documentArchive = platform::Archive::ForLoading(bytes);
    EXPECT_EQ(document->Serialize(documentArchive), 1);
    EXPECT_EQ(documentArchive.Remaining(), 1u);
    EXPECT_EQ(document->workWidth, 1500.0);

    ShowPathOn = 0;
    const auto settingsFile = NewManager();
    platform::Archive fileArchive = platform::Archive::ForLoading(bytes);
    EXPECT_EQ(settingsFile->SerializeSettingsFile(fileArchive), 0);
    const auto untouched = NewManager();
    ExpectSameSettings(*settingsFile, *untouched);
    EXPECT_EQ(ShowPathOn, 0);
}
