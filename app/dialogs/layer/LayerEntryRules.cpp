// The layer dialogs' entry rules; see the header.
#include "LayerEntryRules.h"

#include <algorithm>
#include <cmath>

#include "FieldText.h"
#include "Numbers.h"

namespace layer_entry {

namespace {

double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// Beyond this magnitude a double has no fractional digits left to round or cut.
constexpr double kNoFractionBeyond = 4503599627370496.0;  // 2^52

}  // namespace

double EnteredNumber(std::string_view text) {
    return dialogkit::ReadFieldNumber(text).value_or(0.0);
}

double RoundHalfUp(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kNoFractionBeyond) {
        return value;
    }
    return std::floor(scaled + 0.5) / scale;
}

double TruncateTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kNoFractionBeyond) {
        return value;
    }
    return std::trunc(scaled) / scale;
}

double ApplyRounded(const RoundedRule& rule, double number) {
    const double held = std::clamp(std::fabs(FiniteOrZero(number)), rule.minimum, rule.maximum);
    return std::min(RoundHalfUp(held, rule.decimals), rule.maximum);
}

Entry EnterRounded(const RoundedRule& rule, std::string_view text) {
    const double stored = ApplyRounded(rule, EnteredNumber(text));
    return {stored, platform::FormatFixed(stored, rule.decimals)};
}

double StoredLayerSpeed(double shownSpeed, bool speedInMmPerS) {
    double speed = std::fabs(FiniteOrZero(shownSpeed));
    if (speed == 0.0) {
        return 0.01;
    }
    if (!speedInMmPerS) {
        speed *= kMmPerSPerMPerMin;
    }
    speed = TruncateTo(FiniteOrZero(speed), 2);
    // A speed that truncates to nothing would stop the head: the same floor as an empty entry.
    return speed == 0.0 ? 0.01 : speed;
}

Entry EnterLayerSpeed(std::string_view text, bool speedInMmPerS) {
    const double stored = StoredLayerSpeed(EnteredNumber(text), speedInMmPerS);
    if (speedInMmPerS) {
        return {stored, platform::FormatFixed(stored, 2)};
    }
    return {stored, platform::FormatFixed(TruncateTo(stored * 6.0, 0) / 100.0, 2)};
}

std::string ShowLayerSpeed(double speedMmPerS, bool speedInMmPerS) {
    if (speedInMmPerS) {
        return ShowStored(speedMmPerS);
    }
    return ShowStored(RoundHalfUp(std::fabs(speedMmPerS) * kMPerMinPerMmPerS, 2));
}

std::string ShowStored(double value) {
    return platform::FormatGeneral(value, 15);
}

double ClampKerfWidthMm(double widthMm) {
    return std::clamp(FiniteOrZero(widthMm), 0.01, 0.5);
}

Entry EnterKerfWidth(std::string_view text) {
    const double stored = ClampKerfWidthMm(EnteredNumber(text));
    return {stored, ShowStored(stored)};
}

double StoredZSpeed(double shownSpeed, bool speedInMmPerS) {
    const double speed = std::fabs(FiniteOrZero(shownSpeed));
    return speedInMmPerS ? speed : FiniteOrZero(speed * kMmPerSPerMPerMin);
}

double ShownZSpeed(double speedMmPerS, bool speedInMmPerS) {
    return speedInMmPerS ? speedMmPerS : RoundHalfUp(speedMmPerS * kMPerMinPerMmPerS, 3);
}

double StoredDotIntervalS(double entered) {
    return std::clamp(FiniteOrZero(entered), 0.0, 1000.0);
}

}  // namespace layer_entry
