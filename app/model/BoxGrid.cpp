// BoxGrid: cells keyed by their two indexes packed into one word.
#include "BoxGrid.h"

#include <algorithm>
#include <cmath>

BoxGrid::BoxGrid(double cellSize) : cellSize_(cellSize > 0.0 && std::isfinite(cellSize) ? cellSize : 1.0) {}

double BoxGrid::CellSizeFor(const std::vector<CCadRect>& boxes, double margin) {
    double extent = 0.0;
    for (const CCadRect& box : boxes) {
        extent += std::max(box.x2 - box.x1, box.y2 - box.y1);
    }
    const double mean = boxes.empty() ? 1.0 : extent / static_cast<double>(boxes.size());
    return std::max({mean, 2.0 * margin, 1e-3});
}

std::uint64_t BoxGrid::Key(std::int64_t x, std::int64_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
}

BoxGrid::CellRange BoxGrid::Cells(const CCadRect& box, double margin) const {
    const auto cell = [this](double value) {
        return static_cast<std::int64_t>(std::floor(std::clamp(value / cellSize_, -1e9, 1e9)));
    };
    return {cell(std::min(box.x1, box.x2) - margin), cell(std::min(box.y1, box.y2) - margin),
            cell(std::max(box.x1, box.x2) + margin), cell(std::max(box.y1, box.y2) + margin)};
}

void BoxGrid::Insert(int id, const CCadRect& box) {
    const CellRange range = Cells(box, 0.0);
    if ((range.x2 - range.x1 + 1) * (range.y2 - range.y1 + 1) > kMaxCellsPerBox) {
        oversized_.push_back(id);
        return;
    }
    for (std::int64_t x = range.x1; x <= range.x2; ++x) {
        for (std::int64_t y = range.y1; y <= range.y2; ++y) {
            cells_[Key(x, y)].push_back(id);
        }
    }
}

std::vector<int> BoxGrid::Query(const CCadRect& box, double margin) const {
    std::vector<int> found = oversized_;
    const CellRange range = Cells(box, margin * 1.000001 + 1e-12);
    if ((range.x2 - range.x1 + 1) * (range.y2 - range.y1 + 1) > static_cast<std::int64_t>(cells_.size())) {
        for (const auto& [key, ids] : cells_) {
            found.insert(found.end(), ids.begin(), ids.end());
        }
    } else {
        for (std::int64_t x = range.x1; x <= range.x2; ++x) {
            for (std::int64_t y = range.y1; y <= range.y2; ++y) {
                const auto cell = cells_.find(Key(x, y));
                if (cell != cells_.end()) {
                    found.insert(found.end(), cell->second.begin(), cell->second.end());
                }
            }
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}
