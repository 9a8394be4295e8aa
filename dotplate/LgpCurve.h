// CLgpCurve: one outline of the light-guide plate, or one curve of the exported design: a list of
// line and cubic Bezier segments in mm (y upward) with its box, closed flag, colour and outer flag.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "FileLine.h"
#include "LgpGeometry.h"

namespace dotplate {

class CLgpCurve {
  public:
    CDbList<CFileLine> segments;
    LgpBox bounds;
    std::int32_t closed = 0;
    std::uint32_t colour = 0xFFFFFF;  // 0x00BBGGRR
    std::int32_t outer = 1;           // 1 outer outline, 0 hole

    CLgpCurve() = default;
    CLgpCurve(const CLgpCurve& other);
    CLgpCurve& operator=(const CLgpCurve&) = delete;

    void AddSegment(const CFileLine& segment) { segments.AddTail(segment); }
    bool IsEmpty() const { return segments.IsEmpty() != 0; }

    // The box over every start and end, and for a Bezier its points at t = 0.01 … 0.99.
    void CalcBounds();
    // Snaps the last end onto the first start when they lie closer than the tolerance, or, with
    // addClosingLine, joins them by a line; either way the curve is then closed.
    void Close(double tolerance, bool addClosingLine);
    void Reverse();
    void Move(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);
    void RoundPoints();
    // Replaces every Bezier by chords within 0.01991 mm, then drops segments shorter than 0.001.
    void Flatten();
    // 1 when the point lies inside the closed outline by its angle sum; Beziers count as chords
    // within 0.0182 mm.
    int IsPointInside(SDPoint point) const;
    // 1 when this closed curve holds the start of the other's first segment.
    int Contains(const CLgpCurve& other) const;
    // Moves every segment of the other curve before, or after, this curve's segments.
    void TakeFront(CLgpCurve& other);
    void TakeBack(CLgpCurve& other);

  private:
    template <typename Function>
    void ForEachSegment(Function&& function);
};

// The chords that replace a Bezier: n from 2 up until the points at t = 1/(2n) and 1 − 1/(2n) lie
// within the tolerance of their chords' midpoints, at most 4096.
int BezierChordCount(const CFileLine& bezier, double tolerance);

}  // namespace dotplate
