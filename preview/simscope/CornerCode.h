// The corner code 0..3 that names where the machine's origin lies: the origin corner of the caller, the
// anchor corner of the settings file and of the configuration dialog are all this one code.
#pragma once

#include <cstdint>

namespace simscope {

enum class Corner : std::uint32_t { TopLeft = 0, TopRight = 1, BottomRight = 2, BottomLeft = 3 };

// Values above 3 are taken as bottom left (no mirroring, positive feed shifts).
inline Corner CornerFromCode(std::uint32_t code) {
    return code > 3 ? Corner::BottomLeft : static_cast<Corner>(code);
}

// Top corners mirror y (the job's y axis points down from a top origin); right corners mirror x.
inline bool MirrorsHorizontally(Corner corner) {
    return corner == Corner::TopRight || corner == Corner::BottomRight;
}
inline bool MirrorsVertically(Corner corner) {
    return corner == Corner::TopLeft || corner == Corner::TopRight;
}
// Feed shifts lower later points for the top corners and raise them for the bottom corners.
inline double FeedShiftSign(Corner corner) {
    return MirrorsVertically(corner) ? -1.0 : 1.0;
}

}  // namespace simscope
