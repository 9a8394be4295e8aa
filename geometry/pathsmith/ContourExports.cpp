// The smaller contour exports: closing, joining, self-crossing and rings, crossing and overlap of two
// contours.
#include <cmath>
#include <memory>

#include "Contours.h"
#include "ExportGuard.h"
#include "Overlap.h"
#include "Pathsmith.h"
#include "RingWalk.h"

namespace pathsmith {

namespace {

bool Usable(const CDbList<CLineEx>* segments) {
    return segments != nullptr && !segments->IsEmpty() && HasFiniteCoordinates(*segments);
}

short CloseCurve(CDbList<CLineEx>& segments, double tolerance) {
    CLineEx& last = segments.head->prev->value;
    const SDPoint start = segments.head->next->value.p0;
    if (!(Distance(last.p1, start) <= tolerance)) {
        return 1;
    }
    last.p1 = start;
    return 0;
}

// Appends every segment of `next` to `previous`, the first one starting exactly where `previous` ends.
void AppendSegments(CMyCurve& previous, const CMyCurve& next) {
    const SDPoint joint = previous.segments.head->prev->value.p1;
    bool first = true;
    for (const auto* node = next.segments.head->next; node != next.segments.head; node = node->next) {
        CLineEx segment = node->value;
        if (first) {
            segment.p0 = joint;
            first = false;
        }
        previous.segments.AddTail(segment);
    }
}

void CombineLines(CDbList<CMyCurve*>& curves, double tolerance) {
    CDbList<CMyCurve*>::Node* previous = curves.head->next;
    CDbList<CMyCurve*>::Node* current = previous->next;
    while (current != curves.head) {
        CMyCurve* before = previous->value;
        CMyCurve* curve = current->value;
        const bool follows = before != nullptr && curve != nullptr && !before->segments.IsEmpty() &&
                             !curve->segments.IsEmpty() &&
                             Distance(before->segments.head->prev->value.p1,
                                      curve->segments.head->next->value.p0) <= tolerance;
        if (!follows) {
            previous = current;
            current = current->next;
            continue;
        }
        AppendSegments(*before, *curve);
        delete curve;
        curves.cursor = current;
        curves.RemoveCurrent();
        current = curves.cursor;
    }
    curves.cursor = curves.head;
}

short GetSelfRing(const CDbList<CLineEx>& segments, CDbList<CMyCurve*>& curves) {
    const std::vector<Chord> contour = ChordsOf(segments);
    CurveBatch batch;
    if (!ContourCrossesItself(contour)) {
        auto copy = std::make_unique<CMyCurve>();
        for (const auto* node = segments.head->next; node != segments.head; node = node->next) {
            copy->segments.AddTail(node->value);
        }
        batch.Add(std::move(copy));
        batch.AppendTo(curves);
        return 0;
    }
    const bool closed = StartMeetsEnd(contour);
    for (const std::vector<SDPoint>& ring : WalkRings(SequenceWithCrossings(contour, closed), closed)) {
        batch.Add(CurveThrough(ring));
    }
    batch.AppendTo(curves);
    return 1;
}

short IsCross(const std::vector<Chord>& first, const std::vector<Chord>& second) {
    CRectEx firstRect = ContourRect(first), secondRect = ContourRect(second);
    if (!RectsOverlap(firstRect, secondRect) && !firstRect.IsInclude(secondRect, 0.0) &&
        !secondRect.IsInclude(firstRect, 0.0)) {
        return 1;
    }
    return ContoursCross(first, second) ? 0 : 1;
}

}  // namespace

}  // namespace pathsmith

using pathsmith::Guarded;

short Zint_CloseCurve(CDbList<CLineEx>* segments, double tolerance) {
    return Guarded([&]() -> short {
        return segments == nullptr || segments->IsEmpty() ? 1 : pathsmith::CloseCurve(*segments, tolerance);
    });
}

short Zint_CombineLine(CDbList<CMyCurve*>* curves, double tolerance) {
    return Guarded([&]() -> short {
        if (curves == nullptr || curves->IsEmpty()) {
            return 1;
        }
        pathsmith::CombineLines(*curves, tolerance);
        return 0;
    });
}

short Zint_IsSelfCross(CDbList<CLineEx>* segments) {
    return Guarded([&]() -> short {
        if (!pathsmith::Usable(segments)) {
            return 1;
        }
        return pathsmith::ContourCrossesItself(pathsmith::ChordsOf(*segments)) ? 0 : 1;
    });
}

short Zint_GetSelfRing(CDbList<CLineEx>* segments, CDbList<CMyCurve*>* curves) {
    return Guarded([&]() -> short {
        if (!pathsmith::Usable(segments) || curves == nullptr) {
            return 1;
        }
        return pathsmith::GetSelfRing(*segments, *curves);
    });
}

short Zint_IsCross(CDbList<CLineEx>* first, CDbList<CLineEx>* second) {
    return Guarded([&]() -> short {
        if (!pathsmith::Usable(first) || !pathsmith::Usable(second)) {
            return 1;
        }
        return pathsmith::IsCross(pathsmith::ChordsOf(*first), pathsmith::ChordsOf(*second));
    });
}

short Zint_IsOverlap(CDbList<CLineEx>* first, CDbList<CLineEx>* second, double tolerance) {
    return Guarded([&]() -> short {
        if (!pathsmith::Usable(first) || !pathsmith::Usable(second)) {
            return 1;
        }
        return pathsmith::ContoursOverlap(pathsmith::ChordsOf(*first), pathsmith::ChordsOf(*second),
                                          tolerance)
                   ? 0
                   : 1;
    });
}

short Zint_DelOverlap(CDbList<CLineEx>* first, CDbList<CLineEx>* second, double tolerance) {
    return Guarded([&]() -> short {
        if (pathsmith::Usable(first) && pathsmith::Usable(second)) {
            pathsmith::RemoveOverlaps(*first, *second, tolerance);
        }
        return 0;
    });
}
