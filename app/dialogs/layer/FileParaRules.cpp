// The file parameters dialog's rules; see the header.
#include "FileParaRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AsciiText.h"
#include "Numbers.h"
#include "SettingsRecords.h"

namespace {

constexpr double kLargestCloseErrorMm = 3.0;
constexpr double kLargestCombineErrorMm = 2.0;
constexpr double kLargestExportPercent = 300.0;
constexpr std::int64_t kLeastPltPrecision = 10;
constexpr std::int64_t kLargestPltPrecision = 10000;
// The smoothing precision has no visible control; OK always stores the program's own choice.
constexpr double kSmoothPrecision = 0.3;
constexpr int kCustomDxfUnit = 3;

double Held(double value, double largest) {
    return std::isfinite(value) ? std::clamp(value, 0.0, largest) : 0.0;
}

}  // namespace

double DxfFactorForUnit(int dxfUnit, double customFactor) {
    switch (dxfUnit) {
        case 1:
            return 10.0;
        case 2:
            return 25.4;
        case kCustomDxfUnit:
            return std::isfinite(customFactor) && customFactor > 0.0 ? customFactor : 1.0;
        default:
            return 1.0;
    }
}

FileParaEntries OpenFileParaEntries(FileParaSettings& settings) {
    settings.smoothPrecision = Held(settings.smoothPrecision, 1.0);
    settings.combineErrorMm = Held(settings.combineErrorMm, kLargestCombineErrorMm);
    settings.closeErrorMm = Held(settings.closeErrorMm, kLargestCloseErrorMm);

    FileParaEntries entries;
    entries.pltPrecisionText = platform::FormatInt(settings.pltPrecision);
    entries.exportPrecisionPercent = std::trunc(settings.exportPrecision * 10000.0) * 0.01;
    entries.velocityUnit = settings.velocityUnit;
    entries.smoothCurves = settings.smoothCurves != 0;
    entries.autoClose = settings.autoClose != 0;
    entries.combineLines = settings.combineLines != 0;
    entries.autoGreyScale = settings.autoGreyScale != 0;
    entries.importDxfText = settings.importDxfText != 0;
    entries.smoothPrecisionPercent = settings.smoothPrecision * 100.0;
    entries.closeErrorMm = settings.closeErrorMm;
    entries.combineErrorMm = settings.combineErrorMm;
    entries.dxfUnit = settings.dxfUnit;
    entries.dxfCustomFactor = settings.dxfScale;
    return entries;
}

void ApplyFileParaEntries(const FileParaEntries& entries, FileParaSettings& settings) {
    settings.exportPrecision = Held(entries.exportPrecisionPercent, kLargestExportPercent) * 0.01;
    const std::int64_t plt = platform::ParseLeadingInt(entries.pltPrecisionText);
    // A negative precision is taken as its size; the magnitude of the smallest integer is saturated.
    const std::int64_t pltSize =
        plt < 0 ? (plt == std::numeric_limits<std::int64_t>::min() ? kLargestPltPrecision : -plt) : plt;
    settings.pltPrecision =
        static_cast<std::uint16_t>(std::clamp(pltSize, kLeastPltPrecision, kLargestPltPrecision));
    settings.velocityUnit = entries.velocityUnit == 0 ? 0 : 1;
    settings.smoothCurves = entries.smoothCurves ? 1 : 0;
    settings.autoClose = entries.autoClose ? 1 : 0;
    settings.combineLines = entries.combineLines ? 1 : 0;
    settings.autoGreyScale = entries.autoGreyScale ? 1 : 0;
    settings.importDxfText = entries.importDxfText ? 1 : 0;
    settings.smoothPrecision = kSmoothPrecision;
    settings.combineErrorMm = Held(entries.combineErrorMm, kLargestCombineErrorMm);
    settings.closeErrorMm = Held(entries.closeErrorMm, kLargestCloseErrorMm);
    const bool knownUnit = entries.dxfUnit >= 0 && entries.dxfUnit <= kCustomDxfUnit;
    settings.dxfUnit = static_cast<std::uint16_t>(knownUnit ? entries.dxfUnit : 0);
    settings.dxfScale = DxfFactorForUnit(settings.dxfUnit, entries.dxfCustomFactor);
}
