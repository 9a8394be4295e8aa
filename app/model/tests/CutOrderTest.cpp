// CCutOrder: containment of curves by rectangle margins and the winding angle, and the one-level grouping.
#include "CutOrder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CutOrderTestShapes.h"

namespace {

TEST(CutOrderIsInside, DecidesByRectangleForOpenAndByWindingForClosed) {
    struct Case {
        const char* name;
        std::unique_ptr<CCadCurve> outer, inner;
        int expected;
    };
    std::vector<Case> cases;
    cases.push_back({"square in circle", MakeCircle(0, 0, 10), MakeSquare({-2, -2}, 4), 1});
    cases.push_back({"first point in the notch", MakeL(), MakeSquare({6, 6}, 3), 0});
    cases.push_back({"square in the L's foot", MakeL(), MakeSquare({1, 1}, 3), 1});
    cases.push_back({"open curve meeting the rectangle", MakeL(), MakeCurve({{6, 6}, {9, 9}}), 1});
    cases.push_back(
        {"circle near the circle's rim, outside", MakeCircle(0, 0, 10), MakeSquare({7.5, 7.5}, 1), 0});
    for (const Case& c : cases) {
        EXPECT_EQ(CCutOrder::IsInside(c.outer.get(), c.inner.get()), c.expected) << c.name;
    }
    auto point = MakePoint(1, 1);
    EXPECT_EQ(CCutOrder::IsInside(MakeL().get(), point.get()), 0);
}

TEST(CutOrderPointInContour, PointsOnTheRectangleEdgeAreDecidedByWinding) {
    const auto l = MakeL();
    EXPECT_EQ(CCutOrder::PointInContour({10, 10}, l->pathList, l->rect), 0);  // the notch corner
    EXPECT_EQ(CCutOrder::PointInContour({2, 2}, l->pathList, l->rect), 1);
    EXPECT_EQ(CCutOrder::PointInContour({11, 2}, l->pathList, l->rect), 0);
}

class ContainmentGrouping : public ::testing::Test {
  protected:
    ~ContainmentGrouping() override {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            delete node->value;
        }
    }
    CCadElement* Append(std::unique_ptr<CCadElement> element) {
        list.AddTail(element.get());
        return element.release();
    }
    CDbList<CCadElement*> list;
};

TEST_F(ContainmentGrouping, InnerItemsMoveIntoTheFirstContainer) {
    // A ring (letter O) with a dot inside, an open stroke beside it, and a later outline holding an earlier
    // one.
    CCadElement* dot = Append(MakeSquare({-1, -1}, 2));
    CCadElement* ring = Append(MakeCircle(0, 0, 10));
    CCadElement* hole = Append(MakeCircle(0, 0, 6));
    CCadElement* stroke = Append(MakeCurve({{30, 0}, {40, 0}}));
    CCadElement* otherStroke = Append(MakeCurve({{30, 5}, {40, 5}}));
    CCutOrder::GroupByContainment(list);

    ASSERT_EQ(list.GetCount(), 3);
    auto* group = dynamic_cast<CCadOrderGroup*>(list.head->next->value);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->reference, ring);
    std::vector<CCadElement*> inside;
    for (auto* node = group->children.head->next; node != group->children.head; node = node->next) {
        inside.push_back(node->value);
    }
    EXPECT_EQ(inside, (std::vector<CCadElement*>{dot, hole}));
    EXPECT_EQ(list.head->next->next->value, stroke);  // two open curves never nest
    EXPECT_EQ(list.head->prev->value, otherStroke);
    EXPECT_NEAR(group->rect.x1, -10, 1e-6);
}

TEST_F(ContainmentGrouping, MarginsDifferByDirection) {
    // A later square sticking out 0.05 mm still counts as inside an earlier one; the reverse does not.
    Append(MakeSquare({0, 0}, 10));
    Append(MakeSquare({1, 1}, 9.05));
    CCutOrder::GroupByContainment(list);
    EXPECT_EQ(list.GetCount(), 1);

    for (auto* node = list.head->next; node != list.head; node = node->next) {
        delete node->value;
    }
    list.RemoveAll();
    Append(MakeSquare({1, 1}, 9.05));
    Append(MakeSquare({0, 0}, 10));
    CCutOrder::GroupByContainment(list);
    EXPECT_EQ(list.GetCount(), 2);
}

}  // namespace
