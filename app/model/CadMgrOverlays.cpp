// CCadMgr: what the repaint draws around the elements: the page grid, the job-origin mark with every
// element's own drawing, and the handles and centre cross of the selection frame.
#include <algorithm>
#include <cmath>

#include "CadMgr.h"
#include "CanvasMapping.h"
#include "SettingsRecords.h"

using platform::DeviceContext;
using platform::Point;

namespace {

constexpr platform::ColorRef kJobOriginColour = 0x00FF00;
constexpr platform::ColorRef kCentreCrossColour = 0xFF00FF;
constexpr int kJobOriginHalf = 8;
constexpr int kHandleHalf = 3;
constexpr int kCentreCrossHalf = 4;

// Multiples k of the step, k >= 1, whose line position (from `base` in `direction`) lies on the page
// (below `limit` going up, at least 1 going down) and inside [low, high].
struct LineRun {
    std::int64_t first = 1;
    std::int64_t last = 0;
};

LineRun VisibleLines(std::int64_t step, std::int64_t pageLength, int direction, std::int64_t low,
                     std::int64_t high) {
    LineRun run;
    if (direction > 0) {
        // positions k * step: k * step < pageLength, low <= k * step <= high
        run.first = std::max<std::int64_t>(1, (low + step - 1) / step);
        run.last = std::min((pageLength - 1) / step, high >= 0 ? high / step : -1);
    } else {
        // positions pageLength - k * step: >= 1, low <= position <= high
        run.first = std::max<std::int64_t>(1, (pageLength - high + step - 1) / step);
        run.last = std::min((pageLength - 1) / step, pageLength - low >= 0 ? (pageLength - low) / step : -1);
    }
    return run;
}

}  // namespace

void CCadMgr::DrawGrid(double spacing, DeviceContext& mapDC, DeviceContext& drawDC) {
    if (!(spacing > 0.0)) {
        return;
    }
    const std::int64_t step = TruncateToInt32(std::round(spacing * kLogicalUnitsPerMm));
    if (step <= 0 || std::abs(mapDC.LPtoDP(Point{static_cast<std::int32_t>(step), 0}).x -
                              mapDC.LPtoDP(Point{0, 0}).x) <= 1) {
        return;
    }
    const int xDirection = originCorner == 1 || originCorner == 2 ? -1 : 1;
    const int yDirection = originCorner == 0 || originCorner == 1 ? -1 : 1;
    const std::int32_t width = ToLogicalUnits(pageWidth);
    const std::int32_t height = ToLogicalUnits(pageHeight);
    const platform::ClientRect client = ownerWindow_->GetClientRect();
    const platform::Rect visible =
        mapDC.DPtoLP(platform::Rect{client.left, client.top, client.right, client.bottom}).Normalized();

    const platform::Pen previousPen =
        drawDC.SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, gridColor));
    const auto position = [step](std::int64_t base, int direction, std::int64_t k) {
        return static_cast<std::int32_t>(direction > 0 ? k * step : base - k * step);
    };
    const LineRun columns = VisibleLines(step, width, xDirection, visible.left, visible.right);
    for (std::int64_t k = columns.first; k <= columns.last; ++k) {
        const std::int32_t x = position(width, xDirection, k);
        drawDC.MoveTo(mapDC.LPtoDP(Point{x, 0}));
        drawDC.LineTo(mapDC.LPtoDP(Point{x, height}));
    }
    const LineRun rows = VisibleLines(step, height, yDirection, visible.top, visible.bottom);
    for (std::int64_t k = rows.first; k <= rows.last; ++k) {
        const std::int32_t y = position(height, yDirection, k);
        drawDC.MoveTo(mapDC.LPtoDP(Point{0, y}));
        drawDC.LineTo(mapDC.LPtoDP(Point{width, y}));
    }
    drawDC.SelectObject(previousPen);
}

SDPoint CCadMgr::JobOriginMark(const CCadRect& data, std::uint16_t position) {
    const double mx = (data.x1 + data.x2) * 0.5;
    const double my = (data.y1 + data.y2) * 0.5;
    const std::array<SDPoint, 9> marks = {
        SDPoint{data.x1, data.y2}, {mx, data.y2}, {data.x2, data.y2}, {data.x1, my}, {mx, my}, {data.x2, my},
        {data.x1, data.y1},        {mx, data.y1}, {data.x2, data.y1}};
    return position < marks.size() ? marks[position] : SDPoint{0.0, 0.0};
}

void CCadMgr::DrawDataFrame(DeviceContext& mapDC, DeviceContext& drawDC, CCadRect visibleArea) {
    CCadRect data;
    if (elementList.IsEmpty()) {
        data.x1 = data.y1 = 0.0;
        data.x2 = data.y2 = 100.0;
    } else {
        GetDataRect(data);
    }
    SDPoint last = JobOriginMark(data, gGeneralSettings.laserHeadPosition);

    const Point at = canvas::MmToDeviceRounded(mapDC, last);
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(kJobOriginColour));
    drawDC.Rectangle(at.x - kJobOriginHalf, at.y - kJobOriginHalf, at.x + kJobOriginHalf + 1,
                     at.y + kJobOriginHalf + 1);
    drawDC.SelectObject(previousBrush);

    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        node->value->Paint(&mapDC, &drawDC, &last, visibleArea);
    }
    if (CutPickOn == 0 && NodeEditOn == 0) {
        DrawSelectionHandles(mapDC, drawDC);
    }
}

void CCadMgr::DrawSelectionHandles(DeviceContext& mapDC, DeviceContext& drawDC) {
    if (selectionList.IsEmpty()) {
        return;
    }
    const bool flatX = selectionRect.x1 == selectionRect.x2;
    const bool flatY = selectionRect.y1 == selectionRect.y2;
    const std::array<SDPoint, 9> positions = HandlePositions();
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(0));
    for (std::size_t i = 0; i < positions.size() && !(flatX && flatY); ++i) {
        const bool shown = i != 4 && (!flatX || i == 1 || i == 7) && (!flatY || i == 3 || i == 5);
        if (shown) {
            drawDC.Rectangle(canvas::BoxAround(canvas::MmToDeviceRounded(mapDC, positions[i]), kHandleHalf));
        }
    }
    drawDC.SelectObject(previousBrush);

    const Point centre = canvas::MmToDeviceRounded(mapDC, positions[4]);
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(2, kCentreCrossColour));
    drawDC.MoveTo(centre.x - kCentreCrossHalf, centre.y - kCentreCrossHalf);
    drawDC.LineTo(centre.x + kCentreCrossHalf, centre.y + kCentreCrossHalf);
    drawDC.MoveTo(centre.x + kCentreCrossHalf, centre.y - kCentreCrossHalf);
    drawDC.LineTo(centre.x - kCentreCrossHalf, centre.y + kCentreCrossHalf);
    drawDC.SelectObject(previousPen);
}
