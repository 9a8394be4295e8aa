// CCutOrder: nearest-neighbour ordering inside a cell. From the current point the nearest remaining item
// is cut next, turned so that it starts where the head is; the point then moves to where it ends. A
// container is finished by its reference curve after everything inside it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "CadGroup.h"
#include "CadPoint.h"
#include "CutOrder.h"
#include "CutOrderSupport.h"
#include "ListNodes.h"
#include "SettingsRecords.h"

namespace {

double SquaredDistance(SDPoint a, SDPoint b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

bool IsGroupElement(const CCadElement* item) {
    return item->typeCode == kGroupElement || item->typeCode == kTextElement ||
           item->typeCode == kArrayElement;
}

CDbList<CCadElement*>& MembersOf(CCadElement* element) {
    return static_cast<CCadGroup*>(element)->children;
}

const CDbList<CCadElement*>& MembersOf(const CCadElement* element) {
    return static_cast<const CCadGroup*>(element)->children;
}

// The pick of the nearest-neighbour order, offered the items in list order: the first is always measured,
// a later one only when its rectangle may hold something nearer than the best so far, and it replaces the
// best only when strictly nearer (ties keep the earlier item).
class NearestPick {
  public:
    explicit NearestPick(SDPoint point) : point_(point) {}

    // measure(index) gives the item's distance and, for a curve, the node to start at. True when the item
    // is now the nearest.
    template <typename Measure>
    bool Offer(const CCadRect& rect, Measure measure) {
        if (found_ && CCutOrder::MayBeNearer(rect, point_, radius_) == 0) {
            return false;
        }
        int index = 0;
        const double distance = measure(index);
        if (found_ && !(distance < best_)) {
            return false;
        }
        found_ = true;
        best_ = distance;
        radius_ = std::sqrt(best_);
        startIndex_ = index;
        return true;
    }
    // kNoDistance when nothing was offered.
    double Best() const { return best_; }
    int StartIndex() const { return startIndex_; }

  private:
    SDPoint point_;
    bool found_ = false;
    double best_ = CCutOrder::kNoDistance;
    double radius_ = 0.0;
    int startIndex_ = 0;
};

double NearestMemberDistance(const CDbList<CCadElement*>& list, SDPoint point);

// The distance of an item and, for a curve, the node to start at.
double Distance(const CCadElement* item, SDPoint point, int& index) {
    index = 0;
    switch (item->typeCode) {
        case kCurveElement:
            return CCutOrder::CurveDistance(static_cast<const CCadCurve*>(item), index, point);
        case kPointElement: {
            const auto* position = static_cast<const CCadPoint*>(item);
            return SquaredDistance({position->x, position->y}, point);
        }
        case kGroupElement:
        case kTextElement:
        case kArrayElement:
            return NearestMemberDistance(MembersOf(item), point);
        case kOrderGroupElement:
            return NearestMemberDistance(static_cast<const CCadOrderGroup*>(item)->children, point);
        default:
            return CCutOrder::kNoDistance;
    }
}

// The distance of the list's nearest item; kNoDistance for an empty list.
double NearestMemberDistance(const CDbList<CCadElement*>& list, SDPoint point) {
    NearestPick pick(point);
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        pick.Offer(node->value->rect, [&](int& index) { return Distance(node->value, point, index); });
    }
    return pick.Best();
}

// CurveDistance's rule over a curve's nodes: `first` is the first segment's start, `last` the last
// segment's end, nextEnd(end) gives every segment's end in order (false after the last) and
// countSegments() their number.
template <typename NextEnd, typename CountSegments>
double NodeDistance(bool closed, SDPoint first, SDPoint last, NextEnd nextEnd, CountSegments countSegments,
                    int& index, SDPoint point) {
    index = 0;
    const double fromStart = SquaredDistance(first, point);
    if (!closed) {
        if (gOptimSettings.autoStartPointAndDirection == 0) {
            return fromStart;
        }
        const double fromEnd = SquaredDistance(last, point);
        if (fromEnd < fromStart) {
            index = countSegments();
            return fromEnd;
        }
        return fromStart;
    }
    if (gOptimSettings.startPointOptimise == 0 && gOptimSettings.autoStartPointAndDirection == 0) {
        return fromStart;
    }
    double best = fromStart;
    double radius = std::sqrt(best);
    int node = 0;
    for (SDPoint end; nextEnd(end);) {
        ++node;
        if (std::fabs(end.x - point.x) >= radius || std::fabs(end.y - point.y) >= radius) {
            continue;
        }
        const double distance = SquaredDistance(end, point);
        if (distance < best) {
            best = distance;
            radius = std::sqrt(best);
            index = node;
        }
    }
    return best;
}

// The items of a list being ordered by nearest neighbour, in list order, with what the scan reads of
// them side by side: each item's rectangle; a curve's node points (the first segment's start, then every
// segment's end); a point's position; the members of a group, recursively, for the group's distance is
// that of its nearest member. Every pick measures the remaining items again; the table spares those
// scans the walks over list nodes spread across the heap. What is cached is only read until its item is
// taken. A tree that holds an element twice has that element turned when one entry is taken, so such a
// list is measured from the elements themselves each time.
class NearestTable {
  public:
    explicit NearestTable(const CDbList<CCadElement*>& list) {
        std::vector<const CCadElement*> elements;
        GatherElements(list, elements);
        std::sort(elements.begin(), elements.end());
        const bool listedTwice = std::adjacent_find(elements.begin(), elements.end()) != elements.end();
        entries_.reserve(static_cast<std::size_t>(list.count));
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            Entry entry{node, node->value->rect, Kind::Live, 0, 0, false};
            if (!listedTwice) {
                Describe(node->value, entry);
            }
            entries_.push_back(entry);
        }
    }

