// The headless half of the file parameters dialog: what it shows of the import and export settings
// when it opens, and how OK stores what the controls hold.
#pragma once

#include <string>

struct FileParaSettings;

// What the dialog's controls hold.
struct FileParaEntries {
    std::string pltPrecisionText;  // editable list: the number typed or chosen
    double exportPrecisionPercent = 0.0;
    int velocityUnit = 1;  // 0 m/min, 1 mm/s
    bool smoothCurves = false;
    bool autoClose = false;
    bool combineLines = false;
    bool autoGreyScale = false;
    bool importDxfText = false;
    double smoothPrecisionPercent = 0.0;  // hidden control; OK never reads it
    double closeErrorMm = 0.0;
    double combineErrorMm = 0.0;
    int dxfUnit = 0;  // 0 mm, 1 cm, 2 inch, 3 custom
    double dxfCustomFactor = 1.0;
};

// Opening: the tolerances and the smoothing precision are brought into range in the settings themselves
// (so a bad stored value is mended even when the dialog is cancelled), then shown.
FileParaEntries OpenFileParaEntries(FileParaSettings& settings);
// OK: every value held to its range and stored.
void ApplyFileParaEntries(const FileParaEntries& entries, FileParaSettings& settings);
// Millimetres per DXF unit for a unit choice; the custom factor only when it is positive and finite.
double DxfFactorForUnit(int dxfUnit, double customFactor);
// Whether the custom factor's edit is shown for a unit choice.
inline bool DxfCustomFactorShown(int dxfUnit) {
    return dxfUnit == 3;
}
