// CCadVectorLayer: the block's defaults, both record layouts byte for byte, what the older layout leaves
// alone, the table copies, and the output record.
#include "CadVectorLayer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "CadMgr.h"
#include "LayerTestSupport.h"

namespace {

VectorLayerParams DistinctVectorParams() {
    VectorLayerParams p;
    p.COM_WorkType = VectorLayerParams::kPen;
    p.Eng_EnSlope = 2;
    p.Eng_SlopeLen = 1.25;
    p.Eng_ThickFont = 2;
    p.Eng_Type = 3;
    p.Eng_Space = 0.05;
    p.Eng_OptMode = 3;
    p.Eng_EnCircle = 4;
    p.Eng_CircleMaxDia = 2.5;
    p.Eng_CircleDia = 1.75;
    p.Eng_EnCut = 5;
    p.EngCut_Speed = 55.5;
    p.EngCut_Pmin1 = 21.0;
    p.EngCut_Pmax1 = 22.0;
    p.EngCut_Pmin2 = 23.0;
    p.EngCut_Pmax2 = 24.0;
    p.EngCut_Blow = 6;
    p.EngCut_Close = 0.3;
    p.EngCut_OnDelay = 1.1;
    p.EngCut_OffDelay = 2.2;
    p.EngCut_DefaultSpeed = 7;
    p.EngCut_DefaultPower = 8;
    p.Cut_Close = 0.4;
    p.Cut_OnDelay = 2.5;
    p.Cut_OffDelay = 7.5;
    p.Cut_EnSew = 9;
    p.Cut_SewDir = 1;
    p.Cut_SewWidth = 0.15;
    p.Cut_ThroughMode = 0;
    p.Dot_Time = 0.2;
    p.Dot_Space = 3.5;
    p.Dot_Len = 0.6;
    p.Dot_EnCenter = 1;
    p.Pen_DownDelay = 33.0;
    p.Pen_UpDelay = 44.0;
    return p;
}

RecordBytes VectorBlockBytes(const VectorLayerParams& p, LayerLayout layout) {
    const bool current = layout == LayerLayout::Current;
    RecordBytes bytes;
    bytes.U16(p.COM_WorkType).I32(p.Eng_EnSlope).F64(p.Eng_SlopeLen).U16(p.Eng_ThickFont).U8(p.Eng_Type);
    bytes.F64(p.Eng_Space).I32(p.Eng_EnCut);
    bytes.F64(p.EngCut_Speed).F64(p.EngCut_Pmin1).F64(p.EngCut_Pmax1).F64(p.EngCut_Pmin2).F64(p.EngCut_Pmax2);
    bytes.I32(p.EngCut_Blow).F64(p.EngCut_Close).F64(p.EngCut_OnDelay).F64(p.EngCut_OffDelay);
    bytes.I32(p.EngCut_DefaultSpeed).I32(p.EngCut_DefaultPower);
    bytes.F64(p.Cut_Close).F64(p.Cut_OffDelay).F64(p.Cut_OnDelay).I32(p.Cut_EnSew).U16(p.Cut_SewDir);
    bytes.F64(p.Cut_SewWidth);
    if (current) {
        bytes.I32(p.Cut_ThroughMode);
    }
    bytes.F64(p.Dot_Time).F64(p.Dot_Space).F64(p.Dot_Len).U16(p.Dot_EnCenter);
    if (current) {
        bytes.F64(p.Pen_DownDelay).F64(p.Pen_UpDelay).I32(p.Eng_OptMode).I32(p.Eng_EnCircle);
        bytes.F64(p.Eng_CircleMaxDia).F64(p.Eng_CircleDia);
    }
    return bytes;
}

RecordBytes VectorRecordBytes(const LayerCommonParams& common, const VectorLayerParams& params,
                              LayerLayout layout) {
    RecordBytes bytes = CommonBlockBytes(common);
    bytes.Append(VectorBlockBytes(params, layout));
    return bytes;
}

// The fields that only the current layout holds, as a layer made for the read has them.
void ExpectNewerFieldsAtDefaults(const VectorLayerParams& p) {
    EXPECT_EQ(p.Cut_ThroughMode, 1);
    EXPECT_DOUBLE_EQ(p.Pen_DownDelay, 0.0);
    EXPECT_DOUBLE_EQ(p.Pen_UpDelay, 0.0);
    EXPECT_EQ(p.Eng_OptMode, 0);
    EXPECT_EQ(p.Eng_EnCircle, 0);
    EXPECT_DOUBLE_EQ(p.Eng_CircleMaxDia, 0.1);
    EXPECT_DOUBLE_EQ(p.Eng_CircleDia, 0.1);
}

// The fields of both layouts taken from `from`, the newer ones from `newer`.
VectorLayerParams OlderFieldsOf(const VectorLayerParams& from, VectorLayerParams newer) {
    VectorLayerParams p = from;
    p.Cut_ThroughMode = newer.Cut_ThroughMode;
    p.Pen_DownDelay = newer.Pen_DownDelay;
    p.Pen_UpDelay = newer.Pen_UpDelay;
    p.Eng_OptMode = newer.Eng_OptMode;
    p.Eng_EnCircle = newer.Eng_EnCircle;
    p.Eng_CircleMaxDia = newer.Eng_CircleMaxDia;
    p.Eng_CircleDia = newer.Eng_CircleDia;
    return p;
}

class VectorLayerRecord : public LayerRecordTest {};

TEST(CadVectorLayer, NewLayerHasTheBlockDefaults) {
    const VectorLayerParams& p = CCadVectorLayer().vectorParams;
    EXPECT_EQ(p.COM_WorkType, VectorLayerParams::kCut);
    EXPECT_EQ(p.Eng_Type, 1);
    EXPECT_DOUBLE_EQ(p.Eng_Space, 0.1);
    EXPECT_DOUBLE_EQ(p.EngCut_Speed, 100.0);
    EXPECT_EQ(p.EngCut_Blow, 0);
    EXPECT_DOUBLE_EQ(p.Cut_SewWidth, 0.1);
    EXPECT_DOUBLE_EQ(p.Dot_Time, 0.1);
    EXPECT_DOUBLE_EQ(p.Dot_Space, 5.0);
    ExpectNewerFieldsAtDefaults(p);
}

TEST_F(VectorLayerRecord, CurrentLayoutIsThreeHundredThirtyOneBytesAndReadsBackEveryField) {
    CCadVectorLayer layer;
    layer.commonParams = StoredCommon(CCadLayer::kVectorLayer);
    layer.vectorParams = DistinctVectorParams();
    const RecordBytes expected =
        VectorRecordBytes(layer.commonParams, layer.vectorParams, LayerLayout::Current);
    EXPECT_EQ(expected.Size(), 331u);
    ExpectStoredExactlyAndReadBack(layer, &CCadVectorLayer::vectorParams, expected);
}

TEST_F(VectorLayerRecord, StoringWhileTheFlagNamesTheOlderLayoutStillWritesTheCurrentOne) {
    FileFormatFlag = kOlderLayout;
    CCadVectorLayer layer;
    EXPECT_EQ(StoredBytes(layer).size(), 331u);
}

TEST_F(VectorLayerRecord, OlderLayoutIsTwoHundredEightySevenBytesAndLeavesNewerFieldsAtDefaults) {
    const VectorLayerParams stored = DistinctVectorParams();
    const RecordBytes older =
        VectorRecordBytes(StoredCommon(CCadLayer::kVectorLayer), stored, LayerLayout::Older);
    EXPECT_EQ(older.Size(), 287u);

    CCadVectorLayer loaded;
    ReadWholeRecord(loaded, older, kOlderLayout);
    EXPECT_EQ(loaded.commonParams, StoredCommon(CCadLayer::kVectorLayer));
    EXPECT_EQ(loaded.vectorParams, OlderFieldsOf(stored, VectorLayerParams{}));
    ExpectNewerFieldsAtDefaults(loaded.vectorParams);
}

TEST_F(VectorLayerRecord, OlderLayoutIntoATableEntryKeepsItsNewerFields) {
    CCadVectorLayer entry;
    VectorLayerParams previous;
    previous.Cut_ThroughMode = 0;
    previous.Pen_UpDelay = 4.0;
    previous.Eng_CircleDia = 0.7;
    entry.vectorParams = previous;

    FileFormatFlag = kOlderLayout;
    const VectorLayerParams stored = DistinctVectorParams();
    platform::Archive archive =
        VectorRecordBytes(StoredCommon(CCadLayer::kVectorLayer), stored, LayerLayout::Older).ForLoading();
    entry.Serialize(archive);
    EXPECT_EQ(entry.vectorParams, OlderFieldsOf(stored, previous));
}

TEST_F(VectorLayerRecord, CutDelaysAreStoredOffThenOn) {
    CCadVectorLayer layer;
    layer.vectorParams.Cut_OnDelay = 2.5;
    layer.vectorParams.Cut_OffDelay = 7.5;
    const std::vector<std::uint8_t> bytes = StoredBytes(layer);
    // Offsets within the record: the common block, then the block's fields up to the seal.
    constexpr std::size_t kFirstCutDelay = LayerCommonParams::kStoredBytes + 113;
    double first = 0.0, second = 0.0;
    std::memcpy(&first, bytes.data() + kFirstCutDelay, sizeof first);
    std::memcpy(&second, bytes.data() + kFirstCutDelay + 8, sizeof second);
    EXPECT_DOUBLE_EQ(first, 7.5);
    EXPECT_DOUBLE_EQ(second, 2.5);
}

TEST(CadVectorLayer, LoadFromTableCopiesTheSlotAndReadsSlotZeroForIndexesOutside) {
    CCadVectorLayer layer;
    layer.commonParams.COM_OutputNo = 6;
    layer.LoadFromTable(5);
    EXPECT_EQ(layer.commonParams.COM_Color, 0x00FFFFu);
    EXPECT_EQ(layer.commonParams.COM_OutputNo, 6);
    for (int outside : {-1, 256, 100000}) {
        layer.LoadFromTable(outside);
        EXPECT_EQ(layer.commonParams.COM_Color, theCadMgr.vectorLayerTable[0].commonParams.COM_Color)
            << outside;
    }
    layer.commonParams.COM_Color = 0x123456;
    layer.CopyParams(nullptr);
    EXPECT_EQ(layer.commonParams.COM_Color, 0x123456u);
}

TEST(CadVectorLayer, ToOutputRecordFillsTheCommonVectorAndPenPartsOnly) {
    CCadVectorLayer layer;
    layer.commonParams = DistinctCommonParams(CCadLayer::kVectorLayer);
    layer.vectorParams = DistinctVectorParams();
    LayerOutputRecord record;
    record.bitmap.color = 0xDEAD;
    record.bitmap.cutSpeed = -1.0;
    const LayerOutputRecord::Bitmap untouched = record.bitmap;
    layer.ToOutputRecord(record);

    EXPECT_EQ(record.common, ExpectedCommonOutput(layer.commonParams));

    const VectorLayerParams& p = layer.vectorParams;
    const LayerOutputRecord::Vector expectedVector{layer.commonParams.COM_Color,
                                                   p.COM_WorkType,
                                                   p.Eng_EnSlope,
                                                   p.Eng_SlopeLen,
                                                   p.Eng_ThickFont,
                                                   p.Eng_Type,
                                                   p.Eng_Space,
                                                   p.Eng_OptMode,
                                                   p.Eng_EnCircle,
                                                   p.Eng_CircleMaxDia,
                                                   p.Eng_CircleDia,
                                                   p.Eng_EnCut,
                                                   p.EngCut_Speed,
                                                   p.EngCut_Pmin1,
                                                   p.EngCut_Pmax1,
                                                   p.EngCut_Pmin2,
                                                   p.EngCut_Pmax2,
                                                   p.EngCut_Blow,
                                                   p.EngCut_Close,
                                                   p.EngCut_OnDelay,
                                                   p.EngCut_OffDelay,
                                                   p.EngCut_DefaultSpeed,
                                                   p.EngCut_DefaultPower,
                                                   p.Cut_Close,
                                                   p.Cut_OnDelay,
                                                   p.Cut_OffDelay,
                                                   p.Cut_EnSew,
                                                   p.Cut_SewDir,
                                                   p.Cut_SewWidth,
                                                   p.Cut_ThroughMode,
                                                   p.Dot_Time,
                                                   p.Dot_Space,
                                                   p.Dot_Len,
                                                   1};
    EXPECT_EQ(record.vector, expectedVector);
    EXPECT_EQ(record.pen, (LayerOutputRecord::Pen{33.0, 44.0}));
    EXPECT_EQ(record.bitmap, untouched);
}

}  // namespace
