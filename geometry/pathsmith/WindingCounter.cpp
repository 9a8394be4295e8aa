// Winding numbers beside the pieces of a closed chain, by rays cast through bands of pieces.
#include "WindingCounter.h"

#include <algorithm>
#include <cmath>

namespace pathsmith {

namespace {

// A point's coordinate along the ray (`along`) and across it (`across`).
struct RayFrame {
    bool rayAlongY;
    double Along(SDPoint p) const { return rayAlongY ? p.y : p.x; }
    double Across(SDPoint p) const { return rayAlongY ? p.x : p.y; }
};

// Where the ray meets a chord, as signed distance along the ray from its start.
enum class RayMeeting { kMisses, kAhead, kAtStart };

// Meetings within this distance of the ray's start (mm) pass through the start: the chord runs on top
// of the piece the ray is cast from, as the offsets of collinear walls do.
constexpr double kOnTopReach = 1e-9;

// Whether the ray from `from` in the frame's positive direction meets the chord, half-open in the
// across coordinate so that a ray through a junction of two pieces counts it once.
RayMeeting RayMeets(const RayFrame& frame, SDPoint from, const Chord& chord) {
    const double a0 = frame.Across(chord.start), a1 = frame.Across(chord.end);
    const double at = frame.Across(from);
    if ((a0 > at) == (a1 > at)) {
        return RayMeeting::kMisses;
    }
    const double s0 = frame.Along(chord.start), s1 = frame.Along(chord.end);
    const double ahead = s0 + (at - a0) * (s1 - s0) / (a1 - a0) - frame.Along(from);
    if (std::fabs(ahead) <= kOnTopReach) {
        return RayMeeting::kAtStart;
    }
    return ahead > 0.0 ? RayMeeting::kAhead : RayMeeting::kMisses;
}

// What crossing the chord adds to the winding number of the ray's origin. A ray along +x counts a
// chord that runs up (+y) as +1; a ray along +y, a chord that runs towards -x.
int CrossingSign(const RayFrame& frame, const Chord& chord) {
    if (frame.rayAlongY) {
        return chord.end.x < chord.start.x ? 1 : -1;
    }
    return chord.end.y > chord.start.y ? 1 : -1;
}

}  // namespace

WindingCounter::WindingCounter(std::span<const Chord> pieces)
    : pieces_(pieces), rows_(Deal(true)), columns_(Deal(false)) {}

int WindingCounter::BandOf(const Bands& bands, double value) const {
    const double band = std::floor((value - bands.origin) / bands.size);
    return static_cast<int>(std::clamp(band, 0.0, static_cast<double>(bands.count - 1)));
}

WindingCounter::Bands WindingCounter::Deal(bool byY) const {
    Bands bands;
    if (pieces_.empty()) {
        bands.first.assign(1, 0);
        return bands;
    }
    auto low = [byY](const Chord& c) { return byY ? std::min(c.start.y, c.end.y) : std::min(c.start.x, c.end.x); };
    auto high = [byY](const Chord& c) { return byY ? std::max(c.start.y, c.end.y) : std::max(c.start.x, c.end.x); };
    double lowest = low(pieces_[0]), highest = high(pieces_[0]);
    for (const Chord& piece : pieces_) {
        lowest = std::min(lowest, low(piece));
        highest = std::max(highest, high(piece));
    }
    // Bands about half as tall as the pieces are on average: each piece lies in a few bands, and a ray
    // meets little more than the pieces that cross its line.
    double spans = 0.0;
    for (const Chord& piece : pieces_) {
        spans += high(piece) - low(piece);
    }
    const double extent = highest - lowest;
    const double count = spans > 0.0 ? std::min(2.0 * pieces_.size() * extent / spans, 4.0 * pieces_.size()) : 1.0;
    bands.count = std::max(1, static_cast<int>(count));
    bands.origin = lowest;
    bands.size = extent > 0.0 ? extent / bands.count : 1.0;
    bands.first.assign(bands.count + 1, 0);
    for (const Chord& piece : pieces_) {
        for (int band = BandOf(bands, low(piece)); band <= BandOf(bands, high(piece)); ++band) {
            ++bands.first[band + 1];
        }
    }
    for (int band = 0; band < bands.count; ++band) {
        bands.first[band + 1] += bands.first[band];
    }
    bands.items.resize(bands.first[bands.count]);
    ScratchVector<int> fill(bands.first.begin(), bands.first.end() - 1);
    for (int index = 0; index < static_cast<int>(pieces_.size()); ++index) {
        const Chord& piece = pieces_[index];
        for (int band = BandOf(bands, low(piece)); band <= BandOf(bands, high(piece)); ++band) {
            bands.items[fill[band]++] = index;
        }
    }
    return bands;
}

SideWindings WindingCounter::BesideMiddleOf(int piece) const {
    const Chord& own = pieces_[piece];
    const SDPoint middle = PointAtParameter(own, 0.5);
    const RayFrame frame{std::fabs(own.end.y - own.start.y) < std::fabs(own.end.x - own.start.x)};
    const Bands& bands = frame.rayAlongY ? columns_ : rows_;
    const int band = BandOf(bands, frame.Across(middle));
    // The pieces met ahead count for both points just beside the piece; the piece itself and any
    // that run on top of it only for the point behind the ray's start.
    int ahead = 0;
    int onTop = CrossingSign(frame, own);
    for (int item = bands.first[band]; item < bands.first[band + 1]; ++item) {
        const int index = bands.items[item];
        if (index == piece) {
            continue;
        }
        const RayMeeting meeting = RayMeets(frame, middle, pieces_[index]);
        if (meeting == RayMeeting::kAhead) {
            ahead += CrossingSign(frame, pieces_[index]);
        } else if (meeting == RayMeeting::kAtStart) {
            onTop += CrossingSign(frame, pieces_[index]);
        }
    }
    // The point behind the start lies on the piece's left exactly when the piece counts +1 for such a
    // ray (a piece running up has its left towards -x, one running towards -x has its left towards -y).
    const bool behindIsLeft = CrossingSign(frame, own) > 0;
    SideWindings sides;
    sides.left = behindIsLeft ? ahead + onTop : ahead;
    sides.right = behindIsLeft ? ahead : ahead + onTop;
    return sides;
}

}  // namespace pathsmith
