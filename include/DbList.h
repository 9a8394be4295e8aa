// CDbList: the one container of the whole system, a circular doubly linked list with a sentinel node,
// a cursor and a count. Its node shape is part of the interface between the libraries, which walk and
// relink nodes through `prev` and `next` themselves, so the layout below must not change.
//
//      head (sentinel) <-> first <-> ... <-> last <-> head
//
// The list owns its nodes and the values in them. For a list of pointers it never deletes the
// pointed-to objects: their owner deletes them before emptying the list. Nodes come from the shared
// block pool of their size (BlockPool.h), however they are made and deleted.
#pragma once

#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>

#include "BlockPool.h"

template <typename T>
class CDbList {
  public:
    struct Node {
        T value{};
        Node* prev = nullptr;
        Node* next = nullptr;

        Node() = default;
        Node(const T& nodeValue, Node* prevNode, Node* nextNode)
            : value(nodeValue), prev(prevNode), next(nextNode) {}

        static void* operator new(std::size_t) { return AllocateListNode<Node>(); }
        static void operator delete(void* node) noexcept { FreeListNode<Node>(node); }
    };

    Node* head;     // the sentinel; null only after Release
    Node* cursor;   // the current node; may rest on the sentinel
    int count = 0;  // value nodes, kept by the insert and remove operations

    CDbList() : head(new Node), cursor(head) {
        head->prev = head;
        head->next = head;
    }
    ~CDbList() { Release(); }

    CDbList(const CDbList&) = delete;
    CDbList& operator=(const CDbList&) = delete;
    CDbList(CDbList&& other) noexcept
        : head(std::exchange(other.head, nullptr)),
          cursor(std::exchange(other.cursor, nullptr)),
          count(std::exchange(other.count, 0)) {}
    CDbList& operator=(CDbList&& other) noexcept {
        if (this != &other) {
            Release();
            head = std::exchange(other.head, nullptr);
            cursor = std::exchange(other.cursor, nullptr);
            count = std::exchange(other.count, 0);
        }
        return *this;
    }

    // Walks the values from the first node to the last, so that a range-for reads a list as any other
    // container. An iterator stays valid while its node is in the list; removing the node it stands on
    // leaves it dangling, so a walk that removes still goes through the cursor and RemoveCurrent.
    template <typename Value, typename NodePointer>
    class BasicIterator {
      public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        BasicIterator() = default;
        explicit BasicIterator(NodePointer node) : node_(node) {}
        // A mutable iterator gives way to a const one.
        template <typename OtherValue, typename OtherNodePointer>
        requires std::is_convertible_v<OtherNodePointer, NodePointer> BasicIterator(
            const BasicIterator<OtherValue, OtherNodePointer>& other)
            : node_(other.node_) {}

        reference operator*() const { return node_->value; }
        pointer operator->() const { return &node_->value; }
        BasicIterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        BasicIterator operator++(int) {
            BasicIterator before = *this;
            node_ = node_->next;
            return before;
        }
        BasicIterator& operator--() {
            node_ = node_->prev;
            return *this;
        }
        BasicIterator operator--(int) {
            BasicIterator before = *this;
            node_ = node_->prev;
            return before;
        }
        bool operator==(const BasicIterator&) const = default;

      private:
        template <typename, typename>
        friend class BasicIterator;
        NodePointer node_ = nullptr;
    };
    using iterator = BasicIterator<T, Node*>;
    using const_iterator = BasicIterator<const T, const Node*>;

    // A released list (no sentinel) is empty: begin and end are both the null iterator.
    iterator begin() { return iterator(head == nullptr ? nullptr : head->next); }
    iterator end() { return iterator(head); }
    const_iterator begin() const { return const_iterator(head == nullptr ? nullptr : head->next); }
    const_iterator end() const { return const_iterator(head); }

    int IsEmpty() const { return head == nullptr || head->next == head ? 1 : 0; }

    // Walks the ring rather than trusting `count`, which callers may have relinked around.
    int GetCount() const {
        if (IsEmpty()) {
            return 0;
        }
        int nodes = 0;
        for (const Node* node = head->next; node != head; node = node->next) {
            ++nodes;
        }
        return nodes;
    }

    int MoveFirst() {
        if (head == nullptr) {
            cursor = nullptr;
            return 0;
        }
        cursor = head->next;
        return cursor == head ? 0 : 1;
    }

    int MoveNext() {
        if (cursor == nullptr || cursor->next == head) {
            cursor = head;
            return 0;
        }
        cursor = cursor->next;
        return 1;
    }

    // Appends a copy of the value and returns the new count; the cursor moves to the new node only
    // when it is the first one.
    int AddTail(const T& value) {
        if (head == nullptr) {
            return 0;
        }
        const bool wasEmpty = IsEmpty() != 0;
        Node* last = head->prev;
        Node* node = new Node(value, last, head);
        last->next = node;
        head->prev = node;
        if (wasEmpty) {
            cursor = node;
        }
        return ++count;
    }

    // Inserts a copy of the value right after the cursor and moves the cursor to it; with the cursor
    // on the sentinel the value becomes the first node.
    void InsertAfterCurrent(const T& value) {
        if (head == nullptr) {
            return;
        }
        Node* before = (cursor == nullptr) ? head : cursor;
        Node* after = before->next;
        Node* node = new Node(value, before, after);
        before->next = node;
        after->prev = node;
        cursor = node;
        ++count;
    }

    // Frees the node at the cursor and moves the cursor to its successor, so a walk that removes does
    // not call MoveNext after a removal. The cursor must not rest on the sentinel.
    void RemoveCurrent() {
        if (cursor == nullptr || cursor == head) {
            return;
        }
        Node* removed = cursor;
        removed->prev->next = removed->next;
        removed->next->prev = removed->prev;
        cursor = removed->next;
        delete removed;
        --count;
    }

    void RemoveAll() {
        if (IsEmpty()) {
            return;
        }
        cursor = head->next;
        while (cursor != head) {
            Node* removed = cursor;
            cursor = cursor->next;
            removed->prev->next = removed->next;
            removed->next->prev = removed->prev;
            delete removed;
            --count;
        }
        count = 0;
    }

    void Release() {
        if (head == nullptr) {
            return;
        }
        RemoveAll();
        delete head;
        head = nullptr;
        cursor = nullptr;
        count = 0;
    }
};
