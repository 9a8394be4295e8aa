#include "ToolCursors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::uint32_t, int>, 26> kCursors = {{
    {0x1001, kPanCursor},
    {0x1002, kEnlargeCursor},
    {0x1004, kReduceCursor},
    {0x1008, kZoomRectCursor},
    {0x2001, kLineCursor},
    {0x2002, kRectangleCursor},
    {0x2004, kEllipseCursor},
    {0x2008, kTextCursor},
    {0x2010, kPolylineCursor},
    {0x2020, kPointCursor},
    {0x2040, kBezierCursor},
    {0x4001, kArrowCursor},
    {0x4002, kSizeDiagonalCursor},
    {0x4004, kSizeVerticalCursor},
    {0x4008, kSizeAntiDiagonalCursor},
    {0x4010, kSizeHorizontalCursor},
    {0x4020, kMoveCursor},
    {0x4040, kSizeHorizontalCursor},
    {0x4080, kSizeAntiDiagonalCursor},
    {0x4100, kSizeVerticalCursor},
    {0x4200, kSizeDiagonalCursor},
    {0x4400, kRotateCursor},
    {0x8001, kNodeEditCursor},
    {0x10002, kArrowCursor},
    {0x10004, kArrowCursor},
    {0x0000, kArrowCursor},
}};

}  // namespace

int CursorResourceForMode(std::uint32_t toolMode) {
    for (const auto& [mode, cursor] : kCursors) {
        if (mode == toolMode) {
            return cursor;
        }
    }
    return kArrowCursor;
}
