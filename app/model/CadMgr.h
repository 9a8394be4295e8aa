// CCadMgr: the drawing manager, which owns the open drawing for the whole run through its one instance
// `theCadMgr`. So far it holds what the element and layer classes need of it: the two layer parameter
// tables with their colour slots, the data-check options, and the display switches that the repaint reads.
#pragma once

#include <array>
#include <cstdint>

#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "DataCheckSettings.h"

// Display switches of the repaint. ShowPathOn follows the Show Path command; NodeEditOn and CutPickOn
// follow the tool mode (node editing; cut-point or cut-direction picking). Non-zero means on.
extern int ShowPathOn;
extern int NodeEditOn;
extern int CutPickOn;

class CCadMgr {
  public:
    static constexpr int kLayerTableSize = 256;
    // Colours of the first table slots (0x00BBGGRR); every later slot starts with colour 0, which marks it
    // free. Slot 0 (black) is a real colour.
    static constexpr std::array<std::uint32_t, 20> kSlotColors = {
        0x000000, 0xFF0000, 0x0000FF, 0x00FF00, 0x7280FA, 0x00FFFF, 0xFF901E, 0x0F368A, 0x008080, 0x5C8000,
        0x0045FF, 0x800040, 0xDBD2FE, 0xFA9EB0, 0x9DFBD5, 0x5790FA, 0x9876DB, 0xDE7388, 0x73DD75, 0x75A0B3,
    };

    // The parameters last used for each colour slot, kept apart from the open drawing.
    std::array<CCadVectorLayer, kLayerTableSize> vectorLayerTable;
    std::array<CCadBitmapLayer, kLayerTableSize> bitmapLayerTable;
    DataCheckSettings dataCheck;

    CCadMgr();
    CCadMgr(const CCadMgr&) = delete;
    CCadMgr& operator=(const CCadMgr&) = delete;

    // Every entry of both tables back to its defaults, with the slot colours above.
    void ResetLayerTables();
};

extern CCadMgr theCadMgr;
