// CCadArray: the grid arithmetic, drawing of the visible cells, the frame, the hit test, the transforms,
// the copy, the array record and the expansion into cell groups.
#include "CadArray.h"

#include <algorithm>
#include <cmath>

#include "CadMgr.h"
#include "ElementFactory.h"
#include "LogicalUnits.h"

namespace {

constexpr platform::ColorRef kPlaceholderColour = 0x800000;

bool IsArrayChildType(std::uint16_t typeCode) {
    return typeCode >= kCurveElement && typeCode <= kTextElement;
}

bool IsOdd(std::int32_t index) {
    return index % 2 == 1;
}

// The indices 0..count-1 whose cells, spanning [low, high] + index x step along one axis, may meet the
// view [viewLow, viewHigh]. One index of slack each way absorbs rounding; the caller tests each cell
// exactly. With no step every cell lies at the same place, so two indices (both parities) stand for all.
struct IndexRange {
    std::int32_t first = 0;
    std::int32_t last = -1;
};

IndexRange VisibleIndices(double low, double high, double step, std::int32_t count, double viewLow,
                          double viewHigh) {
    if (step == 0.0) {
        return {0, std::min(count, 2) - 1};
    }
    double from = (viewLow - high) / step;
    double to = (viewHigh - low) / step;
    if (step < 0.0) {
        std::swap(from, to);
    }
    const double first = std::max(std::ceil(from) - 1.0, 0.0);
    const double last = std::min(std::floor(to) + 1.0, static_cast<double>(count - 1));
    if (!(first <= last)) {
        return {};
    }
    return {static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
}

}  // namespace

// The pitch and growth signs of the grid, from the first cell's rectangle.
struct CCadArray::Grid {
    double stepX = 0.0;  // signed mm from one column to the next
    double stepY = 0.0;
};

CCadArray::CCadArray() : CCadGroup(kArrayElement) {}

CCadArray::Grid CCadArray::CurrentGrid() const {
    const double signX = direction == 0 || direction == 3 ? 1.0 : -1.0;
    const double signY = direction == 2 || direction == 3 ? 1.0 : -1.0;
    return {signX * (std::fabs(rect.x2 - rect.x1) + columnSpacing), signY * (std::fabs(rect.y2 - rect.y1) + rowSpacing)};
}

SDPoint CCadArray::CellOffset(std::int32_t column, std::int32_t row) const {
    const Grid grid = CurrentGrid();
    return {column * grid.stepX + (IsOdd(row) ? oddRowDislocation : 0.0),
            row * grid.stepY + (IsOdd(column) ? oddColumnDislocation : 0.0)};
}

void CCadArray::CalRect() {
    CCadGroup::CalRect();
    columnCount = std::max(columnCount, 1);
    rowCount = std::max(rowCount, 1);
    CCadRect cell = rect;
    cell.Normalize();
    // The union of the cells is reached at the first and last column and row; a dislocation counts only
    // where an odd row (column) exists.
    const Grid grid = CurrentGrid();
    const double lastColumn = (columnCount - 1) * grid.stepX;
    const double lastRow = (rowCount - 1) * grid.stepY;
    const double rowShift = rowCount > 1 ? oddRowDislocation : 0.0;
    const double columnShift = columnCount > 1 ? oddColumnDislocation : 0.0;
    frameRect.x1 = cell.x1 + std::min(0.0, lastColumn) + std::min(0.0, rowShift);
    frameRect.x2 = cell.x2 + std::max(0.0, lastColumn) + std::max(0.0, rowShift);
    frameRect.y1 = cell.y1 + std::min(0.0, lastRow) + std::min(0.0, columnShift);
    frameRect.y2 = cell.y2 + std::max(0.0, lastRow) + std::max(0.0, columnShift);
}

void CCadArray::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                     double dx, double dy, std::uint16_t) {
    if (mapDC == nullptr || drawDC == nullptr || !frameRect.MovedNormalised(dx, dy).Meets(visibleArea)) {
        return;
    }
    columnCount = std::max(columnCount, 1);
    rowCount = std::max(rowCount, 1);
    const Grid grid = CurrentGrid();
    CCadRect cell = rect;
    cell.Normalize();
    // Rows are found with the column shift taken both ways, columns with the row's own shift.
    const double columnShift = columnCount > 1 ? oddColumnDislocation : 0.0;
    const IndexRange rows =
        VisibleIndices(cell.y1 + dy + std::min(0.0, columnShift), cell.y2 + dy + std::max(0.0, columnShift),
                       grid.stepY, rowCount, visibleArea.y1, visibleArea.y2);
    for (std::int32_t row = rows.first; row <= rows.last; ++row) {
        const double rowShift = IsOdd(row) ? oddRowDislocation : 0.0;
        const IndexRange columns = VisibleIndices(cell.x1 + dx + rowShift, cell.x2 + dx + rowShift, grid.stepX,
                                                  columnCount, visibleArea.x1, visibleArea.x2);
        for (std::int32_t column = columns.first; column <= columns.last; ++column) {
            const SDPoint offset = CellOffset(column, row);
            const double cellDx = offset.x + dx, cellDy = offset.y + dy;
            if (column == 0 && row == 0) {
                ForEachChild([&](CCadElement& child) { child.Draw(mapDC, drawDC, visibleArea, cellDx, cellDy, 0); });
            } else if (ShowArray != 0) {
                ForEachChild([&](CCadElement& child) { child.Draw(mapDC, drawDC, visibleArea, cellDx, cellDy, 1); });
            } else {
                DrawPlaceholder(mapDC, drawDC, cell.MovedNormalised(cellDx, cellDy), visibleArea);
            }
        }
    }
}

