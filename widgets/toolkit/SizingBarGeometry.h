// The arithmetic of the sizing docking bars: which edges a bar has, its client rectangle, the hit test of
// its edges, how a row hands out length, and how far an edge drag may go. No window is needed.
#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <span>

// The dock bar a bar sits in, by the control ids the frame gives its dock bars.
enum class DockSide : std::uint32_t {
    Top = 0xE81B,
    Left = 0xE81C,
    Right = 0xE81D,
    Bottom = 0xE81E,
    Floating = 0xE81F,
};

bool IsHorizontalSide(DockSide side);  // top or bottom
bool IsVerticalSide(DockSide side);    // left or right

// Bar style bits: which sizing edges are present, whether they are drawn as raised frames (and the
// client inset by them), and whether the first child fills the client area.
enum SizingBarStyle : std::uint32_t {
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 4,
    kEdgeBottom = 8,
    kEdgeMask = 15,
    kShowEdges = 16,
    kSizeChild = 32,
};

// Hit-test codes of the frame: the four edges, the client area and the close button of a cool bar.
enum HitCode : int {
    kHitClient = 1,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitBottom = 15,
    kHitClose = 20,
};

constexpr std::int32_t kSizingEdgeWidth = 5;

// The edge bits of a bar at `indexInRow` of `barsInRow` sizing bars: inner edges towards its neighbours.
// A floating bar or a bar alone in its row has none.
std::uint32_t RowEdgeBits(DockSide side, int indexInRow, int barsInRow);

// The client rectangle inside the window rectangle, with the sizing edge towards the frame's client area
// added to `style`'s edge bits (the result's edge bits are returned through `style`).
platform::Rect SizingBarClientRect(platform::Rect window, DockSide side, std::uint32_t& style);

// The rectangle of one edge (kEdgeLeft ...) in window coordinates; empty when its bit is clear.
platform::Rect SizingBarEdgeRect(platform::Rect window, DockSide side, std::uint32_t style, std::uint32_t edge);

// kHitClient for a floating bar or a point on no edge; else the first edge (left, top, right, bottom)
// holding the point.
int SizingBarHitTest(platform::Rect window, DockSide side, std::uint32_t style, platform::Point point);

// One sizing bar of a row, by its length along the row.
struct RowBar {
    std::int32_t length = 0;
    std::int32_t minLength = 0;
    bool keepSize = false;
};

// Hands `delta` pixels out to the bars one at a time in row order: a bar at its minimum takes no
// shrinking, a bar keeping its size takes nothing until a pass hands out nothing, when keep size is
// cleared on all. Stops when every bar is at its minimum; returns the pixels that could not be handed out.
std::int32_t HandOutRowLength(std::span<RowBar> bars, std::int32_t delta);

// The limits of an edge drag across the row: the edge lies between bars[edgeIndex - 1] and
// bars[edgeIndex]; the bars before it may give up their spare length to a move back, the bars after it to
// a move forward.
struct DragLimits {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};
DragLimits RowEdgeDragLimits(std::span<const RowBar> bars, int edgeIndex, std::int32_t trackPosition);

// Moves the edge between bars[edgeIndex - 1] and bars[edgeIndex] by `delta`: the bar it moves away from
// grows, the bars it moves towards give up the length, nearest first, each down to its minimum.
void ApplyRowEdgeDrag(std::span<RowBar> bars, int edgeIndex, std::int32_t delta);

// The cool bar's gripper band and close button.
constexpr std::int32_t kCoolBarGripperSize = 12;
constexpr std::int32_t kCoolBarCloseButtonSize = 13;

struct CoolBarLayout {
    platform::Rect client;
    platform::Point closeButton;  // top-left corner, window coordinates
};
// From the client rectangle of the sizing bar; a floating bar has no gripper and no button.
CoolBarLayout CoolBarClientLayout(platform::Rect client, DockSide side);

// The older resizable bar: one sizing edge facing the frame's centre.
struct ResizableBarInsets {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::uint32_t edge = 0;  // the edge band's side (kEdgeLeft ...); 0 while floating
};
ResizableBarInsets ResizableBarClientInsets(DockSide side, std::int32_t edgeWidth, std::int32_t gripperMargin,
                                            std::int32_t otherMargin);
// The size after an edge drag of `displacement` pixels along the drag axis: towards the frame's centre
// grows the bar (added for top and left bars, subtracted for right and bottom ones); clamped between
// the minimum and the frame's extent plus the current size.
std::int32_t ResizableBarDraggedSize(DockSide side, std::int32_t current, std::int32_t displacement,
                                     std::int32_t minimum, std::int32_t frameExtent);
