// The one wording of a refusal for a file that ends before its own structure says it ends, so that every
// reader says it alike and the caller can tell it from other refusals.
#pragma once

#include <string>
#include <string_view>

namespace filebridge {

inline constexpr std::string_view kCutShortReason = "file cut short or damaged";

inline std::string CutShortReason(std::string_view detail) {
    return std::string(kCutShortReason) + ": " + std::string(detail);
}

}  // namespace filebridge
