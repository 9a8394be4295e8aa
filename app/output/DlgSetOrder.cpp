#include "DlgSetOrder.h"

#include <algorithm>
#include <ranges>

#include "CadElement.h"
#include "CadMgr.h"
#include "DrawingChange.h"
#include "RectMath.h"
#include "SettingsGlobals.h"

namespace {

// Smaller than this a band is a click, not an area.
constexpr double kMinBandMm = 0.001;
constexpr std::uint16_t kPickStartPoint = 1;

std::string ElementName(int row) {
    return (LanguageIndex == kLanguageSimplifiedChinese ? "图元" : "Element") + std::to_string(row);
}

bool Contains(const std::vector<CCadElement*>& elements, const CCadElement* element) {
    return std::ranges::find(elements, element) != elements.end();
}

}  // namespace

void CDlgSetOrder::OnInitDialog() {
    savedShowPath_ = ::ShowPathOn;
    manager_.ClearSelection();
    Fill();
}

void CDlgSetOrder::Fill() {
    RectUnion extent;
    int row = 0;
    for (auto* node = manager_.elementList.head->next; node != manager_.elementList.head; node = node->next) {
        CCadElement* element = node->value;
        element->selected = 0;
        extent.Add(element->rect);
        element->name = ElementName(++row);
        remaining_.push_back(element);
    }
    unionRect_ = extent.Result(CCadRect(0, 0, 0, 0, 0));
}

void CDlgSetOrder::Empty() {
    for (CCadElement* element : remaining_) {
        element->selected = 0;
    }
    for (CCadElement* element : ordered_) {
        element->selected = 0;
    }
    remaining_.clear();
    ordered_.clear();
    remainingSelection_.clear();
    orderedSelection_.clear();
}

std::vector<CCadElement*>& CDlgSetOrder::ListOf(OrderList list) {
    return list == OrderList::kRemaining ? remaining_ : ordered_;
}

std::vector<CCadElement*>& CDlgSetOrder::SelectionOf(OrderList list) {
    return list == OrderList::kRemaining ? remainingSelection_ : orderedSelection_;
}

const std::vector<CCadElement*>& CDlgSetOrder::Elements(OrderList list) const {
    return list == OrderList::kRemaining ? remaining_ : ordered_;
}

const std::vector<CCadElement*>& CDlgSetOrder::Selection(OrderList list) const {
    return list == OrderList::kRemaining ? remainingSelection_ : orderedSelection_;
}

// The order is numbered from 1 and the remaining rows follow it, so each row shows the place its element
// would take if OK were pressed now.
std::vector<CDlgSetOrder::Row> CDlgSetOrder::Rows(OrderList list) const {
    const int first = list == OrderList::kOrdered ? 1 : static_cast<int>(ordered_.size()) + 1;
    std::vector<Row> rows;
    int number = first;
    for (const CCadElement* element : Elements(list)) {
        rows.push_back({number++, element->name, element->selected != 0});
    }
    return rows;
}

void CDlgSetOrder::MirrorSelection(OrderList list) {
    for (CCadElement* element : ListOf(list)) {
        element->selected = Contains(SelectionOf(list), element) ? 1 : 0;
    }
}

void CDlgSetOrder::OnMoveSelected() {
    for (CCadElement* element : remainingSelection_) {
        std::erase(remaining_, element);
        ordered_.push_back(element);
        orderedSelection_.push_back(element);
    }
    remainingSelection_.clear();
}

void CDlgSetOrder::OnMoveAll() {
    for (CCadElement* element : remaining_) {
        ordered_.push_back(element);
        if (element->selected != 0) {
            orderedSelection_.push_back(element);
        }
    }
    remaining_.clear();
    remainingSelection_.clear();
}

void CDlgSetOrder::OnRestart() {
    Empty();
    Fill();
}