    bool IsEmpty() const { return entries_.empty(); }

    // Moves the node of the nearest item (the first of equally near ones) from `list` to the end of `to`;
    // returns the item and, for a curve, the node to start at.
    CCadElement* MoveNearest(CDbList<CCadElement*>& list, SDPoint point, CDbList<CCadElement*>& to,
                             int& startIndex) {
        NearestPick pick(point);
        const std::size_t nearest = NearestOf(entries_.data(), entries_.size(), point, pick);
        startIndex = pick.StartIndex();
        auto* node = entries_[nearest].node;
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(nearest));
        cutorder::MoveNodeToEnd(list, node, to);
        return node->value;
    }

  private:
    enum class Kind : std::uint8_t { Live, Curve, Point, Members, Nothing };
    struct Entry {
        CDbList<CCadElement*>::Node* node;
        CCadRect rect;
        Kind kind;
        std::uint32_t first;  // Curve, Point: into nodes_; Members: into members_
        std::uint32_t count;  // Curve: segments; Members: members
        bool closed;
    };

    static const CDbList<CCadElement*>* MemberList(const CCadElement* element) {
        if (IsGroupElement(element)) {
            return &MembersOf(element);
        }
        if (element->typeCode == kOrderGroupElement) {
            return &static_cast<const CCadOrderGroup*>(element)->children;
        }
        return nullptr;
    }

    static void GatherElements(const CDbList<CCadElement*>& list, std::vector<const CCadElement*>& elements) {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            elements.push_back(node->value);
            if (const CDbList<CCadElement*>* members = MemberList(node->value)) {
                GatherElements(*members, elements);
            }
        }
    }

    void Describe(const CCadElement* element, Entry& entry) {
        if (element->typeCode == kCurveElement) {
            const CDbList<CFileLine>& segments = static_cast<const CCadCurve*>(element)->pathList;
            if (segments.IsEmpty() != 0) {
                entry.kind = Kind::Nothing;
                return;
            }
            entry.kind = Kind::Curve;
            entry.first = static_cast<std::uint32_t>(nodes_.size());
            entry.closed = static_cast<const CCadCurve*>(element)->closed != 0;
            nodes_.push_back(segments.head->next->value.start);
            for (auto* segment = segments.head->next; segment != segments.head; segment = segment->next) {
                nodes_.push_back(segment->value.end);
            }
            entry.count = static_cast<std::uint32_t>(nodes_.size()) - entry.first - 1;
        } else if (element->typeCode == kPointElement) {
            const auto* position = static_cast<const CCadPoint*>(element);
            entry.kind = Kind::Point;
            entry.first = static_cast<std::uint32_t>(nodes_.size());
            nodes_.push_back({position->x, position->y});
        } else if (const CDbList<CCadElement*>* members = MemberList(element)) {
            // Members are described after their group's entry is placed: the vector may grow meanwhile.
            std::vector<Entry> described;
            for (auto* node = members->head->next; node != members->head; node = node->next) {
                Entry member{node, node->value->rect, Kind::Live, 0, 0, false};
                Describe(node->value, member);
                described.push_back(member);
            }
            entry.kind = Kind::Members;
            entry.first = static_cast<std::uint32_t>(members_.size());
            entry.count = static_cast<std::uint32_t>(described.size());
            members_.insert(members_.end(), described.begin(), described.end());
        } else {
            entry.kind = Kind::Nothing;
        }
    }

    // Offers the entries to the pick; the place of the nearest, `count` when there are none.
    std::size_t NearestOf(const Entry* entries, std::size_t count, SDPoint point, NearestPick& pick) const {
        std::size_t nearest = count;
        for (std::size_t place = 0; place < count; ++place) {
            const Entry& entry = entries[place];
            if (pick.Offer(entry.rect, [&](int& index) { return Measure(entry, point, index); })) {
                nearest = place;
            }
        }
        return nearest;
    }

    double Measure(const Entry& entry, SDPoint point, int& index) const {
        index = 0;
        switch (entry.kind) {
            case Kind::Curve: {
                const SDPoint* first = nodes_.data() + entry.first;
                const SDPoint* last = first + entry.count;
                const SDPoint* next = first + 1;
                const auto nextEnd = [&next, last](SDPoint& end) {
                    if (next > last) {
                        return false;
                    }
                    end = *next++;
                    return true;
                };
                const auto countSegments = [&entry] { return static_cast<int>(entry.count); };
                return NodeDistance(entry.closed, *first, *last, nextEnd, countSegments, index, point);
            }
            case Kind::Point:
                return SquaredDistance(nodes_[entry.first], point);
            case Kind::Members: {
                NearestPick pick(point);
                NearestOf(members_.data() + entry.first, entry.count, point, pick);
                return pick.Best();
            }
            case Kind::Nothing:
                return CCutOrder::kNoDistance;
            default:
                return Distance(entry.node->value, point, index);
        }
    }

    std::vector<Entry> entries_;
    std::vector<Entry> members_;
    std::vector<SDPoint> nodes_;
};

