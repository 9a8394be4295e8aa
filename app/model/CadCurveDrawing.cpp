// CCadCurve drawing: the outline with its fill, leads and start arrow, the travel line of the path view,
// the node boxes and handles of node editing, and the rubber-band previews. Model points become logical
// units (x 1000, truncated) and device pixels through the mapping context; drawing goes into the drawing
// context in device pixels.
#include <cmath>
#include <numbers>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "DrawExports.h"
#include "LogicalUnits.h"

namespace {

using platform::ColorRef;
using platform::DeviceContext;
using platform::Rgb;

constexpr ColorRef kSelectedColour = Rgb(0, 0, 255);
constexpr ColorRef kSelectedBlueColour = Rgb(0, 255, 255);
constexpr ColorRef kLeadColour = Rgb(255, 0, 0);
constexpr ColorRef kTravelColour = Rgb(0, 128, 255);
constexpr ColorRef kCurrentNodeColour = Rgb(255, 128, 0);
constexpr ColorRef kBoxFillColour = Rgb(255, 255, 255);
constexpr ColorRef kBoxPenColour = Rgb(0, 0, 0);
// Node boxes and lead markers are 7 x 7 device pixels centred on their point.
constexpr int kBoxHalf = 3;
// The node-edit display shows both handles of a segment.
constexpr std::uint16_t kHandlesOfSegment = kBothHandles;
// A travel arrow only on a link longer than this, mm.
constexpr double kShortestArrowedLink = 0.001;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

platform::Point ToDevice(const DeviceContext& mapDC, SDPoint pointMm) {
    return mapDC.LPtoDP(ToLogicalUnits(pointMm));
}

SDPoint Shifted(SDPoint point, double dx, double dy) {
    return {point.x + dx, point.y + dy};
}

CFileLine ShiftedSegment(CFileLine segment, double dx, double dy) {
    _math_ln_move(&segment, dx, dy);
    return segment;
}

const CFileLine& FirstSegment(const CDbList<CFileLine>& path) {
    return path.head->next->value;
}

const CFileLine& LastSegment(const CDbList<CFileLine>& path) {
    return path.head->prev->value;
}

SDPoint PointOnArc(SDPoint centre, double radius, double degrees) {
    const double radians = degrees * kRadiansPerDegree;
    return {centre.x + radius * std::cos(radians), centre.y + radius * std::sin(radians)};
}

ColorRef OutlineColour(ColorRef colour, bool selected) {
    if (!selected) {
        return colour;
    }
    return colour == kSelectedColour ? kSelectedBlueColour : kSelectedColour;
}

void DrawBox(DeviceContext& drawDC, platform::Point centre) {
    drawDC.Rectangle(centre.x - kBoxHalf, centre.y - kBoxHalf, centre.x + kBoxHalf + 1, centre.y + kBoxHalf + 1);
}

// A node box in the colour given, with a black outline; the previous pen and brush are restored.
void DrawNodeBox(const DeviceContext& mapDC, DeviceContext& drawDC, SDPoint pointMm, ColorRef fill) {
    const platform::Pen previousPen = drawDC.SelectObject(platform::Pen::Solid(1, kBoxPenColour));
    const platform::Brush previousBrush = drawDC.SelectObject(platform::Brush::Solid(fill));
    DrawBox(drawDC, ToDevice(mapDC, pointMm));
    drawDC.SelectObject(previousBrush);
    drawDC.SelectObject(previousPen);
}

// Lines go through the segment primitive one by one; a run of Beziers that join end to start goes to the
// context as one cubic chain, which draws the same pixels as the pieces one by one at a fraction of the
// cost per piece.
void DrawPathSegments(DeviceContext* mapDC, DeviceContext* drawDC, const CDbList<CFileLine>& path, double dx,
                      double dy) {
    std::vector<platform::Point> bezierRun;
    const auto flushRun = [&] {
        if (bezierRun.size() >= 4) {
            drawDC->PolyBezier(bezierRun);
            drawDC->MoveTo(bezierRun.back());
        }
        bezierRun.clear();
    };
    int isFirst = 1;
    for (auto* node = path.head->next; node != path.head; node = node->next) {
        const CFileLine segment = ShiftedSegment(node->value, dx, dy);
        if (!segment.IsBezier()) {
            flushRun();
            _draw_memline(mapDC, drawDC, segment, isFirst);
        } else {
            const platform::Point start = ToDevice(*mapDC, segment.start);
            if (bezierRun.empty() || bezierRun.back() != start) {
                flushRun();
                bezierRun.push_back(start);
            }
            bezierRun.push_back(ToDevice(*mapDC, segment.ctrl1));
            bezierRun.push_back(ToDevice(*mapDC, segment.ctrl2));
            bezierRun.push_back(ToDevice(*mapDC, segment.end));
        }
        isFirst = 0;
    }
    flushRun();
}

// The lead's arc from its start angle; its free end is the start for a lead-in and the end for a
// lead-out.
void DrawArcLead(DeviceContext* mapDC, DeviceContext* drawDC, const CCutInOutPara& lead, SDPoint offset) {
    const SDPoint centre = Shifted(lead.arcCentre, offset.x, offset.y);
    drawDC->MoveTo(ToDevice(*mapDC, PointOnArc(centre, lead.radius, lead.arcStartAngle)));
    const int radius = CCadElement::LengthLPtoDP(mapDC, ToLogicalUnits(lead.radius));
    drawDC->AngleArc(ToDevice(*mapDC, centre), radius, static_cast<float>(lead.arcStartAngle),
                     static_cast<float>(lead.arcEndAngle - lead.arcStartAngle));
}

enum class LeadEnd { In, Out };

// A lead in red with a white marker on its free end; `curvePoint` is where it meets the path.
void DrawLead(DeviceContext* mapDC, DeviceContext* drawDC, const CCutInOutPara& lead, SDPoint curvePoint,
              SDPoint offset, LeadEnd end) {
    const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Solid(1, kLeadColour));
    SDPoint freeEnd;
    if (lead.kind == 0) {
        freeEnd = Shifted(lead.leadPoint, offset.x, offset.y);
        drawDC->MoveTo(ToDevice(*mapDC, end == LeadEnd::In ? freeEnd : curvePoint));
        drawDC->LineTo(ToDevice(*mapDC, end == LeadEnd::In ? curvePoint : freeEnd));
    } else {
        DrawArcLead(mapDC, drawDC, lead, offset);
        const double freeAngle = end == LeadEnd::In ? lead.arcStartAngle : lead.arcEndAngle;
        freeEnd = PointOnArc(Shifted(lead.arcCentre, offset.x, offset.y), lead.radius, freeAngle);
    }
    const platform::Brush previousBrush = drawDC->SelectObject(platform::Brush::Solid(kBoxFillColour));
    DrawBox(*drawDC, ToDevice(*mapDC, freeEnd));
    drawDC->SelectObject(previousBrush);
    drawDC->SelectObject(previousPen);
}

