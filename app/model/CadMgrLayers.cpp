// CCadMgr: elements entering and leaving the drawing, their names, and the colour layers they lie on.
// Every list the manager keeps has an index of its nodes beside it, so that no removal walks a list.
#include <cstdio>

#include "CadGroup.h"
#include "CadMgr.h"
#include "CurrentEditLayer.h"
#include "LanguageTexts.h"
#include "ListNodes.h"

namespace {

bool IsElementType(std::uint16_t typeCode) {
    return typeCode >= kCurveElement && typeCode <= kArrayElement;
}

const char* NameKey(std::uint16_t typeCode) {
    switch (typeCode) {
        case kPointElement: return "5";
        case kCurveElement: return "6";
        case kBitmapElement: return "7";
        case kGroupElement: return "8";
        case kTextElement: return "9";
        default: return "A";
    }
}

template <typename Table>
int FindSlotOfColor(const Table& table, std::uint32_t color) {
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        if (table[slot].commonParams.COM_Color == color) {
            return slot;
        }
    }
    return -1;
}

bool HasChildren(std::uint16_t typeCode) {
    return typeCode == kGroupElement || typeCode == kTextElement || typeCode == kArrayElement;
}

template <typename Action>
void ForEachChild(CCadElement* element, Action action) {
    auto& children = static_cast<CCadGroup*>(element)->children;
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        action(node->value);
    }
}

}  // namespace

CCadMgr::~CCadMgr() {
    DeleteAll();
    for (auto* node = clipboardList.head->next; node != clipboardList.head; node = node->next) {
        delete node->value;
    }
    clipboardList.RemoveAll();
}

int CCadMgr::ElementCount(std::uint16_t typeCode) const {
    return IsElementType(typeCode) ? elementCounts_[typeCode] : 0;
}

std::string CCadMgr::MakeElementName(const CCadElement* element) {
    char number[24];
    std::snprintf(number, sizeof number, "%ld",
                  namer_.NextNumber(element->typeCode, ElementCount(element->typeCode)));
    return GetLangText("CadMgr", NameKey(element->typeCode)) + number;
}

void CCadMgr::ReserveElements(std::size_t more) {
    elementNodes_.reserve(elementNodes_.size() + more);
    layerNodes_.reserve(layerNodes_.size() + more);
    namer_.Reserve(more);
}

int CCadMgr::AddElement(CCadElement* element) {
    if (element == nullptr || !IsElementType(element->typeCode) || elementNodes_.contains(element)) {
        return 0;
    }
    InsertElementAfter(elementList.head->prev, element);
    return 1;
}

CDbList<CCadElement*>::Node* CCadMgr::InsertElementAfter(CDbList<CCadElement*>::Node* before,
                                                          CCadElement* element) {
    elementIndex_.Invalidate();
    const long number = namer_.NextNumber(element->typeCode, ElementCount(element->typeCode));
    element->name = MakeElementName(element);
    namer_.Assign(element, element->typeCode, number);
    AttachTree(element);
    ++elementCounts_[element->typeCode];
    auto* node = new CDbList<CCadElement*>::Node(element, before, before->next);
    before->next->prev = node;
    before->next = node;
    ++elementList.count;
    elementNodes_[element] = node;
    return node;
}

// Claims the slot in both tables, so that a bitmap layer of the colour finds it too.
int CCadMgr::GetVectorTableIndex(std::uint32_t color) {
    for (int slot = 0; slot < kLayerTableSize; ++slot) {
        const std::uint32_t slotColor = vectorLayerTable[slot].commonParams.COM_Color;
        if (slotColor == color) {
            return slot;
        }
        if (slot > 0 && slotColor == 0) {
            vectorLayerTable[slot].commonParams.COM_Color = color;
            bitmapLayerTable[slot].commonParams.COM_Color = color;
            return slot;
        }
    }
    return 0;
}

void CCadMgr::AttachTree(CCadElement* element) {
    switch (element->typeCode) {
        case kCurveElement:
        case kPointElement:
            AttachLeaf(element, CCadLayer::kVectorLayer);
            return;
        case kBitmapElement:
            AttachLeaf(element, CCadLayer::kBitmapLayer);
            return;
        default:
            if (HasChildren(element->typeCode)) {
                ForEachChild(element, [this](CCadElement* child) { AttachTree(child); });
            }
    }
}

void CCadMgr::DetachTree(CCadElement* element) {
    if (HasChildren(element->typeCode)) {
        ForEachChild(element, [this](CCadElement* child) { DetachTree(child); });
        return;
    }
    DetachLeaf(element);
}

