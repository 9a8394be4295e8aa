#include "PropertyLines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::int32_t kButtonWidth = 25;

// The button's own shape: narrowed to the right 25 pixels of a wider place, 3 pixels short at the bottom.
platform::Rect NarrowButton(platform::Rect place) {
    if (place.Width() > kButtonWidth) place.left = place.right - kButtonWidth;
    place.bottom -= 3;
    return place;
}

std::int32_t FractionOfSpan(double fraction, std::int32_t divider, std::int32_t right) {
    return static_cast<std::int32_t>(std::floor(fraction * (static_cast<double>(divider) + right)));
}

}  // namespace

std::vector<std::string> SplitPropertyOptions(std::string_view options) {
    std::vector<std::string> choices;
    std::size_t start = 0;
    for (std::size_t bar = options.find('|'); bar != std::string_view::npos; bar = options.find('|', start)) {
        choices.emplace_back(options.substr(start, bar - start));
        start = bar + 1;
    }
    return choices;
}

std::string PropertyColorText(platform::ColorRef color) {
    char text[16];
    std::snprintf(text, sizeof text, "%Xh", static_cast<unsigned>(color));
    return text;
}

PropertyEditorPlacement PlacePropertyEditors(const CPropertyItem& item, std::int32_t divider, platform::Rect line) {
    PropertyEditorPlacement placement;
    const platform::Rect place{divider, line.top, line.right, line.bottom};
    if (item.kind == kPropertyButton) {
        placement.button = platform::Rect{place.left, place.top, place.right, place.bottom - 3};
        return placement;
    }
    if (item.locked) return placement;
    switch (item.kind) {
        case kPropertyChoice: placement.dropDown = true; break;
        case kPropertyText: placement.edit = place; break;
        case kPropertyTextButton:
            placement.edit = platform::Rect{divider, line.top, FractionOfSpan(0.52, divider, line.right), line.bottom};
            placement.button =
                NarrowButton({FractionOfSpan(0.5, divider, line.right), line.top, line.right, line.bottom});
            break;
        case kPropertyColor:
        case kPropertyFont:
        case kPropertyFile: placement.button = NarrowButton(place); break;
        default: break;
    }
    return placement;
}

std::int32_t ClampDivider(std::int32_t x, std::int32_t width) {
    return std::clamp(x, kDividerLeftLimit, std::max(kDividerLeftLimit, width - kDividerRightLimit));
}
