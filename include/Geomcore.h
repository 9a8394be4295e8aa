// Geomcore: the curve math of the main program's segment lists (transforms, extents, angles,
// orientation, lead lines, start points, arcs, circle recognition and smoothing).
//
// Conventions shared by every export:
// - A curve is a CDbList<CFileLine> in cutting order; `pt` functions work on one point (two doubles
//   x, y), `ln` functions on one record, `c` functions on a curve.
// - Coordinates are millimetres. Curve and point transforms take radians; the lead records, arcs of
//   _math_c_arc2line, _math_calangle and _math_get3Pangle use degrees.
// - Every export returns a 16-bit status, 0 for done, and reports bad input through it, never by an
//   exception. A missing (null) list or output pointer gives status 1 and changes nothing, unless a
//   declaration below says otherwise.
// - A rectangle is four doubles: minimum x, minimum y, maximum x, maximum y.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "FileLine.h"
#include "SDPoint.h"

#define GEOMCORE_API __attribute__((visibility("default")))

using GeomStatus = std::int16_t;
using FileLineList = CDbList<CFileLine>;

// One lead-in or lead-out line of a curve, kept by the curve and completed by _math_c_getcutin and
// _math_c_getcutout. The curve stores the lead-in and lead-out records back to back as one block of
// 44 32-bit words, so the field order and natural alignment (88 bytes) must not change.
struct CutInOutPara {
    std::int32_t enabled = 0;  // read by the caller only
    std::uint16_t kind = 0;    // 0 straight lead, any other value a quarter-arc lead
    // Straight lead: 0 along the tangent turned by `angle`, 1 from the given point, other values
    // toward the given point.
    std::uint16_t lineMode = 0;
    std::uint16_t side = 0;      // arc lead: 0 or non-zero, the side of the curve holding the centre
    double length = 0.0;         // mm; the arc length for an arc lead
    double angle = 0.0;          // degrees, counter-clockwise positive (line mode 0)
    SDPoint leadPoint;           // output: the free end of a straight lead
    SDPoint arcCentre;           // output
    double radius = 0.0;         // output: arc radius, mm
    double arcStartAngle = 0.0;  // output, degrees, not brought into [0, 360)
    double arcEndAngle = 0.0;    // output, degrees
};
static_assert(sizeof(CutInOutPara) == 88, "two lead records form a block of 44 words");

// A point of an arc record: x, y and a third value that is always 0.
struct ArcPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// What circle recognition found: the sweep is +2*pi for a counter-clockwise contour and -2*pi for a
// clockwise one (radians); start and end are the same point on the circle.
struct ArcRecord {
    ArcPoint centre;
    ArcPoint start;
    ArcPoint end;
    double sweep = 0.0;
    double radius = 0.0;
};

// Distances, angles and rectangles.
GEOMCORE_API GeomStatus _math_dis(double x1, double y1, double x2, double y2, double* distance);
GEOMCORE_API GeomStatus _math_ln_getrect(CFileLine record, double* rect);
GEOMCORE_API GeomStatus _math_c_getrect(FileLineList* list, double* rect);
GEOMCORE_API GeomStatus _math_ln_pt2lndis(CFileLine record, double px, double py, double* distance);
GEOMCORE_API GeomStatus _math_calangle(double x1, double y1, double x2, double y2, double* degrees);
// The angle between the arms from the middle point to the first and to the third point, in radians,
// negative when the turn from the first arm to the second is counter-clockwise; 0 when two points
// coincide. Summed around a closed contour it gives +-2*pi for a point inside and 0 outside.
GEOMCORE_API GeomStatus _math_cal3ptangle(double x1, double y1, double x2, double y2, double x3, double y3,
                                          double* radians);
GEOMCORE_API GeomStatus _math_Is3ponline(double x1, double y1, double x2, double y2, double x3, double y3);
GEOMCORE_API GeomStatus _math_double2float(double* value, std::int16_t decimals);
// Orientation of a closed curve or closed point list (last point repeating the first): *direction 1
// for clockwise, 0 for counter-clockwise; status 1 with too few records or points, or when the
// neighbours of the topmost vertex cannot be told apart.
GEOMCORE_API GeomStatus _math_c_getdir(FileLineList* list, int* direction);
GEOMCORE_API GeomStatus _math_pl_getdir(CDbList<SDPoint>* points, int* direction);
// 1 when (x, y) lies inside the polygon of `count` (x, y) pairs, else 0.
GEOMCORE_API GeomStatus _math_ptinpolygon(int x, int y, const int* xyPairs, int count);

