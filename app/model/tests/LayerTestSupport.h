// Shared by the layer tests: the common block with a distinct value in every field and its expected
// bytes, the record checks both layer kinds make, and a fixture that puts FileFormatFlag back after each
// test.
#pragma once

#include <gtest/gtest.h>

#include "CadLayer.h"
#include "RecordBytes.h"
#include "SettingsGlobals.h"

// Every field different from its default and from the others, so that a field stored or read in the
// wrong place shows.
inline LayerCommonParams DistinctCommonParams(std::uint16_t type) {
    LayerCommonParams p;
    p.COM_Type = type;
    p.COM_Color = 0x00A1B2C3;
    p.COM_OutputNo = 9;
    p.COM_Output = 0;
    p.COM_Speed = 101.5;
    p.COM_Pmin1 = 11.25;
    p.COM_Pmax1 = 12.25;
    p.COM_Pmin2 = 13.25;
    p.COM_Pmax2 = 14.25;
    p.COM_Blow = 0;
    p.COM_SpeedDefault = 2;
    p.COM_PowerDefault = 3;
    p.COM_EnZ = 4;
    p.COM_EnZDown = 5;
    p.COM_EnZUp = 6;
    p.COM_ZDownPos = -7.5;
    p.COM_ZUpPos = 8.5;
    p.COM_ZSpeed = 9.5;
    p.COM_DotInterval = 0.75;
    p.COM_EnLaser1 = 0;
    p.COM_EnLaser2 = 7;
    p.COM_EnExIO = 8;
    return p;
}

// The 118-byte common block; COM_OutputNo is not stored.
inline RecordBytes CommonBlockBytes(const LayerCommonParams& p) {
    RecordBytes bytes;
    bytes.U16(p.COM_Type).U32(p.COM_Color).I32(p.COM_Output);
    bytes.F64(p.COM_Speed).F64(p.COM_Pmin1).F64(p.COM_Pmax1).F64(p.COM_Pmin2).F64(p.COM_Pmax2);
    bytes.I32(p.COM_Blow).I32(p.COM_EnZ).I32(p.COM_EnZDown).I32(p.COM_EnZUp);
    bytes.F64(p.COM_ZDownPos).F64(p.COM_ZUpPos).F64(p.COM_ZSpeed).F64(p.COM_DotInterval);
    bytes.I32(p.COM_EnLaser1)
        .I32(p.COM_EnLaser2)
        .I32(p.COM_SpeedDefault)
        .I32(p.COM_PowerDefault)
        .I32(p.COM_EnExIO);
    return bytes;
}

// The common block as a record stores it, for a layer of the given kind.
inline LayerCommonParams StoredCommon(std::uint16_t layerKind) {
    LayerCommonParams common = DistinctCommonParams(layerKind);
    common.COM_OutputNo = 1;  // not in the record: a loaded layer keeps its own
    return common;
}

// The common part of the output record that a layer with these committed parameters fills.
inline LayerOutputRecord::Common ExpectedCommonOutput(const LayerCommonParams& c) {
    return {c.COM_Type,   c.COM_Output,       c.COM_Speed,        c.COM_Pmin1,    c.COM_Pmax1,
            c.COM_Pmin2,  c.COM_Pmax2,        c.COM_Blow,         c.COM_EnLaser1, c.COM_EnLaser2,
            c.COM_EnZ,    c.COM_EnZDown,      c.COM_EnZUp,        c.COM_ZDownPos, c.COM_ZUpPos,
            c.COM_ZSpeed, c.COM_SpeedDefault, c.COM_PowerDefault, c.COM_EnExIO};
}

// Reads `record` into `layer` in the layout that `layoutFlag` names; the whole record must be used up.
template <typename Layer>
void ReadWholeRecord(Layer& layer, const RecordBytes& record, std::uint16_t layoutFlag) {
    FileFormatFlag = layoutFlag;
    platform::Archive archive = record.ForLoading();
    layer.Serialize(archive);
    EXPECT_EQ(archive.Remaining(), 0u);
}

// Stores `layer` and expects exactly `expected`; then reads `expected` into a new layer of the kind and
// expects both parameter blocks back. `kindParams` names the kind's committed block.
template <typename Layer, typename KindParams>
void ExpectStoredExactlyAndReadBack(Layer& layer, KindParams Layer::*kindParams,
                                    const RecordBytes& expected) {
    EXPECT_EQ(StoredBytes(layer), expected.Bytes());
    Layer loaded;
    ReadWholeRecord(loaded, expected, kCurrentLayout);
    EXPECT_EQ(loaded.commonParams, layer.commonParams);
    EXPECT_EQ(loaded.*kindParams, layer.*kindParams);
}

class LayerRecordTest : public ::testing::Test {
  protected:
    ~LayerRecordTest() override { FileFormatFlag = savedFlag_; }

  private:
    std::uint16_t savedFlag_ = FileFormatFlag;
};
