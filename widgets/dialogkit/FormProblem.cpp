#include "FormProblem.h"

#include <cmath>

#include "FieldText.h"

namespace dialogkit {

namespace {

// Bounds at or beyond this size stand for "no bound" in the field tables (they hold the largest double).
constexpr double kNoBoundBeyond = 1e15;

std::string WithUnit(std::string text, const FieldInfo& field) {
    if (!field.unit.empty()) {
        text += ' ';
        text += field.unit;
    }
    return text;
}

}  // namespace

std::string ShowRange(const FieldInfo& field) {
    const bool lowBound = std::fabs(field.range.low) < kNoBoundBeyond;
    const bool highBound = std::fabs(field.range.high) < kNoBoundBeyond;
    const std::string low = ShowFieldNumber(field.range.low, field.decimals);
    const std::string high = ShowFieldNumber(field.range.high, field.decimals);
    if (lowBound && highBound) {
        return WithUnit(low + " - " + high, field);
    }
    if (lowBound) {
        return WithUnit("\u2265 " + low, field);
    }
    if (highBound) {
        return WithUnit("\u2264 " + high, field);
    }
    return std::string();
}

std::optional<FormProblem> CheckFieldNumber(const FieldInfo& field, std::optional<double> number) {
    if (!number) {
        return FormProblem{field.controlId, kNoNumberMessage, std::string()};
    }
    if (!field.range.Contains(*number)) {
        return FormProblem{field.controlId, kOutOfRangeMessage, ShowRange(field)};
    }
    return std::nullopt;
}

}  // namespace dialogkit
