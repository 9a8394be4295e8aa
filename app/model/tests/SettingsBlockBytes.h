// The drawing manager's settings block for tests: distinct values in every field of the manager, and the
// bytes that the block with those values must have, built field by field. The layer table entries are
// appended in their own stored form, in either layout.
#pragma once

#include <memory>

#include "CadMgr.h"
#include "RecordBytes.h"

// Every field differs from its default and from its neighbours, so that a swapped or missing field shows.
// Sets the display switches too: ShowPathOn on, FillDisplayOn off.
inline void SetDistinctSettings(CCadMgr& manager) {
    CadMgrSettings& block = manager;
    block.workWidth = 1500.0;
    block.workHeight = 900.0;
    block.originCorner = 2;
    block.gridVisible = 0;
    block.gridStep = 25.0;
    block.pageOptionWord = 3;
    block.nudgeDistanceMm = 1.5;
    block.largeStepRatio = 12.0;
    block.rotationAngleDeg = 2.5;
    block.backgroundColor = 0x00102030;
    block.pageFrameColor = 0x00405060;
    block.gridColor = 0x00708090;
    block.settingWord1 = 11;
    block.settingWord2 = 12;
    block.settingWord3 = 13;
    block.settingWord4 = 14;
    block.settingWord5 = 15;
    block.fontName1 = "黑体";
    block.fontName2 = "TXT.SHX";
    block.settingDouble1 = 9.0;
    block.settingDouble2 = 0.25;
    block.settingDouble3 = 0.75;
    block.mergeTolerance = 0.2;
    block.overlapTolerance = 0.002;
    block.overlapWord = 21;
    block.bitmapLastBrightness = 22;
    block.bitmapLastContrast = 23;
    block.bitmapGreyWord = 24;
    block.bitmapOptionWord = 25;
    block.closingTolerance = 0.3;
    block.closingWord = 26;
    block.smoothingValue = 0.4;
    block.offsetDistance = 1.75;
    block.offsetWord = 27;
    block.offsetOption = 28;
    block.smoothingType = 29;
    block.textParam.text = "Hello";
    block.dataCheck = DataCheckSettings{0, 1, 0.05, 2, 3, 0.06, 4, 5, 6, 7, 8};
    ShowPathOn = 1;
    FillDisplayOn = 0;
    manager.vectorLayerTable[5].commonParams.COM_Speed = 42.0;
    manager.vectorLayerTable[5].vectorParams.Dot_Space = 3.5;
    manager.bitmapLayerTable[200].commonParams.COM_Color = 0x00ABCDEF;
    manager.bitmapLayerTable[200].bitmapParams.Eng_Space = 0.25;
}

inline void AppendRaw(RecordBytes& bytes, const std::vector<std::uint8_t>& raw) {
    for (std::uint8_t byte : raw) {
        bytes.U8(byte);
    }
}

template <typename Layer>
void AppendTable(RecordBytes& bytes, std::array<Layer, CCadMgr::kLayerTableSize>& table, LayerLayout layout) {
    for (Layer& entry : table) {
        platform::Archive archive = platform::Archive::ForStoring();
        if (layout == LayerLayout::Current) {
            entry.SerializeCurrent(archive);
        } else {
            entry.SerializeOld(archive);
        }
        AppendRaw(bytes, archive.Bytes());
    }
}

// The block of a manager given SetDistinctSettings, with its tables in the layout given. The text
// parameters and the table entries are appended in their own stored form.
inline RecordBytes DistinctSettingsBlock(CCadMgr& manager, LayerLayout layout) {
    RecordBytes bytes;
    bytes.F64(1500.0).F64(900.0).U16(2);
    bytes.U32(0).F64(25.0).U16(3).F64(1.5).F64(12.0).F64(2.5);
    bytes.U32(0x00102030).U32(0x00405060).U32(0x00708090);
    bytes.U16(11).U32(12).U32(13).U32(14).U16(15);
    bytes.ShortString("黑体").ShortString("TXT.SHX");
    bytes.F64(9.0).F64(0.25).F64(0.75);
    bytes.F64(0.2).F64(0.002).U32(21);
    bytes.U32(22).U32(23).U32(24).U32(25);
    bytes.F64(0.3).U32(26).F64(0.4);
    bytes.U32(1).U32(0);  // show path, fill display
    bytes.F64(1.75).U16(27).U32(28).U16(29);
    AppendRaw(bytes, StoredBytes(manager.textParam));
    AppendTable(bytes, manager.vectorLayerTable, layout);
    AppendTable(bytes, manager.bitmapLayerTable, layout);
    bytes.U32(0).U32(1).F64(0.05).U32(2).U32(3).F64(0.06).U32(4).U32(5).U32(6).U32(7).U32(8);
    return bytes;
}
