// CCadMgr: the contours at a fixed distance inside or outside the selected curves, merged where they
// overlap, as new curves. The offset engine works on chords, so Beziers are flattened first.
#include <cmath>
#include <unordered_set>

#include "CadMgr.h"
#include "CutOrder.h"
#include "Pathsmith.h"

namespace {

// Mid-piece deviation below which a Bezier's flattening is fine enough (mm): a hair below 0.0056.
constexpr double kFlatteningLimit = 0.005599999999999997;
constexpr int kMaxBezierPieces = 100000;
constexpr double kClosingTolerance = 0.1;  // mm
constexpr int kInside = 1;
constexpr int kOutside = 0;

SDPoint Middle(SDPoint a, SDPoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

double Distance(SDPoint a, SDPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The smallest n from 2 whose first and last pieces keep within the limit of the curve.
int BezierPieces(const CFileLine& segment) {
    int n = 2;
    for (; n < kMaxBezierPieces; ++n) {
        const double step = 1.0 / n;
        const double first = Distance(segment.GetPoint(step / 2), Middle(segment.start, segment.GetPoint(step)));
        const double last =
            Distance(segment.GetPoint(1 - step / 2), Middle(segment.GetPoint(1 - step), segment.end));
        if (first < kFlatteningLimit && last < kFlatteningLimit) {
            break;
        }
    }
    return n;
}

void AppendPolyline(const CCadCurve& curve, CDbList<CLineEx>& polyline) {
    for (auto* node = curve.pathList.head->next; node != curve.pathList.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (!segment.IsBezier()) {
            polyline.AddTail(CLineEx(segment.start, segment.end, segment.ctrl1, segment.ctrl2));
            polyline.head->prev->value.type = CLineEx::kLine;
            continue;
        }
        const int pieces = BezierPieces(segment);
        SDPoint previous = segment.start;
        for (int piece = 1; piece < pieces; ++piece) {
            const SDPoint point = segment.GetPoint(static_cast<double>(piece) / pieces);
            polyline.AddTail(CLineEx(previous, point));
            previous = point;
        }
        polyline.AddTail(CLineEx(previous, segment.end));
    }
}

std::unique_ptr<CCadCurve> CurveFromResult(const CMyCurve& result) {
    auto curve = std::make_unique<CCadCurve>();
    curve->color = result.colour;
    for (auto* node = result.segments.head->next; node != result.segments.head; node = node->next) {
        const CLineEx& source = node->value;
        CFileLine segment;
        segment.type = source.type == CLineEx::kBezier ? CFileLine::kBezier : 0;
        segment.start = source.p0;
        segment.end = source.p1;
        segment.ctrl1 = source.p2;
        segment.ctrl2 = source.p3;
        curve->pathList.AddTail(segment);
    }
    return curve;
}

}  // namespace

bool CCadMgr::OffsetCurveList(const CCadCurve* curve, CDbList<CMyCurve*>& results, int side) {
    CDbList<CLineEx> polyline;
    AppendPolyline(*curve, polyline);
    CDbList<CMyCurve*> contours;
    Zint_Offset(&polyline, &contours, offsetDistance, side, 0);
    const bool gave = !contours.IsEmpty();
    for (auto* node = contours.head->next; node != contours.head; node = node->next) {
        node->value->colour = curve->color;
        results.AddTail(node->value);
    }
    return gave;
}

void CCadMgr::OffsetOrderGroup(CCadOrderGroup* group, CDbList<CMyCurve*>& results, int side,
                               std::vector<const CCadCurve*>& gaveContour) {
    const auto offset = [&](const CCadElement* element) {
        if (element != nullptr && element->typeCode == kCurveElement) {
            const auto* curve = static_cast<const CCadCurve*>(element);
            if (OffsetCurveList(curve, results, side)) {
                gaveContour.push_back(curve);
            }
        }
    };
    offset(group->reference);
    group->reference = nullptr;
    for (auto* node = group->children.head->next; node != group->children.head; node = node->next) {
        if (node->value->typeCode == kOrderGroupElement) {
            OffsetOrderGroup(static_cast<CCadOrderGroup*>(node->value), results, side, gaveContour);
        } else {
            offset(node->value);
        }
    }
    group->Detach();
}

void CCadMgr::OffsetSelection() {
    if (selectionList.IsEmpty()) {
        return;
    }
    offsetWord = std::min(offsetWord, kLastOffsetMode);
    CDbList<CCadElement*> work;
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode == kCurveElement) {
            work.AddTail(element);
        }
    }
    if (work.IsEmpty()) {
        return;
    }
    if (offsetWord == kLastOffsetMode) {
        CCutOrder::GroupByContainment(work);
    }
    CDbList<CMyCurve*> results;
    std::vector<const CCadCurve*> gaveContour;
    for (auto* node = work.head->next; node != work.head; node = node->next) {
        if (node->value->typeCode == kOrderGroupElement) {
            auto* group = static_cast<CCadOrderGroup*>(node->value);
            const CCadElement* outer = group->reference;
            group->reference = nullptr;
            if (outer != nullptr && OffsetCurveList(static_cast<const CCadCurve*>(outer), results, kOutside)) {
                gaveContour.push_back(static_cast<const CCadCurve*>(outer));
            }
            OffsetOrderGroup(group, results, kInside, gaveContour);
            delete group;  // empty now: the curves stay in the drawing
            continue;
        }
        const auto* curve = static_cast<const CCadCurve*>(node->value);
        if (OffsetCurveList(curve, results, offsetWord == 0 ? kInside : kOutside)) {
            gaveContour.push_back(curve);
        }
    }
    if (offsetOption != 0) {
        // Only the sources that gave a contour go: a curve that gave none would otherwise be lost.
        for (const CCadCurve* curve : gaveContour) {
            DeleteElement(const_cast<CCadCurve*>(curve));
        }
    }
    ClearSelection();
    if (!results.IsEmpty()) {
        Zint_CurveCombine(&results);
    }
    for (auto* node = results.head->next; node != results.head; node = node->next) {
        std::unique_ptr<CCadCurve> curve = CurveFromResult(*node->value);
        delete node->value;
        if (curve->pathList.IsEmpty()) {
            continue;
        }
        curve->CalRect();
        curve->AutoClose(kClosingTolerance, 0);
        CCadCurve* added = curve.get();
        AddElement(curve.release());
        AddToSelection(added);
    }
    RenumberElements();
    Redraw();
}
