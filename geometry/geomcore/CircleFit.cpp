// Circle recognition: a closed contour (such as a traced outline) that is round within tight bounds is
// replaced by the four Beziers of an exact circle.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "Flatness.h"
#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Fewer contour points (the closing one included) cannot be told from a polygon.
constexpr int kMinContourPoints = 17;
constexpr double kMaxRadiusSpread = 0.05;  // of the sum of the two trial radii
constexpr double kMaxBoxAspect = 0.2;      // |width - height| over the box radius
constexpr double kMinBoxFill = 0.9;        // 0.9 * w * h must reach the circle's area
constexpr double kMaxRelativeDeviation = 0.08;
constexpr double kSmallRadius = 5.0;     // mm
constexpr double kTinyRadius = 1.0;      // mm; below this the absolute bound is not applied
constexpr double kSmallDeviation = 0.1;  // mm, for radii up to kSmallRadius
constexpr double kLargeDeviation = 0.2;  // mm, for larger radii

struct Circle {
    SDPoint centre;
    double radius;
};

bool IsClosed(const FileLineList& list) {
    return Coincide(list.head->next->value.start, list.head->prev->value.end);
}

// The first start, the interior samples of every Bezier and every record's end.
std::vector<SDPoint> ContourPoints(const FileLineList& list) {
    std::vector<SDPoint> points{list.head->next->value.start};
    for (const SegmentNode* node = list.head->next; node != list.head; node = node->next) {
        if (node->value.IsBezier()) {
            AppendInteriorSamples(node->value, kFitFlatness, points);
        }
        points.push_back(node->value.end);
    }
    return points;
}

// The circle through three points, from the two perpendicular-bisector equations.
std::optional<Circle> CircleThrough(SDPoint a, SDPoint b, SDPoint c) {
    const SDPoint ab = b - a, ac = c - a;
    const double determinant = 2.0 * Cross(ab, ac);
    if (determinant == 0.0) {
        return std::nullopt;
    }
    const double abSquared = Dot(ab, ab), acSquared = Dot(ac, ac);
    const SDPoint offset{(ac.y * abSquared - ab.y * acSquared) / determinant,
                         (ab.x * acSquared - ac.x * abSquared) / determinant};
    return Circle{a + offset, Length(offset)};
}

// Tests the contour points 0 .. m-1 (the closing point m is left out) and returns the circle found.
std::optional<Circle> RecogniseCircle(const std::vector<SDPoint>& points) {
    const int m = static_cast<int>(points.size()) - 1;
    const auto trialA = CircleThrough(points[0], points[m / 3 - 1], points[2 * m / 3 - 1]);
    const auto trialB = CircleThrough(points[m / 6], points[m / 2 - 1], points[5 * m / 6 - 1]);
    if (!trialA || !trialB ||
        std::fabs(trialA->radius - trialB->radius) > kMaxRadiusSpread * (trialA->radius + trialB->radius)) {
        return std::nullopt;
    }
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.begin() + m,
                                                  [](SDPoint a, SDPoint b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.begin() + m,
                                                  [](SDPoint a, SDPoint b) { return a.y < b.y; });
    const double width = maxX->x - minX->x;
    const double height = maxY->y - minY->y;
    const SDPoint centre{(minX->x + maxX->x) / 2.0, (minY->y + maxY->y) / 2.0};
    const double boxRadius = (width + height) / 4.0;
    if (!(boxRadius > 0.0) || std::fabs(width - height) / boxRadius > kMaxBoxAspect) {
        return std::nullopt;
    }
    double lowest = Distance(points[0], centre) - boxRadius;
    double highest = lowest;
    for (int i = 1; i < m; ++i) {
        const double value = Distance(points[i], centre) - boxRadius;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    const double radius = boxRadius + (highest + lowest) / 2.0;
    if (kMinBoxFill * width * height < std::numbers::pi * radius * radius) {
        return std::nullopt;
    }
    double deviation = 0.0;
    for (int i = 0; i < m; ++i) {
        deviation = std::max(deviation, std::fabs(Distance(points[i], centre) - radius));
        if (i + 1 < m) {
            deviation =
                std::max(deviation, std::fabs(Distance(Midpoint(points[i], points[i + 1]), centre) - radius));
        }
    }
    const bool tooRough = radius <= kSmallRadius ? radius > kTinyRadius && deviation > kSmallDeviation
                                                 : deviation > kLargeDeviation;
    if (deviation / radius > kMaxRelativeDeviation || tooRough) {
        return std::nullopt;
    }
    return Circle{centre, radius};
}

ArcPoint OnPlane(SDPoint point) {
    return {point.x, point.y, 0.0};
}

void FillArcRecord(const Circle& circle, const std::vector<SDPoint>& points, ArcRecord& arc) {
    const SDPoint fromCentre = points[0] - circle.centre;
    const SDPoint onCircle = circle.centre + (circle.radius / Length(fromCentre)) * fromCentre;
    const SDPoint quarterOn = points[points.size() / 4] - circle.centre;
    arc.centre = OnPlane(circle.centre);
    arc.start = OnPlane(onCircle);
    arc.end = OnPlane(onCircle);
    arc.radius = circle.radius;
    arc.sweep = Cross(fromCentre, quarterOn) > 0.0 ? 2.0 * std::numbers::pi : -2.0 * std::numbers::pi;
}

void AppendCircle(const Circle& circle, FileLineList& target) {
    SDPoint ellipse[13];
    _math_elli2bezier(circle.centre.x - circle.radius, circle.centre.y - circle.radius,
                      circle.centre.x + circle.radius, circle.centre.y + circle.radius, ellipse);
    for (int quarter = 0; quarter < 4; ++quarter) {
        CFileLine bezier;
        bezier.type = CFileLine::kBezier;
        bezier.start = ellipse[3 * quarter];
        bezier.ctrl1 = ellipse[3 * quarter + 1];
        bezier.ctrl2 = ellipse[3 * quarter + 2];
        bezier.end = ellipse[3 * quarter + 3];
        AppendRecord(target, bezier);
    }
}

}  // namespace

GeomStatus _math_c_arcfit(FileLineList* source, FileLineList* target, int* found, ArcRecord* arc) {
    if (found != nullptr) {
        *found = 0;
    }
    if (source == nullptr || target == nullptr || found == nullptr || arc == nullptr ||
        target->head == nullptr || !HasRecords(source) || !IsClosed(*source)) {
        return 1;
    }
    const std::vector<SDPoint> points = ContourPoints(*source);
    if (static_cast<int>(points.size()) < kMinContourPoints) {
        return 1;
    }
    const std::optional<Circle> circle = RecogniseCircle(points);
    if (!circle) {
        return 1;
    }
    FillArcRecord(*circle, points, *arc);
    *found = 1;
    AppendCircle(*circle, *target);
    return 0;
}
