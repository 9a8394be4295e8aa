#include "DbList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

using IntList = CDbList<int>;

std::vector<int> Values(const IntList& list) {
    std::vector<int> values;
    if (list.head == nullptr) {
        return values;
    }
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        values.push_back(node->value);
    }
    return values;
}

// The ring must be consistent in both directions, whatever the operation did.
void ExpectWellLinked(const IntList& list) {
    if (list.head == nullptr) {
        return;
    }
    auto* node = list.head;
    do {
        ASSERT_EQ(node->next->prev, node);
        node = node->next;
    } while (node != list.head);
}

IntList& Filled(IntList& list, std::initializer_list<int> values) {
    for (int value : values) {
        list.AddTail(value);
    }
    return list;
}

struct ListCase {
    const char* name;
    std::function<int(IntList&)> act;  // returns the operation's result, or 0 when it has none
    int expectedResult;
    std::vector<int> expectedValues;
    std::optional<int> expectedCursorValue;  // nothing: the cursor rests on the sentinel
};

}  // namespace

TEST(CDbList, CursorAndCountFollowEachOperation) {
    const std::vector<ListCase> cases = {
        {"a new list is empty and MoveFirst fails",
         [](IntList& l) { return l.MoveFirst(); },
         0,
         {},
         std::nullopt},
        {"MoveNext from the sentinel reaches the first node",
         [](IntList& l) {
             Filled(l, {1, 2});
             l.cursor = l.head;
             return l.MoveNext();
         },
         1,
         {1, 2},
         1},
        {"MoveNext on an empty list fails", [](IntList& l) { return l.MoveNext(); }, 0, {}, std::nullopt},
        {"MoveNext from the last node returns to the sentinel",
         [](IntList& l) {
             Filled(l, {1, 2});
             l.cursor = l.head->prev;
             return l.MoveNext();
         },
         0,
         {1, 2},
         std::nullopt},
        {"the first AddTail returns 1 and moves the cursor",
         [](IntList& l) { return l.AddTail(7); },
         1,
         {7},
         7},
        {"a second AddTail returns 2 and leaves the cursor on the first",
         [](IntList& l) {
             l.AddTail(7);
             return l.AddTail(8);
         },
         2,
         {7, 8},
         7},
        {"InsertAfterCurrent on the last node appends",
         [](IntList& l) {
             Filled(l, {1, 2});
             l.cursor = l.head->prev;
             l.InsertAfterCurrent(3);
             return 0;
         },
         0,
         {1, 2, 3},
         3},
        {"InsertAfterCurrent on the sentinel prepends",
         [](IntList& l) {
             Filled(l, {1, 2});
             l.cursor = l.head;
             l.InsertAfterCurrent(0);
             return 0;
         },
         0,
         {0, 1, 2},
         0},
        {"InsertAfterCurrent into an empty list",
         [](IntList& l) {
             l.InsertAfterCurrent(5);
             return 0;
         },
         0,
         {5},
         5},
        {"RemoveCurrent on the only node empties the list",
         [](IntList& l) {
             l.AddTail(1);
             l.MoveFirst();
             l.RemoveCurrent();
             return 0;
         },
         0,
         {},
         std::nullopt},
        {"RemoveCurrent steps to the successor",
         [](IntList& l) {
             Filled(l, {1, 2, 3}).MoveFirst();
             l.RemoveCurrent();
             return 0;
         },
         0,
         {2, 3},
         2},
        {"removing every node in a walk ends on the sentinel",
         [](IntList& l) {
             Filled(l, {1, 2, 3}).MoveFirst();
             while (l.cursor != l.head) {
                 l.RemoveCurrent();
             }
             return l.IsEmpty();
         },
         1,
         {},
         std::nullopt},
        {"RemoveAll keeps the list usable",
         [](IntList& l) {
             Filled(l, {1, 2, 3}).RemoveAll();
             return l.AddTail(9);
         },
         1,
         {9},
         9},
        {"RemoveCurrent on the sentinel leaves the ring alone",
         [](IntList& l) {
             Filled(l, {1});
             l.cursor = l.head;
             l.RemoveCurrent();
             return 0;
         },
         0,
         {1},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IntList list;
        EXPECT_EQ(c.act(list), c.expectedResult);
        ExpectWellLinked(list);
        EXPECT_EQ(Values(list), c.expectedValues);
        EXPECT_EQ(list.GetCount(), static_cast<int>(c.expectedValues.size()));
        EXPECT_EQ(list.count, static_cast<int>(c.expectedValues.size()));
        EXPECT_EQ(list.IsEmpty(), c.expectedValues.empty() ? 1 : 0);
        if (c.expectedCursorValue) {
            ASSERT_NE(list.cursor, list.head);
            EXPECT_EQ(list.cursor->value, *c.expectedCursorValue);
        } else {
            EXPECT_EQ(list.cursor, list.head);
        }
    }
}

TEST(CDbList, AReleasedListHasNoSentinelAndAcceptsNothing) {
    IntList list;
    Filled(list, {1, 2});
    list.Release();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.IsEmpty(), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.MoveFirst(), 0);
    EXPECT_EQ(list.AddTail(3), 0);
    list.RemoveAll();
    list.Release();
}

