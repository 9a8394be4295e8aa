// The layer parameter dialog's edit state; see the header.
#include "LayerEditState.h"

#include <algorithm>

#include "CadBitmapLayer.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "CurrentEditLayer.h"
#include "SettingsGlobals.h"

namespace {

constexpr int kPenModeIndex = static_cast<int>(LayerPage::Pen);

bool PenModeOffered() {
    return PenModeFlag == 1;
}

}  // namespace

bool LayerEditState::BeginEdit() {
    if (CurrentEditLayer == nullptr || SelectedRow() < 0) {
        return false;
    }
    for (auto* node = manager_.layerList.head->next; node != manager_.layerList.head; node = node->next) {
        node->value->BeginEdit();
    }
    return true;
}

int LayerEditState::RowCount() const {
    return static_cast<int>(manager_.layerList.GetCount());
}

CCadLayer* LayerEditState::LayerAt(int row) const {
    int index = 0;
    for (auto* node = manager_.layerList.head->next; node != manager_.layerList.head; node = node->next) {
        if (index++ == row) {
            return node->value;
        }
    }
    return nullptr;
}

int LayerEditState::SelectedRow() const {
    int index = 0;
    for (auto* node = manager_.layerList.head->next; node != manager_.layerList.head; node = node->next) {
        if (node->value == CurrentEditLayer) {
            return index;
        }
        ++index;
    }
    return -1;
}

void LayerEditState::Select(int row) {
    if (CCadLayer* layer = LayerAt(row)) {
        CurrentEditLayer = layer;
    }
}

LayerCommonParams& LayerEditState::Common() const {
    return CurrentEditLayer->editCommonParams;
}

VectorLayerParams* LayerEditState::Vector() const {
    if (CurrentEditLayer == nullptr || CurrentEditLayer->commonParams.COM_Type != CCadLayer::kVectorLayer) {
        return nullptr;
    }
    return &static_cast<CCadVectorLayer*>(CurrentEditLayer)->editVectorParams;
}

BitmapLayerParams* LayerEditState::Bitmap() const {
    if (CurrentEditLayer == nullptr || CurrentEditLayer->commonParams.COM_Type != CCadLayer::kBitmapLayer) {
        return nullptr;
    }
    return &static_cast<CCadBitmapLayer*>(CurrentEditLayer)->editBitmapParams;
}

std::vector<LayerPage> LayerEditState::ModeItems() const {
    if (!IsVector()) {
        return {LayerPage::Scan};
    }
    std::vector<LayerPage> items{LayerPage::Scan, LayerPage::Cut, LayerPage::Dot};
    if (PenModeOffered()) {
        items.push_back(LayerPage::Pen);
    }
    return items;
}

int LayerEditState::ModeSelection() const {
    const VectorLayerParams* vector = Vector();
    if (vector == nullptr) {
        return 0;
    }
    const int mode = std::min<int>(vector->COM_WorkType, kPenModeIndex);
    return mode < static_cast<int>(ModeItems().size()) ? mode : -1;
}

LayerPage LayerEditState::ShownPage() const {
    const VectorLayerParams* vector = Vector();
    if (vector == nullptr) {
        return LayerPage::Scan;
    }
    const int lastPage = static_cast<int>(ModeItems().size()) - 1;
    return static_cast<LayerPage>(std::min<int>(vector->COM_WorkType, lastPage));
}

bool LayerEditState::PowerControlsEnabled() const {
    const VectorLayerParams* vector = Vector();
    return vector == nullptr || vector->COM_WorkType < kPenModeIndex;
}

void LayerEditState::ChooseMode(int modeIndex) {
    VectorLayerParams* vector = Vector();
    if (vector == nullptr || modeIndex < 0 || modeIndex >= static_cast<int>(ModeItems().size())) {
        return;
    }
    vector->COM_WorkType = static_cast<std::uint16_t>(modeIndex);
}

void LayerEditState::CommitEdit() {
    for (auto* node = manager_.layerList.head->next; node != manager_.layerList.head; node = node->next) {
        node->value->CommitEdit();
    }
    manager_.CopyLayersToTables();
}
