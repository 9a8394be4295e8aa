// The texts of the value labels and the progress position, with every float-to-integer step saturated
// so that no job, however long or damaged, converts out of range.
#pragma once

#include <cstdint>
#include <string>

namespace simscope {

// trunc(seconds x 1000 + 0.5) in 64 bits; 0 for negative or NaN seconds, the largest value for huge ones.
std::int64_t RoundedMilliseconds(double seconds);
// "h:mm:ss.mmm" with unpadded hours: 1 h 2 min 3 s 4 ms gives "1:02:03.004".
std::string FormatJobTime(std::int64_t milliseconds);
// "%.1lfmm,%.1lfmm".
std::string FormatMmPair(double first, double second);
// "%.1lfmm".
std::string FormatMm(double value);
// "%.1lfmm/s".
std::string FormatSpeed(double mmPerS);
// "%.1lf%%" of trunc(power x 1000 + 0.5) x 0.1, the power in percent to one decimal.
std::string FormatPower(double fraction);
// "%.1lf".
std::string FormatRatio(double ratio);

constexpr int kProgressRange = 10000;
// trunc(elapsed / total x 10000 + 0.5) held to 0..10000; 0 when the total is not above 0.
int ProgressPosition(double elapsedSeconds, double totalSeconds);

// Slider position 0..100 to the playback speed ratio: 0.1 at 0, 1.0 at 50, 10.0 at 100.
double SimulationRatio(double position);

}  // namespace simscope
