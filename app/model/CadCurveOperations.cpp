// CCadCurve operations: the transforms, picks and node editing, and the path work (smoothing, closing,
// start point, leads, joining, the self-crossing and near-circle tests). The geometry is the curve math's;
// this file decides which call runs and what is refreshed after it.
#include <algorithm>
#include <cmath>

#include "CadCurve.h"
#include "RectMath.h"
#include "SettingsRecords.h"

namespace {

// Pick tolerances, device pixels.
constexpr int kHitPixels = 4;
constexpr int kStartPickPixels = 5;
constexpr double kMmPerLogicalUnit = 0.001;
// ResizeAboutCenter: the smallest amount that changes anything and the largest that counts.
constexpr double kSmallestResizeAmount = 10.0;
constexpr double kLargestResizeAmount = 500.0;
constexpr double kResizeMmPerAmount = 0.001;
constexpr double kCircleLikeAspectTolerance = 0.05;
constexpr double kSmoothToleranceRatio = 0.1;
constexpr double kSmallestSmoothTolerance = 0.01;
constexpr double kSegmentBoxGap = 0.001;

bool IsPointSegment(const CFileLine& segment) {
    return segment.start.x == segment.end.x && segment.start.y == segment.end.y;
}

bool SamePoint(SDPoint a, SDPoint b) {
    return a.x == b.x && a.y == b.y;
}

// One scale factor of ResizeAboutCenter: the extent changed by `change`, or 1 where that cannot be.
double ResizeFactor(double extent, double change) {
    if (extent <= 0.0) {
        return 1.0;
    }
    const double factor = (extent + change) / extent;
    // A factor of 0 would collapse the curve onto its centre, a negative one turn it over.
    return factor > 0.0 ? factor : 1.0;
}

// A Bezier walked as chords against the other segment; straight pairs are tested directly.
bool SegmentsCross(const CFileLine& a, const CFileLine& b) {
    if (!a.IsBezier() && !b.IsBezier()) {
        return a.LineCrossesLine(b.start.x, b.start.y, b.end.x, b.end.y);
    }
    if (a.GetBox().IsApartFrom(b.GetBox(), kSegmentBoxGap)) {
        return false;
    }
    const CFileLine& walked = a.IsBezier() ? a : b;
    const CFileLine& other = a.IsBezier() ? b : a;
    if (!other.IsBezier()) {
        return walked.CrossesLine(other.start.x, other.start.y, other.end.x, other.end.y);
    }
    SDPoint from = walked.start;
    for (int index = 1; index <= CFileLine::kSampleChords; ++index) {
        const SDPoint to = index == CFileLine::kSampleChords
                               ? walked.end
                               : walked.GetPoint(index / static_cast<double>(CFileLine::kSampleChords));
        if (other.CrossesLine(from.x, from.y, to.x, to.y)) {
            return true;
        }
        from = to;
    }
    return false;
}

}  // namespace

void CCadCurve::TransMove(double dx, double dy) {
    _math_c_move(&pathList, dx, dy);
    rect.Offset(dx, dy);
    CalcCutInOut();
}

void CCadCurve::TransDrag(double sx, double sy, double px, double py) {
    if (sx == 1.0 && sy == 1.0) {
        return;
    }
    _math_c_drag(&pathList, px, py, sx, sy);
    CalRect();
    CalcCutInOut();
}

void CCadCurve::TransRotate(double cx, double cy, double angle) {
    _math_c_rotate(&pathList, cx, cy, angle);
    CalRect();
    CalcCutInOut();
}

void CCadCurve::TransSkew(double cx, double cy, double angleX, double angleY) {
    _math_c_skew(&pathList, cx, cy, angleX, angleY);
    CalRect();
}

void CCadCurve::XMirror(double x) {
    _math_c_xmirror(&pathList, x);
    CalRect();
    CalcCutInOut();
}

void CCadCurve::YMirror(double y) {
    _math_c_ymirror(&pathList, y);
    CalRect();
    CalcCutInOut();
}

void CCadCurve::TransDir() {
    if (pathList.IsEmpty() == 0) {
        _math_c_invert(&pathList);
    }
    CalcCutInOut();
}

