// The SHX branch of text creation: the five double-byte fonts go to the shape renderer with the big
// font, every other font file to the index-layout reader.
#pragma once

#include <string>

#include "TextLines.h"

namespace letterforge {

int TextCreateShx(CurveList& out, const std::string& text, double height, double charSpace, double lineSpace,
                  double widthRatio, const std::string& fontName, double x0, double y0);

}  // namespace letterforge
