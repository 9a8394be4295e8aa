// CCadElement: the base record, the base behaviour of the virtual operations, the repaint step with the
// travel link, the rectangle tests, the combined transform and the length conversions.
#include "CadElement.h"

#include <cmath>
#include <utility>

#include "CadMgr.h"
#include "DrawExports.h"
#include "LogicalUnits.h"

namespace {

// How far the rectangle tests let an element stick out, mm.
constexpr double kRectTolerance = 0.001;
// The travel link: a dotted blue line with a red arrow head at its middle.
constexpr platform::ColorRef kPathLinkColor = 0xFF8000;
constexpr platform::ColorRef kPathArrowColor = 0x0000FF;
// A link shorter than this (from its middle to its end, mm) gets no arrow head.
constexpr double kShortestArrowedHalfLink = 0.001;

platform::Point ToDevice(const platform::DeviceContext& mapDC, SDPoint pointMm) {
    return mapDC.LPtoDP(ToLogicalUnits(pointMm));
}

int TruncatedDistance(platform::Point a, platform::Point b) {
    const double distance = std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
    return static_cast<int>(distance);
}

}  // namespace

void CCadElement::Draw(platform::DeviceContext*, platform::DeviceContext*, CCadRect, double, double,
                       std::uint16_t) {}

void CCadElement::DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC,
                           SDPoint* lastPoint) {
    if (mapDC == nullptr || drawDC == nullptr || lastPoint == nullptr) {
        return;
    }
    const SDPoint centre{(rect.x1 + rect.x2) * 0.5, (rect.y1 + rect.y2) * 0.5};
    const platform::Pen previousPen =
        drawDC->SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, kPathLinkColor));
    drawDC->MoveTo(ToDevice(*mapDC, *lastPoint));
    drawDC->LineTo(ToDevice(*mapDC, centre));
    drawDC->SelectObject(previousPen);

    const SDPoint middle{(lastPoint->x + centre.x) * 0.5, (lastPoint->y + centre.y) * 0.5};
    if (std::hypot(centre.x - middle.x, centre.y - middle.y) > kShortestArrowedHalfLink) {
        DrawHeadingArrow(mapDC, drawDC, middle, *lastPoint);
    }
    *lastPoint = centre;
}

void CCadElement::DrawHeadingArrow(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint tip,
                                   SDPoint behind) {
    // The arrow primitive puts its tip on the segment's start and opens its wings toward the end.
    CFileLine arrow;
    arrow.start = tip;
    arrow.end = behind;
    _draw_arrow(mapDC, drawDC, arrow, kPathArrowColor, 1);
}

void CCadElement::DrawFrame(platform::DeviceContext*, platform::DeviceContext*, CCadRect, int) {}

int CCadElement::ExportPlt(std::FILE* file) {
    return file != nullptr ? 1 : 0;
}

void CCadElement::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreBaseRecord(ar);
    } else {
        ApplyBaseRecord(LoadBaseRecord(ar));
    }
}

int CCadElement::HitTest(double x, double y, platform::DeviceContext*) {
    return rect.ContainsPoint(x * 0.001, y * 0.001);
}

int CCadElement::HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t) {
    return HitTest(x, y, viewDC);
}

int CCadElement::SetSelect(int flag) {
    selected = flag;
    return selected;
}

int CCadElement::GetSelect() const {
    return selected;
}

void CCadElement::DrawMove(platform::DeviceContext*, double, double) {}
void CCadElement::TransMove(double, double) {}
void CCadElement::DrawDrag(platform::DeviceContext*, double, double, double, double) {}
void CCadElement::TransDrag(double, double, double, double) {}
void CCadElement::DrawRotate(platform::DeviceContext*, double, double, double) {}
void CCadElement::TransRotate(double, double, double) {}
void CCadElement::DrawSkew(platform::DeviceContext*, double, double, double, double) {}
void CCadElement::TransSkew(double, double, double, double) {}
void CCadElement::XMirror(double) {}
void CCadElement::YMirror(double) {}
void CCadElement::CalRect() {}

