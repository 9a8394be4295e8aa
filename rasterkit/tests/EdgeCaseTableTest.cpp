// The numeric edge cases of the handle, format, tone, halftone and fill operations, one row each.
#include <gtest/gtest.h>

#include <functional>

#include "Rasterkit.h"
#include "RasterkitTestSupport.h"
#include "ScreenTable.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

// An 8-bit picture of one grey value after `operation`, read back at its first stored pixel.
double GreyAfter(std::uint32_t grey, const std::function<void(DibBlock&)>& operation) {
    DibBlock dib = Painted(4, 4, 8, [&](int, int) { return grey; });
    operation(dib);
    return StoredValue(dib, 0, 0);
}

double WidthAfterTurn(double degrees) {
    DibBlock dib = Created(13, 7, 8);
    _dib_rotate(&dib, degrees);
    return dib.Layout().width;
}

DibBlock ResolutionChanged(int dpi) {
    DibBlock dib = Created(1000, 1000, 1);
    _dib_setresolution(&dib, 100.0, 100.0, dpi);
    return dib;
}

// Value of stored pixel (column, 10) after three rings grown into a black 10 x 10 square on white.
double RingValue(int column) {
    DibBlock dib = Painted(20, 20, 8, [](int c, int r) { return c >= 5 && c < 15 && r >= 5 && r < 15 ? 0u : 255u; });
    _dib_ascentdeal(&dib, 3.0, 1.0);
    return StoredValue(dib, column, 10);
}

double ToggledTimes(std::uint32_t grey, int times) {
    DibBlock dib = Painted(3, 3, 8, [&](int, int) { return grey; });
    for (int i = 0; i < times; ++i) {
        _dib_DrawLine(&dib, CFileLine{}, 1.0, 0, 0, 3, 3);
    }
    return StoredValue(dib, 0, 0);
}

struct EdgeCase {
    const char* what;
    std::function<double()> actual;
    double expected;
};

TEST(EdgeCaseTableTest, EveryCaseGivesItsValue) {
    const EdgeCase cases[] = {
        {"mm per pixel at 2835 pels per metre",
         [] { double mm = 0; DibBlock dib = Created(2, 2, 8); _dib_getdpix(&dib, &mm); return mm; }, 1000.0 / 2835},
        {"new 8-bit bitmap without resolution",
         [] { int x = 0, y = 0; DibBlock dib = Created(2, 2, 8); _dib_getprecision(&dib, &x, &y); return double(x + y); },
         2 * 2835.0},
        {"new 4-bit bitmap reads grey 240", [] { return double(ColourAt(Created(3, 3, 4), 1, 1)); }, 0xF0F0F0},
        {"24-bit pixel blue 1 green 2 red 3",
         [] { return double(ColourAt(Painted(1, 1, 24, [](int, int) { return 0x030201u; }), 0, 0)); },
         3 * 65536.0 + 2 * 256 + 1},
        {"turn by 44.9 degrees", [] { return WidthAfterTurn(44.9); }, 13},
        {"turn by 315 degrees", [] { return WidthAfterTurn(315); }, 13},
        {"turn by -90 degrees", [] { return WidthAfterTurn(-90); }, 7},
        {"turn by 450 degrees", [] { return WidthAfterTurn(450); }, 7},
        {"1000 pixels over 100 mm at 254 dpi", [] { return double(ResolutionChanged(254).Layout().width); }, 1000},
        {"1000 pixels over 100 mm at 300 dpi", [] { return double(ResolutionChanged(300).Layout().width); }, 1181},
        {"pels per metre at 300 dpi", [] { return double(ResolutionChanged(300).InfoHeader()->xPelsPerMeter); }, 11811},
        {"grey 127 to 1 bit", [] { return GreyAfter(127, [](DibBlock& d) { _dib_format(&d, 1); }); }, 1},
        {"grey 126 to 1 bit", [] { return GreyAfter(126, [](DibBlock& d) { _dib_format(&d, 1); }); }, 0},
        {"brightness 40 on 230", [] { return GreyAfter(230, [](DibBlock& d) { _dib_bandc(&d, 0, 40, 0); }); }, 255},
        {"brightness -40 on 20", [] { return GreyAfter(20, [](DibBlock& d) { _dib_bandc(&d, 0, -40, 0); }); }, 0},
        {"contrast -100 on 0", [] { return GreyAfter(0, [](DibBlock& d) { _dib_bandc(&d, 0, 0, -100); }); }, 100},
        {"contrast -100 on 255", [] { return GreyAfter(255, [](DibBlock& d) { _dib_bandc(&d, 0, 0, -100); }); }, 155},
        {"contrast 128 on 129", [] { return GreyAfter(129, [](DibBlock& d) { _dib_bandc(&d, 0, 0, 128); }); }, 255},
        {"contrast 128 on 128", [] { return GreyAfter(128, [](DibBlock& d) { _dib_bandc(&d, 0, 0, 128); }); }, 0},
        {"diffusion of uniform 128 starts black", [] { return GreyAfter(128, [](DibBlock& d) { _dib_dot(&d); }); }, 0},
        {"diffusion of uniform 129 starts white", [] { return GreyAfter(129, [](DibBlock& d) { _dib_dot(&d); }); }, 1},
        {"screen cell at 60 lines per inch, 0.1 mm pixels", [] { return double(rasterkit::ScreenCell(60, 1000, 100.0)); }, 4},
        {"screen cell at 10 lines per inch", [] { return double(rasterkit::ScreenCell(10, 1000, 100.0)); }, 25},
        {"screen cell at 1 line per inch", [] { return double(rasterkit::ScreenCell(1, 1000, 100.0)); }, 64},
        {"outer ring of three", [] { return RingValue(5); }, 170},
        {"second ring of three", [] { return RingValue(6); }, 85},
        {"third ring of three", [] { return RingValue(7); }, 0},
        {"first of 300 rings asked", [] {
             DibBlock dib = Painted(300, 3, 8, [](int c, int) { return c == 0 ? 255u : 0u; });
             _dib_ascentdeal(&dib, 300.0, 1.0);
             return double(StoredValue(dib, 1, 1));
         }, 254},
        {"rings narrower than a pixel", [] {
             DibBlock dib = Painted(9, 9, 8, [](int c, int) { return c < 4 ? 255u : 0u; });
             _dib_ascentdeal(&dib, 0.9, 1.0);
             return double(StoredValue(dib, 4, 4));
         }, 0},
        {"8-bit white marked once", [] { return ToggledTimes(255, 1); }, 80},
        {"8-bit white marked twice", [] { return ToggledTimes(255, 2); }, 255},
        {"8-bit grey marked once", [] { return ToggledTimes(40, 1); }, 255},
    };
    for (const EdgeCase& c : cases) {
        EXPECT_DOUBLE_EQ(c.actual(), c.expected) << c.what;
    }
}

}  // namespace
