// CCadCurve: the vector path of a drawing, an open or closed chain of straight and cubic Bezier segments
// in millimetres, with a lead-in and a lead-out for cutting. Element type 1. The geometry itself is done
// by the curve math on the segment lists; the element holds the data and the order of the calls.
#pragma once

#include <cstdint>

#include "CadElement.h"
#include "DbList.h"
#include "FileLine.h"
#include "Geomcore.h"

// A lead-in or lead-out block: the parameters the lead dialog sets and the geometry the curve math
// computes from them (see Geomcore.h).
using CCutInOutPara = CutInOutPara;

class CCadCurve : public CCadElement {
  public:
    // The stored form of a lead block.
    static constexpr std::size_t kLeadBlockBytes = 82;

    // The path in drawing order: the first segment's start is the curve's start point, the last
    // segment's end its end point. Everything that draws, tests, transforms or stores the curve uses it.
    CDbList<CFileLine> pathList;
    // The smoothed copy, left here by a smoothing that does not replace the path.
    CDbList<CFileLine> smoothList;
    // Created and freed with the curve; nothing fills it and it is not stored.
    CDbList<CFileLine> spareList;
    std::int32_t closed = 0;    // 1 when the path is closed
    std::int32_t workFlag = 0;  // circle flag of the outline tracing's arc fit; copied, not stored
    std::int32_t selectedNode =
        0;             // node marked as current: 0 none, 1 the first start, k + 1 the end of segment k
    ArcRecord arcFit;  // filled with workFlag by the arc fit; neither stored nor copied
    CCutInOutPara leadIn = DefaultLead();
    CCutInOutPara leadOut = DefaultLead();

    // An empty open curve: type 1, order number 1, no layer, default lead blocks.
    CCadCurve();

    // The curve record: the base record, closed (i32), the segment count (i32), the segments (74 bytes
    // each), then the lead-in and lead-out blocks. Loading replaces the stored rectangle by the one of the
    // segments and keeps the stored lead geometry as it is. Loading throws ArchiveError and leaves the
    // curve unchanged when the record is short, when its count needs more bytes than remain, or when a
    // value is not finite.
    void Serialize(platform::Archive& ar) override;
    // The rectangle becomes the bounding rectangle of the path; an empty path keeps it as it was.
    void CalRect() override;
    // Copies closed, rectangle, type, colour, layer and work flag, and the path moved by (dx, dy); name,
    // order number, leads and the other lists stay. 0, with nothing changed, unless the source is a curve.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    // The lead block of a new curve: straight, placed along the path, 5 mm long.
    static CCutInOutPara DefaultLead();
};