void TakeCurve(CCadCurve* curve, SDPoint& point) {
    int index = 0;
    CCutOrder::CurveDistance(curve, index, point);
    CCutOrder::SetCurveStart(curve, index, point);
}

void TakePoint(const CCadPoint* position, SDPoint& point) {
    point = {position->x, position->y};
}

}  // namespace

int CCutOrder::MayBeNearer(const CCadRect& rect, SDPoint point, double radius) {
    const double ax = std::fabs(rect.x1 - point.x);
    const double bx = std::fabs(rect.x2 - point.x);
    const double ay = std::fabs(rect.y1 - point.y);
    const double by = std::fabs(rect.y2 - point.y);
    if (ax >= radius && bx >= radius && ay >= radius && by >= radius) {
        return 0;
    }
    const double nearestCorner = std::min(std::min(ax * ay, bx * ay), std::min(bx * by, ax * by));
    return 2 * nearestCorner <= radius * radius ? 1 : 0;
}

double CCutOrder::CurveDistance(const CCadCurve* curve, int& index, SDPoint point) {
    index = 0;
    const CDbList<CFileLine>& segments = curve->pathList;
    if (segments.IsEmpty() != 0) {
        return kNoDistance;
    }
    auto* segment = segments.head;
    const auto nextEnd = [&segment, &segments](SDPoint& end) {
        segment = segment->next;
        if (segment == segments.head) {
            return false;
        }
        end = segment->value.end;
        return true;
    };
    const auto countSegments = [&segments] { return segments.GetCount(); };
    return NodeDistance(curve->closed != 0, segments.head->next->value.start, segments.head->prev->value.end,
                        nextEnd, countSegments, index, point);
}

void CCutOrder::SetCurveStart(CCadCurve* curve, int index, SDPoint& point) {
    CDbList<CFileLine>& segments = curve->pathList;
    const int count = segments.GetCount();
    if (count == 0 || index < 0 || index > count) {
        return;
    }
    if (curve->closed != 0 && index > 0 && index < count) {
        auto* last = segments.head->next;
        for (int node = 1; node < index; ++node) {
            last = last->next;
        }
        RotateToEndWith(segments, last);
    } else if (curve->closed == 0 && index != 0) {
        curve->TransDir();
    }
    point = segments.head->prev->value.end;
}

