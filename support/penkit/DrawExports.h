// The exported drawing primitives for the main program's segment records. Model coordinates are
// millimetres; a point becomes a logical unit by x 1000, truncated toward zero. Where a function takes
// a mapping context (mapDC), logical points become device points through its mapping and are drawn
// into drawDC, whose units are those device pixels. Every function returns 0.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "DeviceContext.h"
#include "FileLine.h"

// One segment in logical units with the context's pen. With moveFirst non-zero it first moves to the
// start. A Bezier is drawn as a cubic curve, after which the position is its end; any other type is a
// line from the current position to the end.
std::uint16_t _draw_line(platform::DeviceContext* dc, CFileLine segment, int moveFirst);
// As _draw_line, every point converted through mapDC and drawn into drawDC.
std::uint16_t _draw_memline(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC,
                            CFileLine segment, int moveFirst);
// Fills the closed curve with drawDC's pen, one horizontal span per row, even-odd rule; Beziers are
// flattened to 11 pieces. A curve of fewer than three points draws nothing.
std::uint16_t _draw_cfill(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC,
                          CDbList<CFileLine>* curve);
// An arrow head with its tip on the segment's start and its two wings, 8 device pixels long, opening
// 30 degrees to each side of the direction toward the end; drawn with a solid pen of the colour and
// width, the previous pen selected again afterwards.
std::uint16_t _draw_arrow(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CFileLine segment,
                          platform::ColorRef colour, int width);

// Which Bezier handles _draw_bezierctrlline draws.
enum BezierHandles : std::uint16_t {
    kStartHandle = 1,  // the start and the first control point
    kEndHandle = 2,    // the end and the second control point
    kBothHandles = 3,
};
// For a Bezier only: each chosen handle whose control point differs from its node, as a dotted blue
// line from the node to the control point and a black 4 x 4 pixel box on the control point.
std::uint16_t _draw_bezierctrlline(CFileLine segment, platform::DeviceContext* mapDC,
                                   platform::DeviceContext* drawDC, std::uint16_t which);
