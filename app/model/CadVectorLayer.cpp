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
    const VectorLayerParams& p = vectorParams;
    LayerOutputRecord::Vector& out = record.vector;
    out.color = commonParams.COM_Color;
    out.workType = p.COM_WorkType;
    out.ramp = p.Eng_EnSlope;
    out.rampLength = p.Eng_SlopeLen;
    out.overstriking = p.Eng_ThickFont;
    out.scanMode = p.Eng_Type;
    out.scanInterval = p.Eng_Space;
    out.independentOutput = p.Eng_OptMode;
    out.circleHandling = p.Eng_EnCircle;
    out.circleMaxDiameter = p.Eng_CircleMaxDia;
    out.circleReplacementDiameter = p.Eng_CircleDia;
    out.cutAfterScan = p.Eng_EnCut;
    out.cutSpeed = p.EngCut_Speed;
    out.cutMinPower1 = p.EngCut_Pmin1;
    out.cutMaxPower1 = p.EngCut_Pmax1;
    out.cutMinPower2 = p.EngCut_Pmin2;
    out.cutMaxPower2 = p.EngCut_Pmax2;
    out.cutBlower = p.EngCut_Blow;
    out.cutSeal = p.EngCut_Close;
    out.cutOnDelay = p.EngCut_OnDelay;
    out.cutOffDelay = p.EngCut_OffDelay;
    out.cutDefaultSpeed = p.EngCut_DefaultSpeed;
    out.cutDefaultPower = p.EngCut_DefaultPower;
    out.seal = p.Cut_Close;
    out.onDelay = p.Cut_OnDelay;
    out.offDelay = p.Cut_OffDelay;
    out.kerfCompensation = p.Cut_EnSew;
    out.kerfDirection = p.Cut_SewDir;
    out.kerfWidth = p.Cut_SewWidth;
    out.throughMode = p.Cut_ThroughMode;
    out.dotTime = p.Dot_Time;
    out.dotInterval = p.Dot_Space;
    out.dotLength = p.Dot_Len;
    out.centreDot = p.Dot_EnCenter;
    record.pen.downDelay = p.Pen_DownDelay;
    record.pen.upDelay = p.Pen_UpDelay;
}
