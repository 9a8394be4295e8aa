// CCadBitmapLayer: the bitmap parameter block, its two stored layouts and the output record.
#include "CadBitmapLayer.h"

#include "FieldWalks.h"

namespace {

void ExchangeBitmapBlock(platform::Archive& ar, BitmapLayerParams& params, LayerLayout layout) {
    ExchangeFields(ar, params, static_cast<int>(layout));
}

}  // namespace

CCadBitmapLayer::CCadBitmapLayer() : CCadKindLayer(kBitmapLayer) {
    CCadBitmapLayer::SetDefaults();
}

void CCadBitmapLayer::SerializeOld(platform::Archive& ar) {
    ExchangeRecord(ar, bitmapParams, LayerLayout::Older, ExchangeBitmapBlock);
}

void CCadBitmapLayer::SerializeCurrent(platform::Archive& ar) {
    ExchangeRecord(ar, bitmapParams, LayerLayout::Current, ExchangeBitmapBlock);
}

void CCadBitmapLayer::SetDefaults() {
    CCadLayer::SetDefaults();
    commonParams.COM_Type = kBitmapLayer;
    commonParams.COM_Color = 0;
    bitmapParams = BitmapLayerParams{};
    elements.RemoveAll();
}

void CCadBitmapLayer::ToOutputRecord(LayerOutputRecord& record) const {
    FillCommonOutput(record.common);
    CopyFieldsByKey(commonParams, record.bitmap);  // the colour
    CopyFieldsByKey(bitmapParams, record.bitmap);
}
