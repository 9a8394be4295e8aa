// CRectEx: the curve libraries' axis-aligned rectangle in millimetres (y up), with the tolerance tests
// that picking and the curve engines use. A plain value type copied by value.
#pragma once

#include <cstdint>

#include "SDPoint.h"

namespace platform {
class Archive;
}

class CRectEx {
  public:
    // Normalised, (x1, y1) is the lower-left and (x2, y2) the upper-right corner, and every coordinate
    // is a whole number of thousandths of a millimetre.
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 100.0;
    double y2 = 100.0;

    // (0, 0)-(100, 100), not an empty rectangle.
    CRectEx() = default;
    CRectEx(double left, double bottom, double right, double top);
    CRectEx(SDPoint centre, double width, double height);
    CRectEx(SDPoint a, SDPoint b);

    double Width() const;
    double Height() const;
    SDPoint CenterPoint() const;
    int IsRectEmpty() const;

    // The queries below normalise the receiver in place first, so an unordered or unrounded
    // rectangle changes when it is queried.
    SDPoint MinPoint();
    SDPoint MaxPoint();
    int PtInRect(SDPoint p, double tol);
    int EqualRect(CRectEx r, double tol);
    // Rectangles that touch, or miss each other by up to 0.001, count as intersecting; out is only
    // written on success and may then have x1 > x2 or y1 > y2.
    int IntersectRect(CRectEx r, CRectEx& out);
    int IsInclude(CRectEx r, double tol);
    void AddRect(CRectEx r);
    static CRectEx UnionRect(CRectEx a, CRectEx b);

    void InflateRect(double dx, double dy);
    void InflateRect(double dx1, double dx2, double dy1, double dy2);
    void NormalizeRect();
    void OffsetRect(double dx, double dy);
    void OffsetRect(SDPoint d);
    void Drag(double cx, double cy, double sx, double sy);
    // angle in radians
    void Rotate(double cx, double cy, double angle);

    // Handle 0..8, rows from the top edge down, columns left to right; above 8 counts as 8.
    SDPoint GetDragPoint(unsigned short index) const;

    // Stored as x1, x2, y1, y2 (both x first). Loading a non-finite value throws platform::ArchiveError.
    void Serialize(platform::Archive& ar);
};
