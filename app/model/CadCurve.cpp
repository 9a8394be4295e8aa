// CCadCurve: construction, the curve record, the rectangle and the copy. Drawing and the other
// operations are in CadCurveDrawing.cpp and CadCurveOperations.cpp.
#include "CadCurve.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kDefaultLeadLengthMm = 5.0;
constexpr double kDefaultArcEndDegrees = 90.0;

// The stored order differs from the one in memory: the computed radius and angles come before the points.
void ExchangeLeadBlock(platform::Archive& ar, CCutInOutPara& lead) {
    ar.Exchange(lead.enabled);
    ar.Exchange(lead.kind);
    ar.Exchange(lead.lineMode);
    ar.Exchange(lead.side);
    ar.Exchange(lead.length);
    ar.Exchange(lead.angle);
    ar.Exchange(lead.radius);
    ar.Exchange(lead.arcStartAngle);
    ar.Exchange(lead.arcEndAngle);
    ar.Exchange(lead.leadPoint.x);
    ar.Exchange(lead.leadPoint.y);
    ar.Exchange(lead.arcCentre.x);
    ar.Exchange(lead.arcCentre.y);
}

bool HasFiniteValues(const CCutInOutPara& lead) {
    for (double value : {lead.length, lead.angle, lead.radius, lead.arcStartAngle, lead.arcEndAngle,
                         lead.leadPoint.x, lead.leadPoint.y, lead.arcCentre.x, lead.arcCentre.y}) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

CCutInOutPara LoadLeadBlock(platform::Archive& ar, CCutInOutPara lead) {
    ExchangeLeadBlock(ar, lead);
    if (!HasFiniteValues(lead)) {
        throw platform::ArchiveError("lead block with a non-finite value");
    }
    return lead;
}

CDbList<CFileLine> LoadSegments(platform::Archive& ar) {
    CDbList<CFileLine> segments;
    const std::int32_t count = ar.ReadI32();
    if (count < 1) {
        return segments;
    }
    // Checked before anything is allocated, so that a damaged count cannot exhaust memory.
    if (static_cast<std::uint64_t>(count) * CFileLine::kStoredBytes > ar.Remaining()) {
        throw platform::ArchiveError("segment count beyond the end of the record");
    }
    for (std::int32_t index = 0; index < count; ++index) {
        CFileLine segment;
        segment.Serialize(ar);
        segments.AddTail(segment);
    }
    return segments;
}

// The computed points of a lead follow its path.
CCutInOutPara MovedLead(CCutInOutPara lead, double dx, double dy) {
    lead.leadPoint.x += dx;
    lead.leadPoint.y += dy;
    lead.arcCentre.x += dx;
    lead.arcCentre.y += dy;
    return lead;
}

}  // namespace

CCadCurve::CCadCurve() : CCadElement(kCurveElement) {
    orderNumber = 1;
}

CCutInOutPara CCadCurve::DefaultLead() {
    CCutInOutPara lead;
    lead.length = kDefaultLeadLengthMm;
    lead.radius = kDefaultLeadLengthMm;
    lead.arcEndAngle = kDefaultArcEndDegrees;
    return lead;
}

void CCadCurve::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreBaseRecord(ar);
        ar << closed << static_cast<std::int32_t>(pathList.GetCount());
        for (int more = pathList.MoveFirst(); more != 0; more = pathList.MoveNext()) {
            pathList.cursor->value.Serialize(ar);
        }
        ExchangeLeadBlock(ar, leadIn);
        ExchangeLeadBlock(ar, leadOut);
        return;
    }
    BaseRecord base = LoadBaseRecord(ar);
    const std::int32_t loadedClosed = ar.ReadI32();
    CDbList<CFileLine> loadedPath = LoadSegments(ar);
    const CCutInOutPara loadedLeadIn = LoadLeadBlock(ar, leadIn);
    const CCutInOutPara loadedLeadOut = LoadLeadBlock(ar, leadOut);

    ApplyBaseRecord(std::move(base));
    closed = loadedClosed;
    pathList = std::move(loadedPath);
    CalRect();
    leadIn = loadedLeadIn;
    leadOut = loadedLeadOut;
}

void CCadCurve::CalRect() {
    double extent[4] = {rect.x1, rect.y1, rect.x2, rect.y2};
    if (pathList.IsEmpty() != 0 || _math_c_getrect(&pathList, extent) != 0) {
        return;
    }
    rect.x1 = extent[0];
    rect.y1 = extent[1];
    rect.x2 = extent[2];
    rect.y2 = extent[3];
}

int CCadCurve::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* curve = dynamic_cast<const CCadCurve*>(source);
    if (curve == nullptr || curve->typeCode != kCurveElement) {
        return 0;
    }
    // Copied into a list of its own first, so that copying a curve onto itself keeps its segments. The
    // curve math takes the source by non-const pointer but only reads it.
    CDbList<CFileLine> copiedPath;
    _math_c_copy(const_cast<CDbList<CFileLine>*>(&curve->pathList), &copiedPath, dx, dy);
    pathList = std::move(copiedPath);
    closed = curve->closed;
    typeCode = curve->typeCode;
    color = curve->color;
    layer = curve->layer;
    workFlag = curve->workFlag;
    leadIn = MovedLead(curve->leadIn, dx, dy);
    leadOut = MovedLead(curve->leadOut, dx, dy);
    rect = curve->rect;
    rect.Offset(dx, dy);
    return 1;
}
