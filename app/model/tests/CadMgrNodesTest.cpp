// CCadMgr: the node commands on real curves, with the node selection as the node tool leaves it.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"

namespace {

using cutrix::testing::Bezier;
using cutrix::testing::Line;

class Nodes : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        manager->toolMode = 0x8001;
    }
    CCadCurve* AddCurve(std::initializer_list<CFileLine> segments, bool closed = false) {
        auto curve = std::make_unique<CCadCurve>();
        for (const CFileLine& segment : segments) {
            curve->pathList.AddTail(segment);
        }
        curve->closed = closed ? 1 : 0;
        curve->CalRect();
        CCadCurve* added = Add(std::move(curve));
        manager->AddToSelection(added);
        return added;
    }
    static CDbList<CFileLine>::Node* SegmentAt(CCadCurve* curve, int index) {
        auto* node = curve->pathList.head->next;
        for (int step = 0; step < index; ++step) {
            node = node->next;
        }
        return node;
    }
    // Marks a node and selects it as the node tool does: the end of segment `index`, or the start of the
    // first segment for index -1.
    void SelectNode(CCadCurve* curve, int index) {
        auto* segment = SegmentAt(curve, std::max(index, 0));
        segment->value.nodeSelected |= index < 0 ? CFileLine::kStartSelected : CFileLine::kEndSelected;
        manager->nodeSelList.AddTail({curve, segment, index < 0 ? 0.0 : 1.0});
    }
    using Polyline = std::vector<std::pair<double, double>>;
    static Polyline Points(const CCadCurve* curve) {
        const auto rounded = [](SDPoint p) { return std::pair{std::round(p.x * 1e6) / 1e6, std::round(p.y * 1e6) / 1e6}; };
        Polyline points{rounded(curve->pathList.head->next->value.start)};
        for (auto* node = curve->pathList.head->next; node != curve->pathList.head; node = node->next) {
            points.push_back(rounded(node->value.end));
        }
        return points;
    }
};

bool Same(SDPoint a, SDPoint b) {
    return std::fabs(a.x - b.x) < 1e-9 && std::fabs(a.y - b.y) < 1e-9;
}

TEST_F(Nodes, DeletingTheMiddleNodeOfALineAndABezierGivesOneBezier) {
    CCadCurve* curve = AddCurve({Line({0, 0}, {10, 0}), Bezier({10, 0}, {12, 5}, {18, 5}, {20, 0})});
    SelectNode(curve, 0);
    manager->DeleteNodes();
    ASSERT_EQ(curve->pathList.GetCount(), 1);
    const CFileLine& merged = curve->pathList.head->next->value;
    EXPECT_TRUE(merged.IsBezier());
    EXPECT_TRUE(Same(merged.ctrl1, SDPoint(0, 0)));
    EXPECT_TRUE(Same(merged.ctrl2, SDPoint(18, 5)));
    EXPECT_TRUE(manager->nodeSelList.IsEmpty());
}

TEST_F(Nodes, DeletingTheClosingNodeRejoinsTheRest) {
    CCadCurve* curve = AddCurve(
        {Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10}), Line({10, 10}, {0, 10}), Line({0, 10}, {0, 0})}, true);
    SelectNode(curve, -1);
    manager->DeleteNodes();
    EXPECT_EQ(Points(curve), (Polyline{{10, 0}, {10, 10}, {0, 10}, {10, 0}}));
    EXPECT_EQ(curve->closed, 1);

    // Three segments: one is left, and a single segment cannot close.
    CCadCurve* triangle = AddCurve({Line({0, 0}, {5, 0}), Line({5, 0}, {5, 5}), Line({5, 5}, {0, 0})}, true);
    SelectNode(triangle, -1);
    manager->DeleteNodes();
    EXPECT_EQ(triangle->closed, 0);
    EXPECT_EQ(Points(triangle), (Polyline{{5, 0}, {5, 5}}));
    EXPECT_EQ(curve->pathList.GetCount(), 3);  // untouched by the second command
}

TEST_F(Nodes, DeletingEveryNodeDeletesTheCurve) {
    CCadCurve* curve = AddCurve({Line({0, 0}, {10, 0})});
    SelectNode(curve, -1);
    SelectNode(curve, 0);
    manager->DeleteNodes();
    EXPECT_TRUE(Elements().empty());
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage, kDrawingModifiedMessage}));
}

TEST_F(Nodes, JoiningTheEndsOfOneCurveClosesIt) {
    struct Case {
        double gap;
        int segments;
    };
    for (const Case& c : std::vector<Case>{{0.05, 2}, {0.2, 3}}) {
        manager->DeleteAll();
        CCadCurve* curve = AddCurve({Line({0, c.gap}, {10, 0}), Line({10, 0}, {0, 0})});
        SelectNode(curve, -1);
        SelectNode(curve, 1);
        manager->CombineNodes();
        EXPECT_EQ(curve->closed, 1) << c.gap;
        EXPECT_EQ(curve->pathList.GetCount(), c.segments) << c.gap;
        EXPECT_TRUE(Same(curve->pathList.head->prev->value.end, curve->pathList.head->next->value.start)) << c.gap;
    }
    manager->nodeSelList.RemoveAll();
    manager->nodeSelList.AddTail({static_cast<CCadCurve*>(Elements()[0]), nullptr, 0.0});
    manager->CombineNodes();  // one entry: nothing
    EXPECT_EQ(manager->nodeSelList.GetCount(), 1);
}

