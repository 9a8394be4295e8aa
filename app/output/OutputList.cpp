#include "OutputList.h"

#include <algorithm>

#include "CadArray.h"
#include "CadGroup.h"
#include "CadMgr.h"
#include "ElementFactory.h"
#include "SettingsRecords.h"

OutputList gOutputList;

namespace {

bool IsContainer(std::uint16_t typeCode) {
    return typeCode == kGroupElement || typeCode == kTextElement || typeCode == kArrayElement;
}

bool IsLeafOnOutputLayer(const CCadElement& element) {
    return element.layer != nullptr && element.layer->commonParams.COM_Output != 0;
}

// Deletes the children that are not output, containers that end up empty included. True when the
// container keeps a child.
bool Prune(CCadGroup& container) {
    CDbList<CCadElement*>& children = container.children;
    children.MoveFirst();
    while (children.cursor != children.head) {
        CCadElement* child = children.cursor->value;
        bool keep = true;
        switch (child->typeCode) {
            case kCurveElement:
            case kBitmapElement:
            case kPointElement:
                keep = IsLeafOnOutputLayer(*child);
                break;
            case kGroupElement:
            case kTextElement:
            case kArrayElement:
                keep = Prune(*static_cast<CCadGroup*>(child));
                break;
            default:
                break;
        }
        if (keep) {
            children.MoveNext();
        } else {
            delete child;
            children.RemoveCurrent();
        }
    }
    return children.IsEmpty() == 0;
}

std::unique_ptr<CCadElement> PrunedCopy(const CCadElement& container) {
    std::unique_ptr<CCadElement> copy = CreateElement(container.typeCode);
    if (copy == nullptr || copy->CopyFrom(&container, 0.0, 0.0) == 0 ||
        !Prune(*static_cast<CCadGroup*>(copy.get()))) {
        return nullptr;
    }
    copy->layer = container.layer;
    if (copy->typeCode == kArrayElement) {
        copy->CalRect();
    }
    return copy;
}

}  // namespace

void OutputList::AppendCopy(std::unique_ptr<CCadElement> copy) {
    elements.AddTail(copy.get());
    copies_.push_back(std::move(copy));
}

void OutputList::ExpandArrays() {
    ElementList expanded;
    for (auto* node = elements.head->next; node != elements.head; node = node->next) {
        CCadElement* element = node->value;
        if (element->typeCode != kArrayElement) {
            expanded.AddTail(element);
            continue;
        }
        ElementList cells;
        static_cast<CCadArray*>(element)->Expand(cells);
        for (auto* cell = cells.head->next; cell != cells.head; cell = cell->next) {
            expanded.AddTail(cell->value);
            copies_.emplace_back(cell->value);
        }
    }
    elements = std::move(expanded);
    // The emptied arrays go with the other copies at Clear.
}

void OutputList::Clear() {
    elements.RemoveAll();
    copies_.clear();
}

int CollectOutputObjects(OutputList& list) {
    const CDbList<CCadElement*>& source =
        gProcessCtrlSettings.outputSelectedOnly != 0 ? theCadMgr.selectionList : theCadMgr.elementList;
    for (auto* node = source.head->next; node != source.head; node = node->next) {
        CCadElement* element = node->value;
        if (!IsContainer(element->typeCode)) {
            if (IsLeafOnOutputLayer(*element)) {
                list.elements.AddTail(element);
            }
        } else if (std::unique_ptr<CCadElement> copy = PrunedCopy(*element)) {
            list.AppendCopy(std::move(copy));
        }
    }
    return list.elements.IsEmpty() == 0 ? 1 : 0;
}
