// The four bridge placements.
#include "Bridges.h"

#include <algorithm>
#include <cmath>

#include "SegmentGeometry.h"

namespace pathsmith {

namespace {

// Halving a Bezier stops here whatever its shape; 2^-30 of a drawing is far below any tolerance.
constexpr int kMaxHalvingDepth = 30;
constexpr double kFlatness = 0.001;

std::uint16_t BridgeType(int mark) {
    return mark == 1 ? CLineEx::kBridgeMarked : (mark == 0 ? CLineEx::kBridgeGap : CLineEx::kLine);
}

bool IsBridge(const CLineEx& segment) {
    return segment.type == CLineEx::kBridgeGap || segment.type == CLineEx::kBridgeMarked;
}

// A piece of a measured segment as written out: a Bezier part that is cut stays a Bezier.
CLineEx Typed(CLineEx piece, bool bezier, std::uint16_t type) {
    piece.type = bezier && type == CLineEx::kLine ? CLineEx::kBezier : type;
    return piece;
}

void Emit(CDbList<CLineEx>& output, const MeasuredSegment& segment, double from, double to,
          std::uint16_t type) {
    if (to > from) {
        output.AddTail(Typed(segment.Piece(from, to), segment.IsBezier(), type));
    }
}

// The control points lie over the chord and within kFlatness of it.
bool IsFlat(const CLineEx& piece) {
    const Chord chord{piece.p0, piece.p1};
    for (const SDPoint& control : {piece.p2, piece.p3}) {
        const double t = ParameterOnChord(control, chord);
        if (t < 0.0 || t > 1.0 || DistanceToChord(control, chord) > kFlatness) {
            return false;
        }
    }
    return true;
}

}  // namespace

MeasuredSegment::MeasuredSegment(const CLineEx& segment) : segment_(segment) {
    if (segment.IsStraight()) {
        length_ = segment.GetLength();
    } else if (IsBezier()) {
        table_.push_back({0.0, 0.0});
        Measure(segment, 0.0, 1.0, 0);
        length_ = table_.back().length;
    }
}

void MeasuredSegment::Measure(const CLineEx& piece, double t0, double t1, int depth) {
    if (depth >= kMaxHalvingDepth || IsFlat(piece)) {
        table_.push_back({t1, table_.back().length + Distance(piece.p0, piece.p1)});
        return;
    }
    CLineEx first, second;
    piece.InsertPoint(0.5, first, second);
    const double middle = (t0 + t1) / 2;
    Measure(first, t0, middle, depth + 1);
    Measure(second, middle, t1, depth + 1);
}

double MeasuredSegment::ParameterAt(double length) const {
    if (length > length_) {
        return -1.0;
    }
    const auto above = std::lower_bound(table_.begin(), table_.end(), length,
                                        [](const Row& row, double value) { return row.length < value; });
    if (above == table_.begin()) {
        return 0.0;
    }
    const Row& high = *above;
    const Row& low = *(above - 1);
    const double span = high.length - low.length;
    return span > 0.0 ? low.t + (high.t - low.t) * (length - low.length) / span : high.t;
}

CLineEx MeasuredSegment::Piece(double from, double to) const {
    from = std::clamp(from, 0.0, length_);
    to = std::clamp(to, 0.0, length_);
    if (!IsBezier()) {
        const Chord chord{segment_.p0, segment_.p1};
        return CLineEx(PointAtParameter(chord, from / length_), PointAtParameter(chord, to / length_));
    }
    const double t0 = ParameterAt(from), t1 = ParameterAt(to);
    CLineEx head, tail, piece;
    segment_.InsertPoint(t1, head, tail);
    if (t1 <= 0.0) {
        return head;
    }
    head.InsertPoint(t0 / t1, tail, piece);
    return piece;
}

void BridgesAlongSegments(const std::vector<CLineEx>& contour, double cutLength, const BridgeStyle& style,
                          CDbList<CLineEx>& output) {
    output.RemoveAll();
    const std::uint16_t bridge = BridgeType(style.mark);
    for (const CLineEx& original : contour) {
        const MeasuredSegment segment(original);
        const double length = segment.Length();
        if (!(length > 0.0)) {
            continue;
        }
        if (segment.IsBezier() && length < cutLength) {
            CLineEx whole = original;
            whole.type = CLineEx::kBezier;
            output.AddTail(whole);
            continue;
        }
        double pieceStart = 0.0;
        double position = 0.0;
        while (true) {
            position += cutLength;
            if (position >= length) {
                Emit(output, segment, pieceStart, length, CLineEx::kLine);
                break;
            }
            Emit(output, segment, pieceStart, position, CLineEx::kLine);
            pieceStart = position;
            position += style.width;
            if (position >= length) {
                Emit(output, segment, pieceStart, length, bridge);
                break;
            }
            Emit(output, segment, pieceStart, position, bridge);
            pieceStart = position;
        }
    }
}

void BridgesAlongContour(const std::vector<CLineEx>& contour, double cutLength, const BridgeStyle& style,
                         CDbList<CLineEx>& output) {
    const std::uint16_t bridge = BridgeType(style.mark);
    bool cutting = true;
    double remaining = cutLength;
    for (const CLineEx& original : contour) {
        const MeasuredSegment segment(original);
        const double length = segment.Length();
        double position = 0.0;
        while (remaining < length - position) {
            Emit(output, segment, position, position + remaining, cutting ? CLineEx::kLine : bridge);
            position += remaining;
            cutting = !cutting;
            remaining = cutting ? cutLength : style.width;
        }
        Emit(output, segment, position, length, cutting ? CLineEx::kLine : bridge);
        remaining -= length - position;
    }
}

namespace {

// Splits the contour at a length from its start into the part before and the part after, measuring
// straight segments only.
void SplitAtLength(const std::vector<CLineEx>& contour, double at, std::vector<CLineEx>& before,
                   std::vector<CLineEx>& after) {
    double walked = 0.0;
    for (const CLineEx& segment : contour) {
        const double length = segment.GetLength();
        if (walked >= at) {
            after.push_back(segment);
        } else if (walked + length <= at) {
            before.push_back(segment);
        } else {
            CLineEx first, second;
            segment.InsertPoint((at - walked) / length, first, second);
            before.push_back(first);
            after.push_back(second);
        }
        walked += length;
    }
}

double StraightLength(const std::vector<CLineEx>& segments) {
    double total = 0.0;
    for (const CLineEx& segment : segments) {
        total += segment.GetLength();
    }
    return total;
}

void EmitAll(const std::vector<CLineEx>& pieces, std::uint16_t type, CDbList<CLineEx>& output) {
    for (CLineEx piece : pieces) {
        if (piece.IsStraight()) {
            piece.type = type;
        }
        output.AddTail(piece);
    }
}

}  // namespace

void BridgesAroundStart(const std::vector<CLineEx>& contour, int count, const BridgeStyle& style,
                        CDbList<CLineEx>& output) {
    const double total = StraightLength(contour);
    if (style.width >= total) {
        return;
    }
    output.RemoveAll();
    const double half = style.width / 2;
    std::vector<CLineEx> startPiece, rest, middle, endPiece;
    SplitAtLength(contour, half, startPiece, rest);
    SplitAtLength(rest, StraightLength(rest) - half, middle, endPiece);
    BridgesAlongContour(middle, StraightLength(middle) / count, style, output);
    const std::uint16_t bridge = BridgeType(style.mark);
    EmitAll(endPiece, bridge, output);
    EmitAll(startPiece, bridge, output);
}

namespace {

using SegmentNode = CDbList<CLineEx>::Node;

// Turns the whole straight segments that the remaining length covers, walking from `node` in one
// direction, into bridge pieces.
void ExtendBridge(CDbList<CLineEx>& output, SegmentNode* node, double remaining, bool backwards,
                  std::uint16_t bridge) {
    for (SegmentNode* next = backwards ? node->prev : node->next; next != output.head && remaining > 0.0;
         next = backwards ? next->prev : next->next) {
        CLineEx& segment = next->value;
        const double length = segment.GetLength();
        if (!segment.IsStraight() || IsBridge(segment) || length > remaining) {
            break;
        }
        segment.type = bridge;
        remaining -= length;
    }
}

}  // namespace

double BridgeAtPoint(const std::vector<CLineEx>& contour, SDPoint point, double hitTolerance,
                     const BridgeStyle& style, CDbList<CLineEx>& output) {
    if (output.IsEmpty()) {
        for (const CLineEx& segment : contour) {
            output.AddTail(segment);
        }
    }
    double hit = -1.0;
    SegmentNode* node = output.head->next;
    for (; node != output.head; node = node->next) {
        double t = -1.0;
        if (node->value.IsStraight() && node->value.HitTest(point, hitTolerance, t, 0.0, 1.0) != 0) {
            hit = t;
            break;
        }
    }
    if (node == output.head) {
        return hit;
    }
    const CLineEx segment = node->value;
    const Chord chord = ChordOf(segment);
    SDPoint foot;
    DistanceToChord(point, chord, &foot);
    const double half = style.width / 2;
    const double toStart = Distance(foot, segment.p0), toEnd = Distance(foot, segment.p1);
    const std::uint16_t bridge = BridgeType(style.mark);
    if (toStart <= half && toEnd <= half) {
        node->value.type = bridge;
    } else {
        const double length = toStart + toEnd;
        const double from = std::max(0.0, toStart - half), to = std::min(length, toStart + half);
        auto part = [&](double a, double b, std::uint16_t type) {
            CLineEx piece(PointAtParameter(chord, a / length), PointAtParameter(chord, b / length));
            piece.type = type;
            return piece;
        };
        output.cursor = node;
        output.RemoveCurrent();  // the cursor now rests on the segment after the hit one
        output.cursor = output.cursor->prev;
        SegmentNode* bridgeNode = nullptr;
        if (from > 0.0) {
            output.InsertAfterCurrent(part(0.0, from, segment.type));
        }
        output.InsertAfterCurrent(part(from, to, bridge));
        bridgeNode = output.cursor;
        if (to < length) {
            output.InsertAfterCurrent(part(to, length, segment.type));
        }
        node = bridgeNode;
    }
    if (half > toStart) {
        ExtendBridge(output, node, half - toStart, true, bridge);
    }
    if (half > toEnd) {
        ExtendBridge(output, node, half - toEnd, false, bridge);
    }
    output.cursor = output.head;
    return hit;
}

}  // namespace pathsmith