void CCadCurve::ApplyMatrix(double a, double b, double c, double d) {
    const auto map = [&](SDPoint& point) { point = {a * point.x + b * point.y, c * point.x + d * point.y}; };
    for (auto* node = pathList.head->next; node != pathList.head; node = node->next) {
        CFileLine& segment = node->value;
        map(segment.start);
        map(segment.end);
        if (segment.IsBezier()) {
            map(segment.ctrl1);
            map(segment.ctrl2);
        }
    }
    CalRect();
}

void CCadCurve::ResizeAboutCenter(std::uint16_t grow, double amount) {
    if (amount < kSmallestResizeAmount) {
        return;
    }
    const double change = 2.0 * kResizeMmPerAmount * std::min(amount, kLargestResizeAmount) * (grow != 0 ? 1.0 : -1.0);
    const double sx = ResizeFactor(std::fabs(rect.x2 - rect.x1), change);
    const double sy = ResizeFactor(std::fabs(rect.y2 - rect.y1), change);
    TransDrag(sx, sy, (rect.x1 + rect.x2) * 0.5, (rect.y1 + rect.y2) * 0.5);
}

int CCadCurve::HitTest(double x, double y, platform::DeviceContext* viewDC) {
    const double tolerance = LengthDPtoLP(viewDC, kHitPixels) * kMmPerLogicalUnit;
    int index = 0;
    double t = 0.0;
    return HitNode(x * kMmPerLogicalUnit, y * kMmPerLogicalUnit, tolerance, &index, &t);
}

int CCadCurve::HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode) {
    if (HitTest(x, y, viewDC) == 0) {
        return 0;
    }
    if (mode == 0) {
        TransDir();
        return 1;
    }
    const int pickRadius = LengthDPtoLP(viewDC, kStartPickPixels);
    const auto withinPick = [&](SDPoint node) {
        double distance = 0.0;
        _math_dis(x * kMmPerLogicalUnit, y * kMmPerLogicalUnit, node.x, node.y, &distance);
        return static_cast<long long>(distance * 1000.0) < pickRadius;
    };
    if (closed == 0) {
        if (withinPick(pathList.head->prev->value.end)) {
            TransDir();
        }
        return 1;
    }
    int pickedIndex = 0;
    auto* picked = pathList.head->next;
    while (picked != pathList.head && !withinPick(picked->value.start)) {
        picked = picked->next;
        ++pickedIndex;
    }
    if (picked == pathList.head) {
        return 1;
    }
    // Relinks the ring so that the picked segment comes first; the sentinel moves in front of it.
    if (pickedIndex > 0) {
        auto* head = pathList.head;
        head->prev->next = head->next;
        head->next->prev = head->prev;
        head->prev = picked->prev;
        head->next = picked;
        picked->prev->next = head;
        picked->prev = head;
        pathList.cursor = head;
    }
    CalcCutInOut();
    return 1;
}

int CCadCurve::HitNode(double x, double y, double tolerance, int* index, double* t) {
    if (GrownNormalised(rect, tolerance).ContainsPoint(x, y) == 0) {
        return 0;
    }
    *index = 0;
    for (auto* node = pathList.head->next; node != pathList.head; node = node->next) {
        if (node->value.HitParam(x, y, tolerance, t, 0.0, 1.0) != 0) {
            return 1;
        }
        ++*index;
    }
    return 0;
}

int CCadCurve::AddNode(double x, double y, double tolerance) {
    if (GrownNormalised(rect, tolerance).ContainsPoint(x, y) == 0) {
        return 0;
    }
    double t = 0.0;
    int more = pathList.MoveFirst();
    while (more != 0 && pathList.cursor->value.HitParam(x, y, tolerance, &t, 0.0, 1.0) == 0) {
        more = pathList.MoveNext();
    }
    if (more == 0) {
        return 0;
    }
    if (t == 0.0 || t == 1.0) {
        return 1;
    }
    CFileLine first, second;
    pathList.cursor->value.Split(t, &first, &second);
    pathList.RemoveCurrent();
    pathList.cursor = pathList.cursor->prev;
    pathList.InsertAfterCurrent(first);
    pathList.InsertAfterCurrent(second);
    return 1;
}

