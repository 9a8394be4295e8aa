// The rules by which the designer's edits turn what the operator typed into a stored value. The pages
// apply them when an edit loses the focus, and loading "LGPConfig" applies the same rules so that a
// damaged file can never hold a value that the pages would have refused.
#pragma once

#include <cstdint>
#include <string>

namespace dotplate {

// Nearest multiple of 0.001 mm, halves away from zero, as every coordinate of the designer.
double RoundCoord(double value);
// Nearest multiple of 0.0001, halves away from zero.
double RoundToTenThousandth(double value);
// Clamped into [low, high]; a value that is not a number becomes low.
double ClampToRange(double value, double low, double high);

// Dot width and height: at least 0.1 mm, rounded to 0.0001.
double DotSizeRule(double value);
// Row and column spacings: at least 0.5 mm, rounded to 0.0001.
double SpacingRule(double value);
// Spacing and size gradients: 0 stays 0, a magnitude below 0.0001 becomes ±0.0001, then rounded.
double GradientRule(double value);
// Plate width and height: at least 1 mm, rounded to 0.1 mm.
double PlateSizeRule(double value);
// Blank distance: -1000..1000 mm.
double BlankDistanceRule(double value);
// Speeds: 0.1..10000 mm/s.
double SpeedRule(double value);
// Powers: 0.1..100 %.
double PowerRule(double value);
// Scan precision: 10..10000 dots per inch.
double ScanPrecisionRule(double value);
// Laser delays: read as a whole number of ms, then -10000..10000.
double DelayRule(double value);
// Array spaces: -10000..10000 mm.
double ArraySpaceRule(double value);
// Array counts: 1..500.
std::uint16_t ArrayCountRule(int value);
// Array direction: 0..3; the button steps through them in turn.
std::int16_t ArrayDirectionRule(int value);
std::int16_t NextArrayDirection(std::int16_t direction);
// Dot time: 0.001..1000 ms, rounded to 0.001.
double DotTimeRule(double value);

// The resize edits under "Lock ratio" on a plate of width by height: the typed side (at least 1)
// and the other one in the plate's ratio; when that falls below 1 it becomes 1 and the typed side
// follows the ratio instead.
struct LgpResize {
    double typed = 1.0;
    double other = 1.0;
};
LgpResize LockedResize(double typed, double typedSide, double otherSide);

// The value as an edit shows it, by its printf format ("%.4lf", "%.1lf", "%d" of the whole part...).
std::string FormatEditValue(double value, const char* format);

}  // namespace dotplate
