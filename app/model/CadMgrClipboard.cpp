// CCadMgr: Copy, Cut and Paste through the manager's own clipboard of element copies.
#include <memory>
#include <vector>

#include "CadMgr.h"
#include "RecordingBackend.h"
#include "RectMath.h"

namespace {

void DeleteElements(CDbList<CCadElement*>& list) {
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        delete node->value;
    }
    list.RemoveAll();
}

}  // namespace

void CCadMgr::CopySelection() {
    if (selectionList.IsEmpty()) {
        return;
    }
    std::vector<std::unique_ptr<CCadElement>> copies;
    for (const CCadElement* element : SelectedElements()) {
        CopyElementTo(copies, element, 0.0, 0.0);  // a copy that failed is left out
    }
    DeleteElements(clipboardList);
    for (std::unique_ptr<CCadElement>& copy : copies) {
        copy->layer = nullptr;
        clipboardList.AddTail(copy.release());
    }
}

void CCadMgr::CutSelection() {
    if (selectionList.IsEmpty()) {
        return;
    }
    CopySelection();
    DeleteSelection();
}

void CCadMgr::PasteAt(std::int32_t x, std::int32_t y) {
    if (clipboardList.IsEmpty() || ownerWindow_ == nullptr) {
        return;
    }
    // A context for the conversion alone: the view's mapping over the client area.
    const platform::ClientRect client = ownerWindow_->GetClientRect();
    platform::DeviceContext mapping(
        std::make_unique<platform::RecordingBackend>(platform::Size{client.Width(), client.Height()}));
    PrepareDC(mapping);
    const platform::Point logical = mapping.DPtoLP(platform::Point{x, y});

    RectUnion clipboardExtent;
    for (auto* node = clipboardList.head->next; node != clipboardList.head; node = node->next) {
        clipboardExtent.Add(node->value->rect);
    }
    const CCadRect extent = clipboardExtent.Result(CCadRect());
    const double dx = logical.x * 0.001 - (extent.x1 + extent.x2) / 2;
    const double dy = logical.y * 0.001 - (extent.y1 + extent.y2) / 2;
    std::vector<std::unique_ptr<CCadElement>> copies;
    for (auto* node = clipboardList.head->next; node != clipboardList.head; node = node->next) {
        CopyElementTo(copies, node->value, dx, dy);
    }
    for (std::unique_ptr<CCadElement>& copy : copies) {
        copy->layer = nullptr;
        AddElement(copy.release());
    }
    RenumberElements();
    PostToOwner(kElementsLoadedMessage);
}
