// Ring assembly by exact junctions.
#include "JunctionWalk.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "ListHeads.h"
#include "ScratchAllocator.h"

namespace pathsmith {

namespace {

// Junctions are exact copies of one point, so the bits of the coordinates name them.
PointKey KeyOf(SDPoint p) {
    return {std::bit_cast<std::uint64_t>(p.x + 0.0), std::bit_cast<std::uint64_t>(p.y + 0.0)};
}

constexpr double kNearJunction = 2 * kCoincidence;

bool SamePoint(SDPoint a, SDPoint b) {
    return a.x == b.x && a.y == b.y;
}

// The key of a piece's start point, exact.
struct StartKey {
    const Chord* pieces;
    PointKey operator()(int piece) const { return KeyOf(pieces[piece].start); }
};

// The key of the cell that holds a piece's start point.
struct StartCellKey {
    const Chord* pieces;
    PointKey operator()(int piece) const {
        const SDPoint start = pieces[piece].start;
        return CellKeyOf(start.x, start.y, kNearJunction);
    }
};

class Walker {
  public:
    Walker(std::span<const Chord> pieces, std::span<const char> kept, bool turnLeft)
        : pieces_(pieces),
          kept_(kept),
          turnLeft_(turnLeft),
          visited_(pieces.size(), 0),
          nextStarting_(pieces.size(), -1),
          firstStarting_(pieces.size(), StartKey{pieces.data()}) {
        // Later pieces are linked in front, so walking a junction's list visits pieces in chain order.
        for (int index = static_cast<int>(pieces.size()) - 1; index >= 0; --index) {
            nextStarting_[index] = firstStarting_.PushFront(index);
        }
    }

    std::vector<WalkedRing> Walk() {
        std::vector<WalkedRing> rings;
        for (int index = 0; index < static_cast<int>(pieces_.size()); ++index) {
            if (kept_[index] == kPieceKept && !visited_[index]) {
                rings.push_back(WalkFrom(index));
            }
        }
        return rings;
    }

  private:
    WalkedRing WalkFrom(int first) {
        WalkedRing ring;
        const SDPoint origin = pieces_[first].start;
        ring.vertices.push_back(origin);
        int piece = first;
        while (true) {
            visited_[piece] = 1;
            const SDPoint end = pieces_[piece].end;
            ring.vertices.push_back(end);
            if (SamePoint(end, origin)) {
                ring.closed = true;
                break;
            }
            int next = UnvisitedKeptFrom(end, piece);
            if (next < 0) {
                next = UnvisitedKeptNear(end);
            }
            if (next >= 0 && !SamePoint(pieces_[next].start, end)) {
                ring.vertices.push_back(pieces_[next].start);
            }
            if (next < 0) {
                CloseOnEarlierJunction(ring);
                break;
            }
            piece = next;
        }
        return ring;
    }

    // A walk that began on the stub of a misjudged junction comes round to that junction again and
    // finds nothing left to go on with: the ring is the loop from the junction's first visit, and the
    // stub before it is left out.
    static void CloseOnEarlierJunction(WalkedRing& ring) {
        ScratchVector<SDPoint>& vertices = ring.vertices;
        const SDPoint end = vertices.back();
        for (std::size_t index = 1; index + 2 < vertices.size(); ++index) {
            if (WithinDistance(vertices[index], end, kNearJunction)) {
                vertices.erase(vertices.begin(), vertices.begin() + static_cast<std::ptrdiff_t>(index));
                vertices.back() = vertices.front();
                ring.closed = true;
                return;
            }
        }
    }

    bool UsableKept(int piece) const { return kept_[piece] == kPieceKept && !visited_[piece]; }

    // The surviving piece that goes on from where `arriving` ends. Where several do, the junction is
    // a crossing whose pieces were judged within the chords' error of the band; the one that turns
    // farthest towards the offset side keeps the walk on the outer edge of the band.
    int UnvisitedKeptFrom(SDPoint point, int arriving) const {
        const int successor = arriving + 1;
        int best = -1;
        double bestTurn = 0.0;
        bool bestTurnKnown = false;  // most junctions have one way on, which needs no angle
        for (int piece = firstStarting_.Find(KeyOf(point)); piece >= 0; piece = nextStarting_[piece]) {
            if (!UsableKept(piece)) {
                continue;
            }
            if (best < 0) {
                best = piece;
                continue;
            }
            if (!bestTurnKnown) {
                bestTurn = Turn(arriving, best);
                bestTurnKnown = true;
            }
            const double turn = Turn(arriving, piece);
            if ((turnLeft_ ? turn > bestTurn : turn < bestTurn) || (turn == bestTurn && piece == successor)) {
                best = piece;
                bestTurn = turn;
            }
        }
        return best;
    }

    // Two pieces that cross within kCoincidence of both their ends are not cut, so they meet at two
    // points that close: a surviving piece starting within kNearJunction of the point goes on.
    int UnvisitedKeptNear(SDPoint point) {
        const ListHeads<StartCellKey>& keptByCell = KeptByCell();
        const std::int64_t column = CellOf(point.x), row = CellOf(point.y);
        int best = -1;
        double bestDistance = kNearJunction;
        for (std::int64_t dc = -1; dc <= 1; ++dc) {
            for (std::int64_t dr = -1; dr <= 1; ++dr) {
                for (int piece = keptByCell.Find(CellKey(column + dc, row + dr)); piece >= 0;
                     piece = nextInCell_[piece]) {
                    const double gap = Distance(pieces_[piece].start, point);
                    if (UsableKept(piece) && gap <= bestDistance) {
                        best = piece;
                        bestDistance = gap;
                    }
                }
            }
        }
        return best;
    }

    // The surviving pieces by the cell of their start, listed in chain order, built when a walk
    // first needs them.
    const ListHeads<StartCellKey>& KeptByCell() {
        if (!keptByCell_) {
            keptByCell_.emplace(pieces_.size(), StartCellKey{pieces_.data()});
            nextInCell_.assign(pieces_.size(), -1);
            for (int index = static_cast<int>(pieces_.size()) - 1; index >= 0; --index) {
                if (kept_[index] == kPieceKept) {
                    nextInCell_[index] = keptByCell_->PushFront(index);
                }
            }
        }
        return *keptByCell_;
    }

    static std::int64_t CellOf(double value) {
        return static_cast<std::int64_t>(std::floor(value / kNearJunction));
    }
    static PointKey CellKey(std::int64_t column, std::int64_t row) {
        return {static_cast<std::uint64_t>(column), static_cast<std::uint64_t>(row)};
    }

    // Signed angle from the direction of one piece to that of the next, positive to the left.
    double Turn(int from, int to) const {
        const Chord& a = pieces_[from];
        const Chord& b = pieces_[to];
        const double ux = a.end.x - a.start.x, uy = a.end.y - a.start.y;
        const double vx = b.end.x - b.start.x, vy = b.end.y - b.start.y;
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    }

    std::span<const Chord> pieces_;
    std::span<const char> kept_;
    bool turnLeft_;
    ScratchVector<char> visited_;
    ScratchVector<int> nextStarting_;
    ListHeads<StartKey> firstStarting_;
    // The surviving pieces by the cell of their start, for junctions that were not cut exactly.
    ScratchVector<int> nextInCell_;
    std::optional<ListHeads<StartCellKey>> keptByCell_;
};

}  // namespace

std::vector<WalkedRing> WalkRings(std::span<const Chord> pieces, std::span<const char> kept, bool turnLeft) {
    return Walker(pieces, kept, turnLeft).Walk();
}

}  // namespace pathsmith
