// The layer parameter dialog's edit state over a real drawing: edit copies, the chosen layer, the mode
// list of its kind, OK and Cancel.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "CurrentEditLayer.h"
#include "LayerEditState.h"
#include "SettingsGlobals.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;  // slot 1
constexpr std::uint32_t kGreen = 0x00FF00;

class LayerEditStateTest : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        PenModeFlag = 0;
        layerA = AddSquare(0, 0, 5, kBlue)->layer;
        layerB = AddSquare(10, 0, 5, kGreen)->layer;
        CurrentEditLayer = layerA;
    }
    void TearDown() override {
        CurrentEditLayer = nullptr;
        PenModeFlag = 0;
    }
    int SlotOf(std::uint32_t color) const {
        for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
            if (manager->vectorLayerTable[slot].commonParams.COM_Color == color) {
                return slot;
            }
        }
        return -1;
    }
    // A edited, then B chosen in the list and edited.
    void EditBoth(LayerEditState& state) {
        ASSERT_TRUE(state.BeginEdit());
        state.Common().COM_Speed = 25.0;
        state.Select(1);
        state.Common().COM_Pmax1 = 60.0;
    }

    CCadLayer* layerA = nullptr;
    CCadLayer* layerB = nullptr;
};

TEST_F(LayerEditStateTest, CancelLeavesCommittedCopiesAndTables) {
    const double speedBefore = layerA->commonParams.COM_Speed;
    const double powerBefore = layerB->commonParams.COM_Pmax1;
    {
        LayerEditState state(*manager);
        EditBoth(state);
    }
    EXPECT_EQ(layerA->commonParams.COM_Speed, speedBefore);
    EXPECT_EQ(layerB->commonParams.COM_Pmax1, powerBefore);
    EXPECT_EQ(manager->vectorLayerTable[SlotOf(kBlue)].commonParams.COM_Speed, speedBefore);

    // The next opening starts again from the committed copies.
    LayerEditState again(*manager);
    ASSERT_TRUE(again.BeginEdit());
    EXPECT_EQ(layerB->editCommonParams.COM_Pmax1, powerBefore);
}

TEST_F(LayerEditStateTest, OkCommitsEveryEditedLayerAndItsTableSlot) {
    LayerEditState state(*manager);
    EditBoth(state);
    state.CommitEdit();
    EXPECT_EQ(layerA->commonParams.COM_Speed, 25.0);
    EXPECT_EQ(layerB->commonParams.COM_Pmax1, 60.0);
    EXPECT_EQ(manager->vectorLayerTable[SlotOf(kBlue)].commonParams.COM_Speed, 25.0);
    EXPECT_EQ(manager->vectorLayerTable[SlotOf(kGreen)].commonParams.COM_Pmax1, 60.0);
    EXPECT_EQ(CurrentEditLayer, layerB);
}

TEST_F(LayerEditStateTest, NothingToEditClosesTheDialog) {
    LayerEditState state(*manager);
    CurrentEditLayer = nullptr;
    EXPECT_FALSE(state.BeginEdit());
}

TEST_F(LayerEditStateTest, RowOutsideTheListKeepsTheEditedLayer) {
    LayerEditState state(*manager);
    ASSERT_TRUE(state.BeginEdit());
    state.Select(-1);
    state.Select(7);
    EXPECT_EQ(state.SelectedRow(), 0);
    EXPECT_EQ(CurrentEditLayer, layerA);
}

TEST_F(LayerEditStateTest, BitmapLayerChosenAfterAVectorOneEditsOnlyItsOwnCopy) {
    CCadLayer* bitmapLayer = Add(MakeBitmap(4, 4, {30, 30}), kBlue)->layer;
    LayerEditState state(*manager);
    ASSERT_TRUE(state.BeginEdit());
    state.Select(2);
    ASSERT_EQ(CurrentEditLayer, bitmapLayer);
    EXPECT_FALSE(state.IsVector());
    ASSERT_NE(state.Bitmap(), nullptr);
    EXPECT_EQ(state.ModeItems(), std::vector<LayerPage>{LayerPage::Scan});
    EXPECT_EQ(state.ShownPage(), LayerPage::Scan);
    EXPECT_EQ(state.ModeSelection(), 0);

    state.Common().COM_Speed = 33.0;
    state.Bitmap()->Eng_Space = 0.25;
    state.CommitEdit();
    EXPECT_EQ(bitmapLayer->commonParams.COM_Speed, 33.0);
    EXPECT_NE(layerA->commonParams.COM_Speed, 33.0);
    EXPECT_EQ(manager->bitmapLayerTable[1].bitmapParams.Eng_Space, 0.25);
    EXPECT_NE(manager->vectorLayerTable[1].commonParams.COM_Speed, 33.0);
}

struct ModeCase {
    const char* what;
    std::uint16_t penModeFlag;
    std::uint16_t workType;
    int selection;
    LayerPage page;
    bool powers;
};

TEST_F(LayerEditStateTest, ModeListAndPageFollowTheStoredModeAndThePenRule) {
    const std::vector<ModeCase> cases = {
        {"cut", 0, 1, 1, LayerPage::Cut, true},
        {"scan", 0, 0, 0, LayerPage::Scan, true},
        {"pen without pen mode", 0, 3, -1, LayerPage::Dot, false},
        {"pen with pen mode", 1, 3, 3, LayerPage::Pen, false},
        {"beyond pen", 1, 9, 3, LayerPage::Pen, false},
    };
    for (const ModeCase& c : cases) {
        PenModeFlag = c.penModeFlag;
        LayerEditState state(*manager);
        ASSERT_TRUE(state.BeginEdit());
        state.Vector()->COM_WorkType = c.workType;
        EXPECT_EQ(state.ModeSelection(), c.selection) << c.what;
        EXPECT_EQ(state.ShownPage(), c.page) << c.what;
        EXPECT_EQ(state.PowerControlsEnabled(), c.powers) << c.what;
        EXPECT_EQ(state.ModeItems().size(), c.penModeFlag == 1 ? 4u : 3u) << c.what;
    }
}

TEST_F(LayerEditStateTest, ChoosingAModeOutsideTheListChangesNothing) {
    LayerEditState state(*manager);
    ASSERT_TRUE(state.BeginEdit());
    state.ChooseMode(2);
    EXPECT_EQ(state.Vector()->COM_WorkType, 2);
    state.ChooseMode(3);  // no pen mode
    EXPECT_EQ(state.Vector()->COM_WorkType, 2);
}

}  // namespace
