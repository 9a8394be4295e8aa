// CMyCurve: the curve that the curve editing engines return, a CBaseCurve with two parameter blocks
// and an option word that its users set; drawn with the bridge marks of its segments visible.
#pragma once

#include <cstdint>

#include "BaseCurve.h"

// One record layout used twice by CMyCurve; the curve classes only construct, copy and archive it.
struct CurveParamBlock {
    std::int32_t kind = 0;
    std::uint16_t flag1 = 0;
    std::uint16_t flag2 = 0;
    std::uint16_t flag3 = 0;
    double length1 = 5.0;
    double value1 = 0.0;
    SDPoint point1;
    SDPoint point2;
    double length2 = 5.0;
    double value2 = 0.0;
    double angle = 90.0;
};

class CMyCurve : public CBaseCurve {
  public:
    CurveParamBlock paramA;  // archived with its two points
    CurveParamBlock paramB;  // archived without its two points
    std::int32_t option = 1;
    std::int32_t combined = 0;  // set by the combine engine on a merged result; not archived

    CMyCurve() = default;
    ~CMyCurve() override = default;

    // option, paramA with its points, paramB without, then the CBaseCurve record.
    void Serialize(platform::Archive& ar) override;
    // Type 0 in the colour, type 2 in the alternate colour, type 1 as a gap; other types not drawn.
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, std::uint32_t colour) override;
    std::unique_ptr<CElement> Clone() const override;
};
