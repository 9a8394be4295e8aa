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