bool CCadMgr::IsLayerFor(const CCadLayer* layer, const CCadElement* element, std::uint16_t layerKind) const {
    return layer != nullptr && layerListNodes_.contains(layer) && layer->commonParams.COM_Type == layerKind &&
           layer->commonParams.COM_Color == element->color;
}

void CCadMgr::AttachLeaf(CCadElement* element, std::uint16_t layerKind) {
    if (layerNodes_.contains(element)) {
        if (IsLayerFor(element->layer, element, layerKind)) {
            return;  // already where it belongs: moving between the top level and a group keeps it there
        }
        DetachLeaf(element);
    }
    CCadLayer* layer = element->layer;
    if (!IsLayerFor(layer, element, layerKind)) {
        const auto found = layersByColor_[layerKind].find(element->color);
        layer = found != layersByColor_[layerKind].end() ? found->second : nullptr;
    }
    if (layer == nullptr) {
        const int slot = GetVectorTableIndex(element->color);
        if (layerKind == CCadLayer::kVectorLayer) {
            auto* vectorLayer = new CCadVectorLayer;
            vectorLayer->CopyParams(&vectorLayerTable[slot]);
            layer = vectorLayer;
        } else {
            auto* bitmapLayer = new CCadBitmapLayer;
            bitmapLayer->CopyParams(&bitmapLayerTable[slot]);
            layer = bitmapLayer;
        }
        // In a full table the slot may be another colour's: the layer still keys on the element's.
        layer->commonParams.COM_Color = element->color;
        AppendLayer(layer);
    }
    element->layer = layer;
    layerNodes_[element] = AppendNode(layer->elements, element);
}

void CCadMgr::DetachLeaf(CCadElement* element) {
    const auto found = layerNodes_.find(element);
    if (found == layerNodes_.end()) {
        return;
    }
    CCadLayer* layer = element->layer;
    UnlinkNode(layer->elements, found->second);
    layerNodes_.erase(found);
    element->layer = nullptr;
    if (layer->elements.IsEmpty()) {
        DeleteLayer(layer);
    }
}

void CCadMgr::AppendLayer(CCadLayer* layer) {
    layerListNodes_[layer] = AppendNode(layerList, layer);
    layersByColor_[layer->commonParams.COM_Type].try_emplace(layer->commonParams.COM_Color, layer);
}

void CCadMgr::DeleteLayer(CCadLayer* layer) {
    for (auto* node = layer->elements.head->next; node != layer->elements.head; node = node->next) {
        layerNodes_.erase(node->value);
        node->value->layer = nullptr;
    }
    const auto listNode = layerListNodes_.find(layer);
    UnlinkNode(layerList, listNode->second);
    layerListNodes_.erase(listNode);
    auto& byColor = layersByColor_[layer->commonParams.COM_Type];
    const auto indexed = byColor.find(layer->commonParams.COM_Color);
    if (indexed != byColor.end() && indexed->second == layer) {
        byColor.erase(indexed);
        // A stored drawing may hold two layers of one colour: the next of them takes over.
        for (auto* node = layerList.head->next; node != layerList.head; node = node->next) {
            if (node->value->commonParams.COM_Type == layer->commonParams.COM_Type &&
                node->value->commonParams.COM_Color == layer->commonParams.COM_Color) {
                byColor.emplace(layer->commonParams.COM_Color, node->value);
                break;
            }
        }
    }
    if (CurrentEditLayer == layer) {
        CurrentEditLayer = nullptr;
    }
    delete layer;
}

void CCadMgr::AddCurveToLayer(CCadElement* element) {
    AttachLeaf(element, CCadLayer::kVectorLayer);
}

void CCadMgr::AddBitmapToLayer(CCadElement* element) {
    AttachLeaf(element, CCadLayer::kBitmapLayer);
}

void CCadMgr::AddGroupToLayers(CCadElement* element) {
    AttachTree(element);
}

void CCadMgr::AddTextToLayer(CCadElement* element) {
    AttachTree(element);
}

void CCadMgr::RemoveFromVectorLayer(CCadElement* element) {
    DetachLeaf(element);
}

void CCadMgr::RemoveFromBitmapLayer(CCadElement* element) {
    DetachLeaf(element);
}

void CCadMgr::RemoveGroupFromLayers(CCadElement* element) {
    DetachTree(element);
}

void CCadMgr::RemoveTextFromLayers(CCadElement* element) {
    DetachTree(element);
}

void CCadMgr::RemoveFromLayers(CCadElement* element) {
    if (element == nullptr || !IsElementType(element->typeCode)) {
        return;
    }
    DetachTree(element);
    LeaveElementList(element);
}

