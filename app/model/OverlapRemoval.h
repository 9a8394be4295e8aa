// OverlapRemoval: one run of the drawing manager's overlap removal over the selected curves. The first pass
// works inside each curve, the second between curves whose rectangles lie within the tolerance; a changed
// curve is repaired (opened or split at gaps). Both passes meet only the segments and curves near each one
// through box grids, in the order a walk over every pair would meet them, so that the results are those of
// that walk; the walk itself is kept as Search::Pairwise, the reference the grids are checked against.
#pragma once

#include <memory>
#include <vector>

#include "BoxGrid.h"
#include "CadCurve.h"

class CCadMgr;

class OverlapRemoval {
  public:
    using Search = SpatialSearch;

    OverlapRemoval(CCadMgr& manager, double tolerance, Search search);
    ~OverlapRemoval();
    // Both passes over the selection; returns the segments removed or trimmed. *twoPasses is false when
    // fewer than two curves were seen, and the second pass did not run.
    int Run(bool* twoPasses);

  private:
    using SegmentNode = CDbList<CFileLine>::Node;
    class SegmentSet;

    // Returns whether the curve changed.
    bool FirstPass(CCadCurve* curve);
    void SecondPass(int position);
    // Compares the segments of `first` with those of `second`; returns whether `first` changed and sets
    // *secondChanged.
    bool CompareCurves(CCadCurve* first, CCadCurve* second, bool* secondChanged);
    void RemoveSegment(CCadCurve* curve, SegmentNode* node);
    void Repair(CCadCurve* curve);
    void SplitBefore(CCadCurve* curve, SegmentNode* first);
    void DeleteCurve(int position);
    CCadCurve* LiveCurve(int position) const;
    bool NearRects(const CCadRect& a, const CCadRect& b) const;
    void IndexCurve(int position);

    CCadMgr& manager_;
    const double tolerance_;
    const Search search_;
    int count_ = 0;
    std::vector<CCadElement*> sequence_;  // the selection as met, with the pieces repairs add at the end
    std::vector<bool> deleted_;
    std::unique_ptr<BoxGrid> curveGrid_;  // rectangles of the sequence's curves, second pass
    std::vector<int> pendingNear_;        // pieces added while a curve is compared, near that curve
    const CCadRect* comparing_ = nullptr;
};