// Where the cut starts: the free end of an enabled lead-in, else the path's start.
SDPoint EntryPoint(const CDbList<CFileLine>& path, const CCutInOutPara& leadIn) {
    if (leadIn.enabled == 0) {
        return FirstSegment(path).start;
    }
    return leadIn.kind == 0 ? leadIn.leadPoint : PointOnArc(leadIn.arcCentre, leadIn.radius, leadIn.arcStartAngle);
}

SDPoint ExitPoint(const CDbList<CFileLine>& path, const CCutInOutPara& leadOut) {
    if (leadOut.enabled == 0) {
        return LastSegment(path).end;
    }
    return leadOut.kind == 0 ? leadOut.leadPoint : PointOnArc(leadOut.arcCentre, leadOut.radius, leadOut.arcEndAngle);
}

// The point toward which the cut leaves the start: a line's end, a Bezier's first distinct control point.
SDPoint StartHeading(const CFileLine& first) {
    if (!first.IsBezier()) {
        return first.end;
    }
    const bool firstControlOnStart = first.ctrl1.x == first.start.x && first.ctrl1.y == first.start.y;
    return firstControlOnStart ? first.ctrl2 : first.ctrl1;
}

bool IsScanningVectorLayer(const CCadLayer* layer) {
    if (layer == nullptr || layer->commonParams.COM_Type != CCadLayer::kVectorLayer) {
        return false;
    }
    const auto* vectorLayer = dynamic_cast<const CCadVectorLayer*>(layer);
    return vectorLayer != nullptr && vectorLayer->vectorParams.COM_WorkType == VectorLayerParams::kScan;
}