int CCadElement::CopyFrom(const CCadElement*, double, double) {
    return 1;
}

int CCadElement::Smooth(double, int, int) {
    return 0;
}
void CCadElement::AutoClose(double, int) {}
void CCadElement::TransDir() {}
void CCadElement::FindStartPoint(SDPoint*) {}
int CCadElement::StartPointOptim(CFileLine*) {
    return 0;
}
void CCadElement::CalcCutInOut() {}
int CCadElement::Backlash(SDPoint*, int*) {
    return 0;
}

void CCadElement::Paint(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* lastPoint,
                        CCadRect visibleArea) {
    Draw(mapDC, drawDC, visibleArea, 0.0, 0.0, 0);
    if (ShowPathOn != 0) {
        DrawPath(mapDC, drawDC, lastPoint);
    }
    if (GetSelect() == 0) {
        return;
    }
    if (NodeEditOn != 0) {
        DrawFrame(mapDC, drawDC, visibleArea, 1);
    } else if (CutPickOn != 0) {
        DrawFrame(mapDC, drawDC, visibleArea, 0);
    }
}

int CCadElement::IsInRect(CCadRect area) const {
    // The quick rejection looks at the rectangle as stored; the containment test at its normalised copy.
    if (area.x1 - rect.x2 > kRectTolerance || rect.x1 - area.x2 > kRectTolerance ||
        area.y1 - rect.y2 > kRectTolerance || rect.y1 - area.y2 > kRectTolerance) {
        return 0;
    }
    CCadRect normalised = rect;
    normalised.Normalize();
    return area.x1 - normalised.x1 <= kRectTolerance && normalised.x2 - area.x2 <= kRectTolerance &&
                   area.y1 - normalised.y1 <= kRectTolerance && normalised.y2 - area.y2 <= kRectTolerance
               ? 1
               : 0;
}

void CCadElement::Transform(double dx, double dy, double px, double py, double sx, double sy) {
    TransMove(dx, dy);
    if (sx != 1.0 || sy != 1.0) {
        TransDrag(sx, sy, px, py);
    }
}

int CCadElement::LengthLPtoDP(const platform::DeviceContext* dc, int length) {
    if (dc == nullptr) {
        return 0;
    }
    return TruncatedDistance(dc->LPtoDP(platform::Point{length, 0}), dc->LPtoDP(platform::Point{0, 0}));
}

int CCadElement::LengthDPtoLP(const platform::DeviceContext* dc, int length) {
    if (dc == nullptr) {
        return 0;
    }
    return TruncatedDistance(dc->DPtoLP(platform::Point{length, 0}), dc->DPtoLP(platform::Point{0, 0}));
}

void CCadElement::StoreBaseRecord(platform::Archive& ar) const {
    ar << typeCode;
    ar.WriteString(name);
    ar << orderNumber << color << rect.x1 << rect.x2 << rect.y1 << rect.y2;
}

CCadElement::BaseRecord CCadElement::LoadBaseRecord(platform::Archive& ar) const {
    const std::uint16_t storedType = ar.ReadU16();
    if (storedType != typeCode) {
        // The class was chosen from the type in front of the record; a record of another type would
        // leave an element whose type code no longer matches its class.
        throw platform::ArchiveError("element record of another type");
    }
    BaseRecord record;
    record.name = ar.ReadString();
    ar >> record.orderNumber >> record.color >> record.rect.x1 >> record.rect.x2 >> record.rect.y1 >>
        record.rect.y2;
    for (double corner : {record.rect.x1, record.rect.x2, record.rect.y1, record.rect.y2}) {
        if (!std::isfinite(corner)) {
            throw platform::ArchiveError("element rectangle with a non-finite corner");
        }
    }
    return record;
}

void CCadElement::ApplyBaseRecord(BaseRecord record) {
    name = std::move(record.name);
    orderNumber = record.orderNumber;
    color = record.color;
    SetSelect(0);
    rect = record.rect;
}
