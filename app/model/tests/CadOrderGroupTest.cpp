// CCadOrderGroup: the cluster's rectangle, flattening into cutting order, detaching, and what it deletes.
#include "CadOrderGroup.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The optimiser clusters curves; a base element of the curve's type stands in for one here.
CCadElement* CurveWithRect(double x1, double y1, double x2, double y2) {
    auto* curve = new CCadElement;
    curve->rect.x1 = x1;
    curve->rect.y1 = y1;
    curve->rect.x2 = x2;
    curve->rect.y2 = y2;
    return curve;
}

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(rect.x1, x1);
    EXPECT_DOUBLE_EQ(rect.y1, y1);
    EXPECT_DOUBLE_EQ(rect.x2, x2);
    EXPECT_DOUBLE_EQ(rect.y2, y2);
}

std::vector<CCadElement*> Contents(CDbList<CCadElement*>& list) {
    std::vector<CCadElement*> contents;
    for (int more = list.MoveFirst(); more != 0; more = list.MoveNext()) {
        contents.push_back(list.cursor->value);
    }
    return contents;
}

TEST(CadOrderGroup, NewGroupIsTypeHundredWithoutContent) {
    const CCadOrderGroup group;
    EXPECT_EQ(group.typeCode, kOrderGroupElement);
    EXPECT_EQ(group.reference, nullptr);
    EXPECT_EQ(group.children.IsEmpty(), 1);
}

TEST(CadOrderGroupRect, EmptyGroupKeepsItsRectangleOrTakesTheReferences) {
    CCadOrderGroup withoutReference;
    withoutReference.CalRect();
    ExpectRect(withoutReference.rect, 0, 0, 100, 100);

    CCadOrderGroup withReference;
    withReference.reference = CurveWithRect(5, 6, 7, 8);
    withReference.CalRect();
    ExpectRect(withReference.rect, 5, 6, 7, 8);
}

TEST(CadOrderGroupRect, SingleChildIsTakenAsStoredWithoutNormalising) {
    CCadOrderGroup group;
    group.children.AddTail(CurveWithRect(30, 40, 20, 5));
    group.CalRect();
    ExpectRect(group.rect, 30, 40, 20, 5);
}

TEST(CadOrderGroupRect, UnitesChildrenAndReference) {
    CCadOrderGroup group;
    group.children.AddTail(CurveWithRect(0, 0, 10, 10));
    group.children.AddTail(CurveWithRect(30, 40, 20, 5));
    group.reference = CurveWithRect(-5, -5, 50, 50);
    group.CalRect();
    ExpectRect(group.rect, -5, -5, 50, 50);
}

TEST(CadOrderGroupRect, NestedGroupsRecomputeTheirsFirst) {
    auto* nested = new CCadOrderGroup;
    nested->children.AddTail(CurveWithRect(60, 60, 70, 80));
    CCadOrderGroup group;
    group.children.AddTail(CurveWithRect(0, 0, 10, 10));
    group.children.AddTail(nested);
    group.CalRect();
    ExpectRect(nested->rect, 60, 60, 70, 80);
    ExpectRect(group.rect, 0, 0, 70, 80);
}

// A group of curve A, a nested group (B, C, reference D) and reference E:
//   flattened A, B, C, D, E: inner contents before the curve that encloses them.
class ClusterOfFive : public ::testing::Test {
  protected:
    ClusterOfFive() {
        for (CCadElement*& curve : curves_) {
            curve = new CCadElement;
        }
        auto* nested = new CCadOrderGroup;
        nested->children.AddTail(curves_[1]);
        nested->children.AddTail(curves_[2]);
        nested->reference = curves_[3];
        group_ = new CCadOrderGroup;
        group_->children.AddTail(curves_[0]);
        group_->children.AddTail(nested);
        group_->reference = curves_[4];
    }
    ~ClusterOfFive() override {
        delete group_;
        for (CCadElement* curve : survivors_) {
            delete curve;
        }
    }

    CCadElement* curves_[5] = {};
    CCadOrderGroup* group_ = nullptr;
    std::vector<CCadElement*> survivors_;
};

TEST_F(ClusterOfFive, FlattenListsContentsBeforeEachReference) {
    CDbList<CCadElement*> out;
    group_->Flatten(&out);
    EXPECT_EQ(Contents(out),
              (std::vector<CCadElement*>{curves_[0], curves_[1], curves_[2], curves_[3], curves_[4]}));
    group_->Flatten(nullptr);
}

TEST_F(ClusterOfFive, DetachedGroupIsEmptyAndDeletingItLeavesTheCurves) {
    CDbList<CCadElement*> out;
    group_->Flatten(&out);
    group_->Detach();
    EXPECT_EQ(group_->children.IsEmpty(), 1);
    EXPECT_EQ(group_->children.count, 0);
    EXPECT_EQ(group_->reference, nullptr);
    delete group_;
    group_ = nullptr;
    for (CCadElement* curve : curves_) {
        EXPECT_EQ(curve->typeCode, kCurveElement);  // still alive: ASan would report a use after free
        survivors_.push_back(curve);
    }
}

TEST_F(ClusterOfFive, DestroyedDirectlyItDeletesCurvesNestedGroupsAndReferences) {
    delete group_;  // the leak checker reports any curve or group left behind
    group_ = nullptr;
}

TEST(CadOrderGroup, LeavesChildrenOfOtherTypesToTheirOwner) {
    CCadElement point;
    point.typeCode = kPointElement;
    {
        CCadOrderGroup group;
        group.children.AddTail(&point);
    }
    EXPECT_EQ(point.typeCode, kPointElement);
}

}  // namespace
