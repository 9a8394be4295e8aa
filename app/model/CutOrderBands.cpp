// CCutOrder: the direction grid. Bands of the band height along the sweep, each band cut across into
// cells; the cells of successive bands are visited in a serpentine.
#include <cmath>
#include <cstdint>
#include <vector>

#include "CutOrder.h"
#include "CutOrderSupport.h"
#include "SegmentPrefetch.h"

namespace {

using cutorder::ApartAtLeast;
using cutorder::LiesWithin;
using cutorder::Normalized;

constexpr double kMargin = 0.001;  // mm, of every overlap and containment test
constexpr double kBandSnap = 1.0;  // mm a band's content may begin past its leading edge
constexpr int kPrefetchedOutlineNodes = 64;

struct Entry {
    CDbList<CCadElement*>::Node* node;  // in the list being split, until it moves into a band
    CCadRect rect;                      // normalised
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

// The containment tests of straddlers against candidates read each straddler's outline and each
// candidate's first node, all far apart in memory: fetched together first.
void PrefetchContainmentTests(const std::vector<Entry>& entries, const std::vector<std::uint32_t>& straddlers,
                              const std::vector<std::uint32_t>& candidates) {
    std::vector<const CCadCurve*> outlines;
    std::vector<const CCadCurve*> firstNodes;
    for (const auto& [indexes, curves] :
         {std::pair{&straddlers, &outlines}, std::pair{&candidates, &firstNodes}}) {
        for (const std::uint32_t index : *indexes) {
            const CCadElement* element = entries[index].node->value;
            if (element->typeCode == kCurveElement) {
                curves->push_back(static_cast<const CCadCurve*>(element));
            }
        }
    }
    PrefetchSegmentLists(outlines, kPrefetchedOutlineNodes);
    PrefetchSegmentLists(firstNodes, 1);
}

}  // namespace

void CCutOrder::SortByDirection(CDbList<CCadElement*>& list, std::uint16_t code, double startX, double startY,
                                int straddle) {
    if (list.IsEmpty() != 0) {
        return;
    }
    box_ = cutorder::BoxOf(list);
    const double height = cutorder::BandHeight();
    if (std::fabs(box_.x2 - box_.x1) <= height && std::fabs(box_.y2 - box_.y1) <= height) {
        // One band of one cell, as both passes would make it.
        CCadOrderGroup* cell = NewGroup();
        cell->rect = box_;
        cutorder::Splice(list, cell->children);
        list.AddTail(cell);
        return;
    }
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
    const auto addToGroup = [&](CDbList<CCadElement*>::Node* node, const CCadRect& rect) {
        if (group == nullptr) {
            group = NewGroup();
            group->rect = rect;
        } else {
            cutorder::Grow(group->rect, rect);
        }
        cutorder::MoveNodeToEnd(list, node, group->children);
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
        while (list.IsEmpty() == 0) {
            addToGroup(list.head->next, box);
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
        // The items with their normalised rectangles, and the ones still to place as indexes into them in
        // list order: a scan moves four bytes per item.
        std::vector<Entry> entries;
        entries.reserve(static_cast<std::size_t>(list.count));
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            entries.push_back({node, Normalized(node->value->rect)});
        }
        std::vector<std::uint32_t> rest(entries.size());
        for (std::uint32_t index = 0; index < rest.size(); ++index) {
            rest[index] = index;
        }
        std::vector<std::uint32_t> kept;
        std::vector<std::uint32_t> taken;
        std::vector<std::uint32_t> candidates;
        std::vector<std::uint32_t> straddlers;
        while (!rest.empty() && !PastTheBox(band, box, alongY, sign)) {
            bool straddled = false;
            CCadRect extension;
            kept.clear();
            taken.clear();
            for (const std::uint32_t index : rest) {
                const Entry& entry = entries[index];
                if (ApartAtLeast(band, entry.rect, kMargin)) {
                    kept.push_back(index);
                } else {
                    addToGroup(entry.node, entry.rect);
                    taken.push_back(index);
                }
            }
            straddlers.clear();
            if (straddle != 0) {
                for (const std::uint32_t index : taken) {
                    const CCadRect& rect = entries[index].rect;
                    if (!LiesWithin(rect, band, kMargin)) {
                        extension = straddled ? extension : rect;
                        cutorder::Grow(extension, rect);
                        straddled = true;
                        straddlers.push_back(index);
                    }
                }
            }
            if (straddled) {
                // The inner parts of a shape that sticks out of the band stay in the shape's band.
                rest.clear();
                candidates.clear();
                for (const std::uint32_t index : kept) {
                    (LiesWithin(entries[index].rect, extension, kMargin) ? candidates : rest)
                        .push_back(index);
                }
                PrefetchContainmentTests(entries, straddlers, candidates);
                std::vector<char> joined(candidates.size(), 0);
                for (const std::uint32_t outer : straddlers) {
                    for (std::size_t place = 0; place < candidates.size(); ++place) {
                        const Entry& inner = entries[candidates[place]];
                        if (joined[place] == 0 && LiesWithin(inner.rect, entries[outer].rect, kMargin) &&
                            IsInside(entries[outer].node->value, inner.node->value) != 0) {
                            cutorder::MoveNodeToEnd(list, inner.node, group->children);
                            joined[place] = 1;
                        }
                    }
                }
                for (std::size_t place = 0; place < candidates.size(); ++place) {
                    if (joined[place] == 0) {
                        rest.push_back(candidates[place]);
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
        for (const std::uint32_t index : rest) {
            addToGroup(entries[index].node, entries[index].rect);
        }
        closeGroup();
        list.RemoveAll();
    }
    cutorder::Replace(list, bands);
}