int CCadCurve::Smooth(double degree, int replace, int method) {
    const double width = std::fabs(rect.x2 - rect.x1);
    const double height = std::fabs(rect.y2 - rect.y1);
    const double tolerance = std::max(kSmoothToleranceRatio * std::min(width, height), kSmallestSmoothTolerance);
    return _math_c_smooth(&pathList, &smoothList, tolerance, degree, method, replace);
}

void CCadCurve::AutoClose(double toleranceMm, int option) {
    if (closed != 0 || pathList.IsEmpty() != 0) {
        return;
    }
    int nowClosed = closed;
    _math_c_autoclose(&pathList, toleranceMm, option, &nowClosed);
    closed = nowClosed;
    UpdateSmooth();
}

int CCadCurve::CheckClosed() {
    AutoClose(gFileParaSettings.closeErrorMm, 0);
    return closed;
}

void CCadCurve::FindStartPoint(SDPoint* position) {
    _math_c_findstrtpt(&pathList, position, closed);
    CalcCutInOut();
}

int CCadCurve::StartPointOptim(CFileLine* approach) {
    return _math_c_strtptoptim(&pathList, approach, closed);
}

void CCadCurve::CalcCutInOut() {
    if (pathList.IsEmpty() != 0) {
        return;
    }
    const double centreX = (rect.x1 + rect.x2) * 0.5;
    const double centreY = (rect.y1 + rect.y2) * 0.5;
    if (leadIn.enabled != 0) {
        _math_c_getcutin(&pathList, centreX, centreY, &leadIn);
    }
    if (leadOut.enabled != 0) {
        _math_c_getcutout(&pathList, centreX, centreY, &leadOut);
    }
}

int CCadCurve::Backlash(SDPoint* position, int* started) {
    return _math_c_backlash(&pathList, position, closed, started);
}

int CCadCurve::UpdateSmooth() {
    return _math_c_updatesmooth(&pathList, closed);
}

void CCadCurve::DeleteOptim(double toleranceMm) {
    _math_c_deloptim(&pathList, toleranceMm);
}

void CCadCurve::DeletePointSegments() {
    _math_c_delptln(&pathList);
}

void CCadCurve::LinkLeft(CCadCurve* other) {
    _math_c_linkleft(&pathList, &other->pathList);
}

void CCadCurve::LinkRight(CCadCurve* other) {
    _math_c_linkright(&pathList, &other->pathList);
}

void CCadCurve::SetCutInOutPara(const CCutInOutPara& newLeadIn, const CCutInOutPara& newLeadOut) {
    leadIn = newLeadIn;
    leadOut = newLeadOut;
    CalcCutInOut();
}

int CCadCurve::IsCircleLike() const {
    if (closed == 0) {
        return 0;
    }
    const double width = std::fabs(rect.x2 - rect.x1);
    const double height = std::fabs(rect.y2 - rect.y1);
    if (width == 0.0 || height == 0.0) {
        return 0;
    }
    return std::fabs(width / height - 1.0) <= kCircleLikeAspectTolerance ? 1 : 0;
}

int CCadCurve::IsSelfCross() const {
    if (pathList.IsEmpty() != 0) {
        return 0;
    }
    const auto* head = pathList.head;
    for (const auto* a = head->next; a != head; a = a->next) {
        if (IsPointSegment(a->value)) {
            continue;
        }
        for (const auto* b = a->next == head ? head : a->next->next; b != head; b = b->next) {
            if (IsPointSegment(b->value) || b->next == a) {
                continue;
            }
            const bool closingJoint = a == head->next && b == head->prev && SamePoint(b->value.end, a->value.start);
            if (!closingJoint && SegmentsCross(a->value, b->value)) {
                return 1;
            }
        }
    }
    return 0;
}

std::unique_ptr<CCadCurve> CCadCurve::MakeEllipse(double x1, double y1, double x2, double y2) {
    SDPoint points[13];
    _math_elli2bezier(x1, y1, x2, y2, points);
    auto curve = std::make_unique<CCadCurve>();
    for (int piece = 0; piece < 4; ++piece) {
        CFileLine segment;
        segment.type = CFileLine::kBezier;
        segment.start = points[3 * piece];
        segment.ctrl1 = points[3 * piece + 1];
        segment.ctrl2 = points[3 * piece + 2];
        segment.end = points[3 * piece + 3];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}
