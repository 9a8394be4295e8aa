// Sparse uniform grid over chords: each chord is entered in the cells its fattened chord passes, row
// by row, so that long diagonal chords do not fill their whole bounding box.
#include "ChordGrid.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace pathsmith {

namespace {

constexpr std::uint64_t kEmptyKey = std::numeric_limits<std::uint64_t>::max();
// Keeps cell indexes well inside 32 bits whatever the spread of the coordinates.
constexpr double kMaxCellsPerAxis = 1 << 22;

}  // namespace

// Most cells are found or added at their first slot; that case takes no branch, since whether a cell
// is new follows no pattern.
inline int ChordGrid::FindOrAddBucket(std::uint64_t key) {
    if (2 * (bucketCount_ + 1) > static_cast<int>(table_.size())) {
        GrowTable();
    }
    if (bucketCount_ + 2 > static_cast<int>(bucketKeys_.size())) {
        bucketKeys_.resize(2 * bucketKeys_.size());
    }
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = FirstSlot(key);
    int held = table_[slot];
    // The empty slot's key is no cell's; counting the two conditions leaves a single branch, taken
    // only past another cell's slot.
    while ((bucketKeys_[held] != key) + (held != 0) == 2) {
        slot = (slot + 1) & mask;
        held = table_[slot];
    }
    // An empty slot takes the next bucket; written as arithmetic, which the compiler keeps free of
    // branches.
    const int added = static_cast<int>(held == 0);
    const int bucket = held - 1 + added * (bucketCount_ + 1);
    table_[slot] = bucket + 1;
    bucketKeys_[bucket + 1] = key;
    bucketCount_ += added;
    return bucket;
}

ChordGrid::ChordGrid(std::span<const Chord> chords, double margin)
    : itemCount_(static_cast<int>(chords.size())) {
    if (chords.empty()) {
        return;
    }
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    double extentSum = 0.0;
    for (const Chord& chord : chords) {
        const Box box = BoxOf(chord);
        minX = std::min(minX, box.minX);
        minY = std::min(minY, box.minY);
        maxX = std::max(maxX, box.maxX);
        maxY = std::max(maxY, box.maxY);
        extentSum += std::max(box.maxX - box.minX, box.maxY - box.minY);
    }
    const double spread = std::max(maxX - minX, maxY - minY);
    margin_ = std::max(margin, 1e-9 * (spread + 1.0));
    const double meanExtent = extentSum / itemCount_;
    cellSize_ = std::max({meanExtent, 4.0 * margin_, spread / kMaxCellsPerAxis});
    if (meanExtent == 0.0) {
        cellSize_ = std::max(cellSize_, spread / std::sqrt(static_cast<double>(itemCount_)));
    }
    originX_ = minX - 2.0 * margin_;
    originY_ = minY - 2.0 * margin_;
    maxCell_ = static_cast<std::int64_t>(std::ceil((spread + 4.0 * margin_) / cellSize_)) + 1;

    cellsPerUnit_ = 1.0 / cellSize_;
    // A contour passes about one and a half cells per chord; room for twice that many keeps the
    // table at most half full without growing it.
    std::size_t capacity = 64;
    while (capacity < 3 * chords.size()) {
        capacity *= 2;
    }
    table_.assign(capacity, 0);
    slotShift_ = 64 - std::countr_zero(capacity);
    bucketKeys_.reserve(capacity / 2 + 2);
    bucketKeys_.assign(2, kEmptyKey);

    EnterCells(chords);
    bucketStart_.assign(bucketCount_ + 1, 0);
    for (const int bucket : itemBuckets_) {
        ++bucketStart_[bucket + 1];
    }
    for (int bucket = 0; bucket < bucketCount_; ++bucket) {
        bucketStart_[bucket + 1] += bucketStart_[bucket];
    }
    bucketItems_.resize(itemBuckets_.size());
    ScratchVector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
    for (int item = 0; item < itemCount_; ++item) {
        for (int entry = itemCellStart_[item]; entry < itemCellStart_[item + 1]; ++entry) {
            bucketItems_[fill[itemBuckets_[entry]]++] = item;
        }
    }
    seen_.assign(chords.size(), 0u);
}

// Rows and columns vary from chord to chord without a pattern a branch could learn. So each row
// writes the keys of two columns whatever its width and counts only those it holds (only rows wider
// than that take a loop), and the keys gather in a batch whose buckets are then found in one loop.
void ChordGrid::EnterCells(std::span<const Chord> chords) {
    constexpr std::size_t kBatch = 512;
    std::array<std::uint64_t, kBatch + 2> keys;
    std::size_t pending = 0;
    itemBuckets_.reserve(3 * chords.size());
    auto enterPending = [&] {
        for (std::size_t key = 0; key < pending; ++key) {
            itemBuckets_.push_back(FindOrAddBucket(keys[key]));
        }
        pending = 0;
    };
    itemCellStart_.reserve(chords.size() + 1);
    itemCellStart_.push_back(0);
    for (const Chord& chord : chords) {
        const CellRange rows = RowsOf(chord);
        for (std::int64_t row = rows.first; row <= rows.last; ++row) {
            const CellRange columns = ColumnsInRow(chord, row);
            const std::size_t width =
                static_cast<std::size_t>(std::max<std::int64_t>(columns.last - columns.first + 1, 0));
            if (pending + width > kBatch) {
                enterPending();
                if (width > kBatch) {
                    for (std::int64_t column = columns.first; column <= columns.last; ++column) {
                        itemBuckets_.push_back(FindOrAddBucket(CellKey(column, row)));
                    }
                    continue;
                }
            }
            keys[pending] = CellKey(columns.first, row);
            keys[pending + 1] = CellKey(columns.first + 1, row);
            for (std::size_t extra = 2; extra < width; ++extra) {
                keys[pending + extra] = CellKey(columns.first + static_cast<std::int64_t>(extra), row);
            }
            pending += width;
        }
        itemCellStart_.push_back(static_cast<int>(itemBuckets_.size() + pending));
    }
    enterPending();
}

void ChordGrid::SortedNear(const Chord& query, std::vector<int>& near) {
    near.clear();
    ForEachNear(query, [&](int index) { near.push_back(index); });
    std::sort(near.begin(), near.end());
}

void ChordGrid::SortedNearItem(int item, std::vector<int>& near) {
    near.clear();
    ForEachNearItem(item, [&](int index) { near.push_back(index); });
    std::sort(near.begin(), near.end());
}

void ChordGrid::GrowTable() {
    table_.assign(table_.size() * 2, 0);
    --slotShift_;
    const std::size_t mask = table_.size() - 1;
    for (int bucket = 0; bucket < bucketCount_; ++bucket) {
        std::size_t slot = FirstSlot(bucketKeys_[bucket + 1]);
        while (table_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        table_[slot] = bucket + 1;
    }
}

}  // namespace pathsmith
