// Joining open traced pieces: the case rule, the join itself, and the search for the next piece through a
// grid of piece ends.
#include "CadBitmapJoin.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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

// The ends of the pieces, filed in grid cells by piece index. Each piece has two entries, its start and
// its end; a joined piece's entries leave the grid and the piece that grew has its changed end filed
// anew, so that a search meets only ends as they are. Entries are chained per cell in flat arrays and
// the cells are found in an open-addressed table: filing and removing allocate nothing.
class EndGrid {
  public:
    enum EndSide { kStart = 0, kEnd = 1 };

    EndGrid(double joinDistance, int pieceCount)
        : cellWidth_(joinDistance * kCellWidening), entries_(2 * static_cast<std::size_t>(pieceCount)) {
        // Each filing may open a cell; a piece's two ends are filed once, and once more per join at most.
        std::size_t slots = 16;
        while (slots < 8 * static_cast<std::size_t>(pieceCount)) {
            slots *= 2;
        }
        slots_.assign(slots, Slot{});
    }

    void File(int piece, EndSide side, SDPoint point) {
        Entry& entry = entries_[EntryOf(piece, side)];
        entry.cell = SlotOf(KeyOf(CellOf(point.x), CellOf(point.y)));
        const int index = EntryOf(piece, side);
        const int head = slots_[entry.cell].head;
        entry.previous = -1;
        entry.next = head;
        if (head >= 0) {
            entries_[head].previous = index;
        }
        slots_[entry.cell].head = index;
    }

    void Remove(int piece, EndSide side) {
        Entry& entry = entries_[EntryOf(piece, side)];
        if (entry.previous >= 0) {
            entries_[entry.previous].next = entry.next;
        } else {
            slots_[entry.cell].head = entry.next;
        }
        if (entry.next >= 0) {
            entries_[entry.next].previous = entry.previous;
        }
        entry.previous = entry.next = -1;
    }

    // Calls visit(piece) for every end filed within one cell of the point's cell (a piece with both
    // ends there twice).
    template <typename Visit>
    void Near(SDPoint point, Visit&& visit) const {
        const std::int64_t column = CellOf(point.x), row = CellOf(point.y);
        for (std::int64_t dc = -1; dc <= 1; ++dc) {
            for (std::int64_t dr = -1; dr <= 1; ++dr) {
                const std::uint64_t key = KeyOf(column + dc, row + dr);
                for (std::size_t slot = Hash(key);; slot = (slot + 1) & (slots_.size() - 1)) {
                    if (!slots_[slot].used) {
                        break;
                    }
                    if (slots_[slot].key == key) {
                        for (int entry = slots_[slot].head; entry >= 0; entry = entries_[entry].next) {
                            visit(entry / 2);
                        }
                        break;
                    }
                }
            }
        }
    }

  private:
    struct Entry {
        std::size_t cell = 0;
        int previous = -1;
        int next = -1;
    };
    struct Slot {
        std::uint64_t key = 0;
        int head = -1;
        bool used = false;
    };

    static int EntryOf(int piece, EndSide side) { return 2 * piece + side; }

    std::int64_t CellOf(double coordinate) const {
        const double cell = std::floor(coordinate / cellWidth_);
        return static_cast<std::int64_t>(std::fmin(std::fmax(cell, -kLargestCellIndex), kLargestCellIndex));
    }
    static std::uint64_t KeyOf(std::int64_t column, std::int64_t row) {
        return static_cast<std::uint64_t>(column) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(row);
    }
    std::size_t Hash(std::uint64_t key) const {
        return static_cast<std::size_t>((key ^ (key >> 29)) * 0xBF58476D1CE4E5B9ull >> 20) & (slots_.size() - 1);
    }
    // The slot of the cell, opened when the cell is new.
    std::size_t SlotOf(std::uint64_t key) {
        std::size_t slot = Hash(key);
        while (slots_[slot].used && slots_[slot].key != key) {
            slot = (slot + 1) & (slots_.size() - 1);
        }
        if (!slots_[slot].used) {
            slots_[slot] = {key, -1, true};
        }
        return slot;
    }

    double cellWidth_;
    std::vector<Entry> entries_;
    std::vector<Slot> slots_;
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
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        pieces.push_back({static_cast<CCadCurve*>(node->value), node, true});
    }
    EndGrid grid(joinDistance, static_cast<int>(pieces.size()));
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        grid.File(static_cast<int>(index), EndGrid::kStart, ContourStart(*pieces[index].curve));
        grid.File(static_cast<int>(index), EndGrid::kEnd, ContourEnd(*pieces[index].curve));
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
            grid.Remove(first, EndGrid::kStart);
            grid.Remove(first, EndGrid::kEnd);
            // B went before or after A: only that end of A moved.
            const bool before = firstJoin == ContourJoin::StartToStart || firstJoin == ContourJoin::StartToEnd;
            const EndGrid::EndSide moved = before ? EndGrid::kStart : EndGrid::kEnd;
            grid.Remove(static_cast<int>(index), moved);
            grid.File(static_cast<int>(index), moved, before ? ContourStart(a) : ContourEnd(a));
        }
    }
    ProgressRatio = p0 + progressShare * span;
}
