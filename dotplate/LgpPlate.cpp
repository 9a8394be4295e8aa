#include "LgpPlate.h"

#include <cmath>

#include "LgpPageRules.h"

namespace dotplate {

namespace {

// The ellipse outline is 100 chords; the angle step is the one the designer has always used, so
// that the last point lands just short of the first and the closing chord stays short.
constexpr int kEllipseChords = 100;
constexpr double kEllipseAngleStep = 0.062831853;

CFileLine LineSegment(SDPoint from, SDPoint to) {
    CFileLine segment;
    segment.start = from;
    segment.end = to;
    return segment;
}

std::unique_ptr<CLgpCurve> ClosedOuterCurve(const std::vector<SDPoint>& corners) {
    auto curve = std::make_unique<CLgpCurve>();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        curve->AddSegment(LineSegment(corners[i], corners[(i + 1) % corners.size()]));
    }
    curve->CalcBounds();
    curve->closed = 1;
    curve->outer = 1;
    return curve;
}

// The union of the curves' boxes, each recomputed first; nothing changes without curves.
void UniteBounds(const LgpCurveList& curves, LgpBox& extent) {
    if (curves.empty()) {
        return;
    }
    for (const auto& curve : curves) {
        curve->CalcBounds();
    }
    LgpBox united = curves.front()->bounds;
    for (const auto& curve : curves) {
        united.Unite(curve->bounds);
    }
    extent = united;
}

}  // namespace

void CLgpPlate::MakeRectOutline(double width, double height) {
    ClearAll();
    plateOutlines.push_back(ClosedOuterCurve({{0, 0}, {width, 0}, {width, height}, {0, height}}));
    CalcPlateExtent();
}

void CLgpPlate::MakeEllipseOutline(double width, double height) {
    ClearAll();
    const double cx = width / 2, cy = height / 2;
    std::vector<SDPoint> points;
    for (int k = 0; k < kEllipseChords; ++k) {
        points.push_back({cx + cx * std::cos(k * kEllipseAngleStep), cy + cy * std::sin(k * kEllipseAngleStep)});
    }
    plateOutlines.push_back(ClosedOuterCurve(points));
    CalcPlateExtent();
}

void CLgpPlate::ClearAll() {
    ResetDots();
    dotAreaOutlines.clear();
    edgeOutlines.clear();
    plateOutlines.clear();
}

void CLgpPlate::ResetDots() {
    for (LgpDotRow& row : dotRows) {
        KeepDotStorage(std::move(row.dots));
    }
    dotRows.clear();
}

std::vector<LgpDot> CLgpPlate::TakeDotStorage() {
    if (spareDotStorage_.empty()) {
        return {};
    }
    std::vector<LgpDot> dots = std::move(spareDotStorage_.back());
    spareDotStorage_.pop_back();
    return dots;
}

void CLgpPlate::KeepDotStorage(std::vector<LgpDot>&& dots) {
    dots.clear();
    if (dots.capacity() != 0) {
        spareDotStorage_.push_back(std::move(dots));
    }
}

void CLgpPlate::CalcPlateExtent() { UniteBounds(plateOutlines, extent); }

void CLgpPlate::CalcDotAreaExtent() { UniteBounds(dotAreaOutlines, extent); }

LgpBox CLgpPlate::OutlineBox() const {
    LgpBox box = extent;
    bool first = true;
    for (const auto& outline : plateOutlines) {
        if (outline->IsEmpty()) {
            continue;
        }
        if (first) {
            box = outline->bounds;
            first = false;
        } else {
            box.Unite(outline->bounds);
        }
    }
    return box;
}

bool CLgpPlate::ResizeOutlines(double width, double height) {
    const LgpBox box = OutlineBox();
    const double scaleX = RoundCoord(width) / RoundCoord(box.Width());
    const double scaleY = RoundCoord(height) / RoundCoord(box.Height());
    if ((scaleX == 1.0 && scaleY == 1.0) || !std::isfinite(scaleX) || !std::isfinite(scaleY)) {
        return false;
    }
    for (auto& outline : plateOutlines) {
        outline->Scale(scaleX, scaleY, 0.0, 0.0);
        outline->CalcBounds();
    }
    extent = LgpBox{0.0, 0.0, RoundCoord(width), RoundCoord(height)};
    edgeOutlines.clear();
    ResetDots();
    return true;
}

}  // namespace dotplate
