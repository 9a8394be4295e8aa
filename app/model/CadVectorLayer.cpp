// CCadVectorLayer: the vector parameter block, its two stored layouts and the output record.
#include "CadVectorLayer.h"

#include "FieldWalks.h"

namespace {

void ExchangeVectorBlock(platform::Archive& ar, VectorLayerParams& params, LayerLayout layout) {
    ExchangeFields(ar, params, static_cast<int>(layout));
}

}  // namespace

CCadVectorLayer::CCadVectorLayer() : CCadKindLayer(kVectorLayer) {
    CCadVectorLayer::SetDefaults();
}

void CCadVectorLayer::SerializeOld(platform::Archive& ar) {
    ExchangeRecord(ar, vectorParams, LayerLayout::Older, ExchangeVectorBlock);
}

void CCadVectorLayer::SerializeCurrent(platform::Archive& ar) {
    ExchangeRecord(ar, vectorParams, LayerLayout::Current, ExchangeVectorBlock);
}

void CCadVectorLayer::SetDefaults() {
    CCadLayer::SetDefaults();
    commonParams.COM_Type = kVectorLayer;
    commonParams.COM_Color = 0;
    vectorParams = VectorLayerParams{};
}

void CCadVectorLayer::ToOutputRecord(LayerOutputRecord& record) const {
    FillCommonOutput(record.common);
    CopyFieldsByKey(commonParams, record.vector);  // the colour
    CopyFieldsByKey(vectorParams, record.vector);
    CopyFieldsByKey(vectorParams, record.pen);
}
