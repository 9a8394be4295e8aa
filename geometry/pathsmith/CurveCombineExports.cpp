// Zint_CurveCombine: walks the curve list and replaces crossing pairs of closed curves by the outline
// of their union.
#include <memory>
#include <unordered_map>

#include "Contours.h"
#include "CurveCombine.h"
#include "ExportGuard.h"
#include "Pathsmith.h"

namespace pathsmith {

namespace {

using CurveNode = CDbList<CMyCurve*>::Node;

// Prepared outlines of the curves of the list, made when a curve is first compared; none for a
// curve that takes no part (open, or with a coordinate that is not finite).
class OutlineCache {
  public:
    MergeOutline* Of(CMyCurve* curve) {
        auto [entry, added] = outlines_.try_emplace(curve);
        if (added && TakesPart(curve)) {
            entry->second = std::make_unique<MergeOutline>(curve->segments);
        }
        return entry->second.get();
    }
    void Forget(CMyCurve* curve) { outlines_.erase(curve); }

  private:
    static bool TakesPart(CMyCurve* curve) {
        return curve != nullptr && curve->IsClose() != 0 && HasFiniteCoordinates(curve->segments);
    }

    std::unordered_map<CMyCurve*, std::unique_ptr<MergeOutline>> outlines_;
};

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

// A curve that merges with several others in turn keeps its growing outline as a vertex ring and
// becomes a curve once, after its last merge.
void CombineCurves(CDbList<CMyCurve*>& curves) {
    OutlineCache outlines;
    OutlineMerger merger;
    std::vector<SDPoint> merged;
    for (CurveNode* current = curves.head->next; current != curves.head; current = current->next) {
        MergeOutline* const grown = outlines.Of(current->value);
        if (grown == nullptr) {
            continue;
        }
        bool grew = false;
        CurveNode* other = current->next;
        while (other != curves.head) {
            const MergeOutline* const otherOutline = outlines.Of(other->value);
            if (otherOutline == nullptr || !merger.Merge(*grown, *otherOutline, merged)) {
                other = other->next;
                continue;
            }
            grew = true;
            grown->SwapRing(merged);
            outlines.Forget(other->value);
            delete other->value;
            Unlink(curves, other);
            // The grown curve is compared again with every curve after it.
            other = current->next;
        }
        if (grew) {
            CMyCurve* const before = current->value;
            ReplaceByMerged(current->value, grown->Ring());
            outlines.Forget(before);
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
