// CCadMgr: the searches of the rubber band and the press hit test, through the index of element
// rectangles; both visit their candidates in element-list order, as a walk over the list would.
#include "CadMgr.h"

namespace {

// Beyond the 0.001 mm the rectangle tests allow.
constexpr double kBandMargin = 0.002;
// Wider than any element's hit tolerance, in pixels.
constexpr int kHitMarginPixels = 10;

}  // namespace

std::vector<CCadElement*> CCadMgr::ElementsInRect(const CCadRect& band) {
    std::vector<CCadElement*> inside;
    for (CCadElement* element : elementIndex_.Candidates(elementList, band, kBandMargin)) {
        if (element->IsInRect(band) != 0) {
            inside.push_back(element);
        }
    }
    return inside;
}

CCadElement* CCadMgr::FirstHitElement(double x, double y, platform::DeviceContext& dc, bool curvesOnly) {
    CCadRect at;
    at.x1 = at.x2 = x * 0.001;
    at.y1 = at.y2 = y * 0.001;
    const double margin = PixelsToLogical(dc, kHitMarginPixels) * 0.001 + kBandMargin;
    for (CCadElement* element : elementIndex_.Candidates(elementList, at, margin)) {
        if ((!curvesOnly || element->typeCode == kCurveElement) && element->HitTest(x, y, &dc) != 0) {
            return element;
        }
    }
    return nullptr;
}
