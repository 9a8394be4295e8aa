#include "ElementRectIndex.h"

#include <algorithm>
#include <cmath>

#include "CadArray.h"

namespace {

CCadRect Extent(const CCadElement* element) {
    CCadRect rect = element->typeCode == kArrayElement ? static_cast<const CCadArray*>(element)->frameRect
                                                       : element->rect;
    rect.Normalize();
    return rect;
}

// About one cell per element, and cells no smaller than the typical element.
constexpr double kMaxCells = 1 << 20;

}  // namespace

ElementRectIndex::CellRange ElementRectIndex::Cells(double x1, double y1, double x2, double y2) const {
    const auto cell = [this](double value, double origin, std::int32_t count) {
        const double index = std::floor((value - origin) / cellSize_);
        return static_cast<std::int32_t>(std::clamp(index, 0.0, static_cast<double>(count - 1)));
    };
    return {cell(x1, originX_, columns_), cell(y1, originY_, rows_), cell(x2, originX_, columns_),
            cell(y2, originY_, rows_)};
}

void ElementRectIndex::Build(const CDbList<CCadElement*>& elements) {
    order_.clear();
    std::vector<CCadRect> rects;
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0, extent = 0.0;
    for (auto* node = elements.head->next; node != elements.head; node = node->next) {
        const CCadRect rect = Extent(node->value);
        if (order_.empty()) {
            left = rect.x1, bottom = rect.y1, right = rect.x2, top = rect.y2;
        }
        left = std::min(left, rect.x1), bottom = std::min(bottom, rect.y1);
        right = std::max(right, rect.x2), top = std::max(top, rect.y2);
        extent += std::max(rect.x2 - rect.x1, rect.y2 - rect.y1);
        order_.push_back(node->value);
        rects.push_back(rect);
    }
    const double count = std::max<double>(1.0, static_cast<double>(rects.size()));
    const double width = std::max(right - left, 1e-3), height = std::max(top - bottom, 1e-3);
    cellSize_ = std::max({std::sqrt(width * height / std::min(count, kMaxCells)), extent / count, 1e-3});
    if (!std::isfinite(cellSize_)) {
        cellSize_ = std::max(width, height);
    }
    originX_ = left;
    originY_ = bottom;
    columns_ = static_cast<std::int32_t>(std::min(width / cellSize_ + 1.0, kMaxCells));
    rows_ = static_cast<std::int32_t>(std::min(height / cellSize_ + 1.0, kMaxCells / columns_ + 1.0));

    // Two passes: count the ids of each cell, then place them in list order.
    const std::size_t cells = static_cast<std::size_t>(columns_) * rows_;
    cellStart_.assign(cells + 1, 0);
    oversized_.clear();
    std::vector<CellRange> ranges(rects.size());
    for (std::size_t id = 0; id < rects.size(); ++id) {
        const CCadRect& r = rects[id];
        ranges[id] = Cells(r.x1, r.y1, r.x2, r.y2);
        const CellRange& c = ranges[id];
        if (std::int64_t{c.x2 - c.x1 + 1} * (c.y2 - c.y1 + 1) > kMaxCellsPerElement) {
            oversized_.push_back(static_cast<std::uint32_t>(id));
            continue;
        }
        for (std::int32_t y = c.y1; y <= c.y2; ++y) {
            for (std::int32_t x = c.x1; x <= c.x2; ++x) {
                ++cellStart_[static_cast<std::size_t>(y) * columns_ + x + 1];
            }
        }
    }
    for (std::size_t cell = 0; cell < cells; ++cell) {
        cellStart_[cell + 1] += cellStart_[cell];
    }
    cellIds_.assign(cellStart_[cells], 0);
    std::vector<std::uint32_t> filled(cellStart_.begin(), cellStart_.end() - 1);
    for (std::size_t id = 0; id < rects.size(); ++id) {
        const CellRange& c = ranges[id];
        if (std::int64_t{c.x2 - c.x1 + 1} * (c.y2 - c.y1 + 1) > kMaxCellsPerElement) {
            continue;
        }
        for (std::int32_t y = c.y1; y <= c.y2; ++y) {
            for (std::int32_t x = c.x1; x <= c.x2; ++x) {
                cellIds_[filled[static_cast<std::size_t>(y) * columns_ + x]++] =
                    static_cast<std::uint32_t>(id);
            }
        }
    }
    seenBy_.assign(rects.size(), 0);
    query_ = 0;
    built_ = true;
}

std::vector<CCadElement*> ElementRectIndex::Candidates(const CDbList<CCadElement*>& elements,
                                                       const CCadRect& box, double margin) {
    // An element added or removed without a notification still shows in the count.
    if (!built_ || order_.size() != static_cast<std::size_t>(elements.count)) {
        Build(elements);
    }
    if (++query_ == 0) {
        std::fill(seenBy_.begin(), seenBy_.end(), 0);
        query_ = 1;
    }
    std::vector<std::uint32_t> ids = oversized_;
    for (const std::uint32_t id : oversized_) {
        seenBy_[id] = query_;
    }
    const double x1 = std::min(box.x1, box.x2) - margin, x2 = std::max(box.x1, box.x2) + margin;
    const double y1 = std::min(box.y1, box.y2) - margin, y2 = std::max(box.y1, box.y2) + margin;
    const bool outside = x2 < originX_ || y2 < originY_ || x1 > originX_ + columns_ * cellSize_ ||
                         y1 > originY_ + rows_ * cellSize_;
    if (!outside && !order_.empty()) {
        const CellRange c = Cells(x1, y1, x2, y2);
        for (std::int32_t y = c.y1; y <= c.y2; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * columns_;
            for (std::uint32_t at = cellStart_[row + c.x1]; at < cellStart_[row + c.x2 + 1]; ++at) {
                const std::uint32_t id = cellIds_[at];
                if (seenBy_[id] != query_) {
                    seenBy_[id] = query_;
                    ids.push_back(id);
                }
            }
        }
    }
    std::vector<CCadElement*> candidates;
    candidates.reserve(ids.size());
    if (ids.size() * 16 > order_.size()) {
        // Many: a pass over the list in order is cheaper than sorting them.
        for (std::size_t id = 0; id < order_.size(); ++id) {
            if (seenBy_[id] == query_) {
                candidates.push_back(order_[id]);
            }
        }
    } else {
        std::sort(ids.begin(), ids.end());
        for (const std::uint32_t id : ids) {
            candidates.push_back(order_[id]);
        }
    }
    return candidates;
}
