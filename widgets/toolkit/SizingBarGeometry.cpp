// Sizing bar arithmetic: edge strips, client insets, the length hand-out of a row and edge drags.
#include "SizingBarGeometry.h"

#include <algorithm>
#include <cstdlib>

using platform::Point;
using platform::Rect;

namespace {

bool Contains(const Rect& rect, Point point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

std::uint32_t EdgeTowardsClientArea(DockSide side) {
    switch (side) {
        case DockSide::Top: return kEdgeBottom;
        case DockSide::Left: return kEdgeRight;
        case DockSide::Right: return kEdgeLeft;
        case DockSide::Bottom: return kEdgeTop;
        case DockSide::Floating: return 0;
    }
    return 0;
}

Rect Deflated(Rect rect, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return {rect.left + left, rect.top + top, rect.right - right, rect.bottom - bottom};
}

}  // namespace

bool IsHorizontalSide(DockSide side) { return side == DockSide::Top || side == DockSide::Bottom; }
bool IsVerticalSide(DockSide side) { return side == DockSide::Left || side == DockSide::Right; }

std::uint32_t RowEdgeBits(DockSide side, int indexInRow, int barsInRow) {
    if (side == DockSide::Floating) return 0;
    const bool horizontal = IsHorizontalSide(side);
    std::uint32_t bits = 0;
    if (indexInRow > 0) bits |= horizontal ? kEdgeLeft : kEdgeTop;
    if (indexInRow < barsInRow - 1) bits |= horizontal ? kEdgeRight : kEdgeBottom;
    return bits;
}

Rect SizingBarClientRect(Rect window, DockSide side, std::uint32_t& style) {
    Rect client = Deflated(window, 3, 5, 3, 3);
    if (side != DockSide::Floating) client = Deflated(client, 2, 0, 2, 2);
    style |= EdgeTowardsClientArea(side);
    if ((style & kShowEdges) == 0) return client;
    const std::int32_t inset = kSizingEdgeWidth;
    return Deflated(client, (style & kEdgeLeft) ? inset : 0, (style & kEdgeTop) ? inset : 0,
                    (style & kEdgeRight) ? inset : 0, (style & kEdgeBottom) ? inset : 0);
}

Rect SizingBarEdgeRect(Rect window, DockSide side, std::uint32_t style, std::uint32_t edge) {
    if ((style & edge) == 0) return {};
    if (style & kShowEdges) window = Deflated(window, 1, 1, 1, 1);
    const std::int32_t width = kSizingEdgeWidth;
    Rect strip;
    switch (edge) {
        case kEdgeLeft: strip = {window.left, window.top, window.left + width, window.bottom}; break;
        case kEdgeRight: strip = {window.right - width, window.top, window.right, window.bottom}; break;
        case kEdgeTop: strip = {window.left, window.top, window.right, window.top + width}; break;
        case kEdgeBottom: strip = {window.left, window.bottom - width, window.right, window.bottom}; break;
        default: return {};
    }
    const bool acrossRow = (edge == kEdgeLeft || edge == kEdgeRight) ? IsHorizontalSide(side) : IsVerticalSide(side);
    if (!acrossRow) return strip;
    // Edges between neighbours stop short of the corners, where the edge towards the client area runs.
    if (edge == kEdgeLeft || edge == kEdgeRight) return Deflated(strip, 0, width, 0, width);
    return Deflated(strip, width, 0, width, 0);
}

int SizingBarHitTest(Rect window, DockSide side, std::uint32_t style, Point point) {
    if (side == DockSide::Floating) return kHitClient;
    static constexpr std::pair<std::uint32_t, int> kOrder[] = {
        {kEdgeLeft, kHitLeft}, {kEdgeTop, kHitTop}, {kEdgeRight, kHitRight}, {kEdgeBottom, kHitBottom}};
    for (const auto& [edge, code] : kOrder) {
        const Rect strip = SizingBarEdgeRect(window, side, style, edge);
        if (Contains(strip, point)) return code;
    }
    return kHitClient;
}

std::int32_t HandOutRowLength(std::span<RowBar> bars, std::int32_t delta) {
    while (delta != 0) {
        bool handedOut = false;
        for (RowBar& bar : bars) {
            if (delta == 0) break;
            if (bar.keepSize) continue;
            if (delta < 0 && bar.length <= bar.minLength) continue;
            const std::int32_t step = delta > 0 ? 1 : -1;
            bar.length += step;
            delta -= step;
            handedOut = true;
        }
        if (handedOut) continue;
        const bool anyKept = std::any_of(bars.begin(), bars.end(), [](const RowBar& bar) { return bar.keepSize; });
        // Every bar at its minimum: shrinking further would loop for ever.
        if (!anyKept) break;
        for (RowBar& bar : bars) bar.keepSize = false;
    }
    return delta;
}

DragLimits RowEdgeDragLimits(std::span<const RowBar> bars, int edgeIndex, std::int32_t trackPosition) {
    DragLimits limits{trackPosition, trackPosition};
    for (int index = 0; index < static_cast<int>(bars.size()); ++index) {
        const std::int32_t spare = std::max(0, bars[index].length - bars[index].minLength);
        if (index < edgeIndex) {
            limits.minimum -= spare;
        } else {
            limits.maximum += spare;
        }
    }
    return limits;
}

void ApplyRowEdgeDrag(std::span<RowBar> bars, int edgeIndex, std::int32_t delta) {
    const int count = static_cast<int>(bars.size());
    if (delta == 0 || edgeIndex <= 0 || edgeIndex >= count) return;
    const int growing = delta > 0 ? edgeIndex - 1 : edgeIndex;
    const int direction = delta > 0 ? 1 : -1;
    std::int32_t owed = std::abs(delta);
    std::int32_t given = 0;
    for (int index = delta > 0 ? edgeIndex : edgeIndex - 1; index >= 0 && index < count && owed > 0;
         index += direction) {
        const std::int32_t share = std::min(owed, std::max(0, bars[index].length - bars[index].minLength));
        bars[index].length -= share;
        owed -= share;
        given += share;
    }
    bars[growing].length += given;
}

CoolBarLayout CoolBarClientLayout(Rect client, DockSide side) {
    CoolBarLayout layout{client, {}};
    if (side == DockSide::Floating) return layout;
    if (IsHorizontalSide(side)) {
        layout.client.left += kCoolBarGripperSize;
        layout.closeButton = {layout.client.left - 14, client.top};
    } else {
        layout.client.top += kCoolBarGripperSize;
        layout.closeButton = {client.right - 12, layout.client.top - 14};
    }
    return layout;
}

ResizableBarInsets ResizableBarClientInsets(DockSide side, std::int32_t edgeWidth, std::int32_t gripperMargin,
                                            std::int32_t otherMargin) {
    switch (side) {
        case DockSide::Top: return {gripperMargin, otherMargin, otherMargin, edgeWidth, kEdgeBottom};
        case DockSide::Left: return {otherMargin, gripperMargin, edgeWidth, otherMargin, kEdgeRight};
        case DockSide::Right: return {edgeWidth, gripperMargin, otherMargin, otherMargin, kEdgeLeft};
        case DockSide::Bottom: return {gripperMargin, edgeWidth, otherMargin, otherMargin, kEdgeTop};
        case DockSide::Floating: return {};
    }
    return {};
}

std::int32_t ResizableBarDraggedSize(DockSide side, std::int32_t current, std::int32_t displacement,
                                     std::int32_t minimum, std::int32_t frameExtent) {
    const bool grows = side == DockSide::Top || side == DockSide::Left;
    const std::int64_t size = std::int64_t{current} + (grows ? displacement : -std::int64_t{displacement});
    const std::int64_t maximum = std::max<std::int64_t>(minimum, std::int64_t{frameExtent} + current);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(size, minimum, maximum));
}
