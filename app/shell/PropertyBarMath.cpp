// The property bar's arithmetic.
#include "PropertyBarMath.h"

#include <cmath>

namespace {

double ToThousandthsTowardZero(double value) {
    return std::trunc(value * 1000.0) * 0.001;
}

double RoundedSize(double extent) {
    return std::trunc(std::fabs(extent) * 1000.0 + 0.5) * 0.001;
}

bool MirrorsX(const OriginFrame& frame) {
    return frame.corner == 1 || frame.corner == 2;
}

bool MirrorsY(const OriginFrame& frame) {
    return frame.corner == 0 || frame.corner == 1;
}

// A size typed into the field, as a factor of the current size; 1 when either is 0.
double FactorFromSize(double entered, double current) {
    return entered == 0.0 || current == 0.0 ? 1.0 : std::fabs(entered / current);
}

}  // namespace

double XSign(const OriginFrame& frame) {
    return MirrorsX(frame) ? -1.0 : 1.0;
}

double YSign(const OriginFrame& frame) {
    return MirrorsY(frame) ? -1.0 : 1.0;
}

CCadRect ToOriginFrame(const CCadRect& rect, const OriginFrame& frame) {
    CCadRect result = rect;
    if (MirrorsX(frame)) {
        result.x1 = frame.pageWidth - rect.x1;
        result.x2 = frame.pageWidth - rect.x2;
    }
    if (MirrorsY(frame)) {
        result.y1 = frame.pageHeight - rect.y1;
        result.y2 = frame.pageHeight - rect.y2;
    }
    return result;
}

SDPoint ReferencePoint(const CCadRect& rect, int reference) {
    if (reference < 1 || reference > 9) {
        reference = 5;
    }
    const int column = (reference - 1) % 3;
    const int row = (reference - 1) / 3;
    const double xs[] = {rect.x1, (rect.x1 + rect.x2) / 2.0, rect.x2};
    const double ys[] = {rect.y2, (rect.y1 + rect.y2) / 2.0, rect.y1};
    return {xs[column], ys[row]};
}

PropertyFields FieldsForSelection(const CCadRect& selection, const OriginFrame& frame, int reference,
                                  bool lock) {
    PropertyFields fields;
    fields.width = RoundedSize(selection.x2 - selection.x1);
    fields.height = RoundedSize(selection.y2 - selection.y1);
    const SDPoint point = ReferencePoint(ToOriginFrame(selection, frame), reference);
    fields.x = ToThousandthsTowardZero(point.x);
    fields.y = ToThousandthsTowardZero(point.y);
    fields.lock = lock;
    fields.reference = reference;
    return fields;
}

PropertyEdit EditFromFields(const PropertyFields& entered, const CCadRect& selection,
                            const OriginFrame& frame) {
    PropertyEdit edit;
    const SDPoint point = ReferencePoint(ToOriginFrame(selection, frame), entered.reference);
    edit.dx = (entered.x - point.x) * XSign(frame);
    edit.dy = (entered.y - point.y) * YSign(frame);

    double fx = std::fabs(entered.scaleXPercent * 0.01);
    double fy = std::fabs(entered.scaleYPercent * 0.01);
    fx = fx == 0.0 ? 1.0 : fx;
    fy = fy == 0.0 ? 1.0 : fy;
    if (fx == 1.0 && fy == 1.0) {
        fx = FactorFromSize(entered.width, selection.x2 - selection.x1);
        fy = FactorFromSize(entered.height, selection.y2 - selection.y1);
    }
    // With the proportions locked, the factor that changes less follows the one that changes more.
    if (entered.lock) {
        if (std::fabs(fy - 1.0) <= std::fabs(fx - 1.0)) {
            fy = fx;
        } else {
            fx = fy;
        }
    }
    edit.fx = fx;
    edit.fy = fy;
    edit.angleDegrees = std::trunc(entered.angleDegrees * 100.0) * 0.01;
    return edit;
}

SDPoint EditCentre(const CCadRect& movedSelection, int reference) {
    return ReferencePoint(movedSelection, reference);
}

std::int32_t CutNumberFromField(std::int32_t entered) {
    return entered < 1 ? 1 : entered;
}
