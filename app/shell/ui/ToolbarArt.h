// The pictures of the main window's bars, drawn when the bars are made from short stroke programs, so
// that the program ships no image files for them.
#pragma once

#include <QImage>

#include <cstdint>
#include <span>
#include <string_view>

// The colour a toolbar strip treats as transparent; its top-left pixel always has it.
constexpr QRgb kStripTransparent = 0xFFFF00FF;
constexpr int kButtonImageSize = 16;

// Draws a stroke program onto the image, its coordinates taken from `offset`. A program is a list of
// blank-separated words, pixel coordinates as integers; a command letter may carry its first number
// ("M3 1" is "M 3 1"):
//   k b r g s y w    pen and fill colour: black, blue, red, green, grey, yellow, white
//   M x y            move the pen;  L x y  line from the pen to the point, which becomes the pen
//   R x y w h        rectangle outline (w + 1 by h + 1 pixels);  F x y w h  filled rectangle (w by h)
//   E x y w h        ellipse outline in that rectangle
//   T x1 y1 x2 y2 x3 y3   filled triangle
//   P x y            one pixel
// False, with what came before drawn, at an unknown word or a missing number.
bool DrawPicture(QImage& image, QPoint offset, std::string_view program);

// The strip of a toolbar table: one 16 x 16 picture per command id other than 0, in table order, on the
// transparent colour. An id without a picture of its own gets a plain framed square.
QImage PaintToolbarStrip(std::span<const std::uint16_t> ids);
bool HasButtonPicture(std::uint16_t id);
