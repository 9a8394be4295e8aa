// CCadVectorLayer: the vector parameter block, its two stored layouts and the output record.
#include "CadVectorLayer.h"

namespace {

// Both layouts in one walk, in either direction. The current layout inserts the through mode after the
// kerf width and appends the pen delays and the scan options that came later. The cut's off delay stands
// before its on delay, while the cut after scanning keeps the order on, off.
void ExchangeVectorBlock(platform::Archive& ar, VectorLayerParams& params, LayerLayout layout) {
    const bool current = layout == LayerLayout::Current;
    ar.Exchange(params.COM_WorkType);
    ar.Exchange(params.Eng_EnSlope);
    ar.Exchange(params.Eng_SlopeLen);
    ar.Exchange(params.Eng_ThickFont);
    ar.Exchange(params.Eng_Type);
    ar.Exchange(params.Eng_Space);
    ar.Exchange(params.Eng_EnCut);
    ar.Exchange(params.EngCut_Speed);
    ar.Exchange(params.EngCut_Pmin1);
    ar.Exchange(params.EngCut_Pmax1);
    ar.Exchange(params.EngCut_Pmin2);
    ar.Exchange(params.EngCut_Pmax2);
    ar.Exchange(params.EngCut_Blow);
    ar.Exchange(params.EngCut_Close);
    ar.Exchange(params.EngCut_OnDelay);
    ar.Exchange(params.EngCut_OffDelay);
    ar.Exchange(params.EngCut_DefaultSpeed);
    ar.Exchange(params.EngCut_DefaultPower);
    ar.Exchange(params.Cut_Close);
    ar.Exchange(params.Cut_OffDelay);
    ar.Exchange(params.Cut_OnDelay);
    ar.Exchange(params.Cut_EnSew);
    ar.Exchange(params.Cut_SewDir);
    ar.Exchange(params.Cut_SewWidth);
    if (current) {
        ar.Exchange(params.Cut_ThroughMode);
    }
    ar.Exchange(params.Dot_Time);
    ar.Exchange(params.Dot_Space);
    ar.Exchange(params.Dot_Len);
    ar.Exchange(params.Dot_EnCenter);
    if (current) {
        ar.Exchange(params.Pen_DownDelay);
        ar.Exchange(params.Pen_UpDelay);
        ar.Exchange(params.Eng_OptMode);
        ar.Exchange(params.Eng_EnCircle);
        ar.Exchange(params.Eng_CircleMaxDia);
        ar.Exchange(params.Eng_CircleDia);
    }
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
