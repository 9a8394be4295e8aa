// The small value types of drawing: integer points and rectangles, colours, pens, brushes, fonts and the
// mixing modes. Numbers that callers store or pass along (colour layout, raster operation codes, mapping
// mode codes) keep the values of the platform that the drawing code was written for.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its edges. Filled and outlined shapes cover left..right-1 and top..bottom-1 once
// normalised: the right and bottom edges are outside.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // Wide enough for any pair of edges.
    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    // The same rectangle with left <= right and top <= bottom.
    Rect Normalized() const;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as 0x00BBGGRR: red in the low byte, blue in the third.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) |
           (static_cast<ColorRef>(blue) << 16);
}
constexpr std::uint8_t RedOf(ColorRef color) {
    return static_cast<std::uint8_t>(color);
}
constexpr std::uint8_t GreenOf(ColorRef color) {
    return static_cast<std::uint8_t>(color >> 8);
}
constexpr std::uint8_t BlueOf(ColorRef color) {
    return static_cast<std::uint8_t>(color >> 16);
}

// What GetPixel answers for a point outside the surface or on a surface without pixels.
constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

// Line styles. Dash patterns apply to pens one device pixel wide; a wider pen is always solid.
// Null draws nothing.
enum class PenStyle { Solid, Dash, Dot, DashDot, Null };

// A pen by value: selecting one into a context copies it. The width is in logical units; 0 and any
// width that maps to less than one pixel draw one pixel wide.
struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 0;
    ColorRef color = 0;

    static Pen Solid(std::int32_t width, ColorRef color) { return {PenStyle::Solid, width, color}; }
    static Pen Styled(PenStyle style, std::int32_t width, ColorRef color) { return {style, width, color}; }
    static Pen Null() { return {PenStyle::Null, 0, 0}; }

    friend bool operator==(const Pen&, const Pen&) = default;
};

// Solid fills with its colour; Null (hollow) leaves the inside of shapes untouched.
enum class BrushStyle { Solid, Null };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    ColorRef color = Rgb(255, 255, 255);

    static Brush Solid(ColorRef color) { return {BrushStyle::Solid, color}; }
    static Brush Null() { return {BrushStyle::Null, 0}; }

    friend bool operator==(const Brush&, const Brush&) = default;
};

// A font for text output by family name and cell height in device pixels.
struct Font {
    std::string family = "DejaVu Sans";
    std::int32_t pixelHeight = 16;

    friend bool operator==(const Font&, const Font&) = default;
};

// How a pen or brush pixel combines with the pixel below it; the values are the platform's mix codes.
// Copy paints the pen colour; Xor and NotXor combine the colour bits with the pixel's, so drawing the
// same thing twice restores every pixel (rubber bands); Not inverts the pixel whatever the colour.
enum class RasterOp : std::int32_t { Not = 6, XorPen = 7, NotXorPen = 10, CopyPen = 13 };

// Raster operation of block transfers and bitmap output; the value is the platform's code.
enum class BlitOp : std::uint32_t { SrcCopy = 0x00CC0020 };

// Whether text output first fills its cell with the background colour.
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Mapping modes; the values are the platform's codes.
// Text: one logical unit is one device pixel, y grows downward.
// Isotropic: window and viewport extents scale logical units, equally on both axes.
// Anisotropic: as isotropic, but each axis scales on its own.
enum class MapMode : std::int32_t { Text = 1, Isotropic = 7, Anisotropic = 8 };

}  // namespace platform
