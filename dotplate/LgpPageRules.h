// The rules by which the designer's edits turn what the operator typed into a stored value. The pages
// apply them when an edit loses the focus, and loading "LGPConfig" applies the same rules so that a
// damaged file can never hold a value that the pages would have refused.
#pragma once

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

}  // namespace dotplate
