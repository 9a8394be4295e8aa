// A uniform grid over chords, stored sparsely, that finds the chords passing near a query chord, so
// that the pairwise searches of the engines cost nothing for far-apart pairs.
#pragma once

#include <algorithm>
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
        ForEachNearUntil(query, [&](int index) {
            visit(index);
            return false;
        });
    }
    // The same visits, up to the first for which visit(index) returns true; returns whether one did.
    template <typename Visit>
    bool ForEachNearUntil(const Chord& query, Visit&& visit) {
        if (itemCount_ == 0) {
            return false;
        }
        NextStamp();
        return ForEachCell(query, [&](std::uint64_t key) {
            const int bucket = FindBucket(key);
            return bucket >= 0 && VisitBucketUntil(bucket, visit);
        });
    }

    // The same visits as ForEachNear(chords[item]) for a chord given to the constructor, in the same
    // order, but through the cells remembered for it instead of a trip into the table per cell.
    template <typename Visit>
    void ForEachNearItem(int item, Visit&& visit) {
        NextStamp();
        auto visitAll = [&](int index) {
            visit(index);
            return false;
        };
        for (int entry = itemCellStart_[item]; entry < itemCellStart_[item + 1]; ++entry) {
            VisitBucketUntil(itemBuckets_[entry], visitAll);
        }
    }

    // The indexes of the chords near the query, ascending, into `near` (cleared first).
    void SortedNear(const Chord& query, std::vector<int>& near);
    // The same for a chord given to the constructor.
    void SortedNearItem(int item, std::vector<int>& near);

  private:
    struct CellRange {
        std::int64_t first;
        std::int64_t last;
    };

    void NextStamp() {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0u);
            stamp_ = 1;
        }
    }
    template <typename Visit>
    bool VisitBucketUntil(int bucket, Visit& visit) {
        for (int k = bucketStart_[bucket]; k < bucketStart_[bucket + 1]; ++k) {
            const int item = bucketItems_[k];
            if (seen_[item] != stamp_) {
                seen_[item] = stamp_;
                if (visit(item)) {
                    return true;
                }
            }
        }
        return false;
    }
    static std::uint64_t CellKey(std::int64_t column, std::int64_t row) {
        return (static_cast<std::uint64_t>(column) << 32) | static_cast<std::uint64_t>(row);
    }
    // Calls onCell(key) for the cells of the chord up to the first for which it returns true;
    // returns whether one did.
    template <typename OnCell>
    bool ForEachCell(const Chord& chord, OnCell&& onCell) const;
    // The rows of the cells that hold a point within the margin of a point of the chord.
    CellRange RowsOf(const Chord& chord) const;
    // The columns of those cells in one row: the part of the chord within the margin of the row.
    CellRange ColumnsInRow(const Chord& chord, std::int64_t row) const;
    // Truncation is the floor here: everything below cell 1 (NaN included) is cell 0. It spares a
    // call into the maths library on every row and column of every chord.
    std::int64_t CellIndex(double value, double origin) const {
        const double cell = (value - origin) * cellsPerUnit_;
        if (!(cell >= 1.0)) {
            return 0;
        }
        return cell < static_cast<double>(maxCell_) ? static_cast<std::int64_t>(cell) : maxCell_;
    }
    // Enters every chord in its cells, in the order ForEachCell gives them: the buckets of its cells
    // into itemBuckets_, where they begin into itemCellStart_.
    void EnterCells(std::span<const Chord> chords);
    // The bucket of a cell, -1 when the cell has none.
    int FindBucket(std::uint64_t key) const {
        const std::size_t mask = table_.size() - 1;
        for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & mask) {
            const int held = table_[slot];
            if (bucketKeys_[held] == key) {
                return held - 1;
            }
            if (held == 0) {
                return -1;
            }
        }
    }
    // The bucket of a cell, new when the cell has none.
    int FindOrAddBucket(std::uint64_t key);
    void GrowTable();
    std::size_t FirstSlot(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> slotShift_);
    }
    int itemCount_ = 0;
    double margin_ = 0.0;
    double originX_ = 0.0;
    double originY_ = 0.0;
    double cellSize_ = 1.0;
    double cellsPerUnit_ = 1.0;
    std::int64_t maxCell_ = 0;
    // Open addressing from a cell key to its bucket. A slot holds the bucket number plus one, 0 when
    // empty; bucketKeys_[slot value] is the key, bucketKeys_[0] a key no cell has, so that a probe
    // reads a key whatever the slot holds. Buckets list their chords in ascending order.
    ScratchVector<int> table_;
    int slotShift_ = 64;  // a key's first slot is the top bits of its product with a large odd number
    ScratchVector<std::uint64_t> bucketKeys_;
    int bucketCount_ = 0;
    ScratchVector<int> bucketStart_;
    ScratchVector<int> bucketItems_;
    // The buckets of the cells each chord was entered in, chord by chord, in the order entered.
    ScratchVector<int> itemCellStart_;
    ScratchVector<int> itemBuckets_;
    ScratchVector<std::uint32_t> seen_;
    std::uint32_t stamp_ = 0;
};

inline ChordGrid::CellRange ChordGrid::RowsOf(const Chord& chord) const {
    return {CellIndex(std::min(chord.start.y, chord.end.y) - margin_, originY_),
            CellIndex(std::max(chord.start.y, chord.end.y) + margin_, originY_)};
}

inline ChordGrid::CellRange ChordGrid::ColumnsInRow(const Chord& chord, std::int64_t row) const {
    const double x0 = chord.start.x, y0 = chord.start.y, dx = chord.end.x - x0, dy = chord.end.y - y0;
    double xFrom = std::min(x0, chord.end.x), xTo = std::max(x0, chord.end.x);
    if (dy != 0.0) {
        const double bandLow = originY_ + static_cast<double>(row) * cellSize_ - margin_;
        const double bandHigh = bandLow + cellSize_ + 2.0 * margin_;
        const double belowBand = bandLow - y0, aboveBand = bandHigh - y0;
        // A band that holds the whole chord clamps the parameters to 0 and 1 without dividing.
        const bool holdsChord =
            dy > 0.0 ? belowBand <= 0.0 && aboveBand >= dy : aboveBand >= 0.0 && belowBand <= dy;
        const double tLow = holdsChord ? 0.0 : std::clamp(belowBand / dy, 0.0, 1.0);
        const double tHigh = holdsChord ? 1.0 : std::clamp(aboveBand / dy, 0.0, 1.0);
        xFrom = x0 + std::min(tLow, tHigh) * dx;
        xTo = x0 + std::max(tLow, tHigh) * dx;
        if (xFrom > xTo) {
            std::swap(xFrom, xTo);
        }
    }
    return {CellIndex(xFrom - margin_, originX_), CellIndex(xTo + margin_, originX_)};
}

// Every cell that holds a point within the margin (in x and in y) of a point of the chord, row by
// row.
template <typename OnCell>
inline bool ChordGrid::ForEachCell(const Chord& chord, OnCell&& onCell) const {
    const CellRange rows = RowsOf(chord);
    for (std::int64_t row = rows.first; row <= rows.last; ++row) {
        const CellRange columns = ColumnsInRow(chord, row);
        for (std::int64_t column = columns.first; column <= columns.last; ++column) {
            if (onCell(CellKey(column, row))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace pathsmith
