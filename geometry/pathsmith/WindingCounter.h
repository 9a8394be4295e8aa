// How often a closed chain of pieces winds around the points beside one of its own pieces: the test
// that decides which pieces of an offset bound the region it covers, however finely the chain's
// round joins cross each other.
#pragma once

#include <span>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

// The winding numbers just to the left and just to the right of a piece: the left one is one more
// than the right one, unless other pieces run on top of it.
struct SideWindings {
    int left = 0;
    int right = 0;
};

// Casts a ray from a piece's middle across the other pieces: along +x for a piece that runs more
// upright than level, else along +y, so that the ray leaves the piece at a wide angle. The pieces are
// dealt into bands across the ray (rows for rays along x, columns for rays along y), and a ray meets
// only the pieces of its band. Within a band the pieces are ordered along the ray, so that only those
// near the ray's start need the exact test: the rest lie clearly ahead or clearly behind and count by
// whether they cross the ray's line at all. On a closed chain the crossings of a whole line add up to
// nothing, so the pieces ahead may be counted from the pieces behind when those are fewer.
class WindingCounter {
  public:
    // pieces: a closed chain, each piece starting where the one before it ends.
    explicit WindingCounter(std::span<const Chord> pieces);

    SideWindings BesideMiddleOf(int piece) const;

  private:
    // Pieces by band along one axis: the pieces that band b holds are items[first[b]] to
    // items[first[b + 1]].
    struct Bands {
        double origin = 0.0;
        double size = 1.0;
        int count = 0;
        ScratchVector<int> first;
        ScratchVector<int> items;            // in each band by their lowest coordinate along the ray
        ScratchVector<double> longestAlong;  // per band: the longest extent along the ray of its pieces
    };
    Bands Deal(bool byY) const;
    int BandOf(const Bands& bands, double value) const;
    static bool EachPieceStartsWhereTheLastEnds(std::span<const Chord> pieces);

    std::span<const Chord> pieces_;
    bool chainCloses_;
    Bands rows_;
    Bands columns_;
};

}  // namespace pathsmith
