// CCadBitmap outline tracing: Rasterkit's contours placed in the bitmap's rectangle, closed, round ones
// replaced by regular polygons, open pieces joined and thinned.
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

#include "CadBitmap.h"
#include "CadBitmapJoin.h"
#include "CadCurve.h"
#include "Progress.h"
#include "Rasterkit.h"
#include "SettingsRecords.h"

namespace {

constexpr double kArcFitToleranceMm = 0.01;
// In pixel sizes: how far piece ends may lie apart to be joined, to be closed, and the thinning tolerance.
constexpr double kJoinPixels = 3.0;
constexpr double kClosePixels = 5.0;
constexpr double kThinPixels = 1.2;
constexpr double kJoinedProgress = 0.9;
constexpr double kRadiansPerDegree = 0.017453292519943295;
// A polygon of more sides than this stands for a tolerance far below anything a machine can cut.
constexpr double kMostPolygonSides = 1000000.0;

// The contours Rasterkit hands over; whatever is left in the list is freed with it.
struct ContourList {
    CDbList<CFileCurve*> list;
    ~ContourList() {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            delete node->value;
        }
    }
};

void DeleteElements(CDbList<CCadElement*>& elements) {
    for (auto* node = elements.head->next; node != elements.head; node = node->next) {
        delete node->value;
    }
    elements.RemoveAll();
}

// Moves every closed curve from `curves` to `closedCurves`, fitting circles on the way.
void SetClosedApart(CDbList<CCadElement*>& curves, CDbList<CCadElement*>& closedCurves) {
    curves.MoveFirst();
    while (curves.cursor != curves.head) {
        auto* curve = static_cast<CCadCurve*>(curves.cursor->value);
        if (curve->closed == 0) {
            curves.MoveNext();
            continue;
        }
        CCadBitmap::FitArcs(curve, kArcFitToleranceMm);
        closedCurves.AddTail(curve);
        curves.RemoveCurrent();
    }
}

}  // namespace

int CCadBitmap::TraceOutline(double p0, double span, CDbList<CCadElement*>* out, std::uint32_t curveColour) {
    if (out == nullptr) {
        return 0;
    }
    DeleteElements(*out);
    ContourList contours;
    if ((_dib_outline(&dib, &contours.list, std::fabs(rect.x2 - rect.x1), std::fabs(rect.y2 - rect.y1)) & 0xFFFF) !=
        0) {
        return 0;
    }
    for (auto* node = contours.list.head->next; node != contours.list.head; node = node->next) {
        const std::unique_ptr<CFileCurve> contour(std::exchange(node->value, nullptr));
        if (contour->segments.IsEmpty() != 0) {
            continue;
        }
        auto curve = std::make_unique<CCadCurve>();
        curve->color = curveColour;
        curve->pathList = std::move(contour->segments);
        curve->TransMove(rect.x1, rect.y1);
        curve->AutoClose(gFileParaSettings.closeErrorMm, 0);
        curve->CalRect();
        out->AddTail(curve.release());
    }
    if (out->IsEmpty() != 0) {
        return 0;
    }
    CDbList<CCadElement*> closedCurves;
    SetClosedApart(*out, closedCurves);
    const double pixelSize = PixelSizeMm();
    if (out->IsEmpty() == 0) {
        JoinOpenContours(*out, kJoinPixels * pixelSize, p0, span, kJoinedProgress);
    }
    ProgressRatio = p0 + kJoinedProgress * span;
    for (auto* node = out->head->next; node != out->head; node = node->next) {
        auto* curve = static_cast<CCadCurve*>(node->value);
        curve->AutoClose(kClosePixels * pixelSize, 0);
        if (curve->closed == 0 || FitArcs(curve, kArcFitToleranceMm) == 0) {
            curve->DeleteOptim(kThinPixels * pixelSize);
        }
    }
    ProgressRatio = p0 + span;
    for (auto* node = closedCurves.head->next; node != closedCurves.head; node = node->next) {
        out->AddTail(node->value);
    }
    return 1;
}

int CCadBitmap::FitArcs(CCadCurve* curve, double tolerance) {
    if (curve == nullptr) {
        return 0;
    }
    // Recognition appends its own Bezier circle to a scratch list; only the record is used here.
    CDbList<CFileLine> scratch;
    int found = 0;
    ArcRecord arc;
    const bool circle = _math_c_arcfit(&curve->pathList, &scratch, &found, &arc) == 0 && found != 0;
    curve->workFlag = circle ? found : 0;
    if (!circle) {
        return curve->workFlag;
    }
    const double stepCosine = std::fmin(std::fmax(1.0 - tolerance / arc.radius, -1.0), 1.0);
    const double step = std::acos(stepCosine);
    if (!(2.0 * std::numbers::pi / step <= kMostPolygonSides)) {
        // A tolerance of zero or less would need endless sides: the path stays as it is.
        curve->workFlag = 0;
        return 0;
    }
    curve->arcFit = arc;
    const double direction = arc.sweep < 0.0 ? -1.0 : 1.0;
    double startDegrees = 0.0;
    _math_calangle(arc.centre.x, arc.centre.y, arc.start.x, arc.start.y, &startDegrees);
    const double startAngle = startDegrees * kRadiansPerDegree;
    const int sides = static_cast<int>(2.0 * std::numbers::pi / step);
    const auto pointAt = [&](int k) {
        const double angle = startAngle + direction * k * step;
        return SDPoint{arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
    };
    curve->pathList.RemoveAll();
    CFileLine chord;
    for (int k = 1; k < sides; ++k) {
        chord.start = pointAt(k - 1);
        chord.end = pointAt(k);
        curve->pathList.AddTail(chord);
    }
    chord.start = chord.end;
    chord.end = pointAt(0);
    curve->pathList.AddTail(chord);
    return found;
}
