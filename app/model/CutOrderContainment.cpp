// CCutOrder: containment by rectangle margins and the winding angle of a contour around a point, and the
// containment tree built from it.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "CutOrder.h"
#include "CutOrderSupport.h"
#include "Geomcore.h"
#include "ListNodes.h"

namespace {

constexpr double kLaterInEarlierMargin = 0.1;    // mm
constexpr double kEarlierInLaterMargin = 0.001;  // mm
constexpr double kFlatteningError = 0.0182;      // mm, of one Bezier step
constexpr int kMaxBezierSteps = 4096;

// The curve an item stands for: a curve itself, an order group's reference curve; else none.
const CCadCurve* CurveOf(const CCadElement* item) {
    if (item->typeCode == kCurveElement) {
        return static_cast<const CCadCurve*>(item);
    }
    if (item->typeCode == kOrderGroupElement) {
        const CCadElement* reference = static_cast<const CCadOrderGroup*>(item)->reference;
        if (reference != nullptr && reference->typeCode == kCurveElement) {
            return static_cast<const CCadCurve*>(reference);
        }
    }
    return nullptr;
}

using cutorder::LiesWithin;

// The item as an order group, turning a plain curve into the reference of a new group in its node.
template <typename MakeGroup>
CCadOrderGroup* EnsureGroup(CDbList<CCadElement*>::Node* node, MakeGroup makeGroup) {
    if (node->value->typeCode == kOrderGroupElement) {
        return static_cast<CCadOrderGroup*>(node->value);
    }
    CCadOrderGroup* group = makeGroup();
    group->reference = node->value;
    node->value = group;
    return group;
}

SDPoint BezierAt(const CFileLine& segment, double t) {
    const double u = 1.0 - t;
    const double a = u * u * u;
    const double b = 3 * u * u * t;
    const double c = 3 * u * t * t;
    const double d = t * t * t;
    return {a * segment.start.x + b * segment.ctrl1.x + c * segment.ctrl2.x + d * segment.end.x,
            a * segment.start.y + b * segment.ctrl1.y + c * segment.ctrl2.y + d * segment.end.y};
}

// The largest distance of a step's curve midpoint from its chord midpoint, over all n steps.
double StepError(const CFileLine& segment, int steps) {
    double worst = 0.0;
    SDPoint from = segment.start;
    for (int step = 1; step <= steps; ++step) {
        const SDPoint to = BezierAt(segment, static_cast<double>(step) / steps);
        const SDPoint middle = BezierAt(segment, (step - 0.5) / steps);
        worst = std::max(worst, std::hypot(middle.x - (from.x + to.x) / 2, middle.y - (from.y + to.y) / 2));
        from = to;
    }
    return worst;
}

class WindingSum {
  public:
    WindingSum(SDPoint point, SDPoint first) : point_(point), last_(first) {}
    void To(SDPoint next) {
        double radians = 0.0;
        _math_cal3ptangle(last_.x, last_.y, point_.x, point_.y, next.x, next.y, &radians);
        sum_ += radians;
        last_ = next;
    }
    double Sum() const { return sum_; }

  private:
    SDPoint point_;
    SDPoint last_;
    double sum_ = 0.0;
};

}  // namespace

int CCutOrder::PointInContour(SDPoint point, const CDbList<CFileLine>& segments, const CCadRect& rect) {
    if (point.x < rect.x1 || point.x > rect.x2 || point.y < rect.y1 || point.y > rect.y2 ||
        segments.IsEmpty()) {
        return 0;
    }
    WindingSum winding(point, segments.head->next->value.start);
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        const CFileLine& segment = node->value;
        if (!segment.IsBezier()) {
            winding.To(segment.end);
            continue;
        }
        int steps = 2;
        while (steps < kMaxBezierSteps && StepError(segment, steps) >= kFlatteningError) {
            steps *= 2;
        }
        for (int step = 1; step <= steps; ++step) {
            winding.To(BezierAt(segment, static_cast<double>(step) / steps));
        }
    }
    const double miss = std::fabs(std::fabs(winding.Sum()) - 2 * std::numbers::pi);
    return std::trunc(miss * 1000.0) * 0.001 <= 1.0 ? 1 : 0;
}

int CCutOrder::IsInside(const CCadElement* outer, const CCadElement* inner) {
    if (outer == nullptr || inner == nullptr || outer->typeCode != kCurveElement ||
        inner->typeCode != kCurveElement) {
        return 0;
    }
    const auto* a = static_cast<const CCadCurve*>(outer);
    const auto* b = static_cast<const CCadCurve*>(inner);
    if (b->closed == 0) {
        const CCadRect& ra = a->rect;
        const CCadRect& rb = b->rect;
        if (rb.x1 - ra.x2 <= 0.001 && ra.x1 - rb.x2 <= 0.001 && rb.y1 - ra.y2 <= 0.001 &&
            ra.y1 - rb.y2 <= 0.001) {
            return 1;
        }
    }
    if (b->pathList.IsEmpty()) {
        return 0;
    }
    return PointInContour(b->pathList.head->next->value.start, a->pathList, a->rect);
}

void CCutOrder::ContainmentPass(CDbList<CCadElement*>& list, CCutOrder* owner) {
    const auto makeGroup = [owner] { return owner != nullptr ? owner->NewGroup() : new CCadOrderGroup; };
    auto* itemA = list.head->next;
    while (itemA != list.head) {
        const CCadCurve* a = CurveOf(itemA->value);
        auto* nextA = itemA->next;
        if (a == nullptr) {
            itemA = nextA;
            continue;
        }
        bool movedA = false;
        auto* itemB = itemA->next;
        while (itemB != list.head) {
            auto* nextB = itemB->next;
            const CCadCurve* b = CurveOf(itemB->value);
            if (b == nullptr || (a->closed == 0 && b->closed == 0)) {
                itemB = nextB;
                continue;
            }
            if (a->closed != 0 && LiesWithin(b->rect, a->rect, kLaterInEarlierMargin) &&
                IsInside(a, b) != 0) {
                EnsureGroup(itemA, makeGroup)->children.AddTail(itemB->value);
                UnlinkNode(list, itemB);
            } else if (b->closed != 0 && LiesWithin(a->rect, b->rect, kEarlierInLaterMargin) &&
                       IsInside(b, a) != 0) {
                EnsureGroup(itemB, makeGroup)->children.AddTail(itemA->value);
                nextA = itemA->next;
                UnlinkNode(list, itemA);
                movedA = true;
                break;
            }
            itemB = nextB;
        }
        itemA = movedA ? nextA : itemA->next;
    }
}

void CCutOrder::GroupByContainment(CDbList<CCadElement*>& list) {
    ContainmentPass(list, nullptr);
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        if (node->value->typeCode == kOrderGroupElement) {
            node->value->CalRect();
        }
    }
}

void CCutOrder::NestByContainment(CDbList<CCadElement*>& list) {
    ContainmentPass(list, this);
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        if (node->value->typeCode == kOrderGroupElement) {
            auto* group = static_cast<CCadOrderGroup*>(node->value);
            group->CalRect();
            NestByContainment(group->children);
        }
    }
}
