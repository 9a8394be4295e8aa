// Cuts the fitted pieces of a run into line records of equal chord length, appended to the result.
#pragma once

#include <vector>

#include "Geomcore.h"

namespace geomcore {

class ChordWalker {
  public:
    // Lines are copies of `recordTemplate` with their type and end points replaced.
    ChordWalker(FileLineList& result, const CFileLine& recordTemplate);

    // Walks the pieces in order from `runStart`: Beziers are cut into chords, line records are
    // appended unchanged.
    void Walk(const std::vector<CFileLine>& pieces, SDPoint runStart);

  private:
    void WalkBezier(CFileLine bezier, bool endsSequence);
    void FinishBezier(const CFileLine& bezier, bool endsSequence);
    double CutParam(const CFileLine& bezier, double low, double high) const;
    void AppendLineTo(SDPoint end);

    FileLineList& result_;
    CFileLine recordTemplate_;
    SDPoint current_;  // where the last appended line ends, or the run start
};

}  // namespace geomcore
