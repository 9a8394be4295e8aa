// CCadText: the glyph matrix updates, the copy, the text record and the glyph curve access.
#include "CadText.h"

#include <cmath>

#include "CadCurve.h"

namespace {

bool IsGlyphType(std::uint16_t typeCode) {
    return typeCode == kCurveElement;
}

void ExchangeMatrix(platform::Archive& ar, CCadText::GlyphMatrix& matrix) {
    ar.Exchange(matrix.a);
    ar.Exchange(matrix.b);
    ar.Exchange(matrix.c);
    ar.Exchange(matrix.d);
}

}  // namespace

CCadText::CCadText() : CCadGroup(kTextElement) {}

void CCadText::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        CTextParam storedParam = textParam;
        storedParam.Serialize(ar);
        GlyphMatrix storedMatrix = glyphMatrix;
        ExchangeMatrix(ar, storedMatrix);
        StoreChildren(ar);
        return;
    }
    CTextParam loadedParam;
    loadedParam.Serialize(ar);
    GlyphMatrix loadedMatrix;
    ExchangeMatrix(ar, loadedMatrix);
    for (double value : {loadedMatrix.a, loadedMatrix.b, loadedMatrix.c, loadedMatrix.d}) {
        if (!std::isfinite(value)) {
            throw platform::ArchiveError("glyph matrix with a non-finite value");
        }
    }
    OwnedElements glyphs = LoadChildren(ar, IsGlyphType);
    textParam = std::move(loadedParam);
    glyphMatrix = loadedMatrix;
    ReplaceChildren(std::move(glyphs));
}

void CCadText::TransDrag(double sx, double sy, double px, double py) {
    CCadGroup::TransDrag(sx, sy, px, py);
    glyphMatrix = {glyphMatrix.a * sx, glyphMatrix.b * sx, glyphMatrix.c * sy, glyphMatrix.d * sy};
}

void CCadText::TransRotate(double cx, double cy, double angle) {
    CCadGroup::TransRotate(cx, cy, angle);
    const double c = std::cos(angle), s = std::sin(angle);
    const GlyphMatrix old = glyphMatrix;
    glyphMatrix = {old.a * c - old.c * s, old.b * c - old.d * s, old.a * s + old.c * c, old.b * s + old.d * c};
}

void CCadText::TransSkew(double cx, double cy, double angleX, double angleY) {
    CCadGroup::TransSkew(cx, cy, angleX, angleY);
    const double tanX = std::tan(angleX), tanY = std::tan(angleY);
    const GlyphMatrix old = glyphMatrix;
    glyphMatrix = {old.a - old.c * tanX, old.b - old.d * tanX, old.c + old.a * tanY, old.d + old.b * tanY};
}

void CCadText::XMirror(double x) {
    CCadGroup::XMirror(x);
    glyphMatrix.a = -glyphMatrix.a;
    glyphMatrix.b = -glyphMatrix.b;
}

void CCadText::YMirror(double y) {
    CCadGroup::YMirror(y);
    glyphMatrix.c = -glyphMatrix.c;
    glyphMatrix.d = -glyphMatrix.d;
}

int CCadText::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* text = dynamic_cast<const CCadText*>(source);
    if (text == nullptr || text->typeCode != kTextElement || !CopyChildrenFrom(*text, dx, dy)) {
        return 0;
    }
    CalRect();
    textParam = text->textParam;
    glyphMatrix = text->glyphMatrix;
    return 1;
}

void CCadText::CollectCurves(CDbList<CCadElement*>& curves) {
    ForEachChild([&curves](CCadElement& child) {
        if (child.typeCode == kCurveElement) {
            curves.AddTail(&child);
        }
    });
}

void CCadText::ApplyMatrix() {
    if (glyphMatrix == GlyphMatrix{}) {
        return;
    }
    ForEachChild([this](CCadElement& child) {
        if (auto* curve = dynamic_cast<CCadCurve*>(&child); curve != nullptr) {
            curve->ApplyMatrix(glyphMatrix.a, glyphMatrix.b, glyphMatrix.c, glyphMatrix.d);
        }
    });
}
