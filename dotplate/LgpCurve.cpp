#include "LgpCurve.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "LgpPageRules.h"

namespace dotplate {

namespace {

constexpr double kDrawFlatness = 0.01991;
constexpr double kInsideTestFlatness = 0.0182;
constexpr double kShortSegment = 0.001;
constexpr int kMaxChords = 4096;

SDPoint Midpoint(SDPoint a, SDPoint b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

// Appends the segment, or for a Bezier its chords at the given flatness, to the list.
void AppendFlattened(const CFileLine& segment, double tolerance, CDbList<CFileLine>& out) {
    if (!segment.IsBezier()) {
        out.AddTail(segment);
        return;
    }
    const int chords = BezierChordCount(segment, tolerance);
    SDPoint from = segment.start;
    for (int k = 1; k <= chords; ++k) {
        CFileLine chord;
        chord.start = from;
        chord.end = k == chords ? segment.end : segment.GetPoint(static_cast<double>(k) / chords);
        out.AddTail(chord);
        from = chord.end;
    }
}

}  // namespace

int BezierChordCount(const CFileLine& bezier, double tolerance) {
    for (int n = 2; n < kMaxChords; ++n) {
        const double step = 1.0 / n;
        const SDPoint firstMid = Midpoint(bezier.GetPoint(0.0), bezier.GetPoint(step));
        const SDPoint lastMid = Midpoint(bezier.GetPoint(1.0 - step), bezier.GetPoint(1.0));
        if (PointDistance(bezier.GetPoint(step / 2.0), firstMid) < tolerance &&
            PointDistance(bezier.GetPoint(1.0 - step / 2.0), lastMid) < tolerance) {
            return n;
        }
    }
    return kMaxChords;
}

CLgpCurve::CLgpCurve(const CLgpCurve& other)
    : bounds(other.bounds), closed(other.closed), colour(other.colour), outer(other.outer) {
    for (auto* node = other.segments.head->next; node != other.segments.head; node = node->next) {
        segments.AddTail(node->value);
    }
}

template <typename Function>
void CLgpCurve::ForEachSegment(Function&& function) {
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        function(node->value);
    }
}

void CLgpCurve::CalcBounds() {
    if (IsEmpty()) {
        return;
    }
    const CFileLine& first = segments.head->next->value;
    LgpBox box = LgpBox::FromCorners(first.start, first.start);
    ForEachSegment([&box](const CFileLine& segment) {
        box.Unite(segment.start, segment.end);
        if (segment.IsBezier()) {
            for (int step = 1; step < 100; ++step) {
                const SDPoint point = segment.GetPoint(step / 100.0);
                box.Unite(point, point);
            }
        }
    });
    bounds = box;
}

void CLgpCurve::Close(double tolerance, bool addClosingLine) {
    if (closed != 0 || segments.GetCount() < 2) {
        return;
    }
    CFileLine& last = segments.head->prev->value;
    const SDPoint firstStart = segments.head->next->value.start;
    if (PointDistance(last.end, firstStart) < tolerance) {
        last.end = firstStart;
        closed = 1;
    } else if (addClosingLine) {
        CFileLine closing;
        closing.start = last.end;
        closing.end = firstStart;
        segments.AddTail(closing);
        closed = 1;
    }
}

void CLgpCurve::Reverse() {
    CDbList<CFileLine> reversed;
    for (auto* node = segments.head->prev; node != segments.head; node = node->prev) {
        CFileLine segment = node->value;
        std::swap(segment.start, segment.end);
        if (segment.IsBezier()) {
            std::swap(segment.ctrl1, segment.ctrl2);
        } else {
            segment.type = 0;
        }
        reversed.AddTail(segment);
    }
    segments = std::move(reversed);
}

void CLgpCurve::Move(double dx, double dy) {
    ForEachSegment([dx, dy](CFileLine& segment) {
        for (SDPoint* point : {&segment.start, &segment.end, &segment.ctrl1, &segment.ctrl2}) {
            point->x += dx;
            point->y += dy;
        }
    });
    bounds.left += dx;
    bounds.right += dx;
    bounds.bottom += dy;
    bounds.top += dy;
}

void CLgpCurve::Scale(double sx, double sy, double cx, double cy) {
    ForEachSegment([=](CFileLine& segment) {
        auto scale = [=](SDPoint& point) { point = {cx + sx * (point.x - cx), cy + sy * (point.y - cy)}; };
        scale(segment.start);
        scale(segment.end);
        if (segment.IsBezier()) {
            scale(segment.ctrl1);
            scale(segment.ctrl2);
        }
    });
}

void CLgpCurve::RoundPoints() {
    ForEachSegment([](CFileLine& segment) {
        for (SDPoint* point : {&segment.start, &segment.end, &segment.ctrl1, &segment.ctrl2}) {
            *point = {RoundCoord(point->x), RoundCoord(point->y)};
        }
    });
}

void CLgpCurve::Flatten() {
    CDbList<CFileLine> flattened;
    ForEachSegment([&flattened](const CFileLine& segment) { AppendFlattened(segment, kDrawFlatness, flattened); });
    CDbList<CFileLine> kept;
    for (auto* node = flattened.head->next; node != flattened.head; node = node->next) {
        if (node->value.IsShort(kShortSegment) == 0) {
            kept.AddTail(node->value);
        }
    }
    segments = std::move(kept);
}

int CLgpCurve::IsPointInside(SDPoint point) const {
    if (point.x < bounds.left || point.x > bounds.right || point.y < bounds.bottom || point.y > bounds.top) {
        return 0;
    }
    CDbList<CFileLine> chords;
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        AppendFlattened(node->value, kInsideTestFlatness, chords);
    }
    double angleSum = 0.0;
    for (auto* node = chords.head->next; node != chords.head; node = node->next) {
        angleSum += VertexAngle(node->value.start, node->value.end, point);
    }
    const double missing = std::fabs(std::fabs(angleSum) - 2.0 * std::numbers::pi);
    return std::trunc(missing * 1000.0) <= 1000.0 ? 1 : 0;
}

int CLgpCurve::Contains(const CLgpCurve& other) const {
    if (closed == 0 || IsEmpty() || other.IsEmpty()) {
        return 0;
    }
    return IsPointInside(other.segments.head->next->value.start);
}

void CLgpCurve::TakeFront(CLgpCurve& other) {
    CDbList<CFileLine> joined = std::move(other.segments);
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        joined.AddTail(node->value);
    }
    segments = std::move(joined);
    other.segments = CDbList<CFileLine>();
}

void CLgpCurve::TakeBack(CLgpCurve& other) {
    for (auto* node = other.segments.head->next; node != other.segments.head; node = node->next) {
        segments.AddTail(node->value);
    }
    other.segments.RemoveAll();
}

}  // namespace dotplate
