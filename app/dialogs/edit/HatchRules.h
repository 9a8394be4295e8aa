// The hatch dialog's resolution and the size of the bitmap that the selected closed curves are filled
// into.
#pragma once

#include <cstdint>

namespace dialogs::edit {

inline constexpr std::uint32_t kMinHatchDpi = 100;
inline constexpr std::uint32_t kMaxHatchDpi = 10000;
// What the first hatch after start proposes; later ones propose the last accepted value.
inline constexpr std::uint32_t kFirstHatchDpi = 300;

// The typed resolution brought into 100..10000 dpi and cut to a whole number (254.9 is 254).
std::uint32_t HatchResolution(double typedDpi);

struct HatchBitmapSize {
    std::uint32_t pixelsPerMetre = 0;
    std::uint32_t widthPixels = 1;
    std::uint32_t heightPixels = 1;
};
// The bitmap that covers widthMm x heightMm at the resolution: at least one pixel each way, a side
// rounded to the nearest pixel.
HatchBitmapSize HatchBitmapSizeOf(double widthMm, double heightMm, std::uint32_t dpi);

}  // namespace dialogs::edit