void CCadArray::DrawPlaceholder(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect cell,
                                const CCadRect& visibleArea) const {
    if (!cell.Meets(visibleArea)) {
        return;
    }
    const platform::Point corner1 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{cell.x1, cell.y1}));
    const platform::Point corner2 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{cell.x2, cell.y2}));
    const platform::Pen previousPen =
        drawDC->SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, kPlaceholderColour));
    const platform::Brush previousBrush = drawDC->SelectObject(platform::Brush::Null());
    drawDC->Rectangle(corner1.x, corner1.y, corner2.x, corner2.y);
    drawDC->MoveTo(corner1);
    drawDC->LineTo(corner2);
    drawDC->MoveTo(corner1.x, corner2.y);
    drawDC->LineTo(corner2.x, corner1.y);
    drawDC->SelectObject(previousBrush);
    drawDC->SelectObject(previousPen);
}

void CCadArray::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreChildren(ar);
        ar << columnCount << rowCount << columnSpacing << rowSpacing << direction << oddRowDislocation
           << oddColumnDislocation;
        return;
    }
    OwnedElements loaded = LoadChildren(ar, IsArrayChildType);
    const std::int32_t loadedColumns = ar.ReadI32();
    const std::int32_t loadedRows = ar.ReadI32();
    const double loadedColumnSpacing = ar.ReadDouble();
    const double loadedRowSpacing = ar.ReadDouble();
    const std::uint16_t loadedDirection = ar.ReadU16();
    const double loadedRowDislocation = ar.ReadDouble();
    const double loadedColumnDislocation = ar.ReadDouble();
    if (static_cast<std::int64_t>(std::max(loadedColumns, 1)) * std::max(loadedRows, 1) > kMaxCells) {
        throw platform::ArchiveError("array of too many cells");
    }
    for (double value : {loadedColumnSpacing, loadedRowSpacing, loadedRowDislocation, loadedColumnDislocation}) {
        if (!std::isfinite(value)) {
            throw platform::ArchiveError("array field with a non-finite value");
        }
    }
    columnCount = loadedColumns;
    rowCount = loadedRows;
    columnSpacing = loadedColumnSpacing;
    rowSpacing = loadedRowSpacing;
    direction = loadedDirection;
    oddRowDislocation = loadedRowDislocation;
    oddColumnDislocation = loadedColumnDislocation;
    ReplaceChildren(std::move(loaded));
    CalRect();
}

int CCadArray::HitTest(double x, double y, platform::DeviceContext*) {
    frameRect.Normalize();
    const double xMm = x * 0.001, yMm = y * 0.001;
    return frameRect.x1 <= xMm && xMm <= frameRect.x2 && frameRect.y1 <= yMm && yMm <= frameRect.y2 ? 1 : 0;
}

int CCadArray::HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t) {
    return HitTest(x, y, viewDC);
}

void CCadArray::TransMove(double dx, double dy) {
    CCadGroup::TransMove(dx, dy);
    CalRect();
}

void CCadArray::TransDrag(double sx, double sy, double px, double py) {
    CCadGroup::TransDrag(sx, sy, px, py);
    CalRect();
}

void CCadArray::TransRotate(double, double, double angle) {
    CCadGroup::TransRotate((rect.x1 + rect.x2) * 0.5, (rect.y1 + rect.y2) * 0.5, angle);
    CalRect();
}

void CCadArray::TransSkew(double cx, double cy, double angleX, double angleY) {
    CCadGroup::TransSkew(cx, cy, angleX, angleY);
    CalRect();
}

void CCadArray::XMirror(double x) {
    CCadGroup::XMirror(x);
    CalRect();
}

void CCadArray::YMirror(double y) {
    CCadGroup::YMirror(y);
    CalRect();
}

int CCadArray::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* array = dynamic_cast<const CCadArray*>(source);
    if (array == nullptr || array->typeCode != kArrayElement || !CopyChildrenFrom(*array, dx, dy)) {
        return 0;
    }
    direction = array->direction;
    columnCount = array->columnCount;
    rowCount = array->rowCount;
    columnSpacing = array->columnSpacing;
    rowSpacing = array->rowSpacing;
    oddRowDislocation = array->oddRowDislocation;
    oddColumnDislocation = array->oddColumnDislocation;
    CalRect();
    return 1;
}

void CCadArray::Expand(CDbList<CCadElement*>& cellGroups) {
    if (children.IsEmpty() != 0) {
        return;
    }
    const std::int32_t columns = std::max(columnCount, 1);
    const std::int32_t rows = std::max(rowCount, 1);
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t step = 0; step < columns; ++step) {
            const std::int32_t column = IsOdd(row) ? columns - 1 - step : step;
            auto cellGroup = std::make_unique<CCadGroup>();
            if (column == 0 && row == 0) {
                // The first cell takes the originals; only their own flag is cleared, as they leave the
                // selected array.
                ForEachChild([&](CCadElement& child) {
                    child.selected = 0;
                    cellGroup->children.AddTail(&child);
                });
            } else {
                const SDPoint offset = CellOffset(column, row);
                ForEachChild([&](const CCadElement& child) {
                    std::unique_ptr<CCadElement> copy = CreateElement(child.typeCode);
                    // A copy that failed would be an empty or partial element in the output: left out.
                    if (IsArrayChildType(child.typeCode) && copy != nullptr &&
                        copy->CopyFrom(&child, offset.x, offset.y) != 0) {
                        cellGroup->children.AddTail(copy.release());
                    }
                });
            }
            if (cellGroup->children.IsEmpty() == 0) {
                cellGroup->CalRect();
                cellGroups.AddTail(cellGroup.release());
            }
        }
    }
    children.RemoveAll();
}
