// CCadBitmapLayer: the block's defaults, both record layouts byte for byte, what the older layout leaves
// alone, the table copies, and the output record.
#include "CadBitmapLayer.h"

#include <gtest/gtest.h>

#include "CadMgr.h"
#include "LayerTestSupport.h"

namespace {

BitmapLayerParams DistinctBitmapParams() {
    BitmapLayerParams p;
    p.Eng_Invert = 1;
    p.Eng_EnOptim = 2;
    p.Eng_EnSlope = 3;
    p.Eng_OptDirect = 4;
    p.Eng_OptMode = 5;
    p.Eng_SlopeLen = 0.8;
    p.Eng_ThickFont = 2;
    p.Eng_Type = 3;
    p.Eng_Space = 0.07;
    p.Eng_EnCut = 6;
    p.EngCut_Speed = 44.5;
    p.EngCut_Pmin1 = 31.0;
    p.EngCut_Pmax1 = 32.0;
    p.EngCut_Pmin2 = 33.0;
    p.EngCut_Pmax2 = 34.0;
    p.EngCut_Blow = 0;
    p.EngCut_DefaultSpeed = 7;
    p.EngCut_DefaultPower = 8;
    p.EngCut_Close = 0.25;
    p.EngCut_OnDelay = 1.5;
    p.EngCut_OffDelay = 2.5;
    return p;
}

RecordBytes BitmapRecordBytes(const LayerCommonParams& common, const BitmapLayerParams& p,
                              LayerLayout layout) {
    RecordBytes bytes = CommonBlockBytes(common);
    bytes.I32(p.Eng_Invert).I32(p.Eng_EnOptim).I32(p.Eng_EnSlope).F64(p.Eng_SlopeLen).I32(p.Eng_OptDirect);
    bytes.U16(p.Eng_ThickFont).U8(p.Eng_Type).F64(p.Eng_Space).I32(p.Eng_EnCut);
    bytes.F64(p.EngCut_Speed).F64(p.EngCut_Pmin1).F64(p.EngCut_Pmax1).F64(p.EngCut_Pmin2).F64(p.EngCut_Pmax2);
    bytes.I32(p.EngCut_Blow).I32(p.EngCut_DefaultSpeed).I32(p.EngCut_DefaultPower);
    bytes.F64(p.EngCut_Close).F64(p.EngCut_OnDelay).F64(p.EngCut_OffDelay);
    if (layout == LayerLayout::Current) {
        bytes.I32(p.Eng_OptMode);
    }
    return bytes;
}

class BitmapLayerRecord : public LayerRecordTest {};

TEST(CadBitmapLayer, NewLayerIsTypeOneWithTheScanDefaults) {
    const CCadBitmapLayer layer;
    EXPECT_EQ(layer.commonParams.COM_Type, CCadLayer::kBitmapLayer);
    EXPECT_EQ(layer.commonParams.COM_Color, 0u);
    const BitmapLayerParams& p = layer.bitmapParams;
    EXPECT_EQ(p.Eng_Type, 1);
    EXPECT_DOUBLE_EQ(p.Eng_Space, 0.1);
    EXPECT_DOUBLE_EQ(p.EngCut_Speed, 0.0);
    EXPECT_EQ(p.EngCut_Blow, 1);
    EXPECT_EQ(p.Eng_OptMode, 0);
    EXPECT_DOUBLE_EQ(p.EngCut_Pmax2, 30.0);
}

TEST_F(BitmapLayerRecord, CurrentLayoutIsTwoHundredThirtySevenBytesAndReadsBackEveryField) {
    CCadBitmapLayer layer;
    layer.commonParams = StoredCommon(CCadLayer::kBitmapLayer);
    layer.bitmapParams = DistinctBitmapParams();
    const RecordBytes expected =
        BitmapRecordBytes(layer.commonParams, layer.bitmapParams, LayerLayout::Current);
    EXPECT_EQ(expected.Size(), 237u);
    ExpectStoredExactlyAndReadBack(layer, &CCadBitmapLayer::bitmapParams, expected);
}

TEST_F(BitmapLayerRecord, OlderLayoutIsTwoHundredThirtyThreeBytesAndKeepsIndependentOutput) {
    const BitmapLayerParams stored = DistinctBitmapParams();
    const RecordBytes older =
        BitmapRecordBytes(StoredCommon(CCadLayer::kBitmapLayer), stored, LayerLayout::Older);
    EXPECT_EQ(older.Size(), 233u);

    CCadBitmapLayer created;  // a layer made for the read: the default
    ReadWholeRecord(created, older, kOlderLayout);
    BitmapLayerParams expected = stored;
    expected.Eng_OptMode = 0;
    EXPECT_EQ(created.bitmapParams, expected);
    EXPECT_EQ(created.commonParams, StoredCommon(CCadLayer::kBitmapLayer));

    CCadBitmapLayer entry;  // a table entry: its previous value
    entry.bitmapParams.Eng_OptMode = 9;
    platform::Archive again = older.ForLoading();
    entry.Serialize(again);
    EXPECT_EQ(entry.bitmapParams.Eng_OptMode, 9);
}

TEST_F(BitmapLayerRecord, ReadingACurrentRecordInTheOlderLayoutLeavesItsLastFourBytes) {
    CCadBitmapLayer layer;
    FileFormatFlag = kOlderLayout;
    platform::Archive archive = platform::Archive::ForLoading(StoredBytes(layer));
    layer.Serialize(archive);
    EXPECT_EQ(archive.Remaining(), 4u);
}

TEST(CadBitmapLayer, LoadFromTableCopiesTheBitmapSlot) {
    CCadBitmapLayer layer;
    layer.LoadFromTable(2);
    EXPECT_EQ(layer.commonParams.COM_Color, 0x0000FFu);
    EXPECT_EQ(layer.commonParams.COM_Type, CCadLayer::kBitmapLayer);
    layer.LoadFromTable(-3);
    EXPECT_EQ(layer.commonParams.COM_Color, 0x000000u);
}

TEST(CadBitmapLayer, ToOutputRecordFillsTheCommonAndBitmapPartsOnly) {
    CCadBitmapLayer layer;
    layer.commonParams = DistinctCommonParams(CCadLayer::kBitmapLayer);
    layer.bitmapParams = DistinctBitmapParams();
    LayerOutputRecord record;
    record.vector.color = 0xBEEF;
    record.vector.dotTime = -1.0;
    record.pen.downDelay = -2.0;
    const LayerOutputRecord::Vector untouchedVector = record.vector;
    const LayerOutputRecord::Pen untouchedPen = record.pen;
    layer.ToOutputRecord(record);

    EXPECT_EQ(record.common, ExpectedCommonOutput(layer.commonParams));
    const BitmapLayerParams& p = layer.bitmapParams;
    const LayerOutputRecord::Bitmap expected{layer.commonParams.COM_Color,
                                             p.Eng_Invert,
                                             p.Eng_EnOptim,
                                             p.Eng_EnSlope,
                                             p.Eng_SlopeLen,
                                             p.Eng_OptMode,
                                             p.Eng_OptDirect,
                                             p.Eng_ThickFont,
                                             p.Eng_Type,
                                             p.Eng_Space,
                                             p.Eng_EnCut,
                                             p.EngCut_Speed,
                                             p.EngCut_Pmin1,
                                             p.EngCut_Pmax1,
                                             p.EngCut_Pmin2,
                                             p.EngCut_Pmax2,
                                             p.EngCut_Blow,
                                             p.EngCut_DefaultSpeed,
                                             p.EngCut_DefaultPower,
                                             p.EngCut_Close,
                                             p.EngCut_OnDelay,
                                             p.EngCut_OffDelay};
    EXPECT_EQ(record.bitmap, expected);
    EXPECT_EQ(record.vector, untouchedVector);
    EXPECT_EQ(record.pen, untouchedPen);
}

}  // namespace
