// Lead-in and lead-out lines: a straight lead or a quarter arc that meets the curve tangentially.
#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
// 2/pi: a quarter circle of radius length * this factor is `length` long.
constexpr double kQuarterArcRadiusPerLength = 0.6366197723675814;
// Parameter of the Bezier point that gives a lead its direction, just inside the curve.
constexpr double kDirectionParam = 0.01;

enum class LeadEnd { kIn, kOut };

// The point at distance d from the anchor toward the target; a negative d goes away from it. A target
// on the anchor gives no direction, and +x is taken.
SDPoint PointAtDistance(SDPoint target, SDPoint anchor, double distance) {
    if (distance == 0.0) {
        return anchor;
    }
    if (SameExactly(target, anchor)) {
        return {anchor.x + distance, anchor.y};
    }
    const SDPoint offset = target - anchor;
    const double length = Length(offset);
    SDPoint result = anchor;
    if (offset.x != 0.0) {
        result.x += distance * offset.x / length;
    }
    if (offset.y != 0.0) {
        result.y += distance * offset.y / length;
    }
    return result;
}

SDPoint TurnByDegrees(SDPoint point, SDPoint anchor, double degrees) {
    double xy[2] = {point.x, point.y};
    _math_pt_rotate(xy, anchor.x, anchor.y, degrees * kRadiansPerDegree);
    return {xy[0], xy[1]};
}

double DirectionDegrees(SDPoint from, SDPoint to) {
    double degrees = 0.0;
    _math_calangle(from.x, from.y, to.x, to.y, &degrees);
    return degrees;
}

// The anchor is where the lead meets the curve; the direction point lies inside the curve near it.
struct LeadBase {
    SDPoint anchor;
    SDPoint direction;
};

LeadBase BaseOf(const FileLineList& list, LeadEnd end) {
    if (end == LeadEnd::kIn) {
        const CFileLine& first = list.head->next->value;
        return {first.start, first.IsBezier() ? first.GetPoint(kDirectionParam) : first.end};
    }
    const CFileLine& last = list.head->prev->value;
    return {last.end, last.IsBezier() ? last.GetPoint(1.0 - kDirectionParam) : last.start};
}

void StraightLead(const LeadBase& base, SDPoint given, CutInOutPara& lead) {
    if (lead.lineMode == 1) {
        lead.leadPoint = given;
    } else if (lead.lineMode == 0) {
        const SDPoint outward = PointAtDistance(base.direction, base.anchor, -lead.length);
        lead.leadPoint = TurnByDegrees(outward, base.anchor, lead.angle);
    } else {
        lead.leadPoint = PointAtDistance(given, base.anchor, lead.length);
    }
}

// Lead-in, side 0, first record along +x: the centre lies below the anchor and the arc rises from
// the left into the anchor, tangent to the curve there.
//
//          .--anchor-----> curve
//         /
//        |      + centre
void ArcLead(const LeadBase& base, LeadEnd end, CutInOutPara& lead) {
    lead.radius = lead.length * kQuarterArcRadiusPerLength;
    const SDPoint outward = PointAtDistance(base.direction, base.anchor, -lead.radius);
    const bool positiveTurn = (end == LeadEnd::kIn) == (lead.side == 0);
    lead.arcCentre = TurnByDegrees(outward, base.anchor, positiveTurn ? 90.0 : -90.0);
    const double towardAnchor = DirectionDegrees(lead.arcCentre, base.anchor);
    if (end == LeadEnd::kIn) {
        lead.arcEndAngle = towardAnchor;
        lead.arcStartAngle = lead.side == 0 ? towardAnchor + 90.0 : towardAnchor - 90.0;
    } else {
        lead.arcStartAngle = towardAnchor;
        lead.arcEndAngle = lead.side == 0 ? towardAnchor - 90.0 : towardAnchor + 90.0;
    }
}

GeomStatus ComputeLead(FileLineList* list, double x, double y, CutInOutPara* lead, LeadEnd end) {
    if (list == nullptr || lead == nullptr) {
        return 1;
    }
    if (!HasRecords(list)) {
        return 0;
    }
    const LeadBase base = BaseOf(*list, end);
    if (lead->kind == 0) {
        StraightLead(base, {x, y}, *lead);
    } else {
        ArcLead(base, end, *lead);
    }
    return 0;
}

}  // namespace

GeomStatus _math_c_getcutin(FileLineList* list, double x, double y, CutInOutPara* lead) {
    return ComputeLead(list, x, y, lead, LeadEnd::kIn);
}

GeomStatus _math_c_getcutout(FileLineList* list, double x, double y, CutInOutPara* lead) {
    return ComputeLead(list, x, y, lead, LeadEnd::kOut);
}
