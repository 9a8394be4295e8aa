// Zint_CurveCombine: walks the curve list and replaces crossing pairs of closed curves by the outline
// of their union.
#include <memory>
#include <vector>

#include "BoxTree.h"
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

// A curve of the list with its outline, prepared once; none when the curve takes no part or has
// been merged into another.
struct CurveEntry {
    CurveNode* node;
    std::unique_ptr<MergeOutline> outline;
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
        entries.push_back({node, std::move(outline)});
    }
    return entries;
}

Box BoxOfRect(const CRectEx& rect) {
    return {rect.x1, rect.y1, rect.x2, rect.y2};
}

// The outlines that may still merge into a growing one, found by their rectangles: an outline leaves
// when it becomes the growing one or merges into it.
class WaitingOutlines {
  public:
    explicit WaitingOutlines(const std::vector<CurveEntry>& entries) : tree_(BoxesOf(entries)) {}

    void Remove(int entry) { tree_.Remove(entry); }
    // The first waiting entry after the growing one, in list order, for which merge(entry) is true;
    // -1 when there is none.
    template <typename Merge>
    int FirstMerging(const CRectEx& growing, Merge&& merge) const {
        int found = -1;
        // Twice the reach leaves room for the rounding of the comparisons.
        tree_.Search(BoxOfRect(growing).Grown(2 * kMergeReach), [&](int entry) {
            if (merge(entry)) {
                found = entry;
                return true;
            }
            return false;
        });
        return found;
    }

  private:
    static std::vector<Box> BoxesOf(const std::vector<CurveEntry>& entries) {
        std::vector<Box> boxes;
        boxes.reserve(entries.size());
        for (const CurveEntry& entry : entries) {
            boxes.push_back(entry.outline != nullptr ? BoxOfRect(entry.outline->Rect()) : kNowhere);
        }
        return boxes;
    }

    BoxTree tree_;
};

// A curve that merges with several others in turn keeps its growing outline as a vertex ring and
// becomes a curve once, after its last merge. Curves are compared in list order: each with the
// curves after it, again from the first of them after every merge.
void CombineCurves(CDbList<CMyCurve*>& curves) {
    std::vector<CurveEntry> entries = EntriesOf(curves);
    WaitingOutlines waiting(entries);
    OutlineMerger merger;
    std::vector<SDPoint> merged;
    for (int current = 0; current < static_cast<int>(entries.size()); ++current) {
        MergeOutline* const grown = entries[current].outline.get();
        if (grown == nullptr) {
            continue;
        }
        waiting.Remove(current);
        bool grew = false;
        for (;;) {
            const int absorbed = waiting.FirstMerging(grown->Rect(), [&](int other) {
                return merger.Merge(*grown, *entries[other].outline, merged);
            });
            if (absorbed < 0) {
                break;
            }
            grew = true;
            grown->SwapRing(merged);
            waiting.Remove(absorbed);
            entries[absorbed].outline.reset();
            delete entries[absorbed].node->value;
            Unlink(curves, entries[absorbed].node);
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
