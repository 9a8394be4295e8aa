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

void CombineCurves(CDbList<CMyCurve*>& curves) {
    OutlineCache outlines;
    for (CurveNode* current = curves.head->next; current != curves.head; current = current->next) {
        if (!TakesPart(current->value)) {
            continue;
        }
        CurveNode* other = current->next;
        while (other != curves.head) {
            if (!TakesPart(other->value)) {
                other = other->next;
                continue;
            }
            std::unique_ptr<CMyCurve> merged =
                MergeOutlines(outlines.Of(current->value), outlines.Of(other->value));
            if (merged == nullptr || merged->segments.IsEmpty()) {
                other = other->next;
                continue;
            }
            merged->combined = 1;
            merged->colour = current->value->colour;
            outlines.Forget(current->value);
            outlines.Forget(other->value);
            delete current->value;
            delete other->value;
            current->value = merged.release();
            Unlink(curves, other);
            // The grown curve is compared again with every curve after it.
            other = current->next;
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
