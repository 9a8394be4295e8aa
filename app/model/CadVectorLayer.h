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
