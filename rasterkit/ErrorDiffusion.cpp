// Error diffusion. The error of a pixel follows from its value (0..255), so each weighted share is
// looked up by that value; the inner columns run without edge checks and out of registers.
#include "ErrorDiffusion.h"

#include <algorithm>
#include <array>

namespace rasterkit {
namespace {


struct Shares {
    std::int16_t w1, w2, w4, w8;  // trunc(e x w / 42)
};

// Shares by the pixel's value before the threshold (0..255), so that finding them takes one load after
// the value is known.
constexpr std::array<Shares, 256> MakeShares() {
    std::array<Shares, 256> shares{};
    for (int i = 0; i < 256; ++i) {
        const int e = i > 128 ? i - 255 : i;
        shares[i] = {static_cast<std::int16_t>(e / 42), static_cast<std::int16_t>(e * 2 / 42),
                     static_cast<std::int16_t>(e * 4 / 42), static_cast<std::int16_t>(e * 8 / 42)};
    }
    return shares;
}

constexpr std::array<Shares, 256> kShares = MakeShares();

inline void Add(std::uint8_t& value, int share) {
    value = static_cast<std::uint8_t>(std::clamp(value + share, 0, 255));
}

// Spreads one pixel's shares, skipping columns outside the row and rows past the last.
inline void Spread(std::uint8_t* same, std::uint8_t* next, std::uint8_t* after, std::int32_t c, std::int32_t width,
                   const Shares& s) {
    auto inside = [&](std::int32_t column) { return column >= 0 && column < width; };
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
    const Shares& shares = kShares[value];
    value = value > 128 ? 255 : 0;
    return shares;
}

// The inner columns of a row that has two rows above it. The values still receiving shares are kept in
// registers: the two pixels ahead in this row and a five-pixel window in each of the next two rows; each
// step loads the newly reached values and stores the ones no later pixel of this row touches. Every value
// receives its shares in the same order as in the plain walk, so the clamps fall the same way.
void DiffuseInner(std::uint8_t* same, std::uint8_t* next, std::uint8_t* after, std::int32_t begin, std::int32_t end) {
    auto add = [](int value, int share) { return std::clamp(value + share, 0, 255); };
    int current = same[begin], ahead = same[begin + 1];
    int n0 = next[begin - 2], n1 = next[begin - 1], n2 = next[begin], n3 = next[begin + 1];
    int a0 = after[begin - 2], a1 = after[begin - 1], a2 = after[begin], a3 = after[begin + 1];
    for (std::int32_t c = begin; c < end; ++c) {
        // Branch-free: the threshold flips at random in a dithered picture.
        const Shares& s = kShares[current];
        same[c] = static_cast<std::uint8_t>(-static_cast<int>(current > 128) & 255);
        current = add(ahead, s.w8);
        ahead = add(same[c + 2], s.w4);
        next[c - 2] = static_cast<std::uint8_t>(add(n0, s.w2));
        n0 = add(n1, s.w4);
        n1 = add(n2, s.w8);
        n2 = add(n3, s.w4);
        n3 = add(next[c + 2], s.w2);
        after[c - 2] = static_cast<std::uint8_t>(add(a0, s.w1));
        a0 = add(a1, s.w2);
        a1 = add(a2, s.w4);
        a2 = add(a3, s.w2);
        a3 = add(after[c + 2], s.w1);
    }
    same[end] = static_cast<std::uint8_t>(current);
    same[end + 1] = static_cast<std::uint8_t>(ahead);
    next[end - 2] = static_cast<std::uint8_t>(n0);
    next[end - 1] = static_cast<std::uint8_t>(n1);
    next[end] = static_cast<std::uint8_t>(n2);
    next[end + 1] = static_cast<std::uint8_t>(n3);
    after[end - 2] = static_cast<std::uint8_t>(a0);
    after[end - 1] = static_cast<std::uint8_t>(a1);
    after[end] = static_cast<std::uint8_t>(a2);
    after[end + 1] = static_cast<std::uint8_t>(a3);
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
            Spread(same, next, after, c, width, Settle(same[c]));
        }
        if (next != nullptr && after != nullptr && c < innerEnd) {
            DiffuseInner(same, next, after, c, innerEnd);
            c = innerEnd;
        }
        for (; c < width; ++c) {
            Spread(same, next, after, c, width, Settle(same[c]));
        }
    }
}

}  // namespace rasterkit
