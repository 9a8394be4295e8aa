// Zint_CurveCombine: walks the curve list and replaces crossing pairs of closed curves by the outline
// of their union.
#include <memory>
#include <vector>

#include "Contours.h"
#include "CurveCombine.h"
#include "ExportGuard.h"
#include "Pathsmith.h"

namespace pathsmith {

namespace {

using CurveNode = CDbList<CMyCurve*>::Node;

void Unlink(CDbList<CMyCurve*>& curves, CurveNode* node) {
    curves.cursor = node;
    curves.RemoveCurrent();
}

// The curve becomes the outline `grown` has reached.
void ReplaceByMerged(CMyCurve*& curve, const std::vector<SDPoint>& grown) {
    std::unique_ptr<CMyCurve> merged = CurveThrough(grown);
    merged->combined = 1;
    merged->colour = curve->colour;
    delete curve;
    curve = merged.release();
}

// A curve of the list with its outline, prepared once (none when the curve takes no part), and the
// entry of the next curve still in the list.
struct CurveEntry {
    CurveNode* node;
    std::unique_ptr<MergeOutline> outline;
    int next;
};

bool TakesPart(CMyCurve* curve) {
    return curve != nullptr && curve->IsClose() != 0 && HasFiniteCoordinates(curve->segments);
}

std::vector<CurveEntry> EntriesOf(CDbList<CMyCurve*>& curves) {
    std::vector<CurveEntry> entries;
    for (CurveNode* node = curves.head->next; node != curves.head; node = node->next) {
        std::unique_ptr<MergeOutline> outline;
        if (TakesPart(node->value)) {
            outline = std::make_unique<MergeOutline>(node->value->segments);
        }
        entries.push_back({node, std::move(outline), static_cast<int>(entries.size()) + 1});
    }
    if (!entries.empty()) {
        entries.back().next = -1;
    }
    return entries;
}

// A curve that merges with several others in turn keeps its growing outline as a vertex ring and
// becomes a curve once, after its last merge.
void CombineCurves(CDbList<CMyCurve*>& curves) {
    std::vector<CurveEntry> entries = EntriesOf(curves);
    OutlineMerger merger;
    std::vector<SDPoint> merged;
    for (int current = entries.empty() ? -1 : 0; current != -1; current = entries[current].next) {
        MergeOutline* const grown = entries[current].outline.get();
        if (grown == nullptr) {
            continue;
        }
        bool grew = false;
        int previous = current;
        int other = entries[current].next;
        while (other != -1) {
            CurveEntry& candidate = entries[other];
            if (candidate.outline == nullptr || !merger.Merge(*grown, *candidate.outline, merged)) {
                previous = other;
                other = candidate.next;
                continue;
            }
            grew = true;
            grown->SwapRing(merged);
            candidate.outline.reset();
            delete candidate.node->value;
            Unlink(curves, candidate.node);
            entries[previous].next = candidate.next;
            // The grown curve is compared again with every curve after it.
            previous = current;
            other = entries[current].next;
        }
        if (grew) {
            ReplaceByMerged(entries[current].node->value, grown->Ring());
            entries[current].outline.reset();
        }
    }
    curves.cursor = curves.head;
}

}  // namespace

}  // namespace pathsmith

short Zint_CurveCombine(CDbList<CMyCurve*>* curves) {
    return pathsmith::Guarded([&]() -> short {
        if (curves != nullptr && !curves->IsEmpty()) {
            pathsmith::CombineCurves(*curves);
        }
        return 0;
    });
}
