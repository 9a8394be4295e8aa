// Node-level work on segment lists.
#include "SegmentListOps.h"

namespace geomcore {

namespace {

// Links the chain first..last (already cut out of its ring) between `before` and `after`.
void LinkChain(SegmentNode* first, SegmentNode* last, SegmentNode* before, SegmentNode* after) {
    before->next = first;
    first->prev = before;
    last->next = after;
    after->prev = last;
}

// Leaves `list` with no records, without freeing the nodes that were in it.
void DetachAll(FileLineList& list) {
    list.head->next = list.head;
    list.head->prev = list.head;
    list.cursor = list.head;
}

}  // namespace

SegmentNode* AppendRecord(FileLineList& list, const CFileLine& record) {
    if (list.head == nullptr) {
        return nullptr;
    }
    SegmentNode* last = list.head->prev;
    auto* node = new SegmentNode(record, last, list.head);
    last->next = node;
    list.head->prev = node;
    list.cursor = node;
    ++list.count;
    return node;
}

int RecordCount(const FileLineList& list) {
    return list.GetCount();
}

std::vector<CFileLine> CopyRecords(const FileLineList& list) {
    std::vector<CFileLine> records;
    if (list.IsEmpty() != 0) {
        return records;
    }
    for (const SegmentNode* node = list.head->next; node != list.head; node = node->next) {
        records.push_back(node->value);
    }
    return records;
}

void RemoveNode(FileLineList& list, SegmentNode* node) {
    list.cursor = node;
    list.RemoveCurrent();
}

void RotateToVertex(FileLineList& list, int vertex) {
    if (vertex <= 0 || vertex >= RecordCount(list)) {
        return;
    }
    SegmentNode* head = list.head;
    SegmentNode* movedFirst = head->next;
    SegmentNode* movedLast = movedFirst;
    for (int i = 1; i < vertex; ++i) {
        movedLast = movedLast->next;
    }
    SegmentNode* newFirst = movedLast->next;
    SegmentNode* oldLast = head->prev;
    head->next = newFirst;
    newFirst->prev = head;
    LinkChain(movedFirst, movedLast, oldLast, head);
}

void ReverseNodeOrder(FileLineList& list) {
    if (list.head == nullptr) {
        return;
    }
    SegmentNode* node = list.head;
    do {
        std::swap(node->prev, node->next);
        node = node->prev;  // the old next
    } while (node != list.head);
}

void SpliceAll(FileLineList& from, FileLineList& to, bool toFront) {
    if (from.IsEmpty() != 0 || to.head == nullptr) {
        return;
    }
    SegmentNode* first = from.head->next;
    SegmentNode* last = from.head->prev;
    DetachAll(from);
    if (toFront) {
        LinkChain(first, last, to.head, to.head->next);
    } else {
        LinkChain(first, last, to.head->prev, to.head);
    }
}

void FreeRecords(FileLineList& list) {
    list.RemoveAll();
    if (list.head != nullptr) {
        list.count = 0;  // also when an earlier splice left a stale count
        list.cursor = list.head;
    }
}

void MoveRecords(FileLineList& from, FileLineList& to) {
    const int moved = RecordCount(from);
    SpliceAll(from, to, false);
    if (to.head == nullptr) {
        return;
    }
    to.count += moved;
    from.count = 0;
}

}  // namespace geomcore
