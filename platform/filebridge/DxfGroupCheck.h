// The DXF parser sizes its vertex, knot, control and fit point arrays from the counts a file states,
// trusting them, and reads a damaged number as 0. This looks at the groups first: each count must be a
// whole number that the bytes after it could hold, and each real value a finite number. Every section
// must end, and the file must end with its EOF group: a file cut short is refused, not half read.
#pragma once

#include <string>
#include <string_view>

namespace filebridge {

// Empty when every count and real value is sound; otherwise why the file is refused.
std::string CheckDxfGroups(std::string_view text);

}  // namespace filebridge
