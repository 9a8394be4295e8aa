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

// Prepared outlines of the curves of the list, made when a curve is first compared.
class OutlineCache {
  public:
    const MergeOutline& Of(CMyCurve* curve) {
        std::unique_ptr<MergeOutline>& outline = outlines_[curve];
        if (outline == nullptr) {
            outline = std::make_unique<MergeOutline>(curve->segments);
        }
        return *outline;
    }
    void Forget(CMyCurve* curve) { outlines_.erase(curve); }
    void Replace(CMyCurve* curve, std::vector<SDPoint> ring) {
        outlines_[curve] = std::make_unique<MergeOutline>(std::move(ring));
    }

  private:
    std::unordered_map<CMyCurve*, std::unique_ptr<MergeOutline>> outlines_;
};

bool TakesPart(CMyCurve* curve) {
    return curve != nullptr && curve->IsClose() != 0 && HasFiniteCoordinates(curve->segments);
}

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
    for (CurveNode* current = curves.head->next; current != curves.head; current = current->next) {
        if (!TakesPart(current->value)) {
            continue;
        }
        bool grew = false;
        CurveNode* other = current->next;
        while (other != curves.head) {
            if (!TakesPart(other->value)) {
                other = other->next;
                continue;
            }
            std::vector<SDPoint> merged = MergedRing(outlines.Of(current->value), outlines.Of(other->value));
            if (merged.size() < 2) {
                other = other->next;
                continue;
            }
            grew = true;
            outlines.Replace(current->value, std::move(merged));
            outlines.Forget(other->value);
            delete other->value;
            Unlink(curves, other);
            // The grown curve is compared again with every curve after it.
            other = current->next;
        }
        if (grew) {
            CMyCurve* const before = current->value;
            ReplaceByMerged(current->value, outlines.Of(before).Ring());
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