void CCutOrder::TakeReference(const CCadOrderGroup* group, SDPoint& point) {
    if (group->reference != nullptr && group->reference->typeCode == kCurveElement) {
        TakeCurve(static_cast<CCadCurve*>(group->reference), point);
    }
}

void CCutOrder::OrderGroup(CCadOrderGroup* group, std::uint16_t code, SDPoint& point) {
    CDbList<CCadElement*>& children = group->children;
    if (children.IsEmpty() == 0) {
        SortByDirection(children, code, point.x, point.y, 0);
        if (children.head->next->next != children.head) {
            for (auto* node = children.head->next; node != children.head; node = node->next) {
                OrderGroup(static_cast<CCadOrderGroup*>(node->value), code, point);
            }
        } else {
            auto* cell = static_cast<CCadOrderGroup*>(children.head->next->value);
            cutorder::Replace(children, cell->children);
            DeleteGroup(cell);
            OrderNearest(group, code, point);
        }
    }
    TakeReference(group, point);
}

void CCutOrder::OrderNearest(CCadOrderGroup* group, std::uint16_t code, SDPoint& point) {
    CDbList<CCadElement*> ordered;
    NearestTable table(group->children);
    while (!table.IsEmpty()) {
        int startIndex = 0;
        CCadElement* item = table.MoveNearest(group->children, point, ordered, startIndex);
        TakeItem(item, startIndex, code, point);
    }
    cutorder::Replace(group->children, ordered);
}

void CCutOrder::TakeItem(CCadElement* item, int startIndex, std::uint16_t code, SDPoint& point) {
    if (item->typeCode == kCurveElement) {
        SetCurveStart(static_cast<CCadCurve*>(item), startIndex, point);
    } else if (item->typeCode == kPointElement) {
        TakePoint(static_cast<const CCadPoint*>(item), point);
    } else if (IsGroupElement(item)) {
        OrderGroupElement(item, point, code);
    } else if (item->typeCode == kOrderGroupElement) {
        OrderGroup(static_cast<CCadOrderGroup*>(item), code, point);
    }
}

void CCutOrder::OrderGroupElement(CCadElement* element, SDPoint& point, std::uint16_t code) {
    CDbList<CCadElement*>& members = MembersOf(element);
    if (members.IsEmpty() != 0) {
        return;
    }
    BlockPass(members, code);
    CDbList<CCadElement*> ordered;
    NearestTable table(members);
    while (!table.IsEmpty()) {
        int startIndex = 0;
        CCadElement* item = table.MoveNearest(members, point, ordered, startIndex);
        if (item->typeCode == kCurveElement) {
            SetCurveStart(static_cast<CCadCurve*>(item), startIndex, point);
        } else if (item->typeCode == kPointElement) {
            TakePoint(static_cast<const CCadPoint*>(item), point);
        } else if (item->typeCode == kGroupElement) {
            // Texts and arrays inside a group keep their own order.
            OrderGroupElement(item, point, code);
        } else if (IsOwnGroup(item)) {
            OrderInGroupElement(static_cast<CCadOrderGroup*>(item), point, code);
            UnlinkNode(ordered, ordered.head->prev);
            FlattenInto(item, ordered);
        }
    }
    cutorder::Replace(members, ordered);
}

void CCutOrder::OrderInGroupElement(CCadOrderGroup* group, SDPoint& point, std::uint16_t code) {
    CDbList<CCadElement*> ordered;
    NearestTable table(group->children);
    while (!table.IsEmpty()) {
        int startIndex = 0;
        CCadElement* item = table.MoveNearest(group->children, point, ordered, startIndex);
        if (item->typeCode == kOrderGroupElement) {
            auto* nested = static_cast<CCadOrderGroup*>(item);
            if (nested->reference != nullptr) {
                BlockPass(nested->children, code);
            }
            OrderInGroupElement(nested, point, code);
        } else {
            TakeItem(item, startIndex, code, point);
        }
    }
    cutorder::Replace(group->children, ordered);
    TakeReference(group, point);
}
