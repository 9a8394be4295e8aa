// Reversing, splicing and removing zero-length lines of curves.
#include <utility>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Turns one record around; any type but a Bezier is stored as a plain line.
void ReverseRecord(CFileLine& record) {
    std::swap(record.start, record.end);
    if (record.IsBezier()) {
        std::swap(record.ctrl1, record.ctrl2);
    } else {
        record.type = 0;
    }
}

GeomStatus Link(FileLineList* list, FileLineList* other, bool toFront) {
    if (other == nullptr || other->IsEmpty() != 0) {
        return 0;
    }
    if (list == nullptr || list->head == nullptr || list == other) {
        return 1;
    }
    SpliceAll(*other, *list, toFront);
    return 0;
}

}  // namespace

GeomStatus _math_c_invert(FileLineList* list) {
    if (list == nullptr) {
        return 1;
    }
    if (list->IsEmpty() != 0) {
        return 0;
    }
    ReverseNodeOrder(*list);
    for (SegmentNode* node = list->head->next; node != list->head; node = node->next) {
        ReverseRecord(node->value);
    }
    return 0;
}

GeomStatus _math_c_linkleft(FileLineList* list, FileLineList* other) {
    return Link(list, other, true);
}

GeomStatus _math_c_linkright(FileLineList* list, FileLineList* other) {
    return Link(list, other, false);
}

GeomStatus _math_c_delptln(FileLineList* list) {
    if (list == nullptr) {
        return 1;
    }
    if (list->IsEmpty() != 0) {
        return 0;
    }
    SegmentNode* node = list->head->next;
    while (node != list->head) {
        SegmentNode* following = node->next;
        if (node->value.type == 0 && Coincide(node->value.start, node->value.end)) {
            RemoveNode(*list, node);
        }
        node = following;
    }
    return 0;
}
