// CCutOrder: blocks for scan output and for the members of group elements. Items are gathered into
// blocks band by band along the sweep; inside a block they are taken by the nearest rectangle corner.
#include <array>
#include <cmath>

#include "CutOrder.h"
#include "CutOrderSupport.h"
#include "ListNodes.h"

namespace {

using cutorder::LiesWithin;
using cutorder::Normalized;

constexpr double kMargin = 0.001;        // mm
constexpr double kItemsPerBand = 200.0;  // a crowded list gets narrower bands

double Low(const CCadRect& rect, bool alongY) {
    return alongY ? rect.y1 : rect.x1;
}
double High(const CCadRect& rect, bool alongY) {
    return alongY ? rect.y2 : rect.x2;
}

// The band [from, from + width] along the axis (or [from - width, from] stepping down) across the box.
CCadRect BandAt(const CCadRect& box, bool alongY, int sign, double from, double width) {
    CCadRect band = box;
    double& low = alongY ? band.y1 : band.x1;
    double& high = alongY ? band.y2 : band.x2;
    low = sign > 0 ? from : from - width;
    high = sign > 0 ? from + width : from;
    return band;
}

std::array<SDPoint, 4> Corners(const CCadElement* item) {
    const CCadRect rect = Normalized(item->rect);
    return {SDPoint{rect.x1, rect.y1}, SDPoint{rect.x2, rect.y1}, SDPoint{rect.x2, rect.y2},
            SDPoint{rect.x1, rect.y2}};
}

// The item's rectangle corner nearest to the point (the first of equally near ones) and its distance.
SDPoint NearestCorner(const CCadElement* item, SDPoint point, double& distance) {
    const std::array<SDPoint, 4> corners = Corners(item);
    SDPoint nearest = corners[0];
    distance = std::hypot(corners[0].x - point.x, corners[0].y - point.y);
    for (std::size_t index = 1; index < corners.size(); ++index) {
        const double candidate = std::hypot(corners[index].x - point.x, corners[index].y - point.y);
        if (candidate < distance) {
            distance = candidate;
            nearest = corners[index];
        }
    }
    return nearest;
}

void TakeBlockItem(const CCadElement* item, SDPoint& point) {
    double distance = 0.0;
    point = NearestCorner(item, point, distance);
}

bool WithinAMember(const CCadRect& rect, const CCadOrderGroup* block) {
    for (auto* node = block->children.head->next; node != block->children.head; node = node->next) {
        if (LiesWithin(rect, Normalized(node->value->rect), kMargin)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void CCutOrder::BlockPass(CDbList<CCadElement*>& list, std::uint16_t code) {
    if (list.IsEmpty() != 0) {
        return;
    }
    const bool alongY = cutorder::SweepsAlongY(code);
    const int sign = cutorder::SweepSign(code);
    // The bands run across the box last stored; widened to the list's own box, so that no item lies
    // beside every band.
    CCadRect box = Normalized(box_);
    cutorder::Grow(box, cutorder::BoxOf(list));
    double width = cutorder::BandHeight();
    const double extent = std::fabs(High(box, alongY) - Low(box, alongY));
    const double share = extent == 0.0 ? 1.0 : std::min(1.0, width / extent);
    const double crowd = share * list.GetCount();
    if (crowd > kItemsPerBand) {
        width = width * kItemsPerBand / crowd;
    }
    CCadRect band = BandAt(box, alongY, sign, sign > 0 ? Low(box, alongY) : High(box, alongY), width);
    CDbList<CCadElement*> output;
    CCadOrderGroup* block = nullptr;
    const auto closeBlock = [&] {
        if (block == nullptr) {
            return;
        }
        if (block->reference == nullptr && block->children.head->next->next == block->children.head) {
            output.AddTail(block->children.head->next->value);
            DeleteGroup(block);
        } else {
            output.AddTail(block);
        }
        block = nullptr;
    };
    bool jumped = false;
    while (list.IsEmpty() == 0) {
        bool moved = false;
        double edge = 0.0;
        bool haveEdge = false;
        for (list.MoveFirst(); list.cursor != list.head;) {
            CCadElement* item = list.cursor->value;
            const CCadRect rect = Normalized(item->rect);
            const double lead = sign > 0 ? Low(rect, alongY) : High(rect, alongY);
            if (!haveEdge || (sign > 0 ? lead < edge : lead > edge)) {
                edge = lead;
                haveEdge = true;
            }
            if (cutorder::ApartBeyond(band, rect, kMargin)) {
                list.MoveNext();
                continue;
            }
            if (block == nullptr) {
                block = NewGroup();
                block->rect = rect;
            } else {
                cutorder::Grow(block->rect, rect);
            }
            block->children.AddTail(item);
            list.RemoveCurrent();
            moved = true;
        }
        if (moved) {
            jumped = false;
            continue;
        }
        if (jumped && block == nullptr) {
            // A band at the leading edge met nothing: only rectangles that are not numbers are left.
            break;
        }
        if (block != nullptr) {
            for (list.MoveFirst(); list.cursor != list.head;) {
                const CCadRect rect = Normalized(list.cursor->value->rect);
                if (LiesWithin(rect, block->rect, kMargin) && WithinAMember(rect, block)) {
                    block->children.AddTail(list.cursor->value);
                    list.RemoveCurrent();
                } else {
                    list.MoveNext();
                }
            }
        }
        closeBlock();
        band = BandAt(box, alongY, sign, edge, width);
        jumped = true;
    }
    closeBlock();
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        output.AddTail(node->value);
    }
    cutorder::Replace(list, output);
}

void CCutOrder::OrderBlock(CCadOrderGroup* block, SDPoint& point) {
    CDbList<CCadElement*> ordered;
    CDbList<CCadElement*>& members = block->children;
    while (members.IsEmpty() == 0) {
        CDbList<CCadElement*>::Node* nearest = nullptr;
        double best = 0.0;
        for (auto* node = members.head->next; node != members.head; node = node->next) {
            double distance = 0.0;
            NearestCorner(node->value, point, distance);
            if (nearest == nullptr || distance < best) {
                best = distance;
                nearest = node;
            }
        }
        cutorder::MoveNodeToEnd(members, nearest, ordered);
        TakeBlockItem(nearest->value, point);
    }
    cutorder::Replace(members, ordered);
}

void CCutOrder::ScanBlockOrder(CDbList<CCadElement*>& list, std::uint16_t code, SDPoint& point) {
    Clear();
    if (list.IsEmpty() != 0) {
        return;
    }
    box_ = cutorder::BoxOf(list);
    cutorder::Splice(list, items_);
    BlockPass(items_, code);
    for (auto* node = items_.head->next; node != items_.head; node = node->next) {
        if (IsOwnGroup(node->value)) {
            OrderBlock(static_cast<CCadOrderGroup*>(node->value), point);
        } else {
            TakeBlockItem(node->value, point);
        }
    }
    for (auto* node = items_.head->next; node != items_.head; node = node->next) {
        FlattenInto(node->value, list);
    }
    items_.RemoveAll();
}
