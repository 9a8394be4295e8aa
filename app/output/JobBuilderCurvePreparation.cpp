// Curve preparation for output: leads made into segments, Beziers flattened to the output precision,
// everything shifted by the layer's output offset; and that offset itself.
#include <algorithm>
#include <cmath>

#include "CadBitmapLayer.h"
#include "Geomcore.h"
#include "JobBuilder.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

constexpr double kArcChordToleranceMm = 0.01;
// A Bezier is flattened into at most this many lines, however fine the precision asked: beyond it the
// job grows without any visible gain, and a degenerate curve could otherwise never stop refining.
constexpr int kMaxBezierPieces = 4096;

SDPoint Shifted(SDPoint point, double dx, double dy) {
    return {point.x + dx, point.y + dy};
}

void AppendLine(CDbList<CFileLine>& segments, SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    segments.AddTail(line);
}

double Distance(SDPoint a, SDPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

SDPoint Midpoint(SDPoint a, SDPoint b) {
    return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
}

// p = 0 gives 0.02 mm, p = 1 gives 0.002 mm, and above 1 the tolerance shrinks further by 1 / p.
double FlatteningTolerance(double precision) {
    double tolerance = 0.02 - std::min(precision, 1.0) * 0.018;
    if (precision > 1.0) {
        tolerance /= precision;
    }
    return tolerance;
}

// The smallest piece count from 2 up whose first and last pieces stay within the tolerance of the curve
// at their middles.
int BezierPieces(const CFileLine& bezier, double tolerance) {
    int pieces = 2;
    for (; pieces < kMaxBezierPieces; ++pieces) {
        const double h = 1.0 / pieces;
        const double headError =
            Distance(bezier.GetPoint(h * 0.5), Midpoint(bezier.GetPoint(0.0), bezier.GetPoint(h)));
        const double tailError = Distance(bezier.GetPoint(1.0 - h * 0.5),
                                          Midpoint(bezier.GetPoint(1.0 - h), bezier.GetPoint(1.0)));
        if (headError < tolerance && tailError < tolerance) {
            break;
        }
    }
    return pieces;
}

void AppendFlattened(CDbList<CFileLine>& segments, const CFileLine& bezier, double tolerance) {
    const int pieces = BezierPieces(bezier, tolerance);
    SDPoint from = bezier.GetPoint(0.0);
    for (int piece = 1; piece < pieces; ++piece) {
        const SDPoint to = bezier.GetPoint(static_cast<double>(piece) / pieces);
        AppendLine(segments, from, to);
        from = to;
    }
    AppendLine(segments, from, bezier.GetPoint(1.0));
}

CFileLine ShiftedSegment(const CFileLine& source, double dx, double dy) {
    CFileLine segment = source;
    segment.start = Shifted(source.start, dx, dy);
    segment.end = Shifted(source.end, dx, dy);
    if (source.IsBezier()) {
        segment.ctrl1 = Shifted(source.ctrl1, dx, dy);
        segment.ctrl2 = Shifted(source.ctrl2, dx, dy);
    }
    return segment;
}

bool IsFinite(SDPoint point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

bool LeadIsFinite(const CCutInOutPara& lead) {
    return lead.enabled == 0 ||
           (IsFinite(lead.leadPoint) && IsFinite(lead.arcCentre) && std::isfinite(lead.radius) &&
            std::isfinite(lead.arcStartAngle) && std::isfinite(lead.arcEndAngle));
}

bool CurveIsFinite(const CCadCurve& curve) {
    for (auto* node = curve.pathList.head->next; node != curve.pathList.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (!IsFinite(segment.start) || !IsFinite(segment.end) ||
            (segment.IsBezier() && (!IsFinite(segment.ctrl1) || !IsFinite(segment.ctrl2)))) {
            return false;
        }
    }
    return LeadIsFinite(curve.leadIn) && LeadIsFinite(curve.leadOut);
}

// A straight lead between the lead's point and the path end it meets, or the lead's arc as lines.
bool AppendLead(CDbList<CFileLine>& segments, const CCutInOutPara& lead, SDPoint pathEnd, bool leadIn,
                double dx, double dy) {
    if (lead.kind == 0) {
        const SDPoint free = Shifted(lead.leadPoint, dx, dy);
        if (leadIn) {
            AppendLine(segments, free, pathEnd);
        } else {
            AppendLine(segments, pathEnd, free);
        }
        return true;
    }
    const SDPoint centre = Shifted(lead.arcCentre, dx, dy);
    return _math_c_arc2line(&segments, centre.x, centre.y, lead.radius, lead.arcStartAngle, lead.arcEndAngle,
                            kArcChordToleranceMm) == 0;
}

bool IsScanVectorLayer(const CCadLayer& layer) {
    return layer.commonParams.COM_Type == CCadLayer::kVectorLayer &&
           static_cast<const CCadVectorLayer&>(layer).vectorParams.COM_WorkType == VectorLayerParams::kScan;
}

// Horizontal scan modes (0, 1) repay along x, vertical ones along y.
void RepayAlongScan(double repay, std::uint8_t scanMode, double* dx, double* dy) {
    if (scanMode <= 1) {
        *dx = repay;
    } else {
        *dy = repay;
    }
}

}  // namespace

std::unique_ptr<CCadCurve> CJobBuilder::PrepareCurve(const CCadCurve* curve, double dx, double dy) {
    if (curve == nullptr || !CurveIsFinite(*curve) || !std::isfinite(dx) || !std::isfinite(dy)) {
        return nullptr;
    }
    auto prepared = std::make_unique<CCadCurve>();
    prepared->color = curve->color;
    prepared->layer = curve->layer;
    prepared->closed = curve->closed;
    prepared->workFlag = curve->workFlag;
    prepared->selectedNode = curve->selectedNode;
    prepared->leadIn = curve->leadIn;
    prepared->leadOut = curve->leadOut;
    // The rectangle moves with the segments, so that what is placed by the rectangle (single dots, the
    // speed limit's size) follows the layer offset as the cut does.
    prepared->rect = curve->rect;
    prepared->rect.Offset(dx, dy);

    const CDbList<CFileLine>& source = curve->pathList;
    CDbList<CFileLine>& segments = prepared->pathList;
    const bool hasPath = source.IsEmpty() == 0;
    if (hasPath && curve->leadIn.enabled != 0 &&
        !AppendLead(segments, curve->leadIn, Shifted(source.head->next->value.start, dx, dy), true, dx, dy)) {
        return nullptr;
    }
    const double tolerance = FlatteningTolerance(gFileParaSettings.exportPrecision);
    for (auto* node = source.head->next; node != source.head; node = node->next) {
        const CFileLine segment = ShiftedSegment(node->value, dx, dy);
        if (segment.IsBezier()) {
            AppendFlattened(segments, segment, tolerance);
        } else {
            segments.AddTail(segment);
        }
    }
    if (hasPath && curve->leadOut.enabled != 0 &&
        !AppendLead(segments, curve->leadOut, Shifted(source.head->prev->value.end, dx, dy), false, dx, dy)) {
        return nullptr;
    }
    return prepared;
}

int CJobBuilder::IsOutputAsItStands(const CCadCurve& curve, double dx, double dy) {
    if (dx != 0.0 || dy != 0.0 || curve.leadIn.enabled != 0 || curve.leadOut.enabled != 0) {
        return 0;
    }
    for (auto* node = curve.pathList.head->next; node != curve.pathList.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (segment.IsBezier() || !IsFinite(segment.start) || !IsFinite(segment.end)) {
            return 0;
        }
    }
    return 1;
}

void CJobBuilder::GetLayerOffset(const CCadLayer* layer, double* dx, double* dy) {
    *dx = 0.0;
    *dy = 0.0;
    if (layer == nullptr) {
        return;
    }
    const LayerCommonParams& common = layer->commonParams;
    const bool vector = common.COM_Type == CCadLayer::kVectorLayer;
    if (PenModeFlag == 1 && vector) {
        if (static_cast<const CCadVectorLayer*>(layer)->vectorParams.COM_WorkType ==
            VectorLayerParams::kPen) {
            *dx = gOutputOptions.laser2OffsetXMm;
            *dy = gOutputOptions.laser2OffsetYMm;
        }
        return;
    }
    if (IsScanVectorLayer(*layer)) {
        const std::uint8_t scanMode = static_cast<const CCadVectorLayer*>(layer)->vectorParams.Eng_Type;
        RepayAlongScan(gOutputOptions.LookupOffsetRepay(common.COM_Speed), scanMode, dx, dy);
    } else if (common.COM_Type == CCadLayer::kBitmapLayer) {
        const std::uint8_t scanMode = static_cast<const CCadBitmapLayer*>(layer)->bitmapParams.Eng_Type;
        RepayAlongScan(gOutputOptions.LookupOffsetRepay(common.COM_Speed), scanMode, dx, dy);
    }
    if (gOutputOptions.laser2OffsetOn != 0 && common.COM_EnLaser1 == 0 && common.COM_EnLaser2 != 0) {
        *dx += gOutputOptions.laser2OffsetXMm;
        *dy += gOutputOptions.laser2OffsetYMm;
    }
}
