// DXF TEXT and MTEXT as outline curves of the text engine: the face named by the text's style, found
// through fontconfig (which answers with the default face for a name it does not know), placed by the
// entity's height, width factor, rotation and justification.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "FileLine.h"
#include "SDPoint.h"

namespace filebridge {

// How a text lines up with the point that places it.
enum class TextAlignX { kLeft, kCentre, kRight, kFit };
enum class TextAlignY { kBaseline, kBottom, kMiddle, kTop };

struct DxfTextEntity {
    std::string text;  // plain: MTEXT's formatting codes already taken out
    std::string fontFamily;
    double height = 0.0;       // drawing units, of a capital letter
    double widthFactor = 1.0;  // TEXT's x scale
    double radians = 0.0;
    // kLeft with kBaseline: the start of the baseline lies on `anchor`; kFit: the text fills the baseline
    // from `anchor` to `fitEnd`. Otherwise the box of the ink lines up with `anchor`.
    SDPoint anchor{};
    SDPoint fitEnd{};
    TextAlignX alignX = TextAlignX::kLeft;
    TextAlignY alignY = TextAlignY::kBaseline;
};

// Each closed contour of the text's glyphs as one curve, in the entity's object coordinates. False, with
// nothing appended, when the text cannot be made: no face, a glyph no face holds, or no usable height.
bool MakeDxfTextCurves(const DxfTextEntity& entity, std::vector<std::vector<CFileLine>>& curves);

// MTEXT's text without its inline codes: "\P" breaks the line, "\~" is a space, stacked fractions keep
// their parts, and font, height, colour and other codes up to their ";" are dropped with the braces.
std::string MtextPlainText(std::string_view text);

// The face a text style names: the font file's name without folder and extension, else the style's name.
std::string StyleFontFamily(std::string_view styleName, std::string_view fontFile);

}  // namespace filebridge
