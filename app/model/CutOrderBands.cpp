// CCutOrder: the direction grid. Bands of the band height along the sweep, each band cut across into
// cells; the cells of successive bands are visited in a serpentine.
#include <cmath>
#include <vector>

#include "CutOrder.h"
#include "CutOrderSupport.h"

namespace {

using cutorder::ApartAtLeast;
using cutorder::LiesWithin;
using cutorder::Normalized;

constexpr double kMargin = 0.001;  // mm, of every overlap and containment test
constexpr double kBandSnap = 1.0;  // mm a band's content may begin past its leading edge

struct Entry {
    CCadElement* item;
    CCadRect rect;  // normalised
};

// A band's stepping axis, low and high edge of a rectangle along it.
double& Low(CCadRect& rect, bool alongY) {
    return alongY ? rect.y1 : rect.x1;
}
double& High(CCadRect& rect, bool alongY) {
    return alongY ? rect.y2 : rect.x2;
}
double Low(const CCadRect& rect, bool alongY) {
    return alongY ? rect.y1 : rect.x1;
}
double High(const CCadRect& rect, bool alongY) {
    return alongY ? rect.y2 : rect.x2;
}

// No further band of the sweep can meet the box; a box or band that is not a number counts as passed.
bool PastTheBox(const CCadRect& band, const CCadRect& box, bool alongY, int sign) {
    const double gap =
        sign > 0 ? Low(band, alongY) - High(box, alongY) : Low(box, alongY) - High(band, alongY);
    return !(gap < kMargin);
}

}  // namespace

void CCutOrder::SortByDirection(CDbList<CCadElement*>& list, std::uint16_t code, double startX, double startY,
                                int straddle) {
    if (list.IsEmpty() != 0) {
        return;
    }
    box_ = cutorder::BoxOf(list);
    const bool rowsFirst = cutorder::SweepsAlongY(code);
    BandPass(list, rowsFirst ? Axis::Y : Axis::X, cutorder::SweepSign(code), straddle, box_);
    int cellSign = 0;
    if (rowsFirst) {
        cellSign = std::fabs(startX - box_.x1) < std::fabs(startX - box_.x2) ? 1 : -1;
    } else {
        cellSign = std::fabs(startY - box_.y1) < std::fabs(startY - box_.y2) ? 1 : -1;
    }
    CDbList<CCadElement*> cells;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        auto* band = static_cast<CCadOrderGroup*>(node->value);
        if (band->children.IsEmpty() == 0) {
            BandPass(band->children, rowsFirst ? Axis::X : Axis::Y, cellSign, straddle, band->rect);
            int filled = 0;
            for (auto* cellNode = band->children.head->next; cellNode != band->children.head;
                 cellNode = cellNode->next) {
                auto* cell = static_cast<CCadOrderGroup*>(cellNode->value);
                if (cell->children.IsEmpty() != 0) {
                    DeleteGroup(cell);
                } else {
                    cells.AddTail(cell);
                    ++filled;
                }
            }
            if (filled > 1) {
                cellSign = -cellSign;
            }
        }
        DeleteGroup(band);
    }
    cutorder::Replace(list, cells);
}

