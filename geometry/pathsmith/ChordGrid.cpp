// Sparse uniform grid over chords: each chord is entered in the cells its fattened chord passes, row
// by row, so that long diagonal chords do not fill their whole bounding box.
#include "ChordGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pathsmith {

namespace {

constexpr std::uint64_t kEmptyKey = std::numeric_limits<std::uint64_t>::max();
// Keeps cell indexes well inside 32 bits whatever the spread of the coordinates.
constexpr double kMaxCellsPerAxis = 1 << 22;

// Cells are hashed in square tiles of kTileSide x kTileSide: the cells of one tile take
// neighbouring slots, so a walk along a contour stays within few cache lines of the table.
constexpr int kTileBits = 2;
constexpr std::uint64_t kTileSide = 1u << kTileBits;
constexpr std::uint64_t kTileMask = ((kTileSide - 1) << 32) | (kTileSide - 1);

}  // namespace

std::size_t ChordGrid::FirstSlot(std::uint64_t key) const {
    const std::uint64_t tile = key & ~kTileMask;
    const std::uint64_t withinTile = ((key >> 32) & (kTileSide - 1)) << kTileBits | (key & (kTileSide - 1));
    std::uint64_t mixed = tile * 0x9E3779B97F4A7C15ull;
    mixed ^= mixed >> 32;
    const std::uint64_t tileSlot = mixed << (2 * kTileBits);
    return static_cast<std::size_t>(tileSlot | withinTile) & (table_.size() - 1);
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
    table_.assign(capacity, -1);
    bucketKeys_.reserve(capacity / 2);
    recent_.fill(Slot{kEmptyKey, -1});

    itemCellStart_.reserve(chords.size() + 1);
    itemBuckets_.reserve(3 * chords.size());
    itemCellStart_.push_back(0);
    for (const Chord& chord : chords) {
        ForEachCell(chord, [&](std::uint64_t key) { itemBuckets_.push_back(FindOrAddBucket(key)); });
        itemCellStart_.push_back(static_cast<int>(itemBuckets_.size()));
    }
    const int bucketCount = static_cast<int>(bucketKeys_.size());
    bucketStart_.assign(bucketCount + 1, 0);
    for (const int bucket : itemBuckets_) {
        ++bucketStart_[bucket + 1];
    }
    for (int bucket = 0; bucket < bucketCount; ++bucket) {
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

int ChordGrid::FindBucket(std::uint64_t key) const {
    Slot& remembered = recent_[RecentSlot(key)];
    if (remembered.key == key) {
        return remembered.bucket;
    }
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & mask) {
        const int bucket = table_[slot];
        if (bucket < 0) {
            return -1;
        }
        if (bucketKeys_[bucket] == key) {
            remembered = {key, bucket};
            return bucket;
        }
    }
}

int ChordGrid::AddBucket(std::uint64_t key) {
    Slot& remembered = recent_[RecentSlot(key)];
    if (2 * (bucketKeys_.size() + 1) > table_.size()) {
        GrowTable();
    }
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = FirstSlot(key);; slot = (slot + 1) & mask) {
        int& bucket = table_[slot];
        if (bucket < 0) {
            bucket = static_cast<int>(bucketKeys_.size());
            bucketKeys_.push_back(key);
        } else if (bucketKeys_[bucket] != key) {
            continue;
        }
        remembered = {key, bucket};
        return bucket;
    }
}

void ChordGrid::GrowTable() {
    table_.assign(table_.size() * 2, -1);
    const std::size_t mask = table_.size() - 1;
    for (int bucket = 0; bucket < static_cast<int>(bucketKeys_.size()); ++bucket) {
        std::size_t slot = FirstSlot(bucketKeys_[bucket]);
        while (table_[slot] >= 0) {
            slot = (slot + 1) & mask;
        }
        table_[slot] = bucket;
    }
}

}  // namespace pathsmith
