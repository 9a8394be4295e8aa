// CCadLayer: the common parameter block, its stored form, the edit copy and the element list.
#include "CadLayer.h"

#include "FieldWalks.h"
#include "SettingsGlobals.h"

CCadLayer::CCadLayer(std::uint16_t layerKind) : layerKind_(layerKind) {
    CCadLayer::SetDefaults();
}

void CCadLayer::Serialize(platform::Archive& ar) {
    if (ar.IsStoring() || FileFormatFlag == kCurrentLayout) {
        SerializeCurrent(ar);
    } else {
        SerializeOld(ar);
    }
}

// The common block is the same in both layouts.
void CCadLayer::SerializeOld(platform::Archive& ar) {
    SerializeCurrent(ar);
}

void CCadLayer::SerializeCurrent(platform::Archive& ar) {
    LayerCommonParams params = commonParams;
    ExchangeCommonBlock(ar, params);
    commonParams = params;
}

void CCadLayer::SetDefaults() {
    commonParams = LayerCommonParams{};
}

void CCadLayer::BeginEdit() {
    editCommonParams = commonParams;
}

void CCadLayer::CommitEdit() {
    commonParams = editCommonParams;
    commonParams.COM_Type = layerKind_;  // the class decides the kind, whatever the edit copy says
}

void CCadLayer::RemoveElement(const CCadElement* element) {
    if (element == nullptr) {
        return;
    }
    for (int more = elements.MoveFirst(); more != 0; more = elements.MoveNext()) {
        if (elements.cursor->value == element) {
            elements.RemoveCurrent();
            return;
        }
    }
}

void CCadLayer::ExchangeCommonBlock(platform::Archive& ar, LayerCommonParams& params) const {
    ExchangeFields(ar, params);
    if (ar.IsLoading() && params.COM_Type != layerKind_) {
        // The object was created as the kind its framing named; a record of the other kind would leave a
        // layer that is later deleted or cast as the wrong class.
        throw platform::ArchiveError("layer record of the other layer kind");
    }
}

void CCadLayer::CopyCommonParams(const LayerCommonParams& source) {
    const std::uint16_t outputNumber = commonParams.COM_OutputNo;
    commonParams = source;
    commonParams.COM_OutputNo = outputNumber;
}

void CCadLayer::FillCommonOutput(LayerOutputRecord::Common& common) const {
    CopyFieldsByKey(commonParams, common);
}