void CCutOrder::BandPass(CDbList<CCadElement*>& list, Axis axis, int sign, int straddle,
                         const CCadRect& box) {
    const bool alongY = axis == Axis::Y;
    const double height = cutorder::BandHeight();
    CDbList<CCadElement*> bands;
    CCadOrderGroup* group = nullptr;
    const auto addToGroup = [&](CCadElement* item, const CCadRect& rect) {
        if (group == nullptr) {
            group = NewGroup();
            group->rect = rect;
        } else {
            cutorder::Grow(group->rect, rect);
        }
        group->children.AddTail(item);
    };
    const auto closeGroup = [&] {
        if (group != nullptr) {
            if (group->children.IsEmpty() != 0) {
                DeleteGroup(group);
            } else {
                bands.AddTail(group);
            }
            group = nullptr;
        }
    };

    if (std::fabs(High(box, alongY) - Low(box, alongY)) <= height) {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            addToGroup(node->value, box);
        }
        if (group != nullptr) {
            group->rect = box;
        }
        closeGroup();
    } else {
        CCadRect band = box;
        if (sign > 0) {
            High(band, alongY) = Low(box, alongY) + height;
        } else {
            Low(band, alongY) = High(box, alongY) - height;
        }
        // The items with their normalised rectangles, in list order, scanned as one array.
        std::vector<Entry> rest;
        rest.reserve(static_cast<std::size_t>(list.count));
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            rest.push_back({node->value, Normalized(node->value->rect)});
        }
        std::vector<Entry> kept;
        std::vector<Entry> candidates;
        std::vector<const Entry*> straddlers;
        std::vector<Entry> taken;
        while (!rest.empty() && !PastTheBox(band, box, alongY, sign)) {
            bool straddled = false;
            CCadRect extension;
            kept.clear();
            taken.clear();
            for (const Entry& entry : rest) {
                if (ApartAtLeast(band, entry.rect, kMargin)) {
                    kept.push_back(entry);
                } else {
                    addToGroup(entry.item, entry.rect);
                    taken.push_back(entry);
                }
            }
            straddlers.clear();
            if (straddle != 0) {
                for (const Entry& entry : taken) {
                    if (!LiesWithin(entry.rect, band, kMargin)) {
                        extension = straddled ? extension : entry.rect;
                        cutorder::Grow(extension, entry.rect);
                        straddled = true;
                        straddlers.push_back(&entry);
                    }
                }
            }
            if (straddled) {
                // The inner parts of a shape that sticks out of the band stay in the shape's band.
                rest.clear();
                candidates.clear();
                for (const Entry& entry : kept) {
                    (LiesWithin(entry.rect, extension, kMargin) ? candidates : rest).push_back(entry);
                }
                std::vector<char> joined(candidates.size(), 0);
                for (const Entry* outer : straddlers) {
                    for (std::size_t index = 0; index < candidates.size(); ++index) {
                        const Entry& inner = candidates[index];
                        if (joined[index] == 0 && LiesWithin(inner.rect, outer->rect, kMargin) &&
                            IsInside(outer->item, inner.item) != 0) {
                            group->children.AddTail(inner.item);
                            joined[index] = 1;
                        }
                    }
                }
                for (std::size_t index = 0; index < candidates.size(); ++index) {
                    if (joined[index] == 0) {
                        rest.push_back(candidates[index]);
                    }
                }
            } else {
                rest.swap(kept);
            }
            // A scan that took items is followed by one that takes none (the band has not moved), so the
            // snap is tried at once.
            if (group != nullptr && group->children.IsEmpty() == 0) {
                bool snapped = false;
                if (sign > 0 && Low(group->rect, alongY) - Low(band, alongY) > kBandSnap) {
                    Low(band, alongY) = Low(group->rect, alongY);
                    High(band, alongY) = Low(group->rect, alongY) + height;
                    snapped = true;
                } else if (sign < 0 && High(band, alongY) - High(group->rect, alongY) > kBandSnap) {
                    High(band, alongY) = High(group->rect, alongY);
                    Low(band, alongY) = High(group->rect, alongY) - height;
                    snapped = true;
                }
                if (snapped && !ApartAtLeast(band, box, kMargin)) {
                    continue;
                }
            }
            closeGroup();
            Low(band, alongY) += sign * height;
            High(band, alongY) += sign * height;
        }
        closeGroup();
        // Items no band met (a rectangle that is not a number) are kept, after the others.
        for (const Entry& entry : rest) {
            addToGroup(entry.item, entry.rect);
        }
        closeGroup();
        list.RemoveAll();
    }
    cutorder::Replace(list, bands);
}
