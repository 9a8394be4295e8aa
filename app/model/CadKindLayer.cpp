// CCadKindLayer: the edit copy and the parameter copies of both layer kinds, over each kind's own block.
#include "CadKindLayer.h"

#include "CadBitmapLayer.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"

namespace {

// Where each kind keeps its parameter block, its edit copy, and its table in the manager.
template <typename Layer>
struct KindMembers;

template <>
struct KindMembers<CCadVectorLayer> {
    static constexpr auto committed = &CCadVectorLayer::vectorParams;
    static constexpr auto edit = &CCadVectorLayer::editVectorParams;
    static constexpr auto table = &CCadMgr::vectorLayerTable;
};

template <>
struct KindMembers<CCadBitmapLayer> {
    static constexpr auto committed = &CCadBitmapLayer::bitmapParams;
    static constexpr auto edit = &CCadBitmapLayer::editBitmapParams;
    static constexpr auto table = &CCadMgr::bitmapLayerTable;
};

}  // namespace

template <typename Layer>
void CCadKindLayer<Layer>::BeginEdit() {
    Layer& layer = static_cast<Layer&>(*this);
    layer.*KindMembers<Layer>::edit = layer.*KindMembers<Layer>::committed;
    CCadLayer::BeginEdit();
}

template <typename Layer>
void CCadKindLayer<Layer>::CommitEdit() {
    Layer& layer = static_cast<Layer&>(*this);
    layer.*KindMembers<Layer>::committed = layer.*KindMembers<Layer>::edit;
    CCadLayer::CommitEdit();
}

template <typename Layer>
void CCadKindLayer<Layer>::CopyParams(const Layer* source) {
    if (source == nullptr) {
        return;
    }
    CopyCommonParams(source->commonParams);
    static_cast<Layer&>(*this).*KindMembers<Layer>::committed = source->*KindMembers<Layer>::committed;
}

template <typename Layer>
void CCadKindLayer<Layer>::LoadFromTable(int index) {
    if (index < 0 || index >= CCadMgr::kLayerTableSize) {
        index = 0;
    }
    CopyParams(&(theCadMgr.*KindMembers<Layer>::table)[index]);
}

template class CCadKindLayer<CCadVectorLayer>;
template class CCadKindLayer<CCadBitmapLayer>;
