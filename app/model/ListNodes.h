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

// Relinks a ring list so that it ends with `last` (and starts with the node after it); nodes stay.
template <typename T>
void RotateToEndWith(CDbList<T>& list, typename CDbList<T>::Node* last) {
    while (list.head->prev != last) {
        auto* moved = list.head->next;
        moved->prev->next = moved->next;
        moved->next->prev = moved->prev;
        moved->prev = list.head->prev;
        moved->next = list.head;
        list.head->prev->next = moved;
        list.head->prev = moved;
    }
}
