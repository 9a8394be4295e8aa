// CBaseCurve: transforms, picking, structure edits, direction, containment and the stored record of a
// curve. Drawing is in BaseCurveDrawing.cpp.
#include "BaseCurve.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "Archive.h"

namespace {

using Node = CDbList<CLineEx>::Node;

constexpr std::size_t kSegmentRecordBytes = 66;

double Distance(SDPoint a, SDPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Reflects one coordinate of every point about `mirror`: &SDPoint::x about a vertical line at x = mirror,
// &SDPoint::y about a horizontal one. A line's unused control points stay as they are.
void MirrorCoordinate(CDbList<CLineEx>& segments, double SDPoint::*coordinate, double mirror) {
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        CLineEx& segment = node->value;
        segment.p0.*coordinate = 2 * mirror - segment.p0.*coordinate;
        segment.p1.*coordinate = 2 * mirror - segment.p1.*coordinate;
        if (segment.type == CLineEx::kBezier) {
            segment.p2.*coordinate = 2 * mirror - segment.p2.*coordinate;
            segment.p3.*coordinate = 2 * mirror - segment.p3.*coordinate;
        }
    }
}

// Moves every node of `from`, in order, in front of `position` of `into`; `from` ends empty.
void SpliceBefore(CDbList<CLineEx>& into, Node* position, CDbList<CLineEx>& from) {
    if (&into == &from || from.IsEmpty() || into.head == nullptr) {
        return;
    }
    Node* first = from.head->next;
    Node* last = from.head->prev;
    const int moved = from.GetCount();
    from.head->next = from.head;
    from.head->prev = from.head;
    from.cursor = from.head;
    from.count = 0;
    first->prev = position->prev;
    last->next = position;
    position->prev->next = first;
    position->prev = last;
    into.count += moved;
}

// The neighbours of a node in the ring of segments, stepping over the sentinel.
Node* PreviousSegment(const CDbList<CLineEx>& list, Node* node) {
    return node->prev == list.head ? list.head->prev : node->prev;
}

Node* NextSegment(const CDbList<CLineEx>& list, Node* node) {
    return node->next == list.head ? list.head->next : node->next;
}

bool SamePoint(SDPoint a, SDPoint b) {
    return CLineEx(a, b).IsPoint(0.0) != 0;
}

// Signed angle that the piece a->b subtends at p, in radians.
double SubtendedAngle(SDPoint a, SDPoint b, SDPoint p) {
    if (SamePoint(a, b) || SamePoint(a, p) || SamePoint(b, p)) {
        return 0.0;
    }
    const double toA = Distance(a, p), toB = Distance(b, p), chord = Distance(a, b);
    double cosine = (toA * toA + toB * toB - chord * chord) / (2 * toA * toB);
    if (cosine >= 1.0) {
        return 0.0;
    }
    cosine = std::max(cosine, -1.0);
    const double magnitude = std::acos(cosine);
    const double side = (a.x - b.x) * (p.y - b.y) - (p.x - b.x) * (a.y - b.y);
    return side < 0.0 ? magnitude : -magnitude;
}

void ScaleX(SDPoint& point, double sx, double cx) {
    point.x = cx + sx * (point.x - cx);
}

void ScaleY(SDPoint& point, double sy, double cy) {
    point.y = cy + sy * (point.y - cy);
}

}  // namespace

void CBaseCurve::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(colour) << highlight
           << static_cast<std::int32_t>(segments.GetCount());
        for (Node* node = segments.head->next; node != segments.head; node = node->next) {
            node->value.Serialize(ar);
        }
        return;
    }
    std::int32_t loadedColour = 0, loadedHighlight = 0, segmentCount = 0;
    ar >> loadedColour >> loadedHighlight >> segmentCount;
    if (segmentCount < 0 || static_cast<std::size_t>(segmentCount) > ar.Remaining() / kSegmentRecordBytes) {
        throw platform::ArchiveError("curve record with more segments than its data holds");
    }
    CDbList<CLineEx> loaded;
    for (std::int32_t index = 0; index < segmentCount; ++index) {
        CLineEx segment;
        segment.Serialize(ar);
        loaded.AddTail(segment);
    }
    colour = static_cast<std::uint32_t>(loadedColour);
    highlight = loadedHighlight;
    SpliceBefore(segments, segments.head, loaded);
    CalRect();
}

CRectEx CBaseCurve::CalRect() {
    if (segments.IsEmpty()) {
        rect.NormalizeRect();
        return rect;
    }
    const SDPoint start = segments.head->next->value.p0;
    rect = CRectEx(start, start);
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        rect.AddRect(node->value.CalRect());
    }
    rect.NormalizeRect();
    return rect;
}

