// CCadArray: element type 6, the content of one cell (its children) repeated in a grid of columns and rows
// with gaps, an optional shift of every odd row and column, and a direction into which the grid grows.
// Only the first cell exists as elements; the others are drawn, hit and measured from it, and become real
// elements only through Expand.
#pragma once

#include <cstdint>

#include "CadGroup.h"

class CCadArray : public CCadGroup {
  public:
    // Records of more cells are refused: every cell is drawn, hit and output.
    static constexpr std::int64_t kMaxCells = 1000000;

    std::int32_t columnCount = 1;
    std::int32_t rowCount = 1;
    double columnSpacing = 0.0;         // mm between neighbouring columns
    double rowSpacing = 0.0;            // mm between neighbouring rows
    double oddRowDislocation = 0.0;     // mm along x of every cell in an odd row
    double oddColumnDislocation = 0.0;  // mm along y of every cell in an odd column
    // Where the grid grows from the first cell: 0 +x -y, 1 -x -y, 2 -x +y, 3 +x +y; others as 1.
    std::uint16_t direction = 0;
    CCadRect frameRect;  // the exact union of all cells, kept by CalRect; never stored

    // Type 6, order number 1, colour 0xFFFFFF, one cell, no children.
    CCadArray();

    // The first cell in mode 0; the others, where they meet the visible area, as dotted previews of the
    // children (ShowArray on) or as dotted boxes with their diagonals (off).
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea, double dx,
              double dy, std::uint16_t mode) override;
    // The group record, then the array fields (42 bytes). Loading refuses what the group record refuses
    // and grids of more than kMaxCells cells, leaving the array unchanged.
    void Serialize(platform::Archive& ar) override;
    // Anywhere within the frame, edges included; (x, y) in logical units.
    int HitTest(double x, double y, platform::DeviceContext* viewDC) override;
    int HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode) override;
    void TransMove(double dx, double dy) override;
    void TransDrag(double sx, double sy, double px, double py) override;
    // The content turns about the first cell's centre; the grid keeps its axes. The centre passed is unused.
    void TransRotate(double cx, double cy, double angle) override;
    void TransSkew(double cx, double cy, double angleX, double angleY) override;
    void XMirror(double x) override;
    void YMirror(double y) override;
    // The first cell's rectangle from the children, counts raised to 1, and the frame.
    void CalRect() override;
    // Copies of the children moved by (dx, dy) and the array fields; 0 unless the source is an array.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    // Appends one group per cell, in serpentine order (even rows left to right, odd rows back), to the
    // list, whose owner then owns them: the first cell's group takes the array's own children, the others
    // hold copies moved to their cells. The array ends without children.
    void Expand(CDbList<CCadElement*>& cellGroups);

    // The offset of cell (column, row) from the first cell, mm.
    SDPoint CellOffset(std::int32_t column, std::int32_t row) const;

  private:
    struct Grid;
    Grid CurrentGrid() const;
    void DrawPlaceholder(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect cell,
                         const CCadRect& visibleArea) const;
};
