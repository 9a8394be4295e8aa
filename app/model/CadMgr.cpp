// CCadMgr: the one drawing manager, its layer tables, its settings block and the display switches.
#include "CadMgr.h"

#include <memory>
#include <string_view>
#include <type_traits>

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

// Two stored values of the block are no members of it: the display switches, which follow this field.
constexpr std::string_view kFieldBeforeDisplaySwitches = "smoothingValue";
// A loaded block is refused at the first of its leading rows (the work area) beyond the row's range.
constexpr int kRowsCheckedOnLoad = 3;

// The table's fields, the display switches and the text parameters. False when a load is refused; the
// fields after the refused one are then left unread.
bool ExchangeSettingsFields(platform::Archive& ar, CadMgrSettings& block, StoredDisplaySwitches& switches) {
    int row = 0;
    bool refused = false;
    VisitFields(block, [&](const FieldInfo& info, auto& member) {
        if (refused) {
            return;
        }
        ar.Exchange(member);
        if constexpr (std::is_arithmetic_v<std::remove_reference_t<decltype(member)>>) {
            refused = ar.IsLoading() && row < kRowsCheckedOnLoad &&
                      !info.range.Contains(static_cast<double>(member));
        }
        ++row;
        if (info.key == kFieldBeforeDisplaySwitches) {
            ar.Exchange(switches.showPath);
            ar.Exchange(switches.fillDisplay);
        }
    });
    if (refused) {
        return false;
    }
    block.textParam.Serialize(ar);
    return true;
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
    ExchangeSettingsFields(ar, *this, switches);
    StoreLayerTable(ar, vectorLayerTable);
    StoreLayerTable(ar, bitmapLayerTable);
    dataCheck.Serialize(ar);
}

// Reads into copies and takes them over only after the last field, so that a refused or short block
// leaves the manager, its drawing, its tables and the display switches as they were. A block taken
// over starts a new drawing.
int CCadMgr::LoadSettingsBlock(platform::Archive& ar, BlockEnd blockEnd,
                               const std::function<bool()>& readRest) {
    CadMgrSettings block = *this;
    StoredDisplaySwitches switches;
    if (!ExchangeSettingsFields(ar, block, switches)) {
        return 0;
    }
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
