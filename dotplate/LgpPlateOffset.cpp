// The blank margin between the plate's edge and its dots: the plate outlines offset by the blank
// distance, either inward as the dot area or outward as the new plate edge.
#include <cmath>

#include "LgpPlate.h"
#include "Pathsmith.h"

namespace dotplate {

namespace {

// Result curves of the offset engine come back snapped within this distance.
constexpr double kCloseTolerance = 0.1;
// Outlines built from offset results are marked in red.
constexpr std::uint32_t kOffsetColour = 255;

std::unique_ptr<CLgpCurve> CopyOf(const CLgpCurve& outline) {
    auto copy = std::make_unique<CLgpCurve>();
    for (auto* node = outline.segments.head->next; node != outline.segments.head; node = node->next) {
        copy->AddSegment(node->value);
    }
    copy->CalcBounds();
    copy->Close(kCloseTolerance, false);
    return copy;
}

CDbList<CLineEx> ToEngineSegments(const CLgpCurve& outline) {
    CDbList<CLineEx> segments;
    for (auto* node = outline.segments.head->next; node != outline.segments.head; node = node->next) {
        const CFileLine& line = node->value;
        CLineEx segment(line.start, line.end, line.ctrl1, line.ctrl2);
        segment.type = line.IsBezier() ? CLineEx::kBezier : CLineEx::kLine;
        segments.AddTail(segment);
    }
    return segments;
}

// Offsets every outline by |distance|, each to the side its outer flag chooses: with
// insideForOuter an outer outline shrinks and a hole grows.
CDbList<CMyCurve*> OffsetAll(const LgpCurveList& outlines, double distance, bool insideForOuter, bool merge) {
    CDbList<CMyCurve*> results;
    for (const auto& outline : outlines) {
        CDbList<CLineEx> segments = ToEngineSegments(*outline);
        const int side = insideForOuter == (outline->outer != 0) ? 1 : 0;
        Zint_Offset(&segments, &results, std::fabs(distance), side, 0);
    }
    if (merge) {
        Zint_CurveCombine(&results);
    }
    return results;
}

// Turns the engine's curves into outlines of the list and deletes them.
void TakeResults(CDbList<CMyCurve*>& results, LgpCurveList& target) {
    for (auto* node = results.head->next; node != results.head; node = node->next) {
        std::unique_ptr<CMyCurve> result(node->value);
        if (result->segments.IsEmpty() != 0) {
            continue;
        }
        auto curve = std::make_unique<CLgpCurve>();
        curve->colour = kOffsetColour;
        for (auto* piece = result->segments.head->next; piece != result->segments.head; piece = piece->next) {
            const CLineEx& segment = piece->value;
            CFileLine line;
            line.type = segment.type == CLineEx::kBezier ? CFileLine::kBezier : 0;
            line.start = segment.p0;
            line.end = segment.p1;
            line.ctrl1 = segment.p2;
            line.ctrl2 = segment.p3;
            curve->AddSegment(line);
        }
        curve->Close(kCloseTolerance, false);
        curve->CalcBounds();
        target.push_back(std::move(curve));
    }
    results.RemoveAll();
}

}  // namespace

void CLgpPlate::ApplyOutline(const LgpShapePara& shape) {
    if (shape.blankEnabled == 0 || shape.blankDistance == 0.0) {
        CopyOutlines();
    } else if (shape.applyToOutline != 0) {
        OffsetToEdgeOutlines(shape.blankDistance, shape.mergeCrossing != 0);
    } else {
        OffsetToDotAreaOutlines(shape.blankDistance, shape.mergeCrossing != 0);
    }
    CalcDotAreaExtent();
}

void CLgpPlate::CopyOutlines() {
    dotAreaOutlines.clear();
    edgeOutlines.clear();
    for (const auto& outline : plateOutlines) {
        if (!outline->IsEmpty()) {
            dotAreaOutlines.push_back(CopyOf(*outline));
        }
    }
}

// A positive distance moves outer outlines inward and holes outward: the dot area shrinks.
void CLgpPlate::OffsetToDotAreaOutlines(double distance, bool merge) {
    dotAreaOutlines.clear();
    edgeOutlines.clear();
    if (plateOutlines.empty()) {
        return;
    }
    CDbList<CMyCurve*> results = OffsetAll(plateOutlines, distance, distance >= 0, merge);
    TakeResults(results, dotAreaOutlines);
}

// The dots fill the plate as built and the edge moves the other way: a positive distance grows it.
void CLgpPlate::OffsetToEdgeOutlines(double distance, bool merge) {
    dotAreaOutlines.clear();
    edgeOutlines.clear();
    if (plateOutlines.empty()) {
        return;
    }
    CopyOutlines();
    CDbList<CMyCurve*> results = OffsetAll(plateOutlines, distance, distance < 0, merge);
    TakeResults(results, edgeOutlines);
}

void CLgpPlate::ClassifyOutlines() {
    for (auto& outline : plateOutlines) {
        outline->outer = 1;
    }
    for (std::size_t a = 0; a < plateOutlines.size(); ++a) {
        CLgpCurve& first = *plateOutlines[a];
        if (first.closed == 0) {
            continue;
        }
        for (std::size_t b = a + 1; b < plateOutlines.size(); ++b) {
            CLgpCurve& second = *plateOutlines[b];
            if (second.closed == 0) {
                continue;
            }
            if (first.Contains(second) != 0) {
                second.outer = 0;
            } else if (second.Contains(first) != 0) {
                first.outer = 0;
                break;
            }
        }
    }
}

}  // namespace dotplate
