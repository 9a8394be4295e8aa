// CCadMgr: the selection list and its rectangle, the node selection, Delete and Select All.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"

namespace {

using Selection = CadMgrFixture;

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(rect.x1, x1);
    EXPECT_DOUBLE_EQ(rect.y1, y1);
    EXPECT_DOUBLE_EQ(rect.x2, x2);
    EXPECT_DOUBLE_EQ(rect.y2, y2);
}

TEST_F(Selection, RectangleFollowsTheSelection) {
    CCadCurve* a = AddSquare(0, 0, 10);
    CCadCurve* b = AddSquare(20, 5, 10);
    ExpectRect(manager->GetSelectionRect(), 0, 0, 100, 100);
    manager->selectionRect = CCadRect(1, 2, 3, 4, 0);
    manager->CalcSelectionRect();
    ExpectRect(manager->selectionRect, 1, 2, 3, 4);  // empty: left as it was

    manager->AddToSelection(a);
    manager->AddToSelection(b);
    ExpectRect(manager->selectionRect, 0, 0, 30, 15);
    ExpectRect(manager->GetSelectionRect(), 0, 0, 30, 15);
    manager->RemoveFromSelection(a);
    ExpectRect(manager->selectionRect, 20, 5, 30, 15);
    EXPECT_EQ(a->GetSelect(), 0);
    manager->RemoveFromSelection(a);  // not selected: only recomputed
    EXPECT_EQ(Selected(), std::vector<CCadElement*>{b});
}

TEST_F(Selection, AnArrayShowsItsWholeFrame) {
    auto array = std::make_unique<CCadArray>();
    array->children.AddTail(MakeSquare({0, 0}, 10).release());
    array->columnCount = 3;
    array->columnSpacing = 5;
    array->CalRect();
    manager->AddToSelection(Add(std::move(array)));
    ExpectRect(manager->GetSelectionRect(), 0, 0, 40, 10);
}

// Selecting an element twice kept two entries, so Delete freed it twice.
TEST_F(Selection, SelectingTwiceKeepsOneEntryAndDeletesOnce) {
    CCadCurve* curve = AddSquare(0, 0, 10);
    manager->AddToSelection(curve);
    manager->AddToSelection(curve);
    manager->AddToSelection(nullptr);
    EXPECT_EQ(Selected().size(), 1u);
    manager->DeleteSelection();
    EXPECT_TRUE(Elements().empty());
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kDrawingModifiedMessage, kElementsLoadedMessage}));
}

TEST_F(Selection, DeleteAndSelectAllKeepOrderAndTellTheOwner) {
    manager->DeleteSelection();
    EXPECT_TRUE(PostedMessages().empty());
    manager->SelectAll();
    EXPECT_EQ(PostedMessages(), std::vector<std::uint32_t>{kSelectionMovedMessage});
    EXPECT_EQ(owner.Repaints(), 1);

    std::vector<CCadCurve*> curves;
    for (int index = 0; index < 4; ++index) {
        curves.push_back(AddSquare(index * 20.0, 0, 10));
    }
    manager->SelectAll();
    EXPECT_EQ(Selected().back(), curves.back());
    manager->ClearSelection();
    manager->AddToSelection(curves[1]);
    manager->AddToSelection(curves[2]);
    manager->DeleteSelection();
    EXPECT_EQ(Elements(), (std::vector<CCadElement*>{curves[0], curves[3]}));
    EXPECT_EQ(curves[3]->orderNumber, 2u);
}

TEST_F(Selection, ClearingResetsTheNodeEditingMark) {
    CCadCurve* curve = AddSquare(0, 0, 10);
    manager->AddToSelection(curve);
    curve->selectedNode = 3;
    manager->ClearSelection();
    EXPECT_EQ(curve->selectedNode, 0);
    EXPECT_EQ(curve->GetSelect(), 0);
}

// Node entries pointed into freed curves after Delete and after DeleteAll; the sanitizer catches any use.
TEST_F(Selection, DeletingLeavesNoNodeEntryOnFreedCurves) {
    CCadCurve* kept = AddSquare(50, 0, 10);
    for (int round = 0; round < 2; ++round) {
        CCadCurve* curve = AddSquare(0, 0, 10);
        manager->nodeSelList.AddTail({curve, curve->pathList.head->next, 0.0});
        manager->nodeSelList.AddTail({kept, kept->pathList.head->next, 1.0});
        manager->AddToSelection(curve);
        if (round == 0) {
            manager->DeleteSelection();
            ASSERT_EQ(manager->nodeSelList.GetCount(), 1);
            EXPECT_EQ(manager->nodeSelList.head->next->value.curve, kept);
        } else {
            manager->DeleteAll();
            EXPECT_TRUE(manager->nodeSelList.IsEmpty());
        }
    }
}

}  // namespace
