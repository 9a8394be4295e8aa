// Bridges (tabs): a contour written out as pieces to cut and pieces left standing, so that a part
// stays held in its sheet. Cut pieces are type 0 (type 3 for Bezier parts), bridge pieces take the
// type of the bridge mark: 2 for mark 1, 1 for mark 0, else 0 (3 for Bezier parts).
#pragma once

#include <vector>

#include "DbList.h"
#include "LineEx.h"

namespace pathsmith {

struct BridgeStyle {
    int mark;
    double width;
};

// A segment measured along its length: straight segments directly, Beziers through an arc-length
// table; other kinds have no length.
class MeasuredSegment {
  public:
    explicit MeasuredSegment(const CLineEx& segment);

    double Length() const { return length_; }
    bool IsBezier() const { return segment_.type == CLineEx::kBezier; }
    // The part between two lengths from the start, as a line or a Bezier of the segment's own shape.
    CLineEx Piece(double from, double to) const;
    // The parameter at which the arc length reaches `length`; -1 beyond the end.
    double ParameterAt(double length) const;

  private:
    struct Row {
        double t;
        double length;
    };
    void Measure(const CLineEx& piece, double t0, double t1, int depth);

    CLineEx segment_;
    double length_ = 0.0;
    std::vector<Row> table_;  // Beziers only: (t, length from t = 0), first row (0, 0)
};

// Mode 0: along every segment from its own start, cuts of cutLength and bridges in turn.
void BridgesAlongSegments(const std::vector<CLineEx>& contour, double cutLength, const BridgeStyle& style,
                          CDbList<CLineEx>& output);
// Mode 3: cuts of cutLength and bridges in turn, the pattern running on over the segment joints.
void BridgesAlongContour(const std::vector<CLineEx>& contour, double cutLength, const BridgeStyle& style,
                         CDbList<CLineEx>& output);
// Mode 1: a bridge of half the width at each end of the contour (one bridge across the start point of
// a closed contour) and the middle run with bridges and cuts of its length over the count. Nothing is
// written when the bridge is at least as long as the contour.
void BridgesAroundStart(const std::vector<CLineEx>& contour, int count, const BridgeStyle& style,
                        CDbList<CLineEx>& output);
// Mode 2: one bridge centred where the point hits a straight piece of the output (which starts as a
// copy of the contour when empty). Returns the hit parameter, negative when nothing was hit.
double BridgeAtPoint(const std::vector<CLineEx>& contour, SDPoint point, double hitTolerance,
                     const BridgeStyle& style, CDbList<CLineEx>& output);

}  // namespace pathsmith
