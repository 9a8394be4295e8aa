// CShxText: the renderer of the five SHX fonts that carry double-byte characters. Single-byte shapes
// come from the font file (sequential layout), double-byte shapes from the big font; each shape is
// decoded into strokes by the decoder of its kind, and characters advance by per-font rules.
//
// Font file: a 25-byte signature block, two unused u16, 48 bytes of font information, then up to 177
// records (u16 code, u16 length, the definition). Big font: the signature block, u16 header word 8,
// u16 shape count N, u16 range count R, R ranges (u16, u16), then N index entries (u16 code, u16
// length, u32 file offset). Every count, length and offset is checked against the file.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ShxCharacters.h"
#include "ShxFontFiles.h"
#include "ShxPolyline.h"
#include "TextLines.h"

namespace letterforge {

// Both files of one text, read once; the missing-font message is given at most once per text.
struct ShxFontFiles {
    FontBytes font;
    FontBytes bigFont;
    bool missingFontReported = false;
};

// Values of the font index.
enum ShxFontIndex : int { kGbcBig = 0, kKhz = 1, kHt = 2, kFs = 3, kHzTxt = 4 };

// The font index of one of the five names (upper case), or -1 for any other name.
int ShxFontIndexOf(std::string_view upperName);

// One line to draw; the insertion point is the top of the line, its baseline one height lower.
struct ShxTextEntity {
    double x = 0.0;
    double y = 0.0;
    double height = 0.0;
    double widthFactor = 1.0;
    double rotation = 0.0;
    std::vector<ShxChar> text;
    std::string style = "STANDARD";
    int fontIndex = kGbcBig;
};

class CShxText {
  public:
    // The arguments of every decoder: origin and size in mm, the definition.
    struct ShapeCall {
        double x;
        double y;
        double h;
        double w;
        double rotation;
        std::span<const std::uint8_t> bytes;
    };

    CShxText(ShxFontFiles& files, int fontIndex) : fonts(files), index(fontIndex) {}

    // Length of the single-byte shape's definition (now held as the current shape); 0 when no record of
    // the first 177 has the code or its definition is cut short, -2 when the font cannot be read (the
    // missing-font message is given), -3 when its signature is wrong.
    int ReadShape(std::uint8_t code);
    // Length of the double-byte shape's definition (now held as the current shape); -1 when the index
    // has no usable entry for the code, -2 when the big font cannot be read, -3 for a wrong signature,
    // -4 when the header word is not 8.
    int ReadBigShape(std::uint16_t code);

    std::vector<ShxPolyline> DrawString(const ShxTextEntity& entity);

    void DecodeShape(const ShapeCall& call);
    void DecodeBigShape0(const ShapeCall& call);
    void DecodeBigShape1(const ShapeCall& call);
    void DecodeBigShape2(const ShapeCall& call);
    void DecodeBigShape3(const ShapeCall& call);
    void DecodeBigShape4(const ShapeCall& call);

    // Sixteen points of the arc from (px, py) by (dx, dy) bulging by bulge / 127 of half the chord (to
    // the left of the chord for a positive bulge): from the start towards the end through the apex, the
    // end itself excluded. Empty for bulge 0, a straight line.
    static std::vector<SDPoint> BulgeArcPoints(double px, double py, double dx, double dy, double bulge);

    const std::vector<ShxPolyline>& Polylines() const { return polylines; }

  private:
    void DecodeBig(const ShapeCall& call);

    ShxFontFiles& fonts;
    int index;
    std::span<const std::uint8_t> shape;
    std::vector<ShxPolyline> polylines;
};

// One curve of line segments per polyline with at least two vertices, appended to out in order.
void ShxVerticesToCurves(CurveList& out, const std::vector<ShxPolyline>& polylines);

// Draws the text line by line (the last lowest, 1.66667 heights plus lineSpace apart) with a renderer
// of the named font.
void ShxTextDraw(CurveList& out, std::string_view text, double x0, double y0, double height, double widthRatio,
                 double lineSpace, std::string_view upperName, ShxFontFiles& files);

}  // namespace letterforge