platform::Pen OutlinePen(std::uint16_t mode, ColorRef colour, bool selected) {
    if (mode == 0) {
        return platform::Pen::Solid(1, OutlineColour(colour, selected));
    }
    if (mode == 1) {
        return platform::Pen::Styled(platform::PenStyle::Dot, 1, colour);
    }
    return platform::Pen::Solid(1, colour);
}

// The handles of a last Bezier's end node: a mirrored segment whose first handle is the outgoing one.
CFileLine OutgoingHandleSegment(const CFileLine& last) {
    CFileLine mirrored = last;
    mirrored.start = last.end;
    mirrored.ctrl1 = {2.0 * last.end.x - last.ctrl2.x, 2.0 * last.end.y - last.ctrl2.y};
    mirrored.ctrl2 = mirrored.ctrl1;
    mirrored.end = mirrored.ctrl1;
    return mirrored;
}

// Each segment, transformed on a copy, drawn with the context's current pen.
template <typename Transform>
void DrawPreview(const CDbList<CFileLine>& path, DeviceContext* dc, Transform transform) {
    if (dc == nullptr) {
        return;
    }
    int isFirst = 1;
    for (auto* node = path.head->next; node != path.head; node = node->next) {
        CFileLine copy = node->value;
        transform(&copy);
        _draw_line(dc, copy, isFirst);
        isFirst = 0;
    }
}

}  // namespace

void CCadCurve::Draw(DeviceContext* mapDC, DeviceContext* drawDC, CCadRect visibleArea, double dx, double dy,
                     std::uint16_t mode) {
    if (pathList.IsEmpty() != 0 || mapDC == nullptr || drawDC == nullptr) {
        return;
    }
    // A moved copy: array cells draw the same curve at many offsets, so the stored rectangle stays.
    if (!rect.MovedNormalised(dx, dy).Meets(visibleArea)) {
        return;
    }
    const SDPoint offset{dx, dy};
    const SDPoint start = Shifted(FirstSegment(pathList).start, dx, dy);
    if (GetSelect() != 0 && CutPickOn != 0) {
        const SDPoint heading = Shifted(StartHeading(FirstSegment(pathList)), dx, dy);
        DrawHeadingArrow(mapDC, drawDC, start, {2.0 * start.x - heading.x, 2.0 * start.y - heading.y});
    }
    if (leadIn.enabled != 0) {
        DrawLead(mapDC, drawDC, leadIn, start, offset, LeadEnd::In);
    }
    if (leadOut.enabled != 0) {
        DrawLead(mapDC, drawDC, leadOut, Shifted(LastSegment(pathList).end, dx, dy), offset, LeadEnd::Out);
    }
    if (closed == 1 && FillDisplayOn != 0 && IsScanningVectorLayer(layer)) {
        const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Solid(1, layer->commonParams.COM_Color));
        const platform::RasterOp previousRop = drawDC->SetROP2(platform::RasterOp::NotXorPen);
        CDbList<CFileLine> shiftedPath;
        _math_c_copy(&pathList, &shiftedPath, dx, dy);
        _draw_cfill(mapDC, drawDC, &shiftedPath);
        drawDC->SetROP2(previousRop);
        drawDC->SelectObject(previousPen);
    }
    const platform::Pen previousPen = drawDC->SelectObject(OutlinePen(mode, color, GetSelect() != 0));
    DrawPathSegments(mapDC, drawDC, pathList, dx, dy);
    drawDC->SelectObject(previousPen);
}

