// CCadMgr: the drawing manager's side of the cutting order: the start corner from the settings, the split
// of a list into what the optimiser orders (by layer or all at once, groups inside themselves), and the
// start points and lead lines of every element afterwards.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "CadGroup.h"
#include "CadMgr.h"
#include "CutOrder.h"
#include "SettingsRecords.h"

namespace {

constexpr std::uint16_t kLastDirection =
    3;  // 0 up to bottom, 1 bottom to up, 2 left to right, 3 right to left

bool IsGroupKind(const CCadElement* element) {
    return element->typeCode == kGroupElement || element->typeCode == kTextElement ||
           element->typeCode == kArrayElement;
}

std::uint16_t Direction() {
    return std::min(gOptimSettings.blockDirection, kLastDirection);
}

std::uint16_t HeadPosition() {
    return std::min(gGeneralSettings.laserHeadPosition, kLastLaserHeadPosition);
}

bool HeadInRightColumn() {
    return HeadPosition() % 3 == 2;
}

bool HeadInTopRow() {
    return HeadPosition() <= 2;
}

// The head's position before the first element, as every element's start-point choice reads it.
CFileLine ApproachFrom(double x, double y) {
    CFileLine approach;
    approach.start = {x, y};
    approach.end = {x, y};
    return approach;
}

// Start points are moved unless the inner-to-outer mode has already found the cutting ports.
bool MovesStartPoints() {
    const bool portsFound = gOptimSettings.insideToOutside != 0 && gOptimSettings.insideToOutsideMode == 1;
    return gOptimSettings.startPointOptimise != 0 && !portsFound;
}

void FinishElement(CCadElement* element, CFileLine& approach) {
    if (MovesStartPoints()) {
        element->StartPointOptim(&approach);
    }
    element->CalcCutInOut();
}

// Moves every node of `from` whose element passes the test to the end of `to`, in list order.
template <typename Test>
void TakeOut(CDbList<CCadElement*>& from, CDbList<CCadElement*>& to, Test test) {
    for (from.MoveFirst(); from.cursor != from.head;) {
        if (test(from.cursor->value)) {
            to.AddTail(from.cursor->value);
            from.RemoveCurrent();
        } else {
            from.MoveNext();
        }
    }
}

void AppendAll(CDbList<CCadElement*>& from, CDbList<CCadElement*>& to) {
    for (auto* node = from.head->next; node != from.head; node = node->next) {
        to.AddTail(node->value);
    }
    from.RemoveAll();
}

void CopyInto(const CDbList<CCadElement*>& from, CDbList<CCadElement*>& to) {
    for (auto* node = from.head->next; node != from.head; node = node->next) {
        to.AddTail(node->value);
    }
}

// Relinks the list's own nodes into the order of `ordered`, which holds the same elements: the drawing's
// indexes keep pointing at live nodes.
void RelinkInOrder(CDbList<CCadElement*>& list, const CDbList<CCadElement*>& ordered) {
    std::unordered_map<const CCadElement*, CDbList<CCadElement*>::Node*> nodes;
    int count = 0;
    for (auto* node = list.head->next; node != list.head; node = node->next, ++count) {
        nodes.emplace(node->value, node);
    }
    if (static_cast<int>(nodes.size()) != count) {
        // An element listed twice has no one node to keep: the values are written over in order.
        auto* from = ordered.head->next;
        for (auto* node = list.head->next; node != list.head; node = node->next, from = from->next) {
            node->value = from->value;
        }
        return;
    }
    auto* previous = list.head;
    for (auto* node = ordered.head->next; node != ordered.head; node = node->next) {
        auto* own = nodes.at(node->value);
        previous->next = own;
        own->prev = previous;
        previous = own;
    }
    previous->next = list.head;
    list.head->prev = previous;
    list.cursor = list.head->next;
}

}  // namespace

std::uint16_t CCadMgr::GetStartCorner() {
    switch (Direction()) {
        case 0:
            return HeadInRightColumn() ? 8 : 6;
        case 1:
            return HeadInRightColumn() ? 7 : 5;
        case 2:
            return HeadInTopRow() ? 3 : 1;
        default:
            return HeadInTopRow() ? 4 : 2;
    }
}

void CCadMgr::GetStartPoint(double x1, double y1, double x2, double y2, double& startX, double& startY) {
    switch (Direction()) {
        case 0:
            startX = HeadInRightColumn() ? x2 : x1;
            startY = y2;
            break;
        case 1:
            startX = HeadInRightColumn() ? x2 : x1;
            startY = y1;
            break;
        case 2:
            startX = x1;
            startY = HeadInTopRow() ? y2 : y1;
            break;
        default:
            startX = x2;
            startY = HeadInTopRow() ? y2 : y1;
            break;
    }
}