// Transforms of a point, a record and a curve. Control points move only for Bezier records; the
// attribute and joint fields are copied unchanged.
GEOMCORE_API GeomStatus _math_pt_move(double* point, double dx, double dy);
GEOMCORE_API GeomStatus _math_ln_move(CFileLine* record, double dx, double dy);
GEOMCORE_API GeomStatus _math_c_move(FileLineList* list, double dx, double dy);
GEOMCORE_API GeomStatus _math_c_copy(FileLineList* source, FileLineList* target, double dx, double dy);
GEOMCORE_API GeomStatus _math_pt_rotate(double* point, double cx, double cy, double radians);
GEOMCORE_API GeomStatus _math_ln_rotate(CFileLine* record, double cx, double cy, double radians);
GEOMCORE_API GeomStatus _math_c_rotate(FileLineList* list, double cx, double cy, double radians);
GEOMCORE_API GeomStatus _math_pt_skew(double* point, double cx, double cy, double angleX, double angleY);
GEOMCORE_API GeomStatus _math_ln_skew(CFileLine* record, double cx, double cy, double angleX, double angleY);
GEOMCORE_API GeomStatus _math_c_skew(FileLineList* list, double cx, double cy, double angleX, double angleY);
GEOMCORE_API GeomStatus _math_pt_drag(double* point, double cx, double cy, double sx, double sy);
GEOMCORE_API GeomStatus _math_ln_drag(CFileLine* record, double cx, double cy, double sx, double sy);
GEOMCORE_API GeomStatus _math_c_drag(FileLineList* list, double cx, double cy, double sx, double sy);
GEOMCORE_API GeomStatus _math_c_xmirror(FileLineList* list, double x0);
GEOMCORE_API GeomStatus _math_c_ymirror(FileLineList* list, double y0);

// Order and clean-up. Linking moves the other list's nodes into the first and leaves the other empty
// (a missing or empty other list gives 0); neither stored count is changed, so callers that keep
// counts add or recount them.
GEOMCORE_API GeomStatus _math_c_invert(FileLineList* list);
GEOMCORE_API GeomStatus _math_c_linkleft(FileLineList* list, FileLineList* other);
GEOMCORE_API GeomStatus _math_c_linkright(FileLineList* list, FileLineList* other);
GEOMCORE_API GeomStatus _math_c_delptln(FileLineList* list);

// Lead lines from the first (in) or last (out) record; (x, y) is the given point of line modes 1 and 2.
GEOMCORE_API GeomStatus _math_c_getcutin(FileLineList* list, double x, double y, CutInOutPara* lead);
GEOMCORE_API GeomStatus _math_c_getcutout(FileLineList* list, double x, double y, CutInOutPara* lead);

// Start point and direction of one curve, handing a position or approach record on to the next curve.
GEOMCORE_API GeomStatus _math_c_shorthandle(FileLineList* list, SDPoint* position, int closed);
GEOMCORE_API GeomStatus _math_c_findstrtpt(FileLineList* list, SDPoint* position, int closed);
GEOMCORE_API GeomStatus _math_c_strtptoptim(FileLineList* list, CFileLine* approach, int closed);
GEOMCORE_API GeomStatus _math_c_backlash(FileLineList* list, SDPoint* position, int enabled, int* started);
GEOMCORE_API GeomStatus _math_c_deloptim(FileLineList* list, double toleranceMm);
GEOMCORE_API GeomStatus _math_c_autoclose(FileLineList* list, double toleranceMm, int force, int* closed);

// Ellipses and arcs. _math_elli2bezier writes 13 points: four Beziers 0-3, 3-6, 6-9, 9-12 of the
// ellipse inscribed in the box, starting on the x1 side and running through the y2 side.
GEOMCORE_API GeomStatus _math_elli2bezier(double x1, double y1, double x2, double y2, SDPoint* points);
// Appends line records within toleranceMm of the arc; status 1 for a tolerance of 0 or less, a
// negative radius, non-finite values or an arc that would need more than a million lines.
GEOMCORE_API GeomStatus _math_c_arc2line(FileLineList* list, double cx, double cy, double radius,
                                         double startDegrees, double endDegrees, double toleranceMm);
// Status 0 when the closed source is a circle: *found = 1, the record is filled and four Beziers are
// appended to the target. Status 1 otherwise; the source is never changed.
GEOMCORE_API GeomStatus _math_c_arcfit(FileLineList* source, FileLineList* target, int* found,
                                       ArcRecord* arc);

// Smoothing. Strength 0..1; mode 0 corner-split spline fit, other modes the greedy Bezier fit;
// tolerance is accepted and unused. The result replaces the source when inPlace is non-zero, else it
// goes into the target, which is emptied first in either case.
GEOMCORE_API GeomStatus _math_c_smooth(FileLineList* source, FileLineList* target, double toleranceMm,
                                       double strength, int mode, int inPlace);
GEOMCORE_API GeomStatus _math_c_updatesmooth(FileLineList* list, int closed);
GEOMCORE_API GeomStatus _math_get3Pangle(double x1, double y1, double x2, double y2, double x3, double y3,
                                         double* degrees);
