// CCadMgr: the layer tables after construction and after a reset.
#include "CadMgr.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(CadMgr, TablesHoldTheTwentySlotColoursThenFreeSlots) {
    const auto owner = std::make_unique<CCadMgr>();  // 512 layers: too large for the stack
    CCadMgr& manager = *owner;
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        const std::uint32_t expected = slot < 20 ? CCadMgr::kSlotColors[slot] : 0;
        EXPECT_EQ(manager.vectorLayerTable[slot].commonParams.COM_Color, expected) << slot;
        EXPECT_EQ(manager.bitmapLayerTable[slot].commonParams.COM_Color, expected) << slot;
        EXPECT_EQ(manager.vectorLayerTable[slot].commonParams.COM_Type, CCadLayer::kVectorLayer);
        EXPECT_EQ(manager.bitmapLayerTable[slot].commonParams.COM_Type, CCadLayer::kBitmapLayer);
    }
    EXPECT_EQ(manager.vectorLayerTable[4].commonParams.COM_Color, 0x7280FAu);
    EXPECT_EQ(manager.bitmapLayerTable[19].commonParams.COM_Color, 0x75A0B3u);
}

TEST(CadMgr, ResetPutsEditedEntriesBackToTheirDefaults) {
    const auto owner = std::make_unique<CCadMgr>();  // 512 layers: too large for the stack
    CCadMgr& manager = *owner;
    manager.vectorLayerTable[3].commonParams.COM_Speed = 5.0;
    manager.vectorLayerTable[3].vectorParams.Dot_Len = 2.0;
    manager.bitmapLayerTable[40].commonParams.COM_Color = 0x123456;
    manager.ResetLayerTables();
    EXPECT_DOUBLE_EQ(manager.vectorLayerTable[3].commonParams.COM_Speed, 100.0);
    EXPECT_DOUBLE_EQ(manager.vectorLayerTable[3].vectorParams.Dot_Len, 0.0);
    EXPECT_EQ(manager.vectorLayerTable[3].commonParams.COM_Color, 0x00FF00u);
    EXPECT_EQ(manager.bitmapLayerTable[40].commonParams.COM_Color, 0u);
}

}  // namespace
