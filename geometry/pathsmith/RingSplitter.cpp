// Ring split of the offset engine.
#include "RingSplitter.h"

#include <algorithm>

namespace pathsmith {

RingSplitter::RingSplitter(const std::vector<Chord>& chain)
    : originals_(chain), grid_(chain, 4 * kCoincidence) {
    const int count = static_cast<int>(chain.size());
    pieces_.reserve(count + count / 4);
    for (int index = 0; index < count; ++index) {
        pieces_.push_back({chain[index], index, index - 1, index + 1 < count ? index + 1 : -1, 0, -1, true});
    }
    if (count > 0) {
        chains_.push_back({0, count - 1});
    }
}

std::vector<std::vector<SDPoint>> RingSplitter::Split() {
    std::vector<std::vector<SDPoint>> rings;
    if (chains_.empty()) {
        return rings;
    }
    std::vector<Task> tasks{{0, chains_[0].first, -1, -1}};
    while (!tasks.empty()) {
        const Task task = tasks.back();
        tasks.pop_back();
        Pair pair = FindPairWithNewPieces(task);
        if (pair.first < 0) {
            pair = FindFirstPair(task.chain, task.resumeAt);
        }
        if (pair.first < 0) {
            if (HasRealPiece(task.chain)) {
                rings.push_back(RingOf(task.chain));
            }
        } else {
            Cut(task.chain, pair, tasks);
        }
    }
    return rings;
}

// An uncut piece is a chord of the grid, whose cells are known; the cells of a cut piece are looked up.
template <typename Visit>
void RingSplitter::ForEachNearPiece(int piece, Visit&& visit) {
    if (pieces_[piece].whole) {
        grid_.ForEachNearItem(pieces_[piece].original, visit);
    } else {
        grid_.ForEachNear(pieces_[piece].chord, visit);
    }
}

bool RingSplitter::ChainIsClosed(int chain) const {
    return Coincide(pieces_[chains_[chain].last].chord.end, pieces_[chains_[chain].first].chord.start);
}

// The two pieces meet with both parameters within 0..1, ends included.
bool RingSplitter::Meet(int first, int second, Pair& pair) const {
    const Chord& a = pieces_[first].chord;
    const Chord& b = pieces_[second].chord;
    // Rounded rectangles closer than this never overlap; the plain test spares most of the rounding.
    constexpr double kRoundedReach = 4 * kCoincidence;
    if (!BoxOf(a).Grown(kRoundedReach).Overlaps(BoxOf(b)) || !RectsOverlap(ChordRect(a), ChordRect(b))) {
        return false;
    }
    LineMeeting meeting;
    if (!IntersectLines(a, b, meeting) || meeting.t1 < 0.0 || meeting.t1 > 1.0 || meeting.t2 < 0.0 ||
        meeting.t2 > 1.0) {
        return false;
    }
    pair = {first, second, meeting.point, meeting.t1, meeting.t2};
    return true;
}

// Pairs of neighbours, and the first and last piece of a closed chain, are never tested.
bool RingSplitter::MaySearchPair(int first, int second, int chain) const {
    if (pieces_[first].next == second || pieces_[second].next == first || first == second) {
        return false;
    }
    const ChainEnds& ends = chains_[chain];
    return !(first == ends.first && second == ends.last && ChainIsClosed(chain));
}

int RingSplitter::PieceInChain(int original, int chain) const {
    for (int piece = original; piece != -1; piece = pieces_[piece].nextOfOriginal) {
        if (pieces_[piece].chain == chain) {
            return piece;
        }
    }
    return -1;
}

RingSplitter::Pair RingSplitter::FindFirstPair(int chain, int from) {
    std::vector<int> candidates;
    for (int piece = from; piece != -1; piece = pieces_[piece].next) {
        const int successor = pieces_[piece].next;
        if (successor == -1) {
            break;
        }
        const int lowestOriginal = pieces_[successor].original + 1;
        candidates.clear();
        ForEachNearPiece(piece, [&](int original) {
            if (original >= lowestOriginal) {
                candidates.push_back(original);
            }
        });
        std::sort(candidates.begin(), candidates.end(), std::greater<>());
        Pair pair;
        for (const int original : candidates) {
            const int other = PieceInChain(original, chain);
            if (other >= 0 && MaySearchPair(piece, other, chain) && Meet(piece, other, pair)) {
                return pair;
            }
        }
    }
    return {};
}

// The earliest piece before the cut piece that meets the rest piece or the cut piece; the rest
// piece comes later in the chain, so it is the partner the search would reach first.
RingSplitter::Pair RingSplitter::FindPairWithNewPieces(const Task& task) {
    Pair best;
    if (task.cutPiece < 0) {
        return best;
    }
    const int cutOriginal = pieces_[task.cutPiece].original;
    for (const int newPiece : {task.restPiece, task.cutPiece}) {
        ForEachNearPiece(newPiece, [&](int original) {
            if (original >= cutOriginal || (best.first >= 0 && original >= pieces_[best.first].original)) {
                return;
            }
            const int earlier = PieceInChain(original, task.chain);
            Pair pair;
            if (earlier >= 0 && MaySearchPair(earlier, newPiece, task.chain) &&
                Meet(earlier, newPiece, pair)) {
                best = pair;
            }
        });
    }
    return best;
}

int RingSplitter::NewPiece(const Chord& chord, int original) {
    const int piece = static_cast<int>(pieces_.size());
    pieces_.push_back({chord, original, -1, -1, -1, pieces_[original].nextOfOriginal, false});
    pieces_[original].nextOfOriginal = piece;
    return piece;
}

// Cuts both pieces at the meeting point: the loop runs from there along the rest of the first piece
// to the cut second piece, the remainder from the chain's start through the cut first piece and on
// along the rest of the second one.
void RingSplitter::Cut(int chain, const Pair& pair, std::vector<Task>& tasks) {
    const int first = pair.first, second = pair.second;
    const int restOfFirst = NewPiece({pair.point, pieces_[first].chord.end}, pieces_[first].original);
    const int restOfSecond = NewPiece({pair.point, pieces_[second].chord.end}, pieces_[second].original);
    pieces_[first].chord.end = pair.point;
    pieces_[second].chord.end = pair.point;
    pieces_[first].whole = false;
    pieces_[second].whole = false;

    const int afterFirst = pieces_[first].next;
    const int afterSecond = pieces_[second].next;
    const bool secondWasLast = chains_[chain].last == second;

    pieces_[restOfFirst].next = afterFirst;
    pieces_[afterFirst].prev = restOfFirst;
    pieces_[second].next = -1;

    pieces_[first].next = restOfSecond;
    pieces_[restOfSecond].prev = first;
    pieces_[restOfSecond].next = afterSecond;
    if (afterSecond != -1) {
        pieces_[afterSecond].prev = restOfSecond;
    }

    // The smaller of the two parts takes the new chain number, so relabelling stays cheap however
    // the chain is divided.
    const int newChain = static_cast<int>(chains_.size());
    const bool loopIsSmaller = LoopIsSmaller(restOfFirst, first, restOfSecond);
    const int loop = loopIsSmaller ? newChain : chain;
    const int remainder = loopIsSmaller ? chain : newChain;
    const ChainEnds remainderEnds{chains_[chain].first, secondWasLast ? restOfSecond : chains_[chain].last};
    chains_.push_back({});
    chains_[loop] = {restOfFirst, second};
    chains_[remainder] = remainderEnds;
    if (loopIsSmaller) {
        Relabel(restOfFirst, loop);
        pieces_[restOfSecond].chain = remainder;
    } else {
        Relabel(remainderEnds.first, remainder);
        pieces_[restOfFirst].chain = loop;
    }

    tasks.push_back({remainder, first, first, restOfSecond});
    tasks.push_back({loop, restOfFirst, -1, -1});
}

// Steps through both parts at once and stops at the end of the shorter one.
bool RingSplitter::LoopIsSmaller(int loopFirst, int cutPiece, int restPiece) const {
    int loopCursor = loopFirst, backCursor = cutPiece, forwardCursor = restPiece;
    while (true) {
        loopCursor = pieces_[loopCursor].next;
        if (loopCursor == -1) {
            return true;
        }
        if (backCursor != -1) {
            backCursor = pieces_[backCursor].prev;
        } else {
            forwardCursor = pieces_[forwardCursor].next;
            if (forwardCursor == -1) {
                return false;
            }
        }
    }
}

// Gives the pieces from `from` to the end of their chain the chain number.
void RingSplitter::Relabel(int from, int chain) {
    for (int piece = from; piece != -1; piece = pieces_[piece].next) {
        pieces_[piece].chain = chain;
    }
}

// A chain left over from cutting can hold nothing but the zero-length stubs of its cut points; the
// vertex sequence of such a chain would only draw the jumps between them.
bool RingSplitter::HasRealPiece(int chain) const {
    for (int piece = chains_[chain].first; piece != -1; piece = pieces_[piece].next) {
        if (!IsShorterThanCoincidence(pieces_[piece].chord)) {
            return true;
        }
    }
    return false;
}

std::vector<SDPoint> RingSplitter::RingOf(int chain) const {
    std::vector<SDPoint> ring;
    int last = -1;
    for (int piece = chains_[chain].first; piece != -1; piece = pieces_[piece].next) {
        ring.push_back(pieces_[piece].chord.start);
        last = piece;
    }
    ring.push_back(pieces_[last].chord.end);
    return ring;
}

}  // namespace pathsmith
