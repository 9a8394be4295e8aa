// The result convention of the exports and the guard that keeps exceptions inside the library.
#pragma once

#include <cstdint>

namespace rasterkit {

inline constexpr std::int32_t kDone = 0;
inline constexpr std::int32_t kFailed = 1;

// Runs an export's body; any exception (an allocation that fails, an archive read past the end) becomes
// the failure status, so nothing unwinds into the caller.
template <typename Body>
std::int32_t Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return kFailed;
    }
}

}  // namespace rasterkit