void CCadMgr::LeaveElementList(CCadElement* element) {
    elementIndex_.Invalidate();
    const auto found = elementNodes_.find(element);
    if (found == elementNodes_.end()) {
        return;
    }
    UnlinkNode(elementList, found->second);
    elementNodes_.erase(found);
    namer_.Release(element);
    --elementCounts_[element->typeCode];
}

void CCadMgr::DropReferences(CCadElement* element) {
    RemoveFromSelection(element);
    if (element->typeCode == kCurveElement) {
        DropNodeSelection(element);
    } else if (HasChildren(element->typeCode)) {
        ForEachChild(element, [this](CCadElement* child) { DropReferences(child); });
    }
}

void CCadMgr::DeleteElement(CCadElement* element) {
    if (element == nullptr) {
        return;
    }
    DropReferences(element);
    RemoveFromLayers(element);
    delete element;
}

void CCadMgr::DeleteAllLayers() {
    while (!layerList.IsEmpty()) {
        DeleteLayer(layerList.head->next->value);
    }
}

void CCadMgr::DeleteAll() {
    DeleteAllLayers();
    ClearSelection();
    ClearNodeSelection();
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        delete node->value;
    }
    elementList.RemoveAll();
    elementNodes_.clear();
    elementCounts_ = {};
    namer_.Clear();
}

// The layers stay with their parameters while their element lists are filled again; those left empty go.
void CCadMgr::RebuildLayers() {
    for (auto* layerNode = layerList.head->next; layerNode != layerList.head; layerNode = layerNode->next) {
        CCadLayer* layer = layerNode->value;
        for (auto* node = layer->elements.head->next; node != layer->elements.head; node = node->next) {
            layerNodes_.erase(node->value);
        }
        layer->elements.RemoveAll();
    }
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        AttachTree(node->value);
    }
    auto* layerNode = layerList.head->next;
    while (layerNode != layerList.head) {
        CCadLayer* layer = layerNode->value;
        layerNode = layerNode->next;
        if (layer->elements.IsEmpty()) {
            DeleteLayer(layer);
        }
    }
}

void CCadMgr::ChangeLeafLayer(CCadElement* element, std::uint32_t color, std::uint16_t layerKind) {
    if (element == nullptr || element->color == color) {
        return;
    }
    DetachLeaf(element);
    element->color = drawColor;
    AttachLeaf(element, layerKind);
}

void CCadMgr::ChangeCurveLayer(CCadElement* element, std::uint32_t color) {
    ChangeLeafLayer(element, color, CCadLayer::kVectorLayer);
}

void CCadMgr::ChangeBitmapLayer(CCadElement* element, std::uint32_t color) {
    ChangeLeafLayer(element, color, CCadLayer::kBitmapLayer);
}

void CCadMgr::ChangeChildrenLayer(CCadElement* element, std::uint32_t color) {
    ForEachChild(element, [this, color](CCadElement* child) { ChangeElementLayer(child, color); });
}

void CCadMgr::ChangeElementLayer(CCadElement* element, std::uint32_t color) {
    if (element == nullptr) {
        return;
    }
    if (element->typeCode == kCurveElement || element->typeCode == kPointElement) {
        ChangeCurveLayer(element, color);
    } else if (element->typeCode == kBitmapElement) {
        ChangeBitmapLayer(element, color);
    } else if (HasChildren(element->typeCode)) {
        ChangeChildrenLayer(element, color);
    }
}

void CCadMgr::SetSelectionLayer(std::uint32_t color) {
    drawColor = color;
    if (selectionList.IsEmpty()) {
        return;
    }
    for (auto* node = selectionList.head->next; node != selectionList.head; node = node->next) {
        ChangeElementLayer(node->value, color);
    }
    Redraw();
    PostToOwner(kElementsLoadedMessage);
    NotifyModified();
}

void CCadMgr::CopyLayersToTables() {
    for (auto* node = layerList.head->next; node != layerList.head; node = node->next) {
        CCadLayer* layer = node->value;
        if (layer->commonParams.COM_Type == CCadLayer::kVectorLayer) {
            const int slot = FindSlotOfColor(vectorLayerTable, layer->commonParams.COM_Color);
            if (slot >= 0) {
                vectorLayerTable[slot].CopyParams(static_cast<CCadVectorLayer*>(layer));
            }
        } else {
            const int slot = FindSlotOfColor(bitmapLayerTable, layer->commonParams.COM_Color);
            if (slot >= 0) {
                bitmapLayerTable[slot].CopyParams(static_cast<CCadBitmapLayer*>(layer));
            }
        }
    }
}