TEST_F(Nodes, OnlyTwoEndNodesOfOpenCurvesOnDifferentSegmentsCanBeJoined) {
    CCadCurve* open = AddCurve({Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10}), Line({10, 10}, {0, 10})});
    CCadCurve* other = AddCurve({Line({20, 0}, {30, 0})});
    CCadCurve* closed = AddCurve({Line({40, 0}, {50, 0}), Line({50, 0}, {40, 10}), Line({40, 10}, {40, 0})}, true);
    struct Case {
        const char* name;
        std::vector<std::pair<CCadCurve*, int>> nodes;
        bool joinable;
    };
    const Case cases[] = {
        {"both ends of one curve", {{open, -1}, {open, 2}}, true},
        {"ends of two curves", {{open, 2}, {other, -1}}, true},
        {"one node", {{open, -1}}, false},
        {"a node of a middle segment", {{open, 1}, {other, 0}}, false},
        {"one segment", {{other, -1}, {other, 0}}, false},
        {"a closed curve", {{closed, -1}, {other, 0}}, false},
    };
    for (const Case& c : cases) {
        manager->ClearNodeSelection();
        for (const auto& [curve, index] : c.nodes) {
            SelectNode(curve, index);
        }
        EXPECT_EQ(manager->CanCombineNodes(), c.joinable) << c.name;
    }
    manager->toolMode = 0x4001;
    EXPECT_FALSE(manager->CanCombineNodes()) << "outside node editing";
}

TEST_F(Nodes, JoiningTwoStartsRunsThroughTheReversedFirst) {
    CCadCurve* a = AddCurve({Line({20, 0}, {30, 0})});
    CCadCurve* b = AddCurve({Line({10, 0}, {0, 0})});
    SelectNode(a, -1);
    SelectNode(b, -1);
    manager->CombineNodes();
    ASSERT_EQ(Elements(), std::vector<CCadElement*>{b});
    EXPECT_EQ(Points(b), (Polyline{{0, 0}, {10, 0}, {20, 0}, {30, 0}}));
    for (auto* node = manager->nodeSelList.head->next; node != manager->nodeSelList.head; node = node->next) {
        EXPECT_NE(node->value.curve, a);
    }
    EXPECT_EQ(manager->ElementCount(kCurveElement), 1);
}

TEST_F(Nodes, BreakingSplitsOpenCurvesAndOpensClosedOnes) {
    AddSquare(100, 100, 1);
    CCadCurve* open = AddCurve({Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10})});
    SelectNode(open, 0);
    manager->BreakCurve();
    ASSERT_EQ(Elements().size(), 3u);
    EXPECT_EQ(Points(static_cast<CCadCurve*>(Elements()[1])), (Polyline{{0, 0}, {10, 0}}));
    EXPECT_EQ(Elements()[2], open);
    EXPECT_EQ(Points(open), (Polyline{{10, 0}, {10, 10}}));
    EXPECT_EQ(Elements()[1]->layer, open->layer);
    EXPECT_FALSE(Elements()[1]->name.empty());
    EXPECT_TRUE(Selected().empty());

    CCadCurve* closed = AddCurve({Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10}), Line({10, 10}, {0, 0})}, true);
    SelectNode(closed, -1);
    manager->BreakCurve();
    EXPECT_EQ(closed->closed, 0);
    EXPECT_EQ(closed->pathList.GetCount(), 3);
}

TEST_F(Nodes, ConversionsKeepOrDropTheirEntries) {
    CCadCurve* curve = AddCurve({Line({0, 0}, {0, 0}), Line({0, 0}, {9, 0}),
                                 Bezier({9, 0}, {12, 3}, {15, 3}, {18, 0}), Bezier({18, 0}, {18, 0}, {25, 3}, {27, 0})});
    for (int index = 0; index < 3; ++index) {
        manager->nodeSelList.AddTail({curve, SegmentAt(curve, index), 1.0});
    }
    manager->SegmentsToBeziers();
    EXPECT_EQ(manager->nodeSelList.GetCount(), 1);  // only the line that became a Bezier
    EXPECT_FALSE(SegmentAt(curve, 0)->value.IsBezier());
    EXPECT_TRUE(Same(SegmentAt(curve, 1)->value.ctrl1, SDPoint(3, 0)));

    manager->ClearNodeSelection();
    manager->nodeSelList.AddTail({curve, SegmentAt(curve, 2), 1.0});
    manager->SegmentsToLines();
    EXPECT_FALSE(SegmentAt(curve, 2)->value.IsBezier());
    // The next Bezier's handle had no length: it now points along the line, a third of the way.
    const SDPoint handle = SegmentAt(curve, 3)->value.ctrl1;
    EXPECT_NEAR(handle.x, 18 + 9 * 0.333, 1e-9);
    EXPECT_NEAR(handle.y, 0, 1e-9);
    EXPECT_TRUE(manager->nodeSelList.IsEmpty());
}

TEST_F(Nodes, OutsideNodeEditingNothingHappens) {
    CCadCurve* curve = AddCurve({Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10})});
    SelectNode(curve, 0);
    manager->toolMode = 0x4001;
    manager->DeleteNodes();
    manager->BreakCurve();
    EXPECT_EQ(curve->pathList.GetCount(), 2);
    EXPECT_EQ(Elements().size(), 1u);
}

}  // namespace
