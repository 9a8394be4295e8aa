// The property bar's arithmetic: the fields it shows for a selection, and what an edit of those fields
// does to the selection (move, scale, rotate), in the coordinates of the machine's origin corner.
#pragma once

#include <cstdint>

#include "CadRect.h"
#include "SDPoint.h"

// The machine's origin corner: 0 mirrors y, 1 mirrors x and y, 2 mirrors x, 3 neither.
struct OriginFrame {
    std::uint16_t corner = 1;
    double pageWidth = 0.0;  // mm
    double pageHeight = 0.0;
};

// The rectangle in the origin's coordinates, corners not reordered.
CCadRect ToOriginFrame(const CCadRect& rect, const OriginFrame& frame);
// -1 for a mirrored axis, else 1.
double XSign(const OriginFrame& frame);
double YSign(const OriginFrame& frame);

// The reference position 1..9 of a rectangle (x1, y1, x2, y2): 1 (x1, y2), 2 (middle, y2), 3 (x2, y2),
// 4 (x1, middle), 5 the centre, 6 (x2, middle), 7 (x1, y1), 8 (middle, y1), 9 (x2, y1). Codes outside
// 1..9 count as 5.
SDPoint ReferencePoint(const CCadRect& rect, int reference);

struct PropertyFields {
    double x = 0.0;  // mm, the reference point in the origin's coordinates
    double y = 0.0;
    double width = 0.0;  // mm
    double height = 0.0;
    double scaleXPercent = 100.0;
    double scaleYPercent = 100.0;
    double angleDegrees = 0.0;
    bool lock = false;
    int reference = 5;
};

// The fields for a selection: size rounded to 0.001 mm, position cut toward zero to 0.001 mm, scale 100
// and angle 0.
PropertyFields FieldsForSelection(const CCadRect& selection, const OriginFrame& frame, int reference,
                                  bool lock);

// What an edit of the fields does: move by (dx, dy), then scale by (fx, fy) about `scaleCentre`, then
// rotate by the angle about the same point.
struct PropertyEdit {
    double dx = 0.0;
    double dy = 0.0;
    double fx = 1.0;
    double fy = 1.0;
    double angleDegrees = 0.0;  // cut to 0.01 degree; what the angle field then shows
    bool Moves() const { return dx != 0.0 || dy != 0.0; }
    bool Scales() const { return fx != 1.0 || fy != 1.0; }
    bool Rotates() const { return angleDegrees != 0.0; }
};
PropertyEdit EditFromFields(const PropertyFields& entered, const CCadRect& selection,
                            const OriginFrame& frame);
// The centre of scaling and rotation: the reference point of the selection once moved.
SDPoint EditCentre(const CCadRect& movedSelection, int reference);
constexpr double kRadiansPerDegree = 0.017453292519943295;

// A cut number below 1 becomes 1.
std::int32_t CutNumberFromField(std::int32_t entered);
