#include "SkinGeometry.h"

using platform::Point;
using platform::Rect;

namespace {

bool Contains(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool IsEmpty(const Rect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

}  // namespace

int SkinFrameHitTest(const SkinFrameLayout& frame, Point point) {
    const std::int32_t w = frame.width;
    const std::int32_t h = frame.height;
    const std::int32_t l = frame.left;
    const std::int32_t r = frame.right;
    const std::int32_t b = frame.bottom;
    const std::int32_t c = frame.caption;
    if (Contains(frame.closeButton, point)) return 20;
    if (frame.hasMinimize && Contains(frame.minimizeButton, point)) return kSkinHitMinimize;
    if (frame.hasMaximize && Contains(frame.maximizeButton, point)) return kSkinHitMaximize;
    if (Contains({l, 5, l + frame.smallIconSize, 5 + frame.smallIconSize}, point)) return kSkinHitSystemMenu;
    if (frame.resizable && !frame.maximized) {
        const std::pair<Rect, int> edges[] = {
            {{0, 0, l, c}, kSkinHitTopLeft},    {{w - l, 0, w, c}, kSkinHitTopRight}, {{0, h - b, l, h}, kSkinHitBottomLeft},
            {{w - r, h - b, w, h}, kSkinHitBottomRight}, {{0, c, l, h - b}, 10},     {{w - r, c, w, h - b}, 11},
            {{l, h - b, w - r, h}, 15},          {{l, 0, w - r, b}, 12},
        };
        for (const auto& [area, code] : edges) {
            if (Contains(area, point)) return code;
        }
    }
    if (Contains({l, 5, w - r, c}, point)) return kSkinHitCaption;
    return 1;
}

std::vector<SlicePair> NineGridSlices(Rect source, Rect target, NineGridMargins margins) {
    const std::int32_t sourceXs[] = {source.left, source.left + margins.left, source.right - margins.right, source.right};
    const std::int32_t sourceYs[] = {source.top, source.top + margins.top, source.bottom - margins.bottom, source.bottom};
    const std::int32_t targetXs[] = {target.left, target.left + margins.left, target.right - margins.right, target.right};
    const std::int32_t targetYs[] = {target.top, target.top + margins.top, target.bottom - margins.bottom, target.bottom};
    std::vector<SlicePair> slices;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Rect from{sourceXs[column], sourceYs[row], sourceXs[column + 1], sourceYs[row + 1]};
            const Rect to{targetXs[column], targetYs[row], targetXs[column + 1], targetYs[row + 1]};
            if (!IsEmpty(from) && !IsEmpty(to)) slices.push_back({from, to});
        }
    }
    return slices;
}

SkinButtonState SkinButtonStateOf(bool enabled, bool hover, bool pressed, bool focused) {
    if (!enabled) return kSkinDisabled;
    if (hover && pressed) return kSkinPressed;
    if (hover) return kSkinHover;
    if (focused) return kSkinFocused;
    return kSkinNormal;
}

Rect SkinStateSlice(platform::Size skin, SkinButtonState state) {
    const std::int32_t sliceWidth = skin.width / 5;
    return {state * sliceWidth, 0, (state + 1) * sliceWidth, skin.height};
}

std::vector<Rect> OpaqueRuns(std::span<const std::uint32_t> pixels, std::int32_t width, std::uint32_t transparent) {
    std::vector<Rect> runs;
    if (width <= 0) return runs;
    const auto rows = static_cast<std::int32_t>(pixels.size() / static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < rows; ++y) {
        const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (std::int32_t x = 0; x < width;) {
            if ((row[x] & 0xFFFFFF) == (transparent & 0xFFFFFF)) {
                ++x;
                continue;
            }
            const std::int32_t start = x;
            while (x < width && (row[x] & 0xFFFFFF) != (transparent & 0xFFFFFF)) ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}