void CBaseCurve::TransMove(double dx, double dy) {
    if (dx == 0.0 && dy == 0.0) {
        return;
    }
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        for (SDPoint* point : {&node->value.p0, &node->value.p1, &node->value.p2, &node->value.p3}) {
            point->x += dx;
            point->y += dy;
        }
    }
    rect.OffsetRect(dx, dy);
}

void CBaseCurve::TransDrag(double sx, double sy, double cx, double cy) {
    if (segments.IsEmpty() || (sx == 1.0 && sy == 1.0)) {
        return;
    }
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        for (SDPoint* point : {&node->value.p0, &node->value.p1, &node->value.p2, &node->value.p3}) {
            if (sx != 1.0) {
                ScaleX(*point, sx, cx);
            }
            if (sy != 1.0) {
                ScaleY(*point, sy, cy);
            }
        }
    }
    CalRect();
}

void CBaseCurve::TransRotate(double cx, double cy, double angle) {
    if (angle == 0.0) {
        return;
    }
    const double cosAngle = std::cos(angle), sinAngle = std::sin(angle);
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        for (SDPoint* point : {&node->value.p0, &node->value.p1, &node->value.p2, &node->value.p3}) {
            const double x = point->x - cx, y = point->y - cy;
            *point = {cx + x * cosAngle - y * sinAngle, cy + y * cosAngle + x * sinAngle};
        }
    }
    CalRect();
}

void CBaseCurve::XMirror(double x0) {
    MirrorCoordinate(segments, &SDPoint::x, x0);
    CalRect();
}

void CBaseCurve::YMirror(double y0) {
    MirrorCoordinate(segments, &SDPoint::y, y0);
    CalRect();
}

int CBaseCurve::HitTest(SDPoint p, double tol, long& index, double& t) {
    constexpr double kBoxTolerance = 0.001;
    CRectEx box = rect;
    box.InflateRect(tol, tol);
    if (!box.PtInRect(p, kBoxTolerance)) {
        return 0;
    }
    long segmentIndex = 0;
    for (Node* node = segments.head->next; node != segments.head; node = node->next, ++segmentIndex) {
        if (node->value.HitTest(p, tol, t, 0.0, 1.0)) {
            index = segmentIndex;
            return 1;
        }
    }
    return 0;
}

std::unique_ptr<CElement> CBaseCurve::Clone() const {
    auto copy = std::make_unique<CBaseCurve>();
    CopyCurveInto(*copy);
    return copy;
}

void CBaseCurve::CopyCurveInto(CBaseCurve& target) const {
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        target.segments.AddTail(node->value);
    }
    target.colour = colour;
    target.rect = rect;
    target.highlight = 0;
}

double CBaseCurve::GetCurveLength() {
    constexpr double kSampleStep = 0.01;
    double length = 0.0;
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        const CLineEx& segment = node->value;
        if (segment.IsStraight()) {
            length += Distance(segment.p0, segment.p1);
            continue;
        }
        SDPoint previous = segment.p0;
        for (double t = kSampleStep; t < 1.0; t += kSampleStep) {
            const SDPoint next = segment.GetLinePoint(t);
            length += Distance(previous, next);
            previous = next;
        }
        length += Distance(previous, segment.p1);
    }
    return length;
}

void CBaseCurve::TransDir() {
    if (segments.IsEmpty()) {
        return;
    }
    Node* node = segments.head;
    do {
        std::swap(node->prev, node->next);
        node = node->prev;  // the old next
    } while (node != segments.head);
    for (node = segments.head->next; node != segments.head; node = node->next) {
        CLineEx& segment = node->value;
        std::swap(segment.p0, segment.p1);
        if (segment.type == CLineEx::kBezier) {
            std::swap(segment.p2, segment.p3);
        } else {
            segment.type = CLineEx::kLine;
        }
    }
    segments.cursor = segments.head;
}

void CBaseCurve::LinkLeft(CBaseCurve* other) {
    if (other != nullptr && other != this) {
        SpliceBefore(segments, segments.head->next, other->segments);
    }
}

void CBaseCurve::LinkRight(CBaseCurve* other) {
    if (other != nullptr && other != this) {
        SpliceBefore(segments, segments.head, other->segments);
    }
}

