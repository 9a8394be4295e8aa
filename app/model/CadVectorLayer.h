// CCadVectorLayer: the layer kind for curves, points and text glyphs. Besides the common block it carries
// the parameters of all four processing modes at once (scan, cut, dot, pen); COM_WorkType chooses the
// mode and the parameters of the other modes stay as they are.
#pragma once

#include <cstdint>

#include "CadKindLayer.h"
#include "LayerOutputRecord.h"

// The vector parameter block. Units: speeds mm/s, powers percent, lengths mm, delays ms, dot time s.
struct VectorLayerParams {
    static constexpr std::size_t kOlderStoredBytes = 169;
    static constexpr std::size_t kCurrentStoredBytes = 213;

    // Values of COM_WorkType.
    static constexpr std::uint16_t kScan = 0;
    static constexpr std::uint16_t kCut = 1;
    static constexpr std::uint16_t kDot = 2;
    static constexpr std::uint16_t kPen = 3;

    std::uint16_t COM_WorkType = kCut;
    // Scan.
    std::int32_t Eng_EnSlope = 0;
    double Eng_SlopeLen = 0.0;
    std::uint16_t Eng_ThickFont = 0;  // 0 no processing, 1 scan the font, 2 scan the background
    std::uint8_t Eng_Type = 1;        // 0/1 horizontal one-way/two-way, 2/3 vertical one-way/two-way
    double Eng_Space = 0.1;
    std::int32_t Eng_OptMode = 0;  // output the layer's elements one by one
    std::int32_t Eng_EnCircle = 0;
    double Eng_CircleMaxDia = 0.1;
    double Eng_CircleDia = 0.1;
    // Cut after scanning.
    std::int32_t Eng_EnCut = 0;
    double EngCut_Speed = 100.0;
    double EngCut_Pmin1 = 30.0;
    double EngCut_Pmax1 = 30.0;
    double EngCut_Pmin2 = 30.0;
    double EngCut_Pmax2 = 30.0;
    std::int32_t EngCut_Blow = 0;
    double EngCut_Close = 0.0;
    double EngCut_OnDelay = 0.0;
    double EngCut_OffDelay = 0.0;
    std::int32_t EngCut_DefaultSpeed = 0;
    std::int32_t EngCut_DefaultPower = 0;
    // Cut.
    double Cut_Close = 0.0;  // seal: how far a closed curve is cut past its start
    double Cut_OnDelay = 0.0;
    double Cut_OffDelay = 0.0;
    std::int32_t Cut_EnSew = 0;
    std::uint16_t Cut_SewDir = 0;  // 0 inward, 1 outward
    double Cut_SewWidth = 0.1;
    std::int32_t Cut_ThroughMode = 1;
    // Dot.
    double Dot_Time = 0.1;
    double Dot_Space = 5.0;
    double Dot_Len = 0.0;
    std::uint16_t Dot_EnCenter = 0;  // one dot at each curve's centre instead of dots along it
    // Pen.
    double Pen_DownDelay = 0.0;
    double Pen_UpDelay = 0.0;

    friend bool operator==(const VectorLayerParams&, const VectorLayerParams&) = default;
};

