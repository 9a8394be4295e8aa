// Text to closed outline curves in a TrueType or OpenType face: glyphs laid out line by line in layout
// units (outline units x 0.01), the whole block then scaled to the height in mm about its lower-left
// corner.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TextLines.h"

namespace letterforge {

// 0 when done (curves appended to out), 1 when the face or a glyph outline could not be read (nothing
// appended). `placedStart`, when given, receives where the scaling put (x0, y0), the start of the last
// line's baseline: callers that place text by its baseline read it there.
int TextCreateTrueType(const std::string& text, double height, double charSpace, double lineSpace,
                       double widthRatio, const std::string& faceName, double x0, double y0, CurveList& out,
                       SDPoint* placedStart = nullptr);

// Appends one curve per polygon of the glyph-outline records, placed at the pen and stretched in x about
// it by widthRatio. The records are read within their bounds: a polygon or record that overruns ends
// the walk.
void GlyphOutlineToCurves(const std::vector<std::uint8_t>& records, double penX, double penY, double widthRatio,
                          CurveList& out);

}  // namespace letterforge
