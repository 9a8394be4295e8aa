// Crossing and touching cuts of a chain of chords.
#include "ChordCutter.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "NearPairs.h"

namespace pathsmith {

namespace {

// An end of one chord closer than this to the inside of another cuts it there; this also catches
// crossings within kCoincidence of an end, whose parameter snaps to the end.
constexpr double kTouchTolerance = kCoincidence;

struct Cut {
    int chord;
    double t;
    SDPoint point;
};

// `point` lies inside the chord, away from its ends; t is its parameter there.
bool TouchesInside(SDPoint point, const Chord& chord, double& t) {
    t = ParameterOnChord(point, chord);
    return t > 0.0 && t < 1.0 && WithinDistance(point, PointAtParameter(chord, t), kTouchTolerance);
}

// The chords' lines meet strictly inside both, at parameter t1 on the first and t2 on the second,
// taken exactly rather than snapped to the ends.
bool CrossStrictlyInside(const Chord& first, const Chord& second, double& t1, double& t2) {
    const double ax = first.end.x - first.start.x, ay = first.end.y - first.start.y;
    const double bx = second.end.x - second.start.x, by = second.end.y - second.start.y;
    const double determinant = ax * by - ay * bx;
    if (std::fabs(determinant) <= kParallelDeterminant * std::hypot(ax, ay) * std::hypot(bx, by)) {
        return false;
    }
    const double wx = second.start.x - first.start.x, wy = second.start.y - first.start.y;
    t1 = (wx * by - wy * bx) / determinant;
    t2 = (wx * ay - wy * ax) / determinant;
    return t1 > 0.0 && t1 < 1.0 && t2 > 0.0 && t2 < 1.0;
}

// Records every place where chords a and b meet: their crossing strictly inside both, else each end
// of one that touches the inside of the other (two collinear overlapping chords touch twice).
void CollectCuts(const ScratchVector<Chord>& chain, int a, int b, ScratchVector<Cut>& cuts) {
    const Chord& first = chain[a];
    const Chord& second = chain[b];
    if (!BoxOf(first).Grown(kTouchTolerance).Overlaps(BoxOf(second))) {
        return;
    }
    // The chords are no neighbours, so ends of theirs that lie close together are no junction: two
    // offset lines of a slight turn beside short edges can start and end within kCoincidence of each
    // other and still cross half way along.
    LineMeeting meeting;
    if (MeetLines(first, second, meeting) && meeting.t1 > 0.0 && meeting.t1 < 1.0 && meeting.t2 > 0.0 &&
        meeting.t2 < 1.0) {
        cuts.push_back({a, meeting.t1, meeting.point});
        cuts.push_back({b, meeting.t2, meeting.point});
        return;
    }
    const std::size_t cutsBefore = cuts.size();
    double t = 0.0;
    for (const SDPoint end : {second.start, second.end}) {
        if (TouchesInside(end, first, t)) {
            cuts.push_back({a, t, end});
        }
    }
    for (const SDPoint end : {first.start, first.end}) {
        if (TouchesInside(end, second, t)) {
            cuts.push_back({b, t, end});
        }
    }
    // Chords that cross within kCoincidence of an end of each, where neither end touches the other
    // chord's inside, still cross: left uncut, the pieces beside them would bound nothing.
    double t1 = 0.0, t2 = 0.0;
    if (cuts.size() == cutsBefore && CrossStrictlyInside(first, second, t1, t2)) {
        const SDPoint point = PointAtParameter(first, t1);
        cuts.push_back({a, t1, point});
        cuts.push_back({b, t2, point});
    }
}

// Sorts the cuts by chord, along each chord by parameter, then by point: the order is total, so the
// pieces do not depend on the order in which the pairs were met. The cuts are dealt out to their
// chords first, so that only the few cuts of one chord are sorted together.
void PutInChainOrder(ScratchVector<Cut>& cuts, int chordCount) {
    if (cuts.size() < 2) {
        return;
    }
    ScratchVector<int> firstOfChord(chordCount + 1, 0);
    for (const Cut& cut : cuts) {
        ++firstOfChord[cut.chord + 1];
    }
    for (int chord = 0; chord < chordCount; ++chord) {
        firstOfChord[chord + 1] += firstOfChord[chord];
    }
    ScratchVector<Cut> dealt(cuts.size());
    ScratchVector<int> fill(firstOfChord.begin(), firstOfChord.end() - 1);
    for (const Cut& cut : cuts) {
        dealt[fill[cut.chord]++] = cut;
    }
    for (int chord = 0; chord < chordCount; ++chord) {
        if (firstOfChord[chord + 1] - firstOfChord[chord] > 1) {
            std::sort(dealt.begin() + firstOfChord[chord], dealt.begin() + firstOfChord[chord + 1],
                      [](const Cut& x, const Cut& y) {
                          return std::tie(x.t, x.point.x, x.point.y) < std::tie(y.t, y.point.x, y.point.y);
                      });
        }
    }
    cuts.swap(dealt);
}

}  // namespace

CutChain CutWhereChordsMeet(const ScratchVector<Chord>& chain) {
    const int count = static_cast<int>(chain.size());
    ScratchVector<Cut> cuts;
    bool startsMeet = false;
    if (count > 2) {
        // The reach covers starts that coincide in x and y whatever the rounding.
        ForEachNearPair(chain, kCoincidenceReach, [&](int a, int b) {
            startsMeet = startsMeet || CoincideInXAndY(chain[a].start, chain[b].start);
            if (b > a + 1) {
                CollectCuts(chain, a, b, cuts);
            }
        });
    }
    PutInChainOrder(cuts, count);
    CutChain pieces;
    pieces.runsClear = count > 2 && cuts.empty() && !startsMeet;
    pieces.pieces.reserve(chain.size() + cuts.size());
    pieces.sources.reserve(chain.size() + cuts.size());
    std::size_t next = 0;
    for (int index = 0; index < count; ++index) {
        SDPoint from = chain[index].start;
        for (; next < cuts.size() && cuts[next].chord == index; ++next) {
            const SDPoint at = cuts[next].point;
            if (at.x != from.x || at.y != from.y) {
                pieces.pieces.push_back({from, at});
                pieces.sources.push_back(index);
                from = at;
            }
        }
        pieces.pieces.push_back({from, chain[index].end});
        pieces.sources.push_back(index);
    }
    return pieces;
}

}  // namespace pathsmith