void CBaseCurve::DelOptim(double tol) {
    if (segments.IsEmpty()) {
        return;
    }
    Node* last = segments.head->prev;
    CLineEx examined = segments.head->next->value;  // P, the segment tested against
    segments.cursor = segments.head->next->next;
    while (segments.cursor != last && segments.cursor != segments.head) {
        CLineEx& current = segments.cursor->value;  // C
        if (examined.type == CLineEx::kBezier || current.type == CLineEx::kBezier) {
            segments.MoveNext();
            continue;
        }
        const double dx = examined.p1.x - examined.p0.x, dy = examined.p1.y - examined.p0.y;
        const bool examinedIsPoint = dx == 0.0 && dy == 0.0;
        if (examinedIsPoint ||
            std::fabs(dx * (current.p1.y - examined.p0.y) - dy * (current.p1.x - examined.p0.x)) /
                    std::sqrt(dx * dx + dy * dy) <
                tol) {
            const CLineEx removed = current;
            segments.cursor->prev->value.p1 = removed.p1;
            segments.RemoveCurrent();
            examined = removed;
            continue;
        }
        current.p0 = segments.cursor->prev->value.p1;
        examined = current;
        segments.MoveNext();
    }
}

void CBaseCurve::FiltRepeatPoint() {
    segments.MoveFirst();
    while (segments.cursor != nullptr && segments.cursor != segments.head) {
        if (segments.cursor->value.IsPoint(0.0)) {
            segments.RemoveCurrent();
        } else {
            segments.MoveNext();
        }
    }
}

std::int16_t CBaseCurve::GetCurveDir() {
    if (segments.IsEmpty()) {
        return 0;
    }
    Node* top = segments.head->next;
    for (Node* node = top->next; node != segments.head; node = node->next) {
        if (node->value.p0.y > top->value.p0.y) {
            top = node;
        }
    }
    Node* before = PreviousSegment(segments, top);
    Node* after = NextSegment(segments, top);
    const double topY = top->value.p0.y;
    if (before->value.p0.y == topY && after->value.p0.y == topY) {
        while (before->value.p0.y == topY) {
            before = PreviousSegment(segments, before);
            if (before == after) {
                return 0;
            }
        }
    }
    const SDPoint a{after->value.p0.x - top->value.p0.x, after->value.p0.y - topY};
    const SDPoint b{before->value.p0.x - top->value.p0.x, before->value.p0.y - topY};
    return a.x * b.y - a.y * b.x >= 0.0 ? -1 : 1;
}

int CBaseCurve::IsPtInCurve(SDPoint p) {
    constexpr double kBoxTolerance = 0.1;
    constexpr double kFlatteningTolerance = 0.1;
    if (!rect.PtInRect(p, kBoxTolerance)) {
        return 0;
    }
    double angleSum = 0.0;
    for (Node* node = segments.head->next; node != segments.head; node = node->next) {
        const CLineEx& segment = node->value;
        if (segment.IsStraight()) {
            angleSum += SubtendedAngle(segment.p0, segment.p1, p);
            continue;
        }
        CDbList<CLineEx> pieces;
        if (!segment.OptLine(&pieces, kFlatteningTolerance)) {
            return 0;
        }
        for (Node* piece = pieces.head->next; piece != pieces.head; piece = piece->next) {
            angleSum += SubtendedAngle(piece->value.p0, piece->value.p1, p);
        }
    }
    const double turnsOff = std::trunc(1000 * std::fabs(std::fabs(angleSum) - 2 * std::numbers::pi)) * 0.001;
    return turnsOff <= 1.0 ? 1 : 0;
}

int CBaseCurve::IsCurveInCurve(CBaseCurve* other) {
    if (other == nullptr || !IsClose() || segments.IsEmpty() || other->segments.IsEmpty()) {
        return 0;
    }
    return IsPtInCurve(other->segments.head->next->value.p0);
}

void CBaseCurve::AutoClose(double tol, int force) {
    if (segments.IsEmpty() || IsClose()) {
        return;
    }
    const CLineEx& first = segments.head->next->value;
    const CLineEx& last = segments.head->prev->value;
    const bool single = segments.head->next == segments.head->prev;
    const CLineEx closing(last.p1, first.p0);
    const double gap = closing.GetLength();
    if (gap <= 0.0) {
        return;
    }
    const bool closes = single ? force != 0 && first.type == CLineEx::kBezier : force != 0 || gap <= tol;
    if (closes) {
        segments.AddTail(closing);
    }
}

int CBaseCurve::IsClose() {
    if (segments.IsEmpty() || segments.head->next == segments.head->prev) {
        return 0;
    }
    const SDPoint start = segments.head->next->value.p0;
    const SDPoint end = segments.head->prev->value.p1;
    return std::fabs(start.x - end.x) <= kCloseTolerance && std::fabs(start.y - end.y) <= kCloseTolerance ? 1
                                                                                                          : 0;
}
