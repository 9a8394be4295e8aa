// The cursor the drawing view shows for each tool mode, by resource number; 0 is the standard arrow.
#pragma once

#include <cstdint>

// Resource numbers of the view's own cursors.
enum ToolCursor : int {
    kArrowCursor = 0,
    kBezierCursor = 101,
    kNodeEditCursor = 104,
    kEnlargeCursor = 163,
    kRotateCursor = 165,
    kPanCursor = 166,
    kReduceCursor = 167,
    kLineCursor = 168,
    kTextCursor = 169,
    kZoomRectCursor = 171,
    kSizeHorizontalCursor = 172,
    kMoveCursor = 173,
    kSizeDiagonalCursor = 174,  // top-left and bottom-right handles
    kSizeVerticalCursor = 175,
    kSizeAntiDiagonalCursor = 176,  // top-right and bottom-left handles
    kPolylineCursor = 177,
    kRectangleCursor = 178,
    kEllipseCursor = 179,
    kPointCursor = 180,
};

int CursorResourceForMode(std::uint32_t toolMode);
