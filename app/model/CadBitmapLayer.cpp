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
    const BitmapLayerParams& p = bitmapParams;
    LayerOutputRecord::Bitmap& out = record.bitmap;
    out.color = commonParams.COM_Color;
    out.negative = p.Eng_Invert;
    out.optimisedScan = p.Eng_EnOptim;
    out.ramp = p.Eng_EnSlope;
    out.rampLength = p.Eng_SlopeLen;
    out.independentOutput = p.Eng_OptMode;
    out.outputDirect = p.Eng_OptDirect;
    out.overstriking = p.Eng_ThickFont;
    out.scanMode = p.Eng_Type;
    out.scanInterval = p.Eng_Space;
    out.cutAfterScan = p.Eng_EnCut;
    out.cutSpeed = p.EngCut_Speed;
    out.cutMinPower1 = p.EngCut_Pmin1;
    out.cutMaxPower1 = p.EngCut_Pmax1;
    out.cutMinPower2 = p.EngCut_Pmin2;
    out.cutMaxPower2 = p.EngCut_Pmax2;
    out.cutBlower = p.EngCut_Blow;
    out.cutDefaultSpeed = p.EngCut_DefaultSpeed;
    out.cutDefaultPower = p.EngCut_DefaultPower;
    out.cutSeal = p.EngCut_Close;
    out.cutOnDelay = p.EngCut_OnDelay;
    out.cutOffDelay = p.EngCut_OffDelay;
}
