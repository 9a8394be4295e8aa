// Divides a chain of offset pieces into rings at the points where it runs into itself. The search
// takes pieces i from the front and, for each, the partner k farthest back in the chain; the first
// pair found cuts off the loop between them, which is divided first, then the rest.
#pragma once

#include <vector>

#include "ChordGrid.h"
#include "SegmentGeometry.h"

namespace pathsmith {

class RingSplitter {
  public:
    explicit RingSplitter(const std::vector<Chord>& chain);

    // The rings in the order they are cut off, each as its vertex sequence: the start of every piece
    // and the end of the last one. Chains of nothing but zero-length stubs are no rings.
    std::vector<std::vector<SDPoint>> Split();

  private:
    struct Piece {
        Chord chord;
        int original;  // position in the chain given to the constructor; ascending along every chain
        int prev;
        int next;
        int chain;
        int nextOfOriginal;  // the other pieces cut from the same original piece
        bool whole;          // still the original piece, uncut
    };
    struct ChainEnds {
        int first;
        int last;
    };
    // A chain to divide. A remainder resumes its search at its cut piece: the pieces before it were
    // searched already, so only their pairs with the two new pieces need a test.
    struct Task {
        int chain;
        int resumeAt = -1;
        int cutPiece = -1;
        int restPiece = -1;
    };
    struct Pair {
        int first = -1;
        int second = -1;
        SDPoint point;
        double t1 = 0.0;
        double t2 = 0.0;
    };

    template <typename Visit>
    void ForEachNearPiece(int piece, Visit&& visit);
    bool ChainIsClosed(int chain) const;
    bool Meet(int first, int second, Pair& pair) const;
    bool MaySearchPair(int first, int second, int chain) const;
    int PieceInChain(int original, int chain) const;
    Pair FindFirstPair(int chain, int from);
    Pair FindPairWithNewPieces(const Task& task);
    void Cut(int chain, const Pair& pair, std::vector<Task>& tasks);
    bool LoopIsSmaller(int loopFirst, int cutPiece, int restPiece) const;
    void Relabel(int from, int chain);
    bool HasRealPiece(int chain) const;
    std::vector<SDPoint> RingOf(int chain) const;
    int NewPiece(const Chord& chord, int original);

    std::vector<Chord> originals_;
    std::vector<Piece> pieces_;
    std::vector<ChainEnds> chains_;
    ChordGrid grid_;
};

}  // namespace pathsmith
