// Zint_Addbridge.
#include <cmath>

#include "Bridges.h"
#include "Contours.h"
#include "ExportGuard.h"
#include "Pathsmith.h"

namespace pathsmith {

namespace {

enum BridgeMode : short {
    kAlongSegments = 0,
    kAroundStart = 1,
    kAtPoint = 2,
    kAlongContour = 3,
};

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// More pieces than this come only from a pattern far finer than any machine cuts; it is refused
// rather than filling memory.
constexpr double kMaxPieces = 1e7;

// A pattern of cuts and bridges repeats every cut length plus bridge width along the contour.
bool PatternFits(const std::vector<CLineEx>& segments, double cutLength, double bridgeWidth) {
    double length = 0.0;
    for (const CLineEx& segment : segments) {
        length += MeasuredSegment(segment).Length();
    }
    return length / (cutLength + bridgeWidth) < kMaxPieces;
}

short AddBridges(const CDbList<CLineEx>& contour, CDbList<CLineEx>& output, const BridgeStyle& style,
                 short mode, double cutLengthMode0, short bridgeCount, double cutLengthMode3, SDPoint point,
                 double hitTolerance) {
    if (mode < kAlongSegments || mode > kAlongContour) {
        return 0;
    }
    // A pattern whose steps are not positive would never advance along the contour.
    if (!Positive(style.width) || !HasFiniteCoordinates(contour)) {
        return 1;
    }
    const std::vector<CLineEx> segments = SegmentsOf(contour);
    switch (mode) {
        case kAlongSegments:
            if (!Positive(cutLengthMode0) || !PatternFits(segments, cutLengthMode0, style.width)) {
                return 1;
            }
            BridgesAlongSegments(segments, cutLengthMode0, style, output);
            return 0;
        case kAroundStart:
            if (bridgeCount <= 0) {
                return 1;
            }
            BridgesAroundStart(segments, bridgeCount, style, output);
            return 0;
        case kAtPoint:
            return BridgeAtPoint(segments, point, hitTolerance, style, output) < 0.0 ? -1 : 0;
        default:
            if (!Positive(cutLengthMode3) || !PatternFits(segments, cutLengthMode3, style.width)) {
                return 1;
            }
            BridgesAlongContour(segments, cutLengthMode3, style, output);
            return 0;
    }
}

}  // namespace

}  // namespace pathsmith

short Zint_Addbridge(CDbList<CLineEx>* contour, CDbList<CLineEx>* output, int bridgeMark, double bridgeWidth,
                     short mode, double cutLengthMode0, short bridgeCount, double cutLengthMode3, double x,
                     double y, double hitTolerance) {
    return pathsmith::Guarded([&]() -> short {
        if (contour == nullptr || output == nullptr) {
            return 1;
        }
        return pathsmith::AddBridges(*contour, *output, {bridgeMark, bridgeWidth}, mode, cutLengthMode0,
                                     bridgeCount, cutLengthMode3, {x, y}, hitTolerance);
    });
}
