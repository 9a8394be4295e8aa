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
        std::vector<CCadElement*> straddlers;
        CDbList<CCadElement*> candidates;
        while (list.IsEmpty() == 0 && !PastTheBox(band, box, alongY, sign)) {
            bool found = false;
            bool straddled = false;
            CCadRect extension;
            straddlers.clear();
            for (list.MoveFirst(); list.cursor != list.head;) {
                CCadElement* item = list.cursor->value;
                const CCadRect rect = Normalized(item->rect);
                if (ApartAtLeast(band, rect, kMargin)) {
                    list.MoveNext();
                    continue;
                }
                addToGroup(item, rect);
                list.RemoveCurrent();
                found = true;
                if (straddle != 0 && !LiesWithin(rect, band, kMargin)) {
                    extension = straddled ? extension : rect;
                    cutorder::Grow(extension, rect);
                    straddled = true;
                    straddlers.push_back(item);
                }
            }
            if (straddled) {
                // The inner parts of a shape that sticks out of the band stay in the shape's band.
                for (list.MoveFirst(); list.cursor != list.head;) {
                    if (LiesWithin(Normalized(list.cursor->value->rect), extension, kMargin)) {
                        candidates.AddTail(list.cursor->value);
                        list.RemoveCurrent();
                    } else {
                        list.MoveNext();
                    }
                }
                for (CCadElement* outer : straddlers) {
                    for (candidates.MoveFirst(); candidates.cursor != candidates.head;) {
                        CCadElement* inner = candidates.cursor->value;
                        if (LiesWithin(Normalized(inner->rect), Normalized(outer->rect), kMargin) &&
                            IsInside(outer, inner) != 0) {
                            group->children.AddTail(inner);
                            candidates.RemoveCurrent();
                        } else {
                            candidates.MoveNext();
                        }
                    }
                }
                cutorder::Splice(candidates, list);
            }
            if (found) {
                continue;
            }
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
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            addToGroup(node->value, Normalized(node->value->rect));
        }
        closeGroup();
    }
    cutorder::Replace(list, bands);
}
