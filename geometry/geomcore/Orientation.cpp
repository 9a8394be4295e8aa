// Orientation of a closed curve or closed point list, judged at its topmost vertex.
#include <vector>

#include "Geomcore.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// The ring of vertices around the topmost one: `previous(i)` and `next(i)` give the neighbours.
// Returns 1 (and leaves *direction) when stepping back over vertices at the same height reaches the
// next vertex; otherwise writes 1 for clockwise and 0 for counter-clockwise.
template <typename Previous, typename Next>
GeomStatus OrientationAtTop(const std::vector<SDPoint>& vertices, Previous previous, Next next,
                            int* direction) {
    int top = 0;
    for (int i = 1; i < static_cast<int>(vertices.size()); ++i) {
        if (vertices[i].y > vertices[top].y) {
            top = i;
        }
    }
    const int after = next(top);
    int before = previous(top);
    while (vertices[before].y == vertices[top].y) {
        before = previous(before);
        if (before == after || before == top) {
            return 1;
        }
    }
    const SDPoint p = vertices[before], s = vertices[top], n = vertices[after];
    const double turn = (p.x - n.x) * (s.y - n.y) - (p.y - n.y) * (s.x - n.x);
    *direction = turn < 0.0 ? 1 : 0;
    return 0;
}

}  // namespace

GeomStatus _math_c_getdir(FileLineList* list, int* direction) {
    if (list == nullptr || direction == nullptr) {
        return 1;
    }
    *direction = 0;
    std::vector<SDPoint> starts;
    for (const CFileLine& record : CopyRecords(*list)) {
        starts.push_back(record.start);
    }
    const int count = static_cast<int>(starts.size());
    if (count < 3) {
        return 1;
    }
    return OrientationAtTop(
        starts, [count](int i) { return (i + count - 1) % count; },
        [count](int i) { return (i + 1) % count; }, direction);
}

// The closing point repeats the first, so the ring skips it: before the first point comes the last
// point but one, and after the last point comes the second.
GeomStatus _math_pl_getdir(CDbList<SDPoint>* points, int* direction) {
    if (points == nullptr || direction == nullptr) {
        return 1;
    }
    *direction = 0;
    std::vector<SDPoint> vertices;
    if (points->IsEmpty() == 0) {
        for (const auto* node = points->head->next; node != points->head; node = node->next) {
            vertices.push_back(node->value);
        }
    }
    const int count = static_cast<int>(vertices.size());
    if (count < 4) {
        return 1;
    }
    return OrientationAtTop(
        vertices, [count](int i) { return i == 0 ? count - 2 : i - 1; },
        [count](int i) { return i == count - 1 ? 1 : i + 1; }, direction);
}
