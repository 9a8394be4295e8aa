// Equal-chord cutting of fitted Beziers.
#include "ChordWalker.h"

#include <algorithm>
#include <cmath>

#include "PointMath.h"
#include "SegmentListOps.h"

namespace geomcore {

namespace {

constexpr double kChord = 0.3;             // mm
constexpr double kChordTolerance = 0.001;  // mm
constexpr double kShortestLastChord = kChord / 2.0;
constexpr double kStep = 0.1;  // parameter step of the search for chord ends
constexpr int kSteps = 9;      // steps [0, 0.1] .. [0.8, 0.9]; the rest is the remainder
constexpr int kMaxHalvings = 64;

}  // namespace

ChordWalker::ChordWalker(FileLineList& result, const CFileLine& recordTemplate)
    : result_(result), recordTemplate_(recordTemplate) {}

void ChordWalker::Walk(const std::vector<CFileLine>& pieces, SDPoint runStart) {
    current_ = runStart;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].IsBezier()) {
            AppendRecord(result_, pieces[i]);
            current_ = pieces[i].end;
            continue;
        }
        const bool endsSequence = i + 1 == pieces.size() || !pieces[i + 1].IsBezier();
        WalkBezier(pieces[i], endsSequence);
    }
}

// Each cut starts the search again in the same 0.1 step, from the cut itself, so one step can hold
// several chords and a chord never runs backwards over the curve.
void ChordWalker::WalkBezier(CFileLine bezier, bool endsSequence) {
    while (true) {
        double walkedTo = 0.0;  // parameter of the last cut on this Bezier
        double lastCutStep = 0.0;
        int step = 0;
        while (step < kSteps) {
            const double low = std::max(step * kStep, walkedTo);
            const double high = (step + 1) * kStep;
            if (Distance(bezier.GetPoint(low), current_) <= kChord &&
                Distance(bezier.GetPoint(high), current_) >= kChord) {
                walkedTo = CutParam(bezier, low, high);
                lastCutStep = step * kStep;
                AppendLineTo(bezier.GetPoint(walkedTo));
                continue;
            }
            ++step;
        }
        if (Distance(current_, bezier.end) <= kChord) {
            FinishBezier(bezier, endsSequence);
            return;
        }
        const double searchFrom = lastCutStep == 0.0 ? 1.0 - kStep : lastCutStep;
        const double cut = CutParam(bezier, std::max(searchFrom, walkedTo), 1.0);
        AppendLineTo(bezier.GetPoint(cut));
        if (cut >= 1.0) {
            return;
        }
        CFileLine walked, rest;
        bezier.Split(cut, &walked, &rest);
        bezier = rest;
    }
}

// The remainder of at most one chord: a line of its own when long enough (or the first of the
// result), otherwise the previous line is stretched to the Bezier's end. Before a following Bezier the
// walk simply goes on from the current point.
void ChordWalker::FinishBezier(const CFileLine& bezier, bool endsSequence) {
    if (!endsSequence) {
        return;
    }
    if (Distance(current_, bezier.end) >= kShortestLastChord || result_.IsEmpty() != 0) {
        AppendLineTo(bezier.end);
    } else {
        result_.head->prev->value.end = bezier.end;
        current_ = bezier.end;
    }
}

// The parameter in [low, high] whose point lies one chord from the current point, by halving; an end
// that is already within the tolerance is taken as it is.
double ChordWalker::CutParam(const CFileLine& bezier, double low, double high) const {
    for (int i = 0; i < kMaxHalvings; ++i) {
        if (std::fabs(Distance(bezier.GetPoint(low), current_) - kChord) <= kChordTolerance) {
            return low;
        }
        if (std::fabs(Distance(bezier.GetPoint(high), current_) - kChord) <= kChordTolerance) {
            return high;
        }
        const double middle = (low + high) / 2.0;
        if (Distance(bezier.GetPoint(middle), current_) < kChord) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2.0;
}

void ChordWalker::AppendLineTo(SDPoint end) {
    CFileLine line = recordTemplate_;
    line.type = 0;
    line.start = current_;
    line.end = end;
    AppendRecord(result_, line);
    current_ = end;
}

}  // namespace geomcore
