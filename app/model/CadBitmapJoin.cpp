// Joining open traced pieces: the case rule, the join itself, and the search for the next piece through a
// grid of piece ends.
#include "CadBitmapJoin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Progress.h"

namespace {

// Ends closer than 0.01 mm meet exactly; farther ones are bridged by a segment.
constexpr double kMeetSquaredMm = 0.0001;
// Grid cells a little wider than the join distance, so that any end within the distance of a point lies in
// the point's cell or one of its eight neighbours despite rounding.
constexpr double kCellWidening = 1.001;
// Cell indices are held within this so that they convert to integers for any coordinate.
constexpr double kLargestCellIndex = 1e15;

double SquaredDistance(SDPoint a, SDPoint b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

void AppendLine(CCadCurve& curve, SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    curve.pathList.AddTail(line);
}

CCadRect UnionOf(const CCadRect& a, const CCadRect& b) {
    CCadRect first = a, second = b;
    first.Normalize();
    second.Normalize();
    return {std::min(first.x1, second.x1), std::min(first.y1, second.y1), std::max(first.x2, second.x2),
            std::max(first.y2, second.y2), 0};
}

CCadRect Grown(CCadRect rect, double by) {
    rect.Normalize();
    return {rect.x1 - by, rect.y1 - by, rect.x2 + by, rect.y2 + by, 0};
}

// The curves by their first position in the list, with the ends of every curve filed in grid cells.
// Entries are never removed: a curve that grew or was deleted leaves stale entries, which the search skips
// by looking at the curve itself.
class EndGrid {
  public:
    explicit EndGrid(double joinDistance) : cellWidth_(joinDistance * kCellWidening) {}

    void File(SDPoint point, int piece) { cells_[KeyOf(CellOf(point.x), CellOf(point.y))].push_back(piece); }

    // Calls visit(piece) for every piece filed within one cell of the point's cell.
    template <typename Visit>
    void Near(SDPoint point, Visit&& visit) const {
        const std::int64_t column = CellOf(point.x), row = CellOf(point.y);
        for (std::int64_t dc = -1; dc <= 1; ++dc) {
            for (std::int64_t dr = -1; dr <= 1; ++dr) {
                const auto found = cells_.find(KeyOf(column + dc, row + dr));
                if (found == cells_.end()) {
                    continue;
                }
                for (int piece : found->second) {
                    visit(piece);
                }
            }
        }
    }

  private:
    std::int64_t CellOf(double coordinate) const {
        const double cell = std::floor(coordinate / cellWidth_);
        return static_cast<std::int64_t>(std::fmin(std::fmax(cell, -kLargestCellIndex), kLargestCellIndex));
    }
    static std::uint64_t KeyOf(std::int64_t column, std::int64_t row) {
        return static_cast<std::uint64_t>(column) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(row);
    }

    double cellWidth_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
};

struct Piece {
    CCadCurve* curve;
    CDbList<CCadElement*>::Node* node;
    bool alive;
};

}  // namespace

SDPoint ContourStart(const CCadCurve& curve) {
    return curve.pathList.head->next->value.start;
}

SDPoint ContourEnd(const CCadCurve& curve) {
    return curve.pathList.head->prev->value.end;
}

ContourJoin ChooseContourJoin(SDPoint s, SDPoint e, SDPoint bStart, SDPoint bEnd, double joinDistance,
                              double* squaredDistance) {
    const double limit = joinDistance * joinDistance;
    const double distances[] = {SquaredDistance(s, bStart), SquaredDistance(s, bEnd), SquaredDistance(e, bStart),
                                SquaredDistance(e, bEnd)};
    constexpr ContourJoin kCases[] = {ContourJoin::StartToStart, ContourJoin::StartToEnd, ContourJoin::EndToStart,
                                      ContourJoin::EndToEnd};
    ContourJoin chosen = ContourJoin::None;
    for (int index = 0; index < 4; ++index) {
        if (distances[index] < limit) {
            chosen = kCases[index];
            *squaredDistance = distances[index];
        }
    }
    return chosen;
}

void JoinContours(CCadCurve& a, CCadCurve& b, ContourJoin join, double squaredDistance) {
    const bool reversed = join == ContourJoin::StartToStart || join == ContourJoin::EndToEnd;
    const bool before = join == ContourJoin::StartToStart || join == ContourJoin::StartToEnd;
    const bool meets = squaredDistance < kMeetSquaredMm;
    const SDPoint aTouching = before ? ContourStart(a) : ContourEnd(a);
    if (meets) {
        const bool bStartTouches = join == ContourJoin::StartToStart || join == ContourJoin::EndToStart;
        (bStartTouches ? b.pathList.head->next->value.start : b.pathList.head->prev->value.end) = aTouching;
    }
    if (reversed) {
        b.TransDir();
    }
    if (!meets) {
        before ? AppendLine(b, ContourEnd(b), aTouching) : AppendLine(a, aTouching, ContourStart(b));
    }
    const CCadRect joined = UnionOf(a.rect, b.rect);
    before ? a.LinkLeft(&b) : a.LinkRight(&b);
    a.rect = joined;
}

void JoinOpenContours(CDbList<CCadElement*>& curves, double joinDistance, double p0, double span,
                      double progressShare) {
    std::vector<Piece> pieces;
    EndGrid grid(joinDistance);
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        auto* curve = static_cast<CCadCurve*>(node->value);
        const int index = static_cast<int>(pieces.size());
        pieces.push_back({curve, node, true});
        grid.File(ContourStart(*curve), index);
        grid.File(ContourEnd(*curve), index);
    }
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        ProgressRatio = p0 + progressShare * span * static_cast<double>(index) / static_cast<double>(pieces.size());
        if (!pieces[index].alive || pieces[index].curve->closed != 0) {
            continue;
        }
        CCadCurve& a = *pieces[index].curve;
        for (;;) {
            const SDPoint s = ContourStart(a), e = ContourEnd(a);
            const CCadRect reach = Grown(a.rect, joinDistance);
            int first = -1;
            ContourJoin firstJoin = ContourJoin::None;
            double firstDistance = 0.0;
            const auto consider = [&](int candidate) {
                const Piece& piece = pieces[static_cast<std::size_t>(candidate)];
                if (static_cast<std::size_t>(candidate) == index || !piece.alive || (first >= 0 && candidate >= first) ||
                    piece.curve->closed != 0 || !piece.curve->rect.Meets(reach)) {
                    return;
                }
                double distance = 0.0;
                const ContourJoin join =
                    ChooseContourJoin(s, e, ContourStart(*piece.curve), ContourEnd(*piece.curve), joinDistance, &distance);
                if (join != ContourJoin::None) {
                    first = candidate;
                    firstJoin = join;
                    firstDistance = distance;
                }
            };
            grid.Near(s, consider);
            grid.Near(e, consider);
            if (first < 0) {
                break;
            }
            Piece& joined = pieces[static_cast<std::size_t>(first)];
            JoinContours(a, *joined.curve, firstJoin, firstDistance);
            delete joined.curve;
            curves.cursor = joined.node;
            curves.RemoveCurrent();
            joined.alive = false;
            grid.File(ContourStart(a), static_cast<int>(index));
            grid.File(ContourEnd(a), static_cast<int>(index));
        }
    }
    ProgressRatio = p0 + progressShare * span;
}
