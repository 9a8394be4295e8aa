// One glyph's outline read from its records once, kept as path steps in layout units relative to the
// pen, so that every further copy of the glyph in a text is traced by arithmetic alone. Tracing places
// the points exactly as reading the records at that pen would: each point is offset by the pen first
// and every derived point (implied on-curve points, Bezier controls of quadratic arcs, the stretch in x)
// is computed from the placed points.
#pragma once

#include <cstdint>
#include <vector>

#include "SDPoint.h"

namespace letterforge {

// Layout units per outline unit (16384 per em).
constexpr double kLayoutUnitsPerOutlineUnit = 0.01;

// A segment as the tracer hands it on: a line (ctrl1 and ctrl2 unset) or a cubic Bezier.
struct TracedSegment {
    bool bezier = false;
    SDPoint start;
    SDPoint ctrl1;
    SDPoint ctrl2;
    SDPoint end;
};

class GlyphPath {
  public:
    // Reads glyph-outline records within their bounds: a polygon or record that overruns ends the walk.
    // A polygon that draws nothing is left out.
    static GlyphPath FromRecords(const std::vector<std::uint8_t>& records);

    // Calls sink.BeginCurve(), sink.Segment(const TracedSegment&) for each segment and sink.EndCurve()
    // per polygon, the outline placed at the pen and stretched in x about it by widthRatio.
    template <typename Sink>
    void Trace(double penX, double penY, double widthRatio, Sink& sink) const;

    // The least x and the least y of the outline's points, control points included, relative to the pen
    // and before the stretch: no traced point lies further left or down, but for rounding.
    SDPoint LowestPoint() const { return lowest; }

    bool IsEmpty() const { return polygons.empty(); }
    std::size_t CurveCount() const { return polygons.size(); }

  private:
    enum class StepKind : std::uint8_t {
        kLine,           // to point
        kQuadratic,      // control point, end point
        kQuadraticHalf,  // control point, next control point; the end is their midpoint
        kCubic,          // control 1, control 2, end point
    };
    struct Step {
        StepKind kind;
        std::uint32_t point;  // the step's first point in `points`
    };
    struct Polygon {
        std::uint32_t start;  // the start point in `points`
        std::uint32_t firstStep;
        std::uint32_t stepCount;
    };

    friend class GlyphPathReader;

    std::vector<SDPoint> points;  // outline point x 0.01, before the pen
    std::vector<Step> steps;
    std::vector<Polygon> polygons;
    SDPoint lowest;
};

template <typename Sink>
void GlyphPath::Trace(double penX, double penY, double widthRatio, Sink& sink) const {
    const bool stretch = widthRatio != 1.0;
    auto at = [&](std::uint32_t index) { return SDPoint{points[index].x + penX, points[index].y + penY}; };
    auto emit = [&](TracedSegment segment) {
        if (stretch) {
            segment.start.x = penX + widthRatio * (segment.start.x - penX);
            segment.end.x = penX + widthRatio * (segment.end.x - penX);
            if (segment.bezier) {
                segment.ctrl1.x = penX + widthRatio * (segment.ctrl1.x - penX);
                segment.ctrl2.x = penX + widthRatio * (segment.ctrl2.x - penX);
            }
        }
        sink.Segment(segment);
    };
    for (const Polygon& polygon : polygons) {
        sink.BeginCurve();
        SDPoint current = at(polygon.start);
        for (std::uint32_t s = polygon.firstStep; s < polygon.firstStep + polygon.stepCount; ++s) {
            const Step step = steps[s];
            TracedSegment segment;
            segment.start = current;
            switch (step.kind) {
                case StepKind::kLine:
                    segment.end = at(step.point);
                    break;
                case StepKind::kQuadratic:
                case StepKind::kQuadraticHalf: {
                    const SDPoint control = at(step.point);
                    if (step.kind == StepKind::kQuadratic) {
                        segment.end = at(step.point + 1);
                    } else {
                        const SDPoint next = at(step.point + 1);
                        segment.end = {(control.x + next.x) / 2.0, (control.y + next.y) / 2.0};
                    }
                    const SDPoint end = segment.end;
                    segment.bezier = true;
                    segment.ctrl1 = {current.x + (control.x - current.x) * 2.0 / 3.0,
                                     current.y + (control.y - current.y) * 2.0 / 3.0};
                    segment.ctrl2 = {control.x + (end.x - control.x) / 3.0,
                                     control.y + (end.y - control.y) / 3.0};
                    break;
                }
                case StepKind::kCubic:
                    segment.bezier = true;
                    segment.ctrl1 = at(step.point);
                    segment.ctrl2 = at(step.point + 1);
                    segment.end = at(step.point + 2);
                    break;
            }
            current = segment.end;
            emit(segment);
        }
        sink.EndCurve();
    }
}

}  // namespace letterforge