// The vector block's table in stored order. The current layout (1) inserts the through mode after the
// kerf width and appends the pen delays and the scan options that came later; the older layout (0)
// lacks them. The cut's off delay stands before its on delay, while the cut after scanning keeps the
// order on, off.
template <RecordOf<VectorLayerParams> Params, typename Visit>
void VisitFields(Params& p, Visit&& visit) {
    using namespace layer_range;
    constexpr int kCurrent = 1;
    visit(FieldInfo{"COM_WorkType", "", Choice(3), 0, 1184}, p.COM_WorkType);
    visit(FieldInfo{"Eng_EnSlope", "", kSwitch, 0, 1202}, p.Eng_EnSlope);
    visit(FieldInfo{"Eng_SlopeLen", "mm", kRampMm, 3, 1204}, p.Eng_SlopeLen);
    visit(FieldInfo{"Eng_ThickFont", "", Choice(2), 0, 1206}, p.Eng_ThickFont);
    visit(FieldInfo{"Eng_Type", "", Choice(3), 0, 1208}, p.Eng_Type);
    visit(FieldInfo{"Eng_Space", "mm", kScanIntervalMm, 3, 1210}, p.Eng_Space);
    visit(FieldInfo{"Eng_EnCut", "", kSwitch, 0, 1212}, p.Eng_EnCut);
    visit(FieldInfo{"EngCut_Speed", "mm/s", kAmount, 3, 1215}, p.EngCut_Speed);
    visit(FieldInfo{"EngCut_Pmin1", "%", kPercent, 1, 1217}, p.EngCut_Pmin1);
    visit(FieldInfo{"EngCut_Pmax1", "%", kPercent, 1, 1219}, p.EngCut_Pmax1);
    visit(FieldInfo{"EngCut_Pmin2", "%", kPercent, 1, 1228}, p.EngCut_Pmin2);
    visit(FieldInfo{"EngCut_Pmax2", "%", kPercent, 1, 1229}, p.EngCut_Pmax2);
    visit(FieldInfo{"EngCut_Blow", "", kSwitch, 0, 1227}, p.EngCut_Blow);
    visit(FieldInfo{"EngCut_Close", "mm", kSealMm, 3, 1221}, p.EngCut_Close);
    visit(FieldInfo{"EngCut_OnDelay", "ms", kAmount, 3, 1223}, p.EngCut_OnDelay);
    visit(FieldInfo{"EngCut_OffDelay", "ms", kAmount, 3, 1225}, p.EngCut_OffDelay);
    visit(FieldInfo{"EngCut_DefaultSpeed", "", kSwitch, 0, 1065}, p.EngCut_DefaultSpeed);
    visit(FieldInfo{"EngCut_DefaultPower", "", kSwitch, 0, 1066}, p.EngCut_DefaultPower);
    visit(FieldInfo{"Cut_Close", "mm", kSealMm, 3, 1190}, p.Cut_Close);
    visit(FieldInfo{"Cut_OffDelay", "ms", kDelayMs, 3, 1194}, p.Cut_OffDelay);
    visit(FieldInfo{"Cut_OnDelay", "ms", kDelayMs, 3, 1192}, p.Cut_OnDelay);
    visit(FieldInfo{"Cut_EnSew", "", kSwitch, 0, 1049}, p.Cut_EnSew);
    visit(FieldInfo{"Cut_SewDir", "", kSwitch, 0, 1086}, p.Cut_SewDir);
    visit(FieldInfo{"Cut_SewWidth", "mm", kKerfWidthMm, 3, 1044}, p.Cut_SewWidth);
    visit(FieldInfo{.key = "Cut_ThroughMode", .range = kSwitch, .controlId = 1131, .sinceLayout = kCurrent},
          p.Cut_ThroughMode);
    visit(FieldInfo{"Dot_Time", "s", kDotTimeS, 3, 1196}, p.Dot_Time);
    visit(FieldInfo{"Dot_Space", "mm", kAmount, 3, 1198}, p.Dot_Space);
    visit(FieldInfo{"Dot_Len", "mm", kAmount, 3, 1201}, p.Dot_Len);
    visit(FieldInfo{"Dot_EnCenter", "", kSwitch, 0, 1199}, p.Dot_EnCenter);
    visit(FieldInfo{.key = "Pen_DownDelay", .unit = "ms", .range = kDelayMs, .decimals = 3, .controlId = 1089,
                    .sinceLayout = kCurrent},
          p.Pen_DownDelay);
    visit(FieldInfo{.key = "Pen_UpDelay", .unit = "ms", .range = kDelayMs, .decimals = 3, .controlId = 1090,
                    .sinceLayout = kCurrent},
          p.Pen_UpDelay);
    visit(FieldInfo{.key = "Eng_OptMode", .range = kSwitch, .controlId = 1213, .sinceLayout = kCurrent},
          p.Eng_OptMode);
    visit(FieldInfo{.key = "Eng_EnCircle", .range = kSwitch, .sinceLayout = kCurrent}, p.Eng_EnCircle);
    visit(FieldInfo{.key = "Eng_CircleMaxDia", .unit = "mm", .range = kAmount, .decimals = 3, .sinceLayout = kCurrent},
          p.Eng_CircleMaxDia);
    visit(FieldInfo{.key = "Eng_CircleDia", .unit = "mm", .range = kAmount, .decimals = 3, .sinceLayout = kCurrent},
          p.Eng_CircleDia);
}

// BeginEdit, CommitEdit, CopyParams and LoadFromTable come from CCadKindLayer.
class CCadVectorLayer : public CCadKindLayer<CCadVectorLayer> {
  public:
    VectorLayerParams vectorParams;      // committed
    VectorLayerParams editVectorParams;  // edit copy

    // Type 0, colour 0 and the defaults of both blocks.
    CCadVectorLayer();

    void SerializeOld(platform::Archive& ar) override;
    void SerializeCurrent(platform::Archive& ar) override;
    void SetDefaults() override;
    // Fills the common, vector and pen parts of the record from the committed parameters.
    void ToOutputRecord(LayerOutputRecord& record) const;
};
