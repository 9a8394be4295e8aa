#include "LgpParams.h"

#include <algorithm>
#include <cmath>

#include "Archive.h"
#include "AtomicFile.h"
#include "LgpPageRules.h"

namespace dotplate {

namespace {

// The smallest minimum spacing that loading accepts: below it the row and column loops of a
// plate-sized area would run for hours.
constexpr double kLowestMinSpacing = 0.01;
// No plate is larger than this; the page sets no upper bound, but a damaged file must not ask
// generation for an endless pattern.
constexpr double kLargestPlateMm = 10000.0;

double FiniteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

std::int32_t AsFlag(std::int32_t value) { return value != 0 ? 1 : 0; }

void Exchange(platform::Archive& ar, LgpGradients& gradients) {
    ar.Exchange(gradients.upperRows);
    ar.Exchange(gradients.lowerRows);
    ar.Exchange(gradients.leftColumns);
    ar.Exchange(gradients.rightColumns);
}

void Exchange(platform::Archive& ar, LgpSpacing& spacing) {
    ar.Exchange(spacing.start);
    ar.Exchange(spacing.gradient);
}

void Exchange(platform::Archive& ar, LgpDotPara& dot) {
    ar.Exchange(dot.minDotSize);
    ar.Exchange(dot.minSpacing);
    ar.Exchange(dot.dotWidth);
    ar.Exchange(dot.dotHeight);
    ar.Exchange(dot.dotMode);
    Exchange(ar, dot.widthGradients);
    Exchange(ar, dot.heightGradients);
    Exchange(ar, dot.upperRows);
    Exchange(ar, dot.lowerRows);
    Exchange(ar, dot.leftColumns);
    Exchange(ar, dot.rightColumns);
    ar.Exchange(dot.baselineX);
    ar.Exchange(dot.baselineY);
    for (std::int32_t* flag : {&dot.rowStagger, &dot.columnStagger, &dot.lightLeft, &dot.lightRight, &dot.lightUp,
                               &dot.lightDown}) {
        ar.Exchange(*flag);
    }
}

void Exchange(platform::Archive& ar, LgpPassPara& pass) {
    ar.Exchange(pass.speed);
    ar.Exchange(pass.speedDefault);
    ar.Exchange(pass.minPower);
    ar.Exchange(pass.maxPower);
    ar.Exchange(pass.powerDefault);
    ar.Exchange(pass.blower);
}

void Exchange(platform::Archive& ar, LgpLaserPara& laser) {
    Exchange(ar, laser.dots);
    ar.Exchange(laser.scanType);
    ar.Exchange(laser.scanPrecisionDpi);
    ar.Exchange(laser.referencePointMode);
    ar.Exchange(laser.onDelayMs);
    ar.Exchange(laser.offDelayMs);
    ar.Exchange(laser.outlineCut);
    Exchange(ar, laser.outline);
    ar.Exchange(laser.outlineOnDelayMs);
    ar.Exchange(laser.outlineOffDelayMs);
    ar.Exchange(laser.arrayCountX);
    ar.Exchange(laser.arrayCountY);
    ar.Exchange(laser.arraySpaceX);
    ar.Exchange(laser.arraySpaceY);
    ar.Exchange(laser.arrayDirection);
    ar.Exchange(laser.ellipseToDot);
    ar.Exchange(laser.dotTimeMs);
}

void Exchange(platform::Archive& ar, LgpShapePara& shape) {
    ar.Exchange(shape.plateWidth);
    ar.Exchange(shape.plateHeight);
    ar.Exchange(shape.blankEnabled);
    ar.Exchange(shape.blankDistance);
    ar.Exchange(shape.applyToOutline);
    ar.Exchange(shape.mergeCrossing);
}

void ApplyGradientRule(LgpGradients& gradients) {
    for (double* value : {&gradients.upperRows, &gradients.lowerRows, &gradients.leftColumns, &gradients.rightColumns}) {
        *value = GradientRule(FiniteOr(*value, 0.0));
    }
}

void ApplySpacingRule(LgpSpacing& spacing) {
    const LgpSpacing defaults;
    spacing.start = SpacingRule(FiniteOr(spacing.start, defaults.start));
    spacing.gradient = GradientRule(FiniteOr(spacing.gradient, defaults.gradient));
}

void ApplyEntryRules(LgpDotPara& dot) {
    const LgpDotPara defaults;
    dot.minDotSize = dot.minDotSize > 0 && std::isfinite(dot.minDotSize) ? dot.minDotSize : defaults.minDotSize;
    dot.minSpacing = dot.minSpacing > 0 && std::isfinite(dot.minSpacing)
                         ? std::max(dot.minSpacing, kLowestMinSpacing)
                         : defaults.minSpacing;
    dot.dotWidth = DotSizeRule(FiniteOr(dot.dotWidth, defaults.dotWidth));
    dot.dotHeight = DotSizeRule(FiniteOr(dot.dotHeight, defaults.dotHeight));
    if (dot.dotMode > kCrossLine) {
        dot.dotMode = defaults.dotMode;
    }
    ApplyGradientRule(dot.widthGradients);
    ApplyGradientRule(dot.heightGradients);
    for (LgpSpacing* spacing : {&dot.upperRows, &dot.lowerRows, &dot.leftColumns, &dot.rightColumns}) {
        ApplySpacingRule(*spacing);
    }
    dot.baselineX = RoundCoord(FiniteOr(dot.baselineX, 0.0));
    dot.baselineY = RoundCoord(FiniteOr(dot.baselineY, 0.0));
    for (std::int32_t* flag : {&dot.rowStagger, &dot.columnStagger, &dot.lightLeft, &dot.lightRight, &dot.lightUp,
                               &dot.lightDown}) {
        *flag = AsFlag(*flag);
    }
}

void ApplyEntryRules(LgpPassPara& pass) {
    const LgpPassPara defaults;
    pass.speed = SpeedRule(FiniteOr(pass.speed, defaults.speed));
    pass.minPower = PowerRule(FiniteOr(pass.minPower, defaults.minPower));
    pass.maxPower = PowerRule(FiniteOr(pass.maxPower, defaults.maxPower));
    pass.speedDefault = AsFlag(pass.speedDefault);
    pass.powerDefault = AsFlag(pass.powerDefault);
    pass.blower = AsFlag(pass.blower);
}

void ApplyEntryRules(LgpLaserPara& laser) {
    const LgpLaserPara defaults;
    ApplyEntryRules(laser.dots);
    ApplyEntryRules(laser.outline);
    if (laser.scanType < 0 || laser.scanType > 3) {
        laser.scanType = defaults.scanType;
    }
    laser.scanPrecisionDpi = ScanPrecisionRule(FiniteOr(laser.scanPrecisionDpi, defaults.scanPrecisionDpi));
    for (double* delay : {&laser.onDelayMs, &laser.offDelayMs, &laser.outlineOnDelayMs, &laser.outlineOffDelayMs}) {
        *delay = ClampToRange(FiniteOr(*delay, 0.0), -10000.0, 10000.0);
    }
    laser.outlineCut = AsFlag(laser.outlineCut);
    laser.arrayCountX = ArrayCountRule(laser.arrayCountX);
    laser.arrayCountY = ArrayCountRule(laser.arrayCountY);
    laser.arraySpaceX = ArraySpaceRule(FiniteOr(laser.arraySpaceX, 0.0));
    laser.arraySpaceY = ArraySpaceRule(FiniteOr(laser.arraySpaceY, 0.0));
    laser.arrayDirection = ArrayDirectionRule(laser.arrayDirection);
    laser.ellipseToDot = AsFlag(laser.ellipseToDot);
    laser.dotTimeMs = DotTimeRule(FiniteOr(laser.dotTimeMs, defaults.dotTimeMs));
}

void ApplyEntryRules(LgpShapePara& shape) {
    const LgpShapePara defaults;
    shape.plateWidth = std::min(PlateSizeRule(FiniteOr(shape.plateWidth, defaults.plateWidth)), kLargestPlateMm);
    shape.plateHeight = std::min(PlateSizeRule(FiniteOr(shape.plateHeight, defaults.plateHeight)), kLargestPlateMm);
    shape.blankEnabled = AsFlag(shape.blankEnabled);
    shape.blankDistance = BlankDistanceRule(FiniteOr(shape.blankDistance, 0.0));
    shape.applyToOutline = AsFlag(shape.applyToOutline);
    shape.mergeCrossing = AsFlag(shape.mergeCrossing);
}

}  // namespace

void LgpConfig::Serialize(platform::Archive& ar) {
    Exchange(ar, dot);
    Exchange(ar, laser);
    Exchange(ar, shape);
}

void LgpConfig::ApplyEntryRules() {
    dotplate::ApplyEntryRules(dot);
    dotplate::ApplyEntryRules(laser);
    dotplate::ApplyEntryRules(shape);
}

bool LoadConfigFile(const std::filesystem::path& file, LgpConfig& config) {
    auto bytes = platform::ReadWholeFile(file);
    if (!bytes || bytes->size() != LgpConfig::kStoredBytes) {
        return false;
    }
    LgpConfig loaded;
    platform::Archive archive = platform::Archive::ForLoading(std::move(*bytes));
    try {
        loaded.Serialize(archive);
    } catch (const platform::ArchiveError&) {
        return false;
    }
    loaded.ApplyEntryRules();
    config = loaded;
    return true;
}

bool SaveConfigFile(const std::filesystem::path& file, const LgpConfig& config) {
    platform::Archive archive = platform::Archive::ForStoring();
    LgpConfig copy = config;
    copy.Serialize(archive);
    return archive.SaveToFile(file);
}

}  // namespace dotplate
