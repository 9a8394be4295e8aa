// Winding numbers beside the pieces of a closed chain, by rays cast through bands of pieces.
#include "WindingCounter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pathsmith {

namespace {

// A point's coordinate along the ray (`along`) and across it (`across`).
struct RayFrame {
    bool rayAlongY;
    double Along(SDPoint p) const { return rayAlongY ? p.y : p.x; }
    double Across(SDPoint p) const { return rayAlongY ? p.x : p.y; }
};

// Where the ray meets a chord, as signed distance along the ray from its start: a chord met behind the
// start crosses the ray's line but not the ray.
enum class RayMeeting { kMisses, kAhead, kAtStart, kBehind };

// Meetings within this distance of the ray's start (mm) pass through the start: the chord runs on top
// of the piece the ray is cast from, as the offsets of collinear walls do.
constexpr double kOnTopReach = 1e-9;

// Pieces whose extent along the ray lies farther than this from the ray's start (relative to the
// coordinate's size) are clearly ahead or behind: far more than the rounding of the meeting point.
constexpr double kClearlyApartRelative = 1e-9;

// Whether the chord crosses the ray's line at `at` across it, half-open so that a line through a
// junction of two pieces counts it once.
bool CrossesLine(const RayFrame& frame, double at, const Chord& chord) {
    return (frame.Across(chord.start) > at) != (frame.Across(chord.end) > at);
}

// Whether the ray from `from` in the frame's positive direction meets the chord.
RayMeeting RayMeets(const RayFrame& frame, SDPoint from, const Chord& chord) {
    const double at = frame.Across(from);
    if (!CrossesLine(frame, at, chord)) {
        return RayMeeting::kMisses;
    }
    const double a0 = frame.Across(chord.start), a1 = frame.Across(chord.end);
    const double s0 = frame.Along(chord.start), s1 = frame.Along(chord.end);
    const double ahead = s0 + (at - a0) * (s1 - s0) / (a1 - a0) - frame.Along(from);
    if (std::fabs(ahead) <= kOnTopReach) {
        return RayMeeting::kAtStart;
    }
    return ahead > 0.0 ? RayMeeting::kAhead : RayMeeting::kBehind;
}

// What crossing the chord adds to the winding number of the ray's origin. A ray along +x counts a
// chord that runs up (+y) as +1; a ray along +y, a chord that runs towards -x.
int CrossingSign(const RayFrame& frame, const Chord& chord) {
    if (frame.rayAlongY) {
        return chord.end.x < chord.start.x ? 1 : -1;
    }
    return chord.end.y > chord.start.y ? 1 : -1;
}

// The sum of the crossing signs of the band's pieces in [from, to) that cross the line at `at`, but
// the piece `skipped`.
int SignsAcross(const RayFrame& frame, double at, std::span<const Chord> pieces, const int* from,
                const int* to, int skipped) {
    int sum = 0;
    for (const int* item = from; item != to; ++item) {
        if (*item != skipped && CrossesLine(frame, at, pieces[*item])) {
            sum += CrossingSign(frame, pieces[*item]);
        }
    }
    return sum;
}

}  // namespace

WindingCounter::WindingCounter(std::span<const Chord> pieces)
    : pieces_(pieces),
      chainCloses_(EachPieceStartsWhereTheLastEnds(pieces)),
      rows_(Deal(true)),
      columns_(Deal(false)) {}

bool WindingCounter::EachPieceStartsWhereTheLastEnds(std::span<const Chord> pieces) {
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        const SDPoint end = pieces[index].end, next = pieces[(index + 1) % pieces.size()].start;
        if (end.x != next.x || end.y != next.y) {
            return false;
        }
    }
    return true;
}

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
    auto low = [byY](const Chord& c) {
        return byY ? std::min(c.start.y, c.end.y) : std::min(c.start.x, c.end.x);
    };
    auto high = [byY](const Chord& c) {
        return byY ? std::max(c.start.y, c.end.y) : std::max(c.start.x, c.end.x);
    };
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
    const double count =
        spans > 0.0 ? std::min(2.0 * pieces_.size() * extent / spans, 4.0 * pieces_.size()) : 1.0;
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
    // Along the ray: x for rows, y for columns.
    auto lowAlong = [&](int index) {
        return byY ? std::min(pieces_[index].start.x, pieces_[index].end.x)
                   : std::min(pieces_[index].start.y, pieces_[index].end.y);
    };
    auto highAlong = [&](int index) {
        return byY ? std::max(pieces_[index].start.x, pieces_[index].end.x)
                   : std::max(pieces_[index].start.y, pieces_[index].end.y);
    };
    bands.longestAlong.assign(bands.count, 0.0);
    ScratchVector<std::pair<double, int>> byLowAlong;
    for (int band = 0; band < bands.count; ++band) {
        int* begin = bands.items.data() + bands.first[band];
        int* end = bands.items.data() + bands.first[band + 1];
        byLowAlong.clear();
        for (const int* item = begin; item != end; ++item) {
            byLowAlong.emplace_back(lowAlong(*item), *item);
            bands.longestAlong[band] = std::max(bands.longestAlong[band], highAlong(*item) - lowAlong(*item));
        }
        std::sort(byLowAlong.begin(), byLowAlong.end());
        for (const auto& [low, index] : byLowAlong) {
            *begin++ = index;
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
    const double at = frame.Across(middle), start = frame.Along(middle);
    // Pieces starting beyond `start + apart` are met clearly ahead if at all; pieces ending before
    // `start - apart` clearly behind.
    const double apart = kOnTopReach + kClearlyApartRelative * (1.0 + std::fabs(start));
    auto lowAlong = [&](int index) {
        const Chord& chord = pieces_[index];
        return std::min(frame.Along(chord.start), frame.Along(chord.end));
    };
    const int* begin = bands.items.data() + bands.first[band];
    const int* end = bands.items.data() + bands.first[band + 1];
    const int* nearFrom = std::partition_point(
        begin, end, [&](int index) { return lowAlong(index) < start - apart - bands.longestAlong[band]; });
    const int* nearTo =
        std::partition_point(nearFrom, end, [&](int index) { return lowAlong(index) <= start + apart; });
    // The pieces met ahead count for both points just beside the piece; the piece itself and any
    // that run on top of it only for the point behind the ray's start.
    int ahead = 0;
    int onTop = CrossingSign(frame, own);
    int nearBehind = 0;
    for (const int* item = nearFrom; item != nearTo; ++item) {
        if (*item == piece) {
            continue;
        }
        const int sign = CrossingSign(frame, pieces_[*item]);
        switch (RayMeets(frame, middle, pieces_[*item])) {
            case RayMeeting::kAhead:
                ahead += sign;
                break;
            case RayMeeting::kAtStart:
                onTop += sign;
                break;
            case RayMeeting::kBehind:
                nearBehind += sign;
                break;
            case RayMeeting::kMisses:
                break;
        }
    }
    if (!chainCloses_ || end - nearTo <= nearFrom - begin) {
        ahead += SignsAcross(frame, at, pieces_, nearTo, end, piece);
    } else {
        // Every crossing of the whole line, the piece's own among them, adds up to nothing.
        const int ownCrossing = CrossesLine(frame, at, own) ? CrossingSign(frame, own) : 0;
        const int farBehind = SignsAcross(frame, at, pieces_, begin, nearFrom, piece);
        const int onTopOthers = onTop - CrossingSign(frame, own);
        ahead = -(ownCrossing + onTopOthers + nearBehind + farBehind);
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
