// The icon button's arithmetic: where its image goes beside, above or instead of the caption, the grey
// of its automatic "out" image, and the bound on its link.
#pragma once

#include "GdiTypes.h"

#include <cstddef>
#include <string>
#include <string_view>

// Image position relative to the caption.
enum IconAlignment : std::uint8_t {
    kIconLeftOfCaption = 0,
    kIconAboveCaption = 1,
    kIconRightOfCaption = 2,
};

struct ImagePlacement {
    platform::Rect image;
    platform::Rect caption;  // narrowed to leave the image room
};

// Centring uses half the difference of the sizes, rounded toward zero; a pressed button that is no
// toggle shows its image one pixel right and down.
ImagePlacement PlaceImage(IconAlignment alignment, bool hasCaption, platform::Rect item, platform::Rect caption,
                          bool pressedOffset, platform::Size image);

// Black stays black; every other colour becomes the grey of 0.299 red + 0.587 green + 0.114 blue.
platform::ColorRef GrayIconPixel(platform::ColorRef color);

// The link is kept in a 260-byte buffer with its terminating zero: at most 259 bytes of text.
constexpr std::size_t kIconButtonLinkCapacity = 260;
std::string BoundedLink(std::string_view link);
