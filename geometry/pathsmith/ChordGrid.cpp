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

    std::size_t capacity = 1024;
    while (capacity < 4 * chords.size()) {
        capacity *= 2;
    }
    tableKeys_.assign(capacity, kEmptyKey);
    tableBuckets_.assign(capacity, -1);

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

std::vector<int> ChordGrid::SortedNear(const Chord& query) {
    std::vector<int> near;
    ForEachNear(query, [&](int index) { near.push_back(index); });
    std::sort(near.begin(), near.end());
    return near;
}

std::int64_t ChordGrid::CellIndex(double value, double origin) const {
    const double cell = std::floor((value - origin) / cellSize_);
    if (!(cell > 0.0)) {
        return 0;
    }
    return cell < static_cast<double>(maxCell_) ? static_cast<std::int64_t>(cell) : maxCell_;
}

int ChordGrid::FindBucket(std::uint64_t key) const {
    const std::size_t mask = tableKeys_.size() - 1;
    for (std::size_t slot = HashKey(key, mask);; slot = (slot + 1) & mask) {
        if (tableKeys_[slot] == key) {
            return tableBuckets_[slot];
        }
        if (tableKeys_[slot] == kEmptyKey) {
            return -1;
        }
    }
}

int ChordGrid::FindOrAddBucket(std::uint64_t key) {
    if (2 * static_cast<std::size_t>(bucketCount_ + 1) > tableKeys_.size()) {
        GrowTable();
    }
    const std::size_t mask = tableKeys_.size() - 1;
    for (std::size_t slot = HashKey(key, mask);; slot = (slot + 1) & mask) {
        if (tableKeys_[slot] == key) {
            return tableBuckets_[slot];
        }
        if (tableKeys_[slot] == kEmptyKey) {
            tableKeys_[slot] = key;
            tableBuckets_[slot] = bucketCount_;
            return bucketCount_++;
        }
    }
}

void ChordGrid::GrowTable() {
    std::vector<std::uint64_t> oldKeys(tableKeys_.size() * 2, kEmptyKey);
    std::vector<int> oldBuckets(tableKeys_.size() * 2, -1);
    oldKeys.swap(tableKeys_);
    oldBuckets.swap(tableBuckets_);
    const std::size_t mask = tableKeys_.size() - 1;
    for (std::size_t slot = 0; slot < oldKeys.size(); ++slot) {
        if (oldKeys[slot] == kEmptyKey) {
            continue;
        }
        std::size_t target = HashKey(oldKeys[slot], mask);
        while (tableKeys_[target] != kEmptyKey) {
            target = (target + 1) & mask;
        }
        tableKeys_[target] = oldKeys[slot];
        tableBuckets_[target] = oldBuckets[slot];
    }
}

}  // namespace pathsmith
