// How the layer dialogs turn what the operator typed into a stored value and the text shown back.
// Every entry reads the number at the start of the text; text without a number, or a number that is
// not finite, counts as 0, so that no entry ever stores infinity or NaN and no entry shows a message.
#pragma once

#include <limits>
#include <string>
#include <string_view>

namespace layer_entry {

// What an entry stores (in the record's unit) and what its edit shows afterwards.
struct Entry {
    double stored = 0.0;
    std::string shown;
    bool operator==(const Entry&) const = default;
};

// The common shape of most numeric entries: the absolute value, held to [minimum, maximum], rounded
// half up to `decimals` and shown with exactly that many decimals.
struct RoundedRule {
    int decimals = 0;
    double minimum = 0.0;
    double maximum = std::numeric_limits<double>::infinity();
};

inline constexpr RoundedRule kPowerPercent{1, 0.0, 100.0};
inline constexpr RoundedRule kSealMm{3, 0.0, 5.0};
inline constexpr RoundedRule kDelayMs{3, 0.0, 30000.0};
inline constexpr RoundedRule kDotTimeS{3, 0.0, 4000.0};
inline constexpr RoundedRule kDotLengthMm{3};  // dot interval and dot length: no upper bound
inline constexpr RoundedRule kRampLengthMm{2, 0.0, 10.0};
inline constexpr RoundedRule kScanIntervalMm{4, 0.001};
inline constexpr RoundedRule kCircleDiameterMm{3, 0.0, 10000.0};

// The number typed, 0 when there is none or it is not finite.
double EnteredNumber(std::string_view text);
// Rounds half up (away from zero for the halves of positive values) to the given decimals; a value too
// large to carry any decimals is returned as it is.
double RoundHalfUp(double value, int decimals);
// Truncates toward zero to the given decimals, with the same care for huge values.
double TruncateTo(double value, int decimals);

// The rule on a number already read (NaN and infinities count as 0).
double ApplyRounded(const RoundedRule& rule, double number);
Entry EnterRounded(const RoundedRule& rule, std::string_view text);

// 1 m/min in mm/s, and 1 mm/s in m/min.
inline constexpr double kMmPerSPerMPerMin = 16.666666666666668;
inline constexpr double kMPerMinPerMmPerS = 0.06;

// Layer speed: 0 becomes 0.01 mm/s; m/min is converted; truncated to two decimals. Shown with two
// decimals in mm/s, or in m/min as the stored value x 6 cut to a whole number / 100 (0.01 shows 0.00).
Entry EnterLayerSpeed(std::string_view text, bool speedInMmPerS);
// The stored mm/s of that rule for a number already read in the shown unit.
double StoredLayerSpeed(double shownSpeed, bool speedInMmPerS);
// The speed edit's text for a stored speed when the dialog refreshes: m/min rounded half up to two
// decimals.
std::string ShowLayerSpeed(double speedMmPerS, bool speedInMmPerS);

// A number as the dialogs' edits show a stored double: general format, up to 15 significant digits.
std::string ShowStored(double value);

// Kerf width, held to 0.01..0.5 mm; also what opening the kerf dialog does to a stored width.
double ClampKerfWidthMm(double widthMm);
Entry EnterKerfWidth(std::string_view text);

// Z speed of the other-parameters dialog: its absolute value, converted from m/min, not rounded. A
// result that is not finite counts as 0.
double StoredZSpeed(double shownSpeed, bool speedInMmPerS);
// The Z speed as that dialog shows it: m/min rounded half up to three decimals.
double ShownZSpeed(double speedMmPerS, bool speedInMmPerS);
// Dot interval of the other-parameters dialog: held to 0..1000 s.
double StoredDotIntervalS(double entered);

}  // namespace layer_entry
