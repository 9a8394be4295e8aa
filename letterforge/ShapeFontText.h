// Text in a single-byte shape font of the index layout: a 28-byte header text, a u16 shape count N, N
// index entries (u16 code, u16 definition length) in ascending code order, then the definitions one
// after another. A definition's first byte is its name's place; commands follow until a zero byte.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "TextLines.h"

namespace letterforge {

// The definition of exactly this code, or empty when the font has no such shape, its index is short or
// the definition runs past the end of the file.
std::span<const std::uint8_t> ReadShapeBytes(int code, std::span<const std::uint8_t> font);

// Appends the text's curves; shape units are height / 6 mm, lines stack upwards from y = 0.
void ShapeFontText(CurveList& out, std::string_view text, double height, double charSpace, double lineSpace,
                   std::span<const std::uint8_t> font);

// Adds the move from (xa, ya) to (xb, yb) in shape units, mapped to mm about the origin (ox, oy), to the
// current curve; a segment that does not start within 0.1 mm of the curve's end starts a new curve, and
// the old one goes to out. Nothing happens without a current curve.
void ShapeFontLine(std::unique_ptr<CFileCurve>& current, CurveList& out, double height, double xa, double ya,
                   double xb, double yb, double ox, double oy);

}  // namespace letterforge
