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

std::size_t HashKey(std::uint64_t key, std::size_t mask) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 17) & mask;
}

}  // namespace

ChordGrid::ChordGrid(const std::vector<Chord>& chords, double margin)
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
    std::size_t capacity = 1024;
    while (capacity < 2 * chords.size()) {
        capacity *= 2;
    }
    table_.assign(capacity, Slot{kEmptyKey, -1});
    recent_.fill(Slot{kEmptyKey, -1});

    std::vector<std::pair<int, int>> entries;  // (bucket, chord)
    entries.reserve(3 * chords.size());
    for (int index = 0; index < itemCount_; ++index) {
        ForEachCell(chords[index],
                    [&](std::uint64_t key) { entries.emplace_back(FindOrAddBucket(key), index); });
    }
    bucketStart_.assign(bucketCount_ + 1, 0);
    for (const auto& entry : entries) {
        ++bucketStart_[entry.first + 1];
    }
    for (int bucket = 0; bucket < bucketCount_; ++bucket) {
        bucketStart_[bucket + 1] += bucketStart_[bucket];
    }
    bucketItems_.resize(entries.size());
    std::vector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
    for (const auto& entry : entries) {
        bucketItems_[fill[entry.first]++] = entry.second;
    }
    seen_.assign(chords.size(), 0u);
}

void ChordGrid::SortedNear(const Chord& query, std::vector<int>& near) {
    near.clear();
    ForEachNear(query, [&](int index) { near.push_back(index); });
    std::sort(near.begin(), near.end());
}

int ChordGrid::FindBucket(std::uint64_t key) const {
    Slot& remembered = recent_[RecentSlot(key)];
    if (remembered.key == key) {
        return remembered.bucket;
    }
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = HashKey(key, mask);; slot = (slot + 1) & mask) {
        if (table_[slot].key == key) {
            remembered = table_[slot];
            return table_[slot].bucket;
        }
        if (table_[slot].key == kEmptyKey) {
            return -1;
        }
    }
}

int ChordGrid::FindOrAddBucket(std::uint64_t key) {
    Slot& remembered = recent_[RecentSlot(key)];
    if (remembered.key == key) {
        return remembered.bucket;
    }
    if (2 * static_cast<std::size_t>(bucketCount_ + 1) > table_.size()) {
        GrowTable();
    }
    const std::size_t mask = table_.size() - 1;
    for (std::size_t slot = HashKey(key, mask);; slot = (slot + 1) & mask) {
        if (table_[slot].key == key) {
            remembered = table_[slot];
            return table_[slot].bucket;
        }
        if (table_[slot].key == kEmptyKey) {
            table_[slot] = {key, bucketCount_++};
            remembered = table_[slot];
            return table_[slot].bucket;
        }
    }
}

void ChordGrid::GrowTable() {
    std::vector<Slot> old(table_.size() * 2, Slot{kEmptyKey, -1});
    old.swap(table_);
    const std::size_t mask = table_.size() - 1;
    for (const Slot& entry : old) {
        if (entry.key == kEmptyKey) {
            continue;
        }
        std::size_t target = HashKey(entry.key, mask);
        while (table_[target].key != kEmptyKey) {
            target = (target + 1) & mask;
        }
        table_[target] = entry;
    }
}

}  // namespace pathsmith
