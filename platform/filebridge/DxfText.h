// DXF TEXT and MTEXT drawn as glyph outlines of the system's sans-serif face.
#pragma once

#include <string_view>
#include <vector>

#include "FileLine.h"
#include "PathGeometry.h"

namespace filebridge {

// Appends the text's outlines: baseline starting at `insertion`, capital height `height`, widened by
// `widthFactor` and turned by `radians`, then mapped by `plane`. MTEXT paragraph breaks ("\P") start a
// new line; other inline formatting codes are dropped. Nothing is appended when no face is installed.
void AppendDxfText(std::string_view utf8, double height, double widthFactor, double radians, const Affine& plane,
                   SDPoint insertion, std::vector<CFileLine>& segments);

}  // namespace filebridge
