// CCadMgr: grouping and ungrouping the selection, the array copy, and closing the selected curves.
// Elements that move between the top level and a group keep their layers; whatever joins the top level
// is registered (name, counter, layers), whatever leaves it is counted out.
#include <algorithm>
#include <memory>
#include <vector>

#include "CadArray.h"
#include "CadMgr.h"
#include "ElementFactory.h"
#include "ListNodes.h"
#include "Progress.h"

namespace {

bool IsComposite(std::uint16_t typeCode) {
    return typeCode == kGroupElement || typeCode == kTextElement || typeCode == kArrayElement;
}

// Takes the values out of the list; the caller owns them.
std::vector<CCadElement*> TakeAll(CDbList<CCadElement*>& list) {
    std::vector<CCadElement*> values;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        values.push_back(node->value);
    }
    list.RemoveAll();
    return values;
}

}  // namespace

void CCadMgr::UnlinkTopLevel(CCadElement* element) {
    RemoveFromSelection(element);
    LeaveElementList(element);
}

void CCadMgr::GroupSelection() {
    if (selectionList.GetCount() < 2) {
        return;
    }
    auto group = std::make_unique<CCadGroup>();
    for (CCadElement* element : SelectedElements()) {
        UnlinkTopLevel(element);
        if (element->typeCode == kGroupElement || element->typeCode == kTextElement) {
            static_cast<CCadGroup*>(element)->CollectLeavesTo(group->children);
            delete element;
        } else if (element->typeCode == kArrayElement) {
            // The first cell keeps the array's own elements on their layers; AddElement lays the copies.
            static_cast<CCadArray*>(element)->Expand(group->children);
            delete element;
        } else {
            group->children.AddTail(element);
        }
    }
    group->CalRect();
    CCadGroup* added = group.get();
    AddElement(group.release());
    RenumberElements();
    NotifyModified();
    ClearSelection();
    AddToSelection(added);
    CalcSelectionRect();
    PostToOwner(kElementsLoadedMessage);
}

void CCadMgr::UngroupSelection() {
    if (selectionList.IsEmpty()) {
        return;
    }
    bool dissolved = false;
    for (CCadElement* element : SelectedElements()) {
        if (!IsComposite(element->typeCode)) {
            continue;
        }
        dissolved = true;
        auto* before = elementNodes_.at(element)->prev;
        UnlinkTopLevel(element);
        auto* composite = static_cast<CCadGroup*>(element);
        if (element->typeCode == kArrayElement) {
            CDbList<CCadElement*> cells;
            static_cast<CCadArray*>(element)->Expand(cells);
            for (CCadElement* cell : TakeAll(cells)) {
                AddElement(cell);
            }
        } else {
            for (CCadElement* child : TakeAll(composite->children)) {
                child->SetSelect(0);
                before = InsertElementAfter(before, child);
            }
        }
        delete element;
    }
    RebuildLayers();
    if (dissolved) {
        ClearSelection();
        RenumberElements();
        // Ungrouping changes the drawing as grouping does: one undo step, or an undo takes the step before.
        NotifyModified();
        PostToOwner(kElementsLoadedMessage);
    }
}

int CCadMgr::CopyElementTo(std::vector<std::unique_ptr<CCadElement>>& copies, const CCadElement* source,
                           double dx, double dy) {
    if (source == nullptr) {
        return 0;
    }
    std::unique_ptr<CCadElement> copy = CreateElement(source->typeCode);
    if (copy == nullptr || copy->CopyFrom(source, dx, dy) == 0) {
        return 0;
    }
    const bool leaf = source->typeCode == kCurveElement || source->typeCode == kPointElement ||
                      source->typeCode == kBitmapElement;
    copy->layer = leaf ? source->layer : nullptr;
    copies.push_back(std::move(copy));
    return 1;
}

void CCadMgr::ArrayCopySelection(std::uint16_t columns, std::uint16_t rows, double xStep, double yStep,
                                 double oddRowShift, double oddColumnShift) {
    if (columns == 0 || rows == 0 || (columns == 1 && rows == 1) || selectionList.IsEmpty()) {
        return;
    }
    std::vector<std::unique_ptr<CCadElement>> copies;
    for (const CCadElement* source : SelectedElements()) {
        for (int row = 0; row < rows; ++row) {
            for (int step = 0; step < columns; ++step) {
                const int column = row % 2 == 0 ? step : columns - 1 - step;
                if (column == 0 && row == 0) {
                    continue;
                }
                const double dx = column * xStep + (row % 2 == 1 ? oddRowShift : 0.0);
                const double dy = row * yStep + (column % 2 == 1 ? oddColumnShift : 0.0);
                if (CopyElementTo(copies, source, dx, dy) == 0) {
                    copies.clear();  // none of a failed command's copies joins the drawing
                    RenumberElements();
                    Redraw();
                    return;
                }
            }
        }
    }
    for (std::unique_ptr<CCadElement>& copy : copies) {
        AddElement(copy.release());
    }
    RenumberElements();
    Redraw();
}

void CCadMgr::AutoCloseSelection(double tolerance, std::int32_t forceClose, double progressStart,
                                 double progressSpan) {
    ProgressRatio = progressStart;
    const std::vector<CCadElement*> selected = SelectedElements();
    for (std::size_t index = 0; index < selected.size(); ++index) {
        selected[index]->AutoClose(tolerance, forceClose);
        const double done =
            progressSpan * static_cast<double>(index + 1) / static_cast<double>(selected.size());
        ProgressRatio = progressStart + std::min(done, progressSpan);
    }
    ProgressRatio = progressStart + progressSpan;
}
