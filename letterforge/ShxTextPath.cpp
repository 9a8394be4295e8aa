// Routing an SHX text by its font's name.
#include "ShxTextPath.h"

#include <algorithm>

#include "ShapeFontText.h"
#include "ShxText.h"

namespace letterforge {

int TextCreateShx(CurveList& out, const std::string& text, double height, double charSpace, double lineSpace,
                  double widthRatio, const std::string& fontName, double x0, double y0) {
    std::string upperName = fontName;
    std::transform(upperName.begin(), upperName.end(), upperName.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (ShxFontIndexOf(upperName) >= 0) {
        ShxFontFiles files{ReadShxFont(fontName), ReadShxFont("BIG.SHX"), false};
        ShxTextDraw(out, text, x0, y0, height, widthRatio, lineSpace, upperName, files);
        return 0;
    }
    const FontBytes font = ReadShxFont(fontName);
    if (font) {
        ShapeFontText(out, text, height, charSpace, lineSpace, *font);
    }
    return 0;
}

}  // namespace letterforge