void CCadMgr::OptimizeCutOrder(double x1, double y1, double x2, double y2) {
    ClearSelection();
    double startX = 0.0;
    double startY = 0.0;
    GetStartPoint(x1, y1, x2, y2, startX, startY);
    OptimizeListByLayer(elementList, static_cast<std::int32_t>(gOptimSettings.insideToOutside),
                        GetStartCorner(), startX, startY);
    RenumberElements();
}

void CCadMgr::OptimizeListByLayer(CDbList<CCadElement*>& list, std::int32_t insideToOutside,
                                  std::uint16_t code, double startX, double startY) {
    if (list.IsEmpty() != 0) {
        return;
    }
    CDbList<CCadElement*> rest;
    CopyInto(list, rest);
    CDbList<CCadElement*> result;
    TakeOut(rest, result, IsGroupKind);
    for (auto* node = result.head->next; node != result.head; node = node->next) {
        OptimizeListByLayer(static_cast<CCadGroup*>(node->value)->children, insideToOutside, code, startX,
                            startY);
    }
    CFileLine approach = ApproachFrom(startX, startY);
    CCutOrder order;
    for (auto* layerNode = layerList.head->next; layerNode != layerList.head && rest.IsEmpty() == 0;
         layerNode = layerNode->next) {
        const CCadLayer* layer = layerNode->value;
        const bool vector = layer->commonParams.COM_Type == CCadLayer::kVectorLayer;
        CDbList<CCadElement*> taken;
        TakeOut(rest, taken, [layer, vector](const CCadElement* element) {
            return element->layer == layer && (element->typeCode == kBitmapElement) != vector;
        });
        if (vector && taken.IsEmpty() == 0) {
            order.Optimize(taken, insideToOutside, code, startX, startY);
            for (auto* node = taken.head->next; node != taken.head; node = node->next) {
                FinishElement(node->value, approach);
            }
        }
        AppendAll(taken, result);
    }
    // An element on no listed layer is kept, after the layers' elements.
    AppendAll(rest, result);
    RelinkInOrder(list, result);
}

void CCadMgr::OrderElementList(CDbList<CCadElement*>* list, double startX, double startY,
                               std::uint16_t code) {
    if (list == nullptr || list->IsEmpty() != 0) {
        return;
    }
    CFileLine approach = ApproachFrom(startX, startY);
    CDbList<CCadElement*> ordered;
    CopyInto(*list, ordered);
    CCutOrder order;
    order.Optimize(ordered, static_cast<std::int32_t>(gOptimSettings.insideToOutside), code, startX, startY);
    RelinkInOrder(*list, ordered);
    for (auto* node = list->head->next; node != list->head; node = node->next) {
        if (IsGroupKind(node->value)) {
            OrderGroupChildren(node->value);
        }
    }
    for (auto* node = list->head->next; node != list->head; node = node->next) {
        FinishElement(node->value, approach);
    }
    RenumberElements();
}

void CCadMgr::OrderGroupChildren(CCadElement* element) {
    if (element == nullptr || !IsGroupKind(element)) {
        return;
    }
    CDbList<CCadElement*>& children = static_cast<CCadGroup*>(element)->children;
    if (children.IsEmpty() != 0) {
        return;
    }
    SDPoint reference{0.0, 0.0};
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        const CCadElement* child = node->value;
        if (child->typeCode == kCurveElement) {
            const auto* curve = static_cast<const CCadCurve*>(child);
            if (curve->pathList.IsEmpty() == 0) {
                reference = curve->pathList.head->next->value.start;
                break;
            }
        } else if (node->next == children.head) {
            return;
        }
    }
    CCadRect box = element->rect;
    const std::array<SDPoint, 4> corners = {SDPoint{box.x1, box.y2}, SDPoint{box.x2, box.y2},
                                            SDPoint{box.x2, box.y1}, SDPoint{box.x1, box.y1}};
    int nearest = 0;
    double best = 0.0;
    for (int corner = 0; corner < 4; ++corner) {
        const double dx = corners[corner].x - reference.x;
        const double dy = corners[corner].y - reference.y;
        const double distance = dx * dx + dy * dy;
        if (corner == 0 || distance < best) {
            best = distance;
            nearest = corner;
        }
    }
    const bool rightCorner = nearest == 1 || nearest == 2;
    const bool topCorner = nearest == 0 || nearest == 1;
    std::uint16_t code = 1;
    switch (gOptimSettings.blockDirection) {
        case 0:
            code = rightCorner ? 8 : 6;
            break;
        case 1:
            code = rightCorner ? 7 : 5;
            break;
        case 2:
            code = topCorner ? 3 : 1;
            break;
        case 3:
            code = topCorner ? 4 : 2;
            break;
        default:
            break;
    }
    CCutOrder order;
    order.Optimize(children, static_cast<std::int32_t>(gOptimSettings.insideToOutside), code,
                   corners[nearest].x, corners[nearest].y);
}
