// CCadMgr: the processing order of the elements, the extents of the drawing, and lead lines given to the
// selected curves.
#include "CadArray.h"
#include "CadMgr.h"
#include "CutrixAssert.h"
#include "RectMath.h"
#include "SettingsRecords.h"

namespace {

bool IsPenLayer(const CCadLayer* layer) {
    return layer->commonParams.COM_Type == CCadLayer::kVectorLayer &&
           static_cast<const CCadVectorLayer*>(layer)->vectorParams.COM_WorkType == VectorLayerParams::kPen;
}

}  // namespace

void CCadMgr::RenumberElements() {
    elementIndex_.Invalidate();  // the index hands out candidates in list order
    std::uint32_t order = 0;
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        node->value->orderNumber = ++order;
    }
}

void CCadMgr::MoveElementOrder(std::uint32_t from, std::uint32_t to) {
    const auto count = static_cast<std::uint32_t>(elementList.GetCount());
    if (from >= 1 && from <= count && to >= 1 && to <= count && from != to) {
        auto* moved = elementList.head->next;
        for (std::uint32_t place = 1; place < from; ++place) {
            moved = moved->next;
        }
        // Relinking keeps every node, so the index of element nodes stays valid.
        moved->prev->next = moved->next;
        moved->next->prev = moved->prev;
        auto* before = elementList.head;
        for (std::uint32_t place = 1; place < to; ++place) {
            before = before->next;
        }
        moved->prev = before;
        moved->next = before->next;
        before->next->prev = moved;
        before->next = moved;
    }
    RenumberElements();
    NotifyModified();
    Redraw();
}

void CCadMgr::ReorderElements(std::span<CCadElement* const> order) {
    CUTRIX_ASSERT(order.size() == static_cast<std::size_t>(elementList.GetCount()));
    // Relinking the list's own nodes keeps the index of element nodes valid.
    auto* previous = elementList.head;
    for (CCadElement* element : order) {
        auto* node = elementNodes_.at(element);
        previous->next = node;
        node->prev = previous;
        previous = node;
    }
    previous->next = elementList.head;
    elementList.head->prev = previous;
    RenumberElements();
}

int CCadMgr::GetDataRect(CCadRect& out) const {
    RectUnion extent;
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        const CCadElement* element = node->value;
        extent.Add(element->typeCode == kArrayElement ? static_cast<const CCadArray*>(element)->frameRect
                                                      : element->rect);
    }
    out = extent.Result(CCadRect(0, 0, 0, 0, 0));
    return extent.Any() ? 1 : 0;
}

int CCadMgr::GetLayerDataRect(CCadRect& out) const {
    RectUnion extent;
    for (auto* layerNode = layerList.head->next; layerNode != layerList.head; layerNode = layerNode->next) {
        const CCadLayer* layer = layerNode->value;
        const bool shifted = IsPenLayer(layer);
        for (auto* node = layer->elements.head->next; node != layer->elements.head; node = node->next) {
            CCadRect rect = node->value->rect;
            if (shifted) {
                rect.Offset(gOutputOptions.laser2OffsetXMm, gOutputOptions.laser2OffsetYMm);
            }
            extent.Add(rect);
        }
    }
    out = extent.Result(CCadRect(0, 0, 0, 0, 0));
    return extent.Any() ? 1 : 0;
}

void CCadMgr::SetSelectionCutInOut(const CCutInOutPara& leadIn, const CCutInOutPara& leadOut) {
    if (selectionList.IsEmpty()) {
        return;
    }
    for (CCadElement* element : SelectedElements()) {
        if (element->typeCode == kCurveElement) {
            static_cast<CCadCurve*>(element)->SetCutInOutPara(leadIn, leadOut);
        }
    }
    Redraw();
}
