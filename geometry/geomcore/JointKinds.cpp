// Joint kinds between consecutive Bezier records, kept so that node editing keeps smooth joints smooth.
#include <cmath>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// The joint is symmetric when it lies within this of the handles' midpoint in x and in y.
constexpr double kSymmetryTolerance = 0.01;

bool Collinear(SDPoint a, SDPoint middle, SDPoint b) {
    return _math_Is3ponline(a.x, a.y, middle.x, middle.y, b.x, b.y) != 0;
}

std::uint16_t SmoothOrSymmetric(SDPoint handleIn, SDPoint joint, SDPoint handleOut) {
    return WithinBox(Midpoint(handleIn, handleOut), joint, kSymmetryTolerance) ? CFileLine::kJointSymmetric
                                                                               : CFileLine::kJointSmooth;
}

// The joint where `before` ends and `after` starts.
std::uint16_t InnerJointKind(const CFileLine& before, const CFileLine& after) {
    if (!before.IsBezier() || !after.IsBezier()) {
        return CFileLine::kJointCorner;
    }
    const SDPoint joint = before.end, handleIn = before.ctrl2, handleOut = after.ctrl1;
    if (!Collinear(handleIn, joint, handleOut) || SameExactly(handleIn, joint) ||
        SameExactly(joint, handleOut)) {
        return CFileLine::kJointCorner;
    }
    return SmoothOrSymmetric(handleIn, joint, handleOut);
}

// The seam of a closed curve, judged at the first start without the exact-coincidence test.
void ClassifySeam(CFileLine& last, CFileLine& first) {
    const SDPoint joint = first.start, handleIn = first.ctrl1, handleOut = last.ctrl2;
    if (last.IsBezier() && first.IsBezier() && Collinear(handleIn, joint, handleOut)) {
        const std::uint16_t kind = SmoothOrSymmetric(handleIn, joint, handleOut);
        first.startJoint = kind;
        last.endJoint = kind;
    }
}

}  // namespace

GeomStatus _math_c_updatesmooth(FileLineList* list, int closed) {
    if (list == nullptr) {
        return 1;
    }
    if (list->IsEmpty() != 0) {
        return 0;
    }
    SegmentNode* first = list->head->next;
    SegmentNode* last = list->head->prev;
    first->value.startJoint = CFileLine::kJointCorner;
    for (SegmentNode* node = first; node != last; node = node->next) {
        const std::uint16_t kind = InnerJointKind(node->value, node->next->value);
        node->value.endJoint = kind;
        node->next->value.startJoint = kind;
    }
    last->value.endJoint = CFileLine::kJointCorner;
    if (closed != 0 && RecordCount(*list) >= 3) {
        ClassifySeam(last->value, first->value);
    }
    return 0;
}