void CDlgSetOrder::OnReverse() {
    for (const std::vector<CCadElement*>* selection : {&remainingSelection_, &orderedSelection_}) {
        for (CCadElement* element : *selection) {
            element->TransDir();
            reversedAny_ = true;
        }
    }
}

void CDlgSetOrder::OnReOrder(OrderList list) {
    std::ranges::reverse(ListOf(list));
}

void CDlgSetOrder::OnMoveUp() {
    for (CCadElement* element : orderedSelection_) {
        const auto place = std::ranges::find(ordered_, element);
        if (place == ordered_.begin()) {
            return;
        }
        std::iter_swap(place, place - 1);
    }
}

void CDlgSetOrder::OnMoveDown() {
    for (CCadElement* element : std::views::reverse(orderedSelection_)) {
        const auto place = std::ranges::find(ordered_, element);
        if (place + 1 == ordered_.end()) {
            return;
        }
        std::iter_swap(place, place + 1);
    }
}

void CDlgSetOrder::OnShowPath() {
    ::ShowPathOn = ::ShowPathOn != 0 ? 0 : 1;
}

bool CDlgSetOrder::ShowPathOn() const {
    return ::ShowPathOn != 0;
}

void CDlgSetOrder::SelectRows(OrderList list, const std::vector<int>& rows) {
    active_ = list;
    std::vector<CCadElement*>& selection = SelectionOf(list);
    selection.clear();
    const std::vector<CCadElement*>& elements = ListOf(list);
    for (int row : rows) {
        if (row >= 0 && row < static_cast<int>(elements.size())) {
            selection.push_back(elements[static_cast<std::size_t>(row)]);
        }
    }
    MirrorSelection(list);
}

void CDlgSetOrder::PickAt(platform::Point logical, platform::DeviceContext& viewDC) {
    for (OrderList list : {OrderList::kRemaining, OrderList::kOrdered}) {
        std::vector<CCadElement*>& selection = SelectionOf(list);
        selection.clear();
        for (CCadElement* element : ListOf(list)) {
            if (element->HitTest(logical.x, logical.y, &viewDC) != 0) {
                selection.push_back(element);
                break;
            }
        }
        MirrorSelection(list);
    }
}

bool CDlgSetOrder::SelectInBand(const CCadRect& bandMm) {
    CCadRect band = bandMm;
    band.Normalize();
    if (band.x2 - band.x1 < kMinBandMm || band.y2 - band.y1 < kMinBandMm) {
        return false;
    }
    for (OrderList list : {OrderList::kRemaining, OrderList::kOrdered}) {
        std::vector<CCadElement*>& selection = SelectionOf(list);
        selection.clear();
        for (CCadElement* element : ListOf(list)) {
            if (element->IsInRect(band) != 0) {
                selection.push_back(element);
            }
        }
        MirrorSelection(list);
    }
    return true;
}

void CDlgSetOrder::PickPathAt(platform::Point logical, platform::DeviceContext& viewDC) {
    for (const std::vector<CCadElement*>* selection : {&remainingSelection_, &orderedSelection_}) {
        for (CCadElement* element : *selection) {
            element->HitTestPath(logical.x, logical.y, &viewDC, kPickStartPoint);
        }
    }
}

bool CDlgSetOrder::HasSelection() const {
    return !remainingSelection_.empty() || !orderedSelection_.empty();
}

void CDlgSetOrder::OnOK() {
    ::ShowPathOn = savedShowPath_;
    std::vector<CCadElement*> order = ordered_;
    order.insert(order.end(), remaining_.begin(), remaining_.end());
    Empty();
    dialogs::ApplyToDrawing(manager_, [&order](CCadMgr& drawing) { drawing.ReorderElements(order); });
}

void CDlgSetOrder::OnCancel() {
    ::ShowPathOn = savedShowPath_;
    Empty();
    if (reversedAny_) {
        // The reversed directions stay: the drawing has changed, and the history takes it as one step.
        manager_.NotifyModified();
    }
}
