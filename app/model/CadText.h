// CCadText: element type 5, a text held as the curves of its glyph outlines together with the parameters
// that produced them and the linear part of every transform applied since, so that glyphs rebuilt later
// take the same shape. The glyphs themselves are built by the text engine.
#pragma once

#include "CadGroup.h"
#include "TextParam.h"

class CCadText : public CCadGroup {
  public:
    // A glyph point (x, y) maps to (a x + b y, c x + d y).
    struct GlyphMatrix {
        double a = 1.0;
        double b = 0.0;
        double c = 0.0;
        double d = 1.0;

        friend bool operator==(const GlyphMatrix&, const GlyphMatrix&) = default;
    };

    CTextParam textParam;
    GlyphMatrix glyphMatrix;

    // Type 5, default parameters, identity matrix, no glyphs.
    CCadText();

    // The text record: the parameters, the matrix, the glyph count (i32), then each glyph as type code 1
    // and its curve record. Loading replaces everything; a glyph that is not a curve, a short record or a
    // count beyond the bytes left throws ArchiveError and leaves the text unchanged.
    void Serialize(platform::Archive& ar) override;
    // The group's transforms, then the matrix follows the linear part (moves leave it).
    void TransDrag(double sx, double sy, double px, double py) override;
    void TransRotate(double cx, double cy, double angle) override;
    void TransSkew(double cx, double cy, double angleX, double angleY) override;
    void XMirror(double x) override;
    void YMirror(double y) override;
    // Copies of the glyphs moved by (dx, dy), the parameters and the matrix; 0 unless the source is a text.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    // Appends the glyph curves in order; the text keeps them.
    void CollectCurves(CDbList<CCadElement*>& curves);
    // Maps every glyph curve by the matrix about the glyph origin; the identity does nothing. Neither
    // the rectangle nor the position is refreshed: the caller does both.
    void ApplyMatrix();
};