TEST(CDbList, PointerListsNeverDeleteThePointedObjects) {
    auto first = std::make_unique<int>(1);
    auto second = std::make_unique<int>(2);
    {
        CDbList<int*> list;
        list.AddTail(first.get());
        list.AddTail(second.get());
        list.MoveFirst();
        list.RemoveCurrent();
        list.RemoveAll();
        list.AddTail(first.get());
    }
    // Under AddressSanitizer a delete of either object through the list would already have failed.
    EXPECT_EQ(*first, 1);
    EXPECT_EQ(*second, 2);
}

TEST(CDbList, ValueListsDestroyTheirValuesWithTheirNodes) {
    auto shared = std::make_shared<int>(0);
    {
        CDbList<std::shared_ptr<int>> list;
        list.AddTail(shared);
        list.AddTail(shared);
        EXPECT_EQ(shared.use_count(), 3);
        list.MoveFirst();
        list.RemoveCurrent();
        EXPECT_EQ(shared.use_count(), 2);
    }
    EXPECT_EQ(shared.use_count(), 1);
}

TEST(CDbList, MovingAListHandsOverItsNodes) {
    IntList source;
    Filled(source, {4, 5});
    IntList target(std::move(source));
    EXPECT_EQ(Values(target), (std::vector<int>{4, 5}));
    EXPECT_EQ(source.head, nullptr);
    EXPECT_EQ(source.IsEmpty(), 1);
}

// Lists are built on worker threads and emptied on the main thread, and the other way round; nodes
// relinked into another list are freed with it.
TEST(CDbList, NodesMayBeFreedOnAnotherThreadAndInAnotherList) {
    std::vector<IntList> lists(8);
    std::thread([&] {
        for (std::size_t i = 0; i < lists.size(); ++i) {
            for (int value = 0; value < 1000; ++value) {
                lists[i].AddTail(static_cast<int>(i) * 1000 + value);
            }
        }
    }).join();

    IntList gathered;
    for (IntList& list : lists) {
        auto* node = list.head->next;
        list.head->next = list.head;
        list.head->prev = list.head;
        list.cursor = list.head;
        list.count = 0;
        while (node != list.head) {
            auto* next = node->next;
            node->prev = gathered.head->prev;
            node->next = gathered.head;
            gathered.head->prev->next = node;
            gathered.head->prev = node;
            ++gathered.count;
            node = next;
        }
    }
    ExpectWellLinked(gathered);
    EXPECT_EQ(gathered.GetCount(), 8000);
    EXPECT_EQ(Values(gathered).back(), 7999);
    std::thread([&] { gathered.Release(); }).join();
    lists.clear();
}

namespace {

struct IterationCase {
    const char* name;
    std::vector<int> values;
};

}  // namespace

TEST(CDbList, RangeForWalksTheValuesInOrderAndBackwards) {
    const std::vector<IterationCase> cases = {
        {"empty", {}},
        {"one value", {7}},
        {"several values", {3, 1, 4, 1, 5}},
    };
    for (const IterationCase& c : cases) {
        SCOPED_TRACE(c.name);
        IntList list;
        for (int value : c.values) {
            list.AddTail(value);
        }
        std::vector<int> forward;
        for (int value : list) {
            forward.push_back(value);
        }
        EXPECT_EQ(forward, c.values);

        const IntList& readOnly = list;
        std::vector<int> backward;
        for (auto it = readOnly.end(); it != readOnly.begin();) {
            backward.push_back(*--it);
        }
        EXPECT_EQ(backward, std::vector<int>(c.values.rbegin(), c.values.rend()));
    }
}

TEST(CDbList, IteratorWritesReachTheNodesAndLeaveTheRingAndCursorAsTheyWere) {
    IntList list;
    Filled(list, {1, 2, 3});
    list.cursor = list.head->next->next;
    for (int& value : list) {
        value *= 10;
    }
    EXPECT_EQ(Values(list), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(list.cursor->value, 20);
    EXPECT_EQ(list.count, 3);
    ExpectWellLinked(list);
    IntList::const_iterator first = list.begin();  // a mutable iterator converts to a const one
    EXPECT_EQ(*first, 10);
}

TEST(CDbList, ReleasedListIteratesAsEmpty) {
    IntList list;
    Filled(list, {1, 2});
    list.Release();
    EXPECT_EQ(list.begin(), list.end());
    int visited = 0;
    for ([[maybe_unused]] int value : list) {
        ++visited;
    }
    EXPECT_EQ(visited, 0);
}

TEST(CDbList, IteratorSuitsStandardAlgorithms) {
    IntList list;
    Filled(list, {4, 8, 15, 16, 23, 42});
    static_assert(std::bidirectional_iterator<IntList::iterator>);
    static_assert(std::bidirectional_iterator<IntList::const_iterator>);
    EXPECT_EQ(std::distance(list.begin(), list.end()), 6);
    EXPECT_EQ(*std::find(list.begin(), list.end(), 16), 16);
    EXPECT_EQ(std::find(list.begin(), list.end(), 99), list.end());
}
