// Error diffusion. The error of a pixel is one of 256 values (-126..128 after the threshold), so each
// weighted share is looked up; the inner columns run without edge checks.
#include "ErrorDiffusion.h"

#include <algorithm>
#include <array>

namespace rasterkit {
namespace {

constexpr int kMinError = -127;
constexpr int kErrorCount = 256;

struct Shares {
    std::int16_t w1, w2, w4, w8;  // trunc(e x w / 42)
};

constexpr std::array<Shares, kErrorCount> MakeShares() {
    std::array<Shares, kErrorCount> shares{};
    for (int i = 0; i < kErrorCount; ++i) {
        const int e = i + kMinError;
        shares[i] = {static_cast<std::int16_t>(e / 42), static_cast<std::int16_t>(e * 2 / 42),
                     static_cast<std::int16_t>(e * 4 / 42), static_cast<std::int16_t>(e * 8 / 42)};
    }
    return shares;
}

constexpr std::array<Shares, kErrorCount> kShares = MakeShares();

inline void Add(std::uint8_t& value, int share) {
    value = static_cast<std::uint8_t>(std::clamp(value + share, 0, 255));
}

// Spreads one pixel's shares; `Checked` guards the columns at the edges of the row.
template <bool Checked>
inline void Spread(std::uint8_t* same, std::uint8_t* next, std::uint8_t* after, std::int32_t c, std::int32_t width,
                   const Shares& s) {
    auto inside = [&](std::int32_t column) { return !Checked || (column >= 0 && column < width); };
    if (inside(c + 1)) Add(same[c + 1], s.w8);
    if (inside(c + 2)) Add(same[c + 2], s.w4);
    if (next != nullptr) {
        if (inside(c - 2)) Add(next[c - 2], s.w2);
        if (inside(c - 1)) Add(next[c - 1], s.w4);
        Add(next[c], s.w8);
        if (inside(c + 1)) Add(next[c + 1], s.w4);
        if (inside(c + 2)) Add(next[c + 2], s.w2);
    }
    if (after != nullptr) {
        if (inside(c - 2)) Add(after[c - 2], s.w1);
        if (inside(c - 1)) Add(after[c - 1], s.w2);
        Add(after[c], s.w4);
        if (inside(c + 1)) Add(after[c + 1], s.w2);
        if (inside(c + 2)) Add(after[c + 2], s.w1);
    }
}

inline const Shares& Settle(std::uint8_t& value) {
    const int v = value;
    const int error = v > 128 ? v - 255 : v;
    value = v > 128 ? 255 : 0;
    return kShares[error - kMinError];
}

}  // namespace

void DiffuseErrors(const Raster& raster) {
    const std::int32_t width = raster.Width();
    const std::int32_t height = raster.Height();
    const std::int32_t innerEnd = width - 2;
    for (std::int32_t r = 0; r < height; ++r) {
        std::uint8_t* same = raster.Row(r);
        std::uint8_t* next = r + 1 < height ? raster.Row(r + 1) : nullptr;
        std::uint8_t* after = r + 2 < height ? raster.Row(r + 2) : nullptr;
        std::int32_t c = 0;
        for (; c < std::min(2, width); ++c) {
            Spread<true>(same, next, after, c, width, Settle(same[c]));
        }
        if (next != nullptr && after != nullptr) {
            for (; c < innerEnd; ++c) {
                Spread<false>(same, next, after, c, width, Settle(same[c]));
            }
        }
        for (; c < width; ++c) {
            Spread<true>(same, next, after, c, width, Settle(same[c]));
        }
    }
}

}  // namespace rasterkit
