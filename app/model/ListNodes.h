// Unlinking a node the caller already holds, so that lists indexed by node pointers drop entries without
// a walk.
#pragma once

#include "DbList.h"

template <typename T>
void UnlinkNode(CDbList<T>& list, typename CDbList<T>::Node* node) {
    if (list.cursor == node) {
        list.cursor = node->next;
    }
    node->prev->next = node->next;
    node->next->prev = node->prev;
    delete node;
    --list.count;
}

// Appends the value and returns its node.
template <typename T>
typename CDbList<T>::Node* AppendNode(CDbList<T>& list, const T& value) {
    list.AddTail(value);
    return list.head->prev;
}
