// A uniform grid over chords, stored sparsely, that finds the chords passing near a query chord, so
// that the pairwise searches of the engines cost nothing for far-apart pairs.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "ScratchAllocator.h"
#include "SegmentGeometry.h"

namespace pathsmith {

class ChordGrid {
  public:
    // margin: chords that come within this distance of each other (in x and in y) share a cell.
    ChordGrid(std::span<const Chord> chords, double margin);

    // Calls visit(index) once for every chord that shares a cell with the query chord, in no
    // particular order.
    template <typename Visit>
    void ForEachNear(const Chord& query, Visit&& visit) {
        if (itemCount_ == 0) {
            return;
        }
        NextStamp();
        ForEachCell(query, [&](std::uint64_t key) {
            const int bucket = FindBucket(key);
            if (bucket >= 0) {
                VisitBucket(bucket, visit);
            }
        });
    }

    // The same visits as ForEachNear(chords[item]) for a chord given to the constructor, in the same
    // order, but through the cells remembered for it instead of a trip into the table per cell.
    template <typename Visit>
    void ForEachNearItem(int item, Visit&& visit) {
        NextStamp();
        for (int entry = itemCellStart_[item]; entry < itemCellStart_[item + 1]; ++entry) {
            VisitBucket(itemBuckets_[entry], visit);
        }
    }

    // The indexes of the chords near the query, ascending, into `near` (cleared first).
    void SortedNear(const Chord& query, std::vector<int>& near);
    // The same for a chord given to the constructor.
    void SortedNearItem(int item, std::vector<int>& near);

  private:
    void NextStamp() {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0u);
            stamp_ = 1;
        }
    }
    template <typename Visit>
    void VisitBucket(int bucket, Visit& visit) {
        for (int k = bucketStart_[bucket]; k < bucketStart_[bucket + 1]; ++k) {
            const int item = bucketItems_[k];
            if (seen_[item] != stamp_) {
                seen_[item] = stamp_;
                visit(item);
            }
        }
    }
    static std::uint64_t CellKey(std::int64_t column, std::int64_t row) {
        return (static_cast<std::uint64_t>(column) << 32) | static_cast<std::uint64_t>(row);
    }
    template <typename OnCell>
    void ForEachCell(const Chord& chord, OnCell&& onCell) const;
    // Truncation is the floor here: everything below cell 1 (NaN included) is cell 0. It spares a
    // call into the maths library on every row and column of every chord.
    std::int64_t CellIndex(double value, double origin) const {
        const double cell = (value - origin) * cellsPerUnit_;
        if (!(cell >= 1.0)) {
            return 0;
        }
        return cell < static_cast<double>(maxCell_) ? static_cast<std::int64_t>(cell) : maxCell_;
    }
    int FindBucket(std::uint64_t key) const;
    int FindOrAddBucket(std::uint64_t key) {
        const Slot& remembered = recent_[RecentSlot(key)];
        return remembered.key == key ? remembered.bucket : AddBucket(key);
    }
    // The bucket of a cell that is not among the recent ones, new when the cell has none.
    int AddBucket(std::uint64_t key);
    void GrowTable();
    std::size_t FirstSlot(std::uint64_t key) const;
    // Queries and inserts go along a contour and keep meeting the same few cells; a small
    // direct-mapped memory of recent cells spares most trips into the large table.
    static std::size_t RecentSlot(std::uint64_t key) { return ((key >> 32) & 7) * 8 + (key & 7); }

    struct Slot {
        std::uint64_t key;
        int bucket;
    };

    int itemCount_ = 0;
    double margin_ = 0.0;
    double originX_ = 0.0;
    double originY_ = 0.0;
    double cellSize_ = 1.0;
    double cellsPerUnit_ = 1.0;
    std::int64_t maxCell_ = 0;
    // Open addressing from a cell key to its bucket, holding bucket numbers only (the key of a bucket
    // is in bucketKeys_) so that the table stays small; buckets list their chords in ascending order.
    ScratchVector<int> table_;
    ScratchVector<std::uint64_t> bucketKeys_;
    mutable std::array<Slot, 64> recent_;
    ScratchVector<int> bucketStart_;
    ScratchVector<int> bucketItems_;
    // The buckets of the cells each chord was entered in, chord by chord, in the order entered.
    ScratchVector<int> itemCellStart_;
    ScratchVector<int> itemBuckets_;
    ScratchVector<std::uint32_t> seen_;
    std::uint32_t stamp_ = 0;
};

// Every cell that holds a point within the margin (in x and in y) of a point of the chord.
template <typename OnCell>
inline void ChordGrid::ForEachCell(const Chord& chord, OnCell&& onCell) const {
    const double x0 = chord.start.x, y0 = chord.start.y, dx = chord.end.x - x0, dy = chord.end.y - y0;
    const std::int64_t firstRow = CellIndex(std::min(y0, chord.end.y) - margin_, originY_);
    const std::int64_t lastRow = CellIndex(std::max(y0, chord.end.y) + margin_, originY_);
    for (std::int64_t row = firstRow; row <= lastRow; ++row) {
        double xFrom = std::min(x0, chord.end.x), xTo = std::max(x0, chord.end.x);
        if (dy != 0.0) {
            const double bandLow = originY_ + static_cast<double>(row) * cellSize_ - margin_;
            const double bandHigh = bandLow + cellSize_ + 2.0 * margin_;
            const double tLow = std::clamp((bandLow - y0) / dy, 0.0, 1.0);
            const double tHigh = std::clamp((bandHigh - y0) / dy, 0.0, 1.0);
            xFrom = x0 + std::min(tLow, tHigh) * dx;
            xTo = x0 + std::max(tLow, tHigh) * dx;
            if (xFrom > xTo) {
                std::swap(xFrom, xTo);
            }
        }
        const std::int64_t firstColumn = CellIndex(xFrom - margin_, originX_);
        const std::int64_t lastColumn = CellIndex(xTo + margin_, originX_);
        for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
            onCell(CellKey(column, row));
        }
    }
}

}  // namespace pathsmith
