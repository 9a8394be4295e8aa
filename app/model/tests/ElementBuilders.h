// Builders of the elements that the composite element tests put together: curves from points, texts of
// glyph curves, small bitmaps, and a walk of a child list.
#pragma once

#include <memory>
#include <vector>

#include "CadBitmap.h"
#include "CadCurve.h"
#include "CadGroup.h"
#include "CadPoint.h"
#include "CadText.h"
#include "GeometryTestHelpers.h"

inline std::unique_ptr<CCadCurve> MakeCurve(const std::vector<SDPoint>& points, bool closed = false) {
    auto curve = std::make_unique<CCadCurve>();
    cutrix::testing::AddPolyline(curve->pathList, points, closed);
    curve->closed = closed ? 1 : 0;
    curve->CalRect();
    return curve;
}

// The square of side `size` with its lower-left corner at `corner`.
inline std::unique_ptr<CCadCurve> MakeSquare(SDPoint corner, double size) {
    return MakeCurve({corner, {corner.x + size, corner.y}, {corner.x + size, corner.y + size}, {corner.x, corner.y + size}},
                     true);
}

inline std::unique_ptr<CCadPoint> MakePoint(double x, double y) {
    auto point = std::make_unique<CCadPoint>();
    point->x = x;
    point->y = y;
    point->CalRect();
    return point;
}

// A text of `glyphs` square glyphs of 3 mm, 4 mm apart, from the origin.
inline std::unique_ptr<CCadText> MakeText(int glyphs) {
    auto text = std::make_unique<CCadText>();
    text->textParam.text = "ABCD";
    for (int index = 0; index < glyphs; ++index) {
        text->children.AddTail(MakeSquare({4.0 * index, 0}, 3).release());
    }
    text->CalRect();
    return text;
}

// A 1-bit image of width x height pixels, centred on `centre`, with a pattern in its rows.
inline std::unique_ptr<CCadBitmap> MakeBitmap(std::int32_t width, std::int32_t height, SDPoint centre) {
    auto bitmap = std::make_unique<CCadBitmap>();
    bitmap->dib = *platform::DibBlock::CreateBlank(width, height, 1);
    std::span<std::uint8_t> pixels = bitmap->dib.MutablePixels();
    for (std::size_t index = 0; index < pixels.size(); ++index) {
        pixels[index] = static_cast<std::uint8_t>(0xA5 ^ index);
    }
    bitmap->dib.MutablePalette()[4] = 0xFF;
    bitmap->centre = centre;
    bitmap->reserved = 77;
    bitmap->CalRect();
    return bitmap;
}

inline std::vector<CCadElement*> Children(const CCadGroup& group) {
    std::vector<CCadElement*> children;
    for (auto* node = group.children.head->next; node != group.children.head; node = node->next) {
        children.push_back(node->value);
    }
    return children;
}

inline std::vector<CCadElement*> Elements(const CDbList<CCadElement*>& list) {
    std::vector<CCadElement*> elements;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        elements.push_back(node->value);
    }
    return elements;
}
