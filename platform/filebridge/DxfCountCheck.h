// The DXF parser sizes its vertex, knot, control and fit point arrays from the counts a file states,
// trusting them. This looks at those counts first: each must be a whole number that the bytes after it
// could hold.
#pragma once

#include <string>
#include <string_view>

namespace filebridge {

// Empty when every count is plausible; otherwise why the file is refused.
std::string CheckDxfCounts(std::string_view text);

}  // namespace filebridge
