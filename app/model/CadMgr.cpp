// CCadMgr: the one drawing manager, its layer tables, its settings block and the display switches.
#include "CadMgr.h"

#include <memory>

#include "LayerParaFile.h"

int ShowPathOn = 0;
int FillDisplayOn = 0;
int ShowArray = 1;
int NodeEditOn = 0;
int CutPickOn = 0;

CCadMgr theCadMgr;

namespace {

template <typename Layer>
using LayerTable = std::array<Layer, CCadMgr::kLayerTableSize>;

// The two display switches as the block stores them.
struct StoredDisplaySwitches {
    std::uint32_t showPath = static_cast<std::uint32_t>(ShowPathOn);
    std::uint32_t fillDisplay = static_cast<std::uint32_t>(FillDisplayOn);
};

// Written so that a NaN is refused as well.
bool IsWorkSize(double sizeMm) {
    return sizeMm >= CadMgrSettings::kMinWorkSizeMm && sizeMm <= CadMgrSettings::kMaxWorkSizeMm;
}

// The first three fields, each checked as soon as it is loaded; false at the first refused value.
bool ExchangeWorkArea(platform::Archive& ar, CadMgrSettings& block) {
    ar.Exchange(block.workWidth);
    if (ar.IsLoading() && !IsWorkSize(block.workWidth)) {
        return false;
    }
    ar.Exchange(block.workHeight);
    if (ar.IsLoading() && !IsWorkSize(block.workHeight)) {
        return false;
    }
    ar.Exchange(block.originCorner);
    return ar.IsStoring() || block.originCorner <= CadMgrSettings::kLastOriginCorner;
}

// Everything from the grid switch to the text parameters, taken as it stands.
void ExchangeViewAndDialogValues(platform::Archive& ar, CadMgrSettings& block,
                                 StoredDisplaySwitches& switches) {
    ar.Exchange(block.gridVisible);
    ar.Exchange(block.gridStep);
    ar.Exchange(block.pageOptionWord);
    ar.Exchange(block.nudgeDistanceMm);
    ar.Exchange(block.largeStepRatio);
    ar.Exchange(block.rotationAngleDeg);
    ar.Exchange(block.backgroundColor);
    ar.Exchange(block.pageFrameColor);
    ar.Exchange(block.gridColor);
    ar.Exchange(block.settingWord1);
    ar.Exchange(block.settingWord2);
    ar.Exchange(block.settingWord3);
    ar.Exchange(block.settingWord4);
    ar.Exchange(block.settingWord5);
    ar.Exchange(block.fontName1);
    ar.Exchange(block.fontName2);
    ar.Exchange(block.settingDouble1);
    ar.Exchange(block.settingDouble2);
    ar.Exchange(block.settingDouble3);
    ar.Exchange(block.mergeTolerance);
    ar.Exchange(block.overlapTolerance);
    ar.Exchange(block.overlapWord);
    ar.Exchange(block.bitmapLastBrightness);
    ar.Exchange(block.bitmapLastContrast);
    ar.Exchange(block.bitmapGreyWord);
    ar.Exchange(block.bitmapOptionWord);
    ar.Exchange(block.closingTolerance);
    ar.Exchange(block.closingWord);
    ar.Exchange(block.smoothingValue);
    ar.Exchange(switches.showPath);
    ar.Exchange(switches.fillDisplay);
    ar.Exchange(block.offsetDistance);
    ar.Exchange(block.offsetWord);
    ar.Exchange(block.offsetOption);
    ar.Exchange(block.smoothingType);
    block.textParam.Serialize(ar);
}

template <typename Layer>
void StoreLayerTable(platform::Archive& ar, LayerTable<Layer>& table) {
    for (Layer& entry : table) {
        entry.Serialize(ar);
    }
}

// Each stored entry is read over a copy of the entry it replaces, so that the fields that the older
// layout lacks keep their values as they would when read in place.
template <typename Layer>
std::unique_ptr<LayerTable<Layer>> LoadLayerTable(platform::Archive& ar, const LayerTable<Layer>& current) {
    auto loaded = std::make_unique<LayerTable<Layer>>();  // 256 layers: too large for the stack
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        (*loaded)[slot].CopyParams(&current[slot]);
        (*loaded)[slot].Serialize(ar);
    }
    return loaded;
}

template <typename Layer>
void CommitLayerTable(LayerTable<Layer>& table, const LayerTable<Layer>& loaded) {
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        table[slot].CopyParams(&loaded[slot]);
    }
}

}  // namespace

CCadMgr::CCadMgr() {
    ResetLayerTables();
}

void CCadMgr::ResetLayerTables() {
    for (int slot = 0; slot < kLayerTableSize; ++slot) {
        const std::uint32_t slotColor = slot < static_cast<int>(kSlotColors.size()) ? kSlotColors[slot] : 0;
        vectorLayerTable[slot].SetDefaults();
        vectorLayerTable[slot].commonParams.COM_Color = slotColor;
        bitmapLayerTable[slot].SetDefaults();
        bitmapLayerTable[slot].commonParams.COM_Color = slotColor;
    }
}

int CCadMgr::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreSettingsBlock(ar);
        return 1;
    }
    return LoadSettingsBlock(ar, BlockEnd::MayContinue);
}

int CCadMgr::SerializeSettingsFile(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreSettingsBlock(ar);
        return 1;
    }
    return LoadSettingsBlock(ar, BlockEnd::ArchiveEnd);
}

void CCadMgr::StoreSettingsBlock(platform::Archive& ar) {
    StoredDisplaySwitches switches;
    ExchangeWorkArea(ar, *this);
    ExchangeViewAndDialogValues(ar, *this, switches);
    StoreLayerTable(ar, vectorLayerTable);
    StoreLayerTable(ar, bitmapLayerTable);
    dataCheck.Serialize(ar);
}

// Reads into copies and takes them over only after the last field, so that a refused or short block
// leaves the manager, its drawing, its tables and the display switches as they were. A block taken
// over starts a new drawing.
int CCadMgr::LoadSettingsBlock(platform::Archive& ar, BlockEnd blockEnd, const std::function<bool()>& readRest) {
    CadMgrSettings block = *this;
    if (!ExchangeWorkArea(ar, block)) {
        return 0;
    }
    StoredDisplaySwitches switches;
    ExchangeViewAndDialogValues(ar, block, switches);
    const auto loadedVectorTable = LoadLayerTable(ar, vectorLayerTable);
    const auto loadedBitmapTable = LoadLayerTable(ar, bitmapLayerTable);
    block.dataCheck.Serialize(ar);
    if (blockEnd == BlockEnd::ArchiveEnd && ar.Remaining() != 0) {
        return 0;
    }
    if (!readRest()) {
        return 0;
    }

    DeleteAll();
    static_cast<CadMgrSettings&>(*this) = std::move(block);
    ShowPathOn = static_cast<int>(switches.showPath);
    FillDisplayOn = static_cast<int>(switches.fillDisplay);
    CommitLayerTable(vectorLayerTable, *loadedVectorTable);
    CommitLayerTable(bitmapLayerTable, *loadedBitmapTable);
    return 1;
}

bool SerializeDrawingSettingsFile(platform::Archive& ar) {
    try {
        return theCadMgr.SerializeSettingsFile(ar) == 1;
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

void RegisterDrawingSettingsFile() {
    SetLayerParaSerializer(SerializeDrawingSettingsFile);
}