void CCadCurve::DrawPath(DeviceContext* mapDC, DeviceContext* drawDC, SDPoint* pen) {
    if (pathList.IsEmpty() != 0 || mapDC == nullptr || drawDC == nullptr || pen == nullptr) {
        return;
    }
    const platform::Pen previousPen =
        drawDC->SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, kTravelColour));
    drawDC->MoveTo(ToDevice(*mapDC, *pen));
    drawDC->LineTo(ToDevice(*mapDC, EntryPoint(pathList, leadIn)));
    drawDC->SelectObject(previousPen);

    const SDPoint start = FirstSegment(pathList).start;
    const SDPoint middle{(pen->x + start.x) * 0.5, (pen->y + start.y) * 0.5};
    if (std::hypot(start.x - middle.x, start.y - middle.y) > kShortestArrowedLink) {
        DrawHeadingArrow(mapDC, drawDC, middle, *pen);
    }
    *pen = ExitPoint(pathList, leadOut);
}

void CCadCurve::DrawFrame(DeviceContext* mapDC, DeviceContext* drawDC, CCadRect visibleArea, int) {
    if (mapDC == nullptr || drawDC == nullptr || !rect.MovedNormalised(0, 0).Meets(visibleArea) || GetSelect() == 0 ||
        (CutPickOn == 0 && NodeEditOn == 0) || pathList.IsEmpty() != 0) {
        return;
    }
    DrawNodeBox(*mapDC, *drawDC, FirstSegment(pathList).start, kBoxFillColour);
    for (auto* node = pathList.head->next; node != pathList.head; node = node->next) {
        DrawNodeBox(*mapDC, *drawDC, node->value.end, kBoxFillColour);
    }
}

void CCadCurve::DrawNodes(DeviceContext* mapDC, DeviceContext* drawDC, ColorRef colour) {
    if (pathList.IsEmpty() != 0 || mapDC == nullptr || drawDC == nullptr) {
        return;
    }
    const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Solid(1, OutlineColour(colour, GetSelect() != 0)));
    DrawPathSegments(mapDC, drawDC, pathList, 0.0, 0.0);
    drawDC->SelectObject(previousPen);

    const auto boxColour = [this](int node) { return node == selectedNode ? kCurrentNodeColour : kBoxFillColour; };
    const auto handles = [&](const CFileLine& segment) {
        if (segment.IsBezier()) {
            _draw_bezierctrlline(segment, mapDC, drawDC, kHandlesOfSegment);
        }
    };
    int nodeNumber = 1;
    DrawNodeBox(*mapDC, *drawDC, FirstSegment(pathList).start, boxColour(nodeNumber));
    if (selectedNode == nodeNumber) {
        handles(FirstSegment(pathList));
    }
    for (auto* node = pathList.head->next; node != pathList.head; node = node->next) {
        ++nodeNumber;
        DrawNodeBox(*mapDC, *drawDC, node->value.end, boxColour(nodeNumber));
        if (selectedNode != nodeNumber) {
            continue;
        }
        handles(node->value);
        if (node->next != pathList.head) {
            handles(node->next->value);
        } else if (node->value.IsBezier()) {
            handles(OutgoingHandleSegment(node->value));
        }
    }
}

void CCadCurve::Fill(DeviceContext* mapDC, DeviceContext* drawDC) {
    _draw_cfill(mapDC, drawDC, &pathList);
}

void CCadCurve::DrawMove(DeviceContext* dc, double dx, double dy) {
    DrawPreview(pathList, dc, [&](CFileLine* copy) { _math_ln_move(copy, dx, dy); });
}

void CCadCurve::DrawDrag(DeviceContext* dc, double sx, double sy, double px, double py) {
    DrawPreview(pathList, dc, [&](CFileLine* copy) { _math_ln_drag(copy, px, py, sx, sy); });
}

void CCadCurve::DrawRotate(DeviceContext* dc, double cx, double cy, double angle) {
    if (angle == 0.0) {
        return;
    }
    DrawPreview(pathList, dc, [&](CFileLine* copy) { _math_ln_rotate(copy, cx, cy, angle); });
}

void CCadCurve::DrawSkew(DeviceContext* dc, double cx, double cy, double angleX, double angleY) {
    if (angleX == 0.0 && angleY == 0.0) {
        return;
    }
    DrawPreview(pathList, dc, [&](CFileLine* copy) { _math_ln_skew(copy, cx, cy, angleX, angleY); });
}
