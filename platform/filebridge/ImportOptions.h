// What the caller of an import decides: units, the colours that stand for layers and pens, and
// whether DXF texts are drawn.
#pragma once

#include <array>
#include <cstdint>

namespace filebridge {

// A colour word as the drawing stores it: 0x00BBGGRR.
constexpr std::uint32_t RgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (green << 8) | (static_cast<std::uint32_t>(blue) << 16);
}

struct ImportOptions {
    static constexpr double kDefaultPltUnitsPerInch = 1016.0;

    double pltUnitsPerInch = kDefaultPltUnitsPerInch;  // 10..10000
    double mmPerDxfUnit = 1.0;                         // DXF only
    std::array<std::uint32_t, 256> layerColours{};     // PLT pen n is entry n - 1
    std::uint32_t defaultColour = 0;                   // for what the file leaves uncoloured
    bool drawDxfText = false;

    // Out-of-range values fall back to what a user would expect rather than failing the import.
    static ImportOptions Sanitised(double precision, double unitScale, const std::uint32_t* colours,
                                   std::uint32_t colour, bool dxfText);
};

}  // namespace filebridge
