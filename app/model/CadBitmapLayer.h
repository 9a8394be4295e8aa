// CCadBitmapLayer: the layer kind for bitmaps, which are always engraved by scanning. Besides the common
// block it carries the scan parameters and those of an optional cut after the scan.
#pragma once

#include <cstdint>

#include "CadKindLayer.h"
#include "LayerOutputRecord.h"

// The bitmap parameter block. Units: speeds mm/s, powers percent, lengths mm, delays ms.
struct BitmapLayerParams {
    static constexpr std::size_t kOlderStoredBytes = 115;
    static constexpr std::size_t kCurrentStoredBytes = 119;

    std::int32_t Eng_Invert = 0;     // negative engraving
    std::int32_t Eng_EnOptim = 0;    // optimised scan
    std::int32_t Eng_EnSlope = 0;    // ramp effect
    std::int32_t Eng_OptDirect = 0;  // grey levels output without processing
    std::int32_t Eng_OptMode = 0;    // each bitmap scanned as a block of its own
    double Eng_SlopeLen = 0.0;
    std::uint16_t Eng_ThickFont = 0;  // 0 no processing, 1 scan the font, 2 scan the background
    std::uint8_t Eng_Type = 1;        // 0/1 horizontal one-way/two-way, 2/3 vertical one-way/two-way
    double Eng_Space = 0.1;
    // Cut after scanning.
    std::int32_t Eng_EnCut = 0;
    double EngCut_Speed = 0.0;
    double EngCut_Pmin1 = 30.0;
    double EngCut_Pmax1 = 30.0;
    double EngCut_Pmin2 = 30.0;
    double EngCut_Pmax2 = 30.0;
    std::int32_t EngCut_Blow = 1;
    std::int32_t EngCut_DefaultSpeed = 0;
    std::int32_t EngCut_DefaultPower = 0;
    double EngCut_Close = 0.0;
    double EngCut_OnDelay = 0.0;
    double EngCut_OffDelay = 0.0;

    friend bool operator==(const BitmapLayerParams&, const BitmapLayerParams&) = default;
};

// The bitmap block's table in stored order; the current layout (1) appends the independent output.
template <RecordOf<BitmapLayerParams> Params, typename Visit>
void VisitFields(Params& p, Visit&& visit) {
    using namespace layer_range;
    visit(FieldInfo{"Eng_Invert", "", kSwitch, 0, 1200}, p.Eng_Invert);
    visit(FieldInfo{"Eng_EnOptim", "", kSwitch, 0, 1201}, p.Eng_EnOptim);
    visit(FieldInfo{"Eng_EnSlope", "", kSwitch, 0, 1202}, p.Eng_EnSlope);
    visit(FieldInfo{"Eng_SlopeLen", "mm", kRampMm, 3, 1204}, p.Eng_SlopeLen);
    visit(FieldInfo{"Eng_OptDirect", "", kSwitch, 0, 1212}, p.Eng_OptDirect);
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
    visit(FieldInfo{"EngCut_DefaultSpeed", "", kSwitch, 0, 1065}, p.EngCut_DefaultSpeed);
    visit(FieldInfo{"EngCut_DefaultPower", "", kSwitch, 0, 1066}, p.EngCut_DefaultPower);
    visit(FieldInfo{"EngCut_Close", "mm", kSealMm, 3, 1221}, p.EngCut_Close);
    visit(FieldInfo{"EngCut_OnDelay", "ms", kAmount, 3, 1223}, p.EngCut_OnDelay);
    visit(FieldInfo{"EngCut_OffDelay", "ms", kAmount, 3, 1225}, p.EngCut_OffDelay);
    visit(FieldInfo{.key = "Eng_OptMode", .range = kSwitch, .controlId = 1213, .sinceLayout = 1}, p.Eng_OptMode);
}

// BeginEdit, CommitEdit, CopyParams and LoadFromTable come from CCadKindLayer.
class CCadBitmapLayer : public CCadKindLayer<CCadBitmapLayer> {
  public:
    BitmapLayerParams bitmapParams;      // committed
    BitmapLayerParams editBitmapParams;  // edit copy

    // Type 1, colour 0 and the defaults of both blocks.
    CCadBitmapLayer();

    void SerializeOld(platform::Archive& ar) override;
    void SerializeCurrent(platform::Archive& ar) override;
    // Also empties the element list; the elements stay in the drawing.
    void SetDefaults() override;
    // Fills the common and bitmap parts of the record from the committed parameters.
    void ToOutputRecord(LayerOutputRecord& record) const;
};
