// Node-level work on segment lists: appending, walking, unlinking, rotating, reversing and splicing.
// The curve math relinks the nodes of CDbList itself, so every helper keeps the ring consistent in both
// directions and never leaves the cursor on a freed node.
#pragma once

#include <vector>

#include "Geomcore.h"

namespace geomcore {

using SegmentNode = FileLineList::Node;

// True when the list has a sentinel and at least one record.
inline bool HasRecords(const FileLineList* list) {
    return list != nullptr && list->IsEmpty() == 0;
}

// This library's append: links a copy before the sentinel, moves the cursor to it every time and
// returns the new node; null (nothing added) when the list has no sentinel.
SegmentNode* AppendRecord(FileLineList& list, const CFileLine& record);

// Counts the records by walking the ring.
int RecordCount(const FileLineList& list);

// The records in order, copied.
std::vector<CFileLine> CopyRecords(const FileLineList& list);

// Unlinks and frees one node and lowers the count; the cursor moves on when it rested there.
void RemoveNode(FileLineList& list, SegmentNode* node);

// Makes vertex k the start: the first k records move, in order, behind the last one. Nothing moves for
// k <= 0 or k >= the record count.
void RotateToVertex(FileLineList& list, int vertex);

// Reverses the order of the nodes without touching the records.
void ReverseNodeOrder(FileLineList& list);

// Moves every node of `from`, in order, in front of `to`'s first node (front) or behind its last node.
// `from` is left empty with its cursor on its sentinel; neither count changes.
void SpliceAll(FileLineList& from, FileLineList& to, bool toFront);

// Frees every record of the list and sets the count to 0.
void FreeRecords(FileLineList& list);

// Moves every node of `from` behind `to`'s last node and carries the count over.
void MoveRecords(FileLineList& from, FileLineList& to);

}  // namespace geomcore
