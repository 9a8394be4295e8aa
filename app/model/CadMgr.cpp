// CCadMgr: the one drawing manager and the display switches.
#include "CadMgr.h"

int ShowPathOn = 0;
int NodeEditOn = 0;
int CutPickOn = 0;

CCadMgr theCadMgr;

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
