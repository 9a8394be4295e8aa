// Feeds arbitrary bytes to the three shape-font readers and their decoders: as an index-layout font, a
// sequential-layout font and a big font, drawing a text that reaches many codes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ShapeFontText.h"
#include "ShxText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const char* const text = "AB{}\\P09 &az!~\n中文字\\{x\\\\";
    letterforge::CurveList curves;
    letterforge::ShapeFontText(curves, text, 6.0, 0.5, 1.0, std::span<const std::uint8_t>(bytes));
    for (int fontIndex = letterforge::kGbcBig; fontIndex <= letterforge::kHzTxt; ++fontIndex) {
        letterforge::ShxFontFiles files{bytes, bytes, false};
        static const char* const kNames[] = {"GBCBIG.SHX", "KHZ.SHX", "HT.SHX", "FS.SHX", "HZTXT.SHX"};
        letterforge::ShxTextDraw(curves, text, 0.0, 0.0, 10.0, 1.0, 0.0, kNames[fontIndex], files);
    }
    // Every byte string as one shape definition for every decoder.
    letterforge::ShxFontFiles none{std::nullopt, std::nullopt, true};
    for (int fontIndex = letterforge::kGbcBig; fontIndex <= letterforge::kHzTxt; ++fontIndex) {
        letterforge::CShxText renderer(none, fontIndex);
        const letterforge::CShxText::ShapeCall call{0.0, 0.0, 10.0, 1.0, 0.0, std::span<const std::uint8_t>(bytes)};
        renderer.DecodeShape(call);
        renderer.DecodeBigShape0(call);
        renderer.DecodeBigShape1(call);
        renderer.DecodeBigShape2(call);
        renderer.DecodeBigShape3(call);
        renderer.DecodeBigShape4(call);
    }
    return 0;
}
