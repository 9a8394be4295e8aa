// Value label texts.
#include "LabelTexts.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>

#include "LogicalUnits.h"

namespace simscope {
namespace {

std::string Printed(const char* format, double first, double second = 0.0) {
    char text[96];
    std::snprintf(text, sizeof text, format, first, second);
    return text;
}

}  // namespace

std::int64_t RoundedMilliseconds(double seconds) {
    const double milliseconds = std::trunc(seconds * 1000.0 + 0.5);
    if (!(milliseconds > 0.0)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or beyond it is held at the largest value.
    constexpr double kLimit = 9223372036854775808.0;
    if (milliseconds >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(milliseconds);
}

std::string FormatJobTime(std::int64_t milliseconds) {
    if (milliseconds < 0) {
        milliseconds = 0;
    }
    const std::int64_t hours = milliseconds / 3600000;
    const std::int64_t rest = milliseconds % 3600000;
    char text[64];
    std::snprintf(text, sizeof text, "%" PRId64 ":%02d:%02d.%03d", hours, static_cast<int>(rest / 60000),
                  static_cast<int>(rest / 1000 % 60), static_cast<int>(rest % 1000));
    return text;
}

std::string FormatMmPair(double first, double second) {
    return Printed("%.1lfmm,%.1lfmm", first, second);
}

std::string FormatMm(double value) {
    return Printed("%.1lfmm", value);
}

std::string FormatSpeed(double mmPerS) {
    return Printed("%.1lfmm/s", mmPerS);
}

std::string FormatPower(double fraction) {
    return Printed("%.1lf%%", TruncateToInt32(fraction * 1000.0 + 0.5) * 0.1);
}

std::string FormatRatio(double ratio) {
    return Printed("%.1lf", ratio);
}

int ProgressPosition(double elapsedSeconds, double totalSeconds) {
    if (!(totalSeconds > 0.0)) {
        return 0;
    }
    const std::int32_t position = TruncateToInt32(elapsedSeconds / totalSeconds * kProgressRange + 0.5);
    return position < 0 ? 0 : (position > kProgressRange ? kProgressRange : position);
}

double SimulationRatio(double position) {
    return position < 50.0 ? position * 0.018 + 0.1 : (position - 50.0) * 0.18 + 1.0;
}

}  // namespace simscope
