#include "IconButtonLayout.h"

#include <cmath>

using platform::Rect;

namespace {

std::int32_t CentredStart(std::int32_t start, std::int64_t span, std::int32_t size) {
    return static_cast<std::int32_t>(start + (span - size) / 2);
}

Rect Sized(std::int32_t left, std::int32_t top, platform::Size size) {
    return {left, top, left + size.width, top + size.height};
}

}  // namespace

ImagePlacement PlaceImage(IconAlignment alignment, bool hasCaption, Rect item, Rect caption, bool pressedOffset,
                          platform::Size image) {
    const std::int32_t centredLeft = CentredStart(item.left, item.Width(), image.width);
    const std::int32_t centredTop = CentredStart(item.top, item.Height(), image.height);
    ImagePlacement placement{Sized(centredLeft, centredTop, image), caption};
    switch (alignment) {
        case kIconLeftOfCaption:
            if (hasCaption) {
                placement.image = Sized(item.left + 3, centredTop, image);
                placement.caption.left += image.width + 3;
            }
            break;
        case kIconAboveCaption:
            if (hasCaption) {
                placement.image = Sized(centredLeft, 3, image);
                placement.caption.top += image.height;
            }
            break;
        case kIconRightOfCaption:
            if (hasCaption) {
                const std::int32_t captionWidth = static_cast<std::int32_t>(caption.Width());
                placement.caption.right = captionWidth - image.width - 3;
                placement.caption.left = 3;
                placement.image = Sized(item.right - image.width - 3, centredTop, image);
            } else {
                placement.image = Sized(centredLeft, item.top, image);
            }
            break;
    }
    if (pressedOffset) {
        placement.image.left += 1;
        placement.image.right += 1;
        placement.image.top += 1;
        placement.image.bottom += 1;
    }
    return placement;
}

platform::ColorRef GrayIconPixel(platform::ColorRef color) {
    if ((color & 0x00FFFFFF) == 0) return color;
    const double grey =
        0.299 * platform::RedOf(color) + 0.587 * platform::GreenOf(color) + 0.114 * platform::BlueOf(color);
    const auto level = static_cast<std::uint8_t>(std::floor(grey));
    return platform::Rgb(level, level, level);
}

std::string BoundedLink(std::string_view link) {
    // The buffer's last byte is its terminator; a link that fills the buffer loses its last byte instead.
    return std::string(link.substr(0, kIconButtonLinkCapacity - 1));
}
