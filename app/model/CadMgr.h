// CCadMgr: the drawing manager, which owns the open drawing for the whole run through its one instance
// `theCadMgr`. So far it holds what the element and layer classes need of it and its settings block: the
// work size, view and dialog values, text parameters, the two layer parameter tables with their colour
// slots and the data-check options, and the display switches that the repaint reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Archive.h"
#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "DataCheckSettings.h"
#include "TextParam.h"

// Display switches of the repaint. ShowPathOn follows the Show Path command, FillDisplayOn the fill
// display command (closed curves of scanning layers drawn filled); both are kept in the settings block.
// NodeEditOn and CutPickOn follow the tool mode (node editing; cut-point or cut-direction picking).
// Non-zero means on.
extern int ShowPathOn;
extern int FillDisplayOn;
extern int NodeEditOn;
extern int CutPickOn;
// Whether the cells of an array beyond the first show their content as dotted previews (on, at start) or
// only as dotted boxes with diagonals; the Show Array command toggles it. Not kept in the settings block.
extern int ShowArray;

// The manager's values that its settings block carries besides the layer tables and the display
// switches, with their values at start-up. Colours are 0x00BBGGRR. Words whose meaning belongs to the
// dialogs that use them are only kept and stored here.
struct CadMgrSettings {
    static constexpr double kMinWorkSizeMm = 1.0;
    static constexpr double kMaxWorkSizeMm = 100000.0;
    static constexpr std::uint16_t kLastOriginCorner = 3;

    double workWidth = 1200.0;       // mm, the machine's work area
    double workHeight = 800.0;       // mm
    std::uint16_t originCorner = 1;  // corner 0..3 of the machine origin
    std::uint32_t gridVisible = 1;
    double gridStep = 50.0;  // mm
    std::uint16_t pageOptionWord = 0;
    double viewDouble1 = 1.0;
    double viewDouble2 = 10.0;
    double viewDouble3 = 1.0;
    std::uint32_t backgroundColor = 0x00FFFFFF;
    std::uint32_t pageFrameColor = 0x00000000;
    std::uint32_t gridColor = 0x0099A8AC;
    std::uint16_t settingWord1 = 0;
    std::uint32_t settingWord2 = 0;
    std::uint32_t settingWord3 = 0;
    std::uint32_t settingWord4 = 0;
    std::uint16_t settingWord5 = 0;
    std::string fontName1 = "宋体";  // default font names of new text elements
    std::string fontName2 = "FS.SHX";
    double settingDouble1 = 8.0;
    double settingDouble2 = 0.0;
    double settingDouble3 = 0.0;
    double mergeTolerance = 0.1;      // mm, last value of the combine-curves dialog
    double overlapTolerance = 0.001;  // mm, last values of the overlap-removal dialog
    std::uint32_t overlapWord = 0;
    std::uint32_t bitmapDialogWord1 = 0;  // last values of the bitmap processing dialog
    std::uint32_t bitmapDialogWord2 = 0;
    std::uint32_t bitmapGreyWord = 0;
    std::uint32_t bitmapOptionWord = 1;
    double closingTolerance = 0.1;  // mm, last values of the close-curve dialog
    std::uint32_t closingWord = 0;
    double smoothingValue = 0.3;  // last value of the smoothing dialog
    double offsetDistance = 0.0;  // mm, last values of the offset dialog
    std::uint16_t offsetWord = 0;
    std::uint32_t offsetOption = 0;
    std::uint16_t smoothingType = 0;  // last choice of the smoothing-type dialog
    CTextParam textParam;             // parameters of new text elements
    DataCheckSettings dataCheck;      // last values of the data-check dialog

    friend bool operator==(const CadMgrSettings&, const CadMgrSettings&) = default;
};

class CCadMgr : public CadMgrSettings {
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

    CCadMgr();
    CCadMgr(const CCadMgr&) = delete;
    CCadMgr& operator=(const CCadMgr&) = delete;

    // Every entry of both tables back to its defaults, with the slot colours above.
    void ResetLayerTables();

    // Stores or loads the settings block: the values of CadMgrSettings, the display switches, then both
    // tables in the layer layout that FileFormatFlag names (stored always in the current one) and the
    // data-check options. Returns 1; 0 when a load is refused for a work size outside 1.0..100000.0 mm or
    // an origin corner above 3. A load changes the manager only once the whole block has been read: a
    // refused one changes nothing, and so does a short one, which throws ArchiveError.
    int Serialize(platform::Archive& ar);
    // The same for a file that holds the block alone: a load is refused as well when bytes follow it.
    int SerializeSettingsFile(platform::Archive& ar);

  private:
    enum class BlockEnd { MayContinue, ArchiveEnd };
    int LoadSettingsBlock(platform::Archive& ar, BlockEnd blockEnd);
    void StoreSettingsBlock(platform::Archive& ar);
};

extern CCadMgr theCadMgr;

// Stores or loads theCadMgr as the content of "lpara"; true when stored or loaded whole. Never throws:
// a block that is short, refused or followed by other bytes gives false and changes nothing.
bool SerializeDrawingSettingsFile(platform::Archive& ar);
// Makes the settings files store and load "lpara" through SerializeDrawingSettingsFile.
void RegisterDrawingSettingsFile();
