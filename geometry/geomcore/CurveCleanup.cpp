// Merging nearly collinear lines and closing nearly closed curves.
#include <cmath>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Distance of a point from the infinite line through the reference record's start and end.
double DistanceFromLine(const CFileLine& reference, SDPoint point) {
    const SDPoint s = reference.start, e = reference.end;
    const double a = e.y - s.y;
    const double b = s.x - e.x;
    const double c = (e.x - s.x) * s.y - (e.y - s.y) * s.x;
    return std::fabs(a * point.x + b * point.y + c) / std::sqrt(a * a + b * b);
}

bool CanMergeInto(const CFileLine& reference, const CFileLine& record) {
    return !reference.IsBezier() && !record.IsBezier() && !SameExactly(reference.start, reference.end);
}

CFileLine ClosingLine(const FileLineList& list) {
    CFileLine closing;
    closing.start = list.head->prev->value.end;
    closing.end = list.head->next->value.start;
    return closing;
}

// Appends the closing line unless the curve is closed exactly already.
void AppendClosingLine(FileLineList& list) {
    const CFileLine closing = ClosingLine(list);
    if (Distance(closing.start, closing.end) > 0.0) {
        AppendRecord(list, closing);
    }
}

}  // namespace

// A run of nearly collinear lines is measured against the first line of the run as it was read, and
// the line before each removed record takes over the removed record's end. The last record stays.
GeomStatus _math_c_deloptim(FileLineList* list, double toleranceMm) {
    if (list == nullptr) {
        return 1;
    }
    if (list->IsEmpty() != 0 || RecordCount(*list) < 3) {
        return 0;
    }
    const SegmentNode* last = list->head->prev;
    CFileLine reference = list->head->next->value;
    SegmentNode* node = list->head->next->next;
    while (node != last) {
        SegmentNode* following = node->next;
        if (!CanMergeInto(reference, node->value) ||
            DistanceFromLine(reference, node->value.end) > toleranceMm) {
            reference = node->value;
        } else {
            node->prev->value.end = node->value.end;
            RemoveNode(*list, node);
        }
        node = following;
    }
    return 0;
}

GeomStatus _math_c_autoclose(FileLineList* list, double toleranceMm, int force, int* closed) {
    if (list == nullptr || closed == nullptr) {
        return 1;
    }
    if (list->IsEmpty() != 0) {
        return 0;
    }
    const int count = RecordCount(*list);
    if (force == 0) {
        if (count < 2) {
            return 0;
        }
        const CFileLine closing = ClosingLine(*list);
        if (Distance(closing.start, closing.end) <= toleranceMm) {
            AppendClosingLine(*list);
            *closed = 1;
        }
        return 0;
    }
    if (count == 1 && !list->head->next->value.IsBezier()) {
        return 0;
    }
    AppendClosingLine(*list);
    *closed = 1;
    return 0;
}
