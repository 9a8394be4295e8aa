// CCadLayer, through both layer kinds: common defaults, the edit copy, what carries the output number, the
// element list, and the refusal of a record of the other layer kind.
#include "CadLayer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CadBitmapLayer.h"
#include "CadElement.h"
#include "CadVectorLayer.h"
#include "LayerTestSupport.h"

namespace {

std::vector<CCadElement*> Elements(CCadLayer& layer) {
    std::vector<CCadElement*> elements;
    for (int more = layer.elements.MoveFirst(); more != 0; more = layer.elements.MoveNext()) {
        elements.push_back(layer.elements.cursor->value);
    }
    return elements;
}

TEST(CadLayer, NewLayersHaveTheCommonDefaultsAndDifferOnlyInType) {
    const CCadVectorLayer vector;
    const LayerCommonParams& p = vector.commonParams;
    EXPECT_EQ(p.COM_Type, CCadLayer::kVectorLayer);
    EXPECT_EQ(p.COM_Color, 0u);
    EXPECT_EQ(p.COM_OutputNo, 1);
    EXPECT_EQ(p.COM_Output, 1);
    EXPECT_DOUBLE_EQ(p.COM_Speed, 100.0);
    for (double power : {p.COM_Pmin1, p.COM_Pmax1, p.COM_Pmin2, p.COM_Pmax2}) {
        EXPECT_DOUBLE_EQ(power, 30.0);
    }
    EXPECT_EQ(p.COM_Blow, 1);
    EXPECT_EQ(p.COM_EnLaser1, 1);
    EXPECT_EQ(p.COM_EnLaser2, 1);
    EXPECT_DOUBLE_EQ(p.COM_ZSpeed, 100.0);
    for (std::int32_t flag :
         {p.COM_SpeedDefault, p.COM_PowerDefault, p.COM_EnZ, p.COM_EnZDown, p.COM_EnZUp, p.COM_EnExIO}) {
        EXPECT_EQ(flag, 0);
    }
    for (double value : {p.COM_ZDownPos, p.COM_ZUpPos, p.COM_DotInterval}) {
        EXPECT_DOUBLE_EQ(value, 0.0);
    }

    const CCadBitmapLayer bitmap;
    LayerCommonParams bitmapCommon = bitmap.commonParams;
    EXPECT_EQ(bitmapCommon.COM_Type, CCadLayer::kBitmapLayer);
    bitmapCommon.COM_Type = CCadLayer::kVectorLayer;
    EXPECT_EQ(bitmapCommon, p);
}

TEST(CadLayer, EditWithoutCommitLeavesTheCommittedCopyAndTheRecord) {
    CCadVectorLayer vector;
    const std::vector<std::uint8_t> vectorRecord = StoredBytes(vector);
    vector.BeginEdit();
    vector.editCommonParams.COM_Speed = 5.0;
    vector.editVectorParams.Cut_OnDelay = 12.0;
    EXPECT_DOUBLE_EQ(vector.commonParams.COM_Speed, 100.0);
    EXPECT_DOUBLE_EQ(vector.vectorParams.Cut_OnDelay, 0.0);
    EXPECT_EQ(StoredBytes(vector), vectorRecord);

    CCadBitmapLayer bitmap;
    const std::vector<std::uint8_t> bitmapRecord = StoredBytes(bitmap);
    bitmap.BeginEdit();
    bitmap.editCommonParams.COM_Pmax1 = 80.0;
    bitmap.editBitmapParams.Eng_Space = 0.5;
    EXPECT_EQ(StoredBytes(bitmap), bitmapRecord);
}

TEST(CadLayer, CommitEditTakesTheEditsAndKeepsTheOutputNumber) {
    CCadVectorLayer vector;
    vector.commonParams.COM_OutputNo = 4;
    vector.BeginEdit();
    vector.editCommonParams.COM_Speed = 5.0;
    vector.editVectorParams.COM_WorkType = VectorLayerParams::kDot;
    vector.CommitEdit();
    EXPECT_DOUBLE_EQ(vector.commonParams.COM_Speed, 5.0);
    EXPECT_EQ(vector.vectorParams.COM_WorkType, VectorLayerParams::kDot);
    EXPECT_EQ(vector.commonParams.COM_OutputNo, 4);

    CCadBitmapLayer bitmap;
    bitmap.BeginEdit();
    bitmap.editBitmapParams.Eng_Invert = 1;
    bitmap.CommitEdit();
    EXPECT_EQ(bitmap.bitmapParams.Eng_Invert, 1);
}

TEST(CadLayer, CommitEditKeepsTheKindOfTheClass) {
    CCadBitmapLayer bitmap;
    bitmap.BeginEdit();
    bitmap.editCommonParams.COM_Type = CCadLayer::kVectorLayer;
    bitmap.CommitEdit();
    EXPECT_EQ(bitmap.commonParams.COM_Type, CCadLayer::kBitmapLayer);
}

class LayerOutputNumber : public LayerRecordTest {};

TEST_F(LayerOutputNumber, IsCarriedByNeitherCopyNorTableNorRecord) {
    CCadVectorLayer source;
    source.commonParams = DistinctCommonParams(CCadLayer::kVectorLayer);
    CCadVectorLayer target;
    target.commonParams.COM_OutputNo = 3;
    target.CopyParams(&source);
    EXPECT_EQ(target.commonParams.COM_OutputNo, 3);
    EXPECT_EQ(target.commonParams.COM_Color, source.commonParams.COM_Color);

    target.LoadFromTable(2);
    EXPECT_EQ(target.commonParams.COM_OutputNo, 3);

    FileFormatFlag = kCurrentLayout;
    platform::Archive archive = platform::Archive::ForLoading(StoredBytes(source));
    target.Serialize(archive);
    EXPECT_EQ(target.commonParams.COM_OutputNo, 3);
}

// A record whose stored type names the other layer kind would leave an object that is later deleted or
// cast as the wrong class. The class chosen from the framing decides; such a record is refused.
class ContradictingLayerType : public LayerRecordTest {};

// A common block of the given stored type followed by more zero bytes than either kind's block needs.
RecordBytes RecordOfType(std::uint16_t storedType) {
    RecordBytes bytes = CommonBlockBytes(DistinctCommonParams(storedType));
    for (int filler = 0; filler < 250; ++filler) {
        bytes.U8(0);
    }
    return bytes;
}

TEST_F(ContradictingLayerType, RecordOfTheOtherKindIsRefusedAndTheLayerKept) {
    for (std::uint16_t flag : {kCurrentLayout, kOlderLayout}) {
        FileFormatFlag = flag;
        for (std::uint16_t storedType : {1, 2, 0xFFFF}) {
            CCadVectorLayer vector;
            platform::Archive archive = RecordOfType(storedType).ForLoading();
            EXPECT_THROW(vector.Serialize(archive), platform::ArchiveError) << storedType;
            EXPECT_EQ(vector.commonParams, CCadVectorLayer().commonParams);
        }
        for (std::uint16_t storedType : {0, 2}) {
            CCadBitmapLayer bitmap;
            platform::Archive archive = RecordOfType(storedType).ForLoading();
            EXPECT_THROW(bitmap.Serialize(archive), platform::ArchiveError) << storedType;
            EXPECT_EQ(bitmap.commonParams, CCadBitmapLayer().commonParams);
        }
    }
}

TEST_F(ContradictingLayerType, TruncatedRecordFailsAndLeavesTheLayerUnchanged) {
    CCadVectorLayer source;
    source.commonParams = DistinctCommonParams(CCadLayer::kVectorLayer);
    source.vectorParams.Dot_Space = 9.0;
    const std::vector<std::uint8_t> full = StoredBytes(source);
    FileFormatFlag = kCurrentLayout;
    for (std::size_t length = 0; length < full.size(); ++length) {
        CCadVectorLayer layer;
        platform::Archive archive =
            platform::Archive::ForLoading(std::vector<std::uint8_t>(full.begin(), full.begin() + length));
        EXPECT_THROW(layer.Serialize(archive), platform::ArchiveError) << length;
        EXPECT_EQ(layer.commonParams, CCadVectorLayer().commonParams);
        EXPECT_EQ(layer.vectorParams, VectorLayerParams{});
    }
}

TEST(CadLayerElements, RemoveElementTakesOnlyTheFirstNodeOfThatElement) {
    CCadElement a, b, c;
    CCadVectorLayer layer;
    for (CCadElement* element : {&a, &b, &a, &c}) {
        layer.elements.AddTail(element);
    }
    layer.RemoveElement(&a);
    EXPECT_EQ(Elements(layer), (std::vector<CCadElement*>{&b, &a, &c}));

    layer.RemoveElement(&b);
    EXPECT_EQ(layer.elements.cursor->value, &a);  // the cursor rests on the node after the removed one

    CCadElement stranger;
    layer.RemoveElement(&stranger);
    layer.RemoveElement(nullptr);
    EXPECT_EQ(Elements(layer), (std::vector<CCadElement*>{&a, &c}));
}

TEST(CadLayerElements, SetDefaultsEmptiesABitmapLayerOnlyAndNeverDeletesElements) {
    auto element = std::make_unique<CCadElement>();
    CCadBitmapLayer bitmap;
    bitmap.elements.AddTail(element.get());
    bitmap.SetDefaults();
    EXPECT_EQ(bitmap.elements.IsEmpty(), 1);

    CCadVectorLayer vector;
    vector.elements.AddTail(element.get());
    vector.SetDefaults();
    EXPECT_EQ(Elements(vector), std::vector<CCadElement*>{element.get()});
    EXPECT_EQ(element->typeCode, kCurveElement);
}

TEST(CadLayerElements, DeletingALayerThroughTheBaseFreesItsListButNotTheElements) {
    CCadElement element;
    std::unique_ptr<CCadLayer> layer = std::make_unique<CCadBitmapLayer>();
    layer->elements.AddTail(&element);
    layer.reset();  // the leak checker reports the node if the bitmap layer were destroyed as another class
    EXPECT_EQ(element.typeCode, kCurveElement);
}

}  // namespace
