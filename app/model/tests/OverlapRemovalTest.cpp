// CCadMgr::DeleteOverlap: the cases of every segment test on whole curves, the repairs, what is shown and
// posted, and the grids giving exactly the results of the walk over every pair on random drawings.
#include <gtest/gtest.h>

#include <random>

#include "CadMgrFixture.h"
#include "OverlapTests.h"

namespace {

using cutrix::testing::Bezier;
using cutrix::testing::Line;

using Segments = std::vector<CFileLine>;

std::unique_ptr<CCadCurve> CurveOf(const Segments& segments, bool closed = false) {
    auto curve = std::make_unique<CCadCurve>();
    for (const CFileLine& segment : segments) {
        curve->pathList.AddTail(segment);
    }
    curve->closed = closed ? 1 : 0;
    curve->CalRect();
    return curve;
}

// A curve's segments as start and end points, rounded to 1e-6 mm.
using Shape = std::vector<std::array<double, 4>>;
Shape ShapeOf(const CCadElement* element) {
    Shape shape;
    const auto* curve = static_cast<const CCadCurve*>(element);
    for (auto* node = curve->pathList.head->next; node != curve->pathList.head; node = node->next) {
        const auto r = [](double v) { return std::round(v * 1e6) / 1e6; };
        shape.push_back({r(node->value.start.x), r(node->value.start.y), r(node->value.end.x), r(node->value.end.y)});
    }
    return shape;
}

class Overlap : public CadMgrFixture {
  protected:
    void SelectCurves(const std::vector<std::pair<Segments, bool>>& curves) {
        for (const auto& [segments, closed] : curves) {
            manager->AddToSelection(Add(CurveOf(segments, closed)));
        }
    }
    std::vector<Shape> Shapes() const {
        std::vector<Shape> shapes;
        for (CCadElement* element : Elements()) {
            shapes.push_back(ShapeOf(element));
        }
        return shapes;
    }
    std::string Shown() const { return owner.Shown().empty() ? "" : owner.Shown().back().text; }
};

TEST_F(Overlap, CasesOfEverySegmentTest) {
    const CFileLine bezier = Bezier({0, 0}, {1, 2}, {3, 2}, {4, 0});
    const CFileLine reversed = Bezier({4, 0}, {3, 2}, {1, 2}, {0, 0});
    struct Case {
        const char* name;
        std::vector<std::pair<Segments, bool>> curves;
        int count;
        std::vector<Shape> after;
    };
    const std::vector<Case> cases = {
        {"zero-length segment, not counted",
         {{{Line({0, 0}, {0.0005, 0.0005}), Line({0.0005, 0.0005}, {5, 0})}, false}},
         0,
         {{{0.0005, 0.0005, 5, 0}}}},
        {"repeated Bezier", {{{bezier, Line({4, 0}, {9, 0}), bezier}, false}}, 1, {{{0, 0, 4, 0}, {4, 0, 9, 0}}}},
        {"reversed repeated Bezier", {{{bezier, reversed}, false}}, 1, {{{0, 0, 4, 0}}}},
        {"retraced line splits the curve at the gap",
         {{{Line({0, 0}, {10, 0}), Line({10, 0}, {2, 0}), Line({2, 0}, {2, 5})}, false}},
         1,
         {{{2, 0, 2, 5}}, {{0, 0, 10, 0}}}},
        {"partly overlapping segment trimmed",
         {{{Line({0, 0}, {10, 10})}, false}, {{Line({8, 8.0004}, {15, 15.0004})}, false}},
         1,
         {{{0, 0, 10, 10}}, {{10, 10, 15, 15.0004}}}},
        {"touching on the line exactly: left",
         {{{Line({0, 0}, {10, 10})}, false}, {{Line({8, 8}, {15, 15})}, false}},
         0,
         {{{0, 0, 10, 10}}, {{8, 8, 15, 15}}}},
        {"inner end outside the flat box",
         {{{Line({0, 0}, {10, 0})}, false}, {{Line({8, 0.0003}, {15, 0.0003})}, false}},
         0,
         {{{0, 0, 10, 0}}, {{8, 0.0003, 15, 0.0003}}}},
        {"curve of one covered segment leaves the drawing",
         {{{Line({0, 0}, {10, 0})}, false}, {{Line({2, 0}, {5, 0})}, false}},
         1,
         {{{0, 0, 10, 0}}}},
        {"square under a line opens at its removed side",
         {{{Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10}), Line({10, 10}, {0, 10}), Line({0, 10}, {0, 0})}, true},
          {{Line({-5, 10}, {15, 10})}, false}},
         1,
         {{{0, 10, 0, 0}, {0, 0, 10, 0}, {10, 0, 10, 10}}, {{-5, 10, 15, 10}}}},
    };
    for (const Case& c : cases) {
        manager->DeleteAll();
        owner.Clear();
        SelectCurves(c.curves);
        manager->DeleteOverlap(0, 1);
        EXPECT_EQ(Shown(), "Deleted overlapped lines:" + std::to_string(c.count)) << c.name;
        EXPECT_EQ(Shapes(), c.after) << c.name;
        EXPECT_EQ(Selected().size(), Elements().size()) << c.name;
        for (CCadElement* element : Elements()) {
            EXPECT_FALSE(element->name.empty()) << c.name;
        }
    }
}

TEST_F(Overlap, WhatIsPostedDependsOnTheCurvesSeenAndTheCount) {
    struct Case {
        const char* name;
        int curves;
        bool group;
        bool overlapping;
        std::vector<std::uint32_t> posted;
    };
    const std::vector<Case> cases = {
        {"one curve, nothing removed", 1, false, false, {kDrawingModifiedMessage}},
        {"two curves, nothing removed", 2, false, false, {}},
        {"two curves, one removal", 2, false, true, {kDrawingModifiedMessage}},
        {"groups only", 0, true, false, {kDrawingModifiedMessage}},
    };
    for (const Case& c : cases) {
        manager->DeleteAll();
        owner.Clear();
        for (int index = 0; index < c.curves; ++index) {
            const double y = c.overlapping ? 0 : index * 10.0;
            manager->AddToSelection(Add(CurveOf({Line({0, y}, {10, y})})));
        }
        if (c.group) {
            auto group = std::make_unique<CCadGroup>();
            group->children.AddTail(CurveOf({Line({0, 0}, {10, 0}), Line({0, 0}, {10, 0})}).release());
            manager->AddToSelection(Add(std::move(group)));
        }
        manager->DeleteOverlap(0, 1);
        EXPECT_EQ(PostedMessages(), c.posted) << c.name;
        EXPECT_EQ(owner.Shown().size(), 1u) << c.name;
    }
    owner.Clear();
    manager->ClearSelection();
    manager->DeleteOverlap(0, 1);
    EXPECT_TRUE(owner.Shown().empty());
}

TEST_F(Overlap, NodeSelectionOnRemovedSegmentsIsDropped) {
    CCadCurve* curve = Add(CurveOf({Line({0, 0}, {10, 0}), Line({10, 0}, {0, 0})}));
    manager->nodeSelList.AddTail({curve, curve->pathList.head->prev, 1.0});
    manager->AddToSelection(curve);
    manager->DeleteOverlap(0, 1);
    EXPECT_TRUE(manager->nodeSelList.IsEmpty());
}

// Random drawings of retraced, collinear and crossing segments on a coarse lattice, some with Beziers:
// the grids must give the walk's results exactly, segment for segment.
TEST(OverlapSearch, GridsGiveThePairwiseResults) {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> lattice(0, 12);
    std::uniform_int_distribution<int> coin(0, 9);
    for (int drawing = 0; drawing < 40; ++drawing) {
        std::vector<std::pair<Segments, bool>> curves;
        const int curveCount = 2 + drawing % 12;
        for (int index = 0; index < curveCount; ++index) {
            Segments segments;
            SDPoint at{static_cast<double>(lattice(random)), static_cast<double>(lattice(random) % 3)};
            const int length = 1 + coin(random);
            for (int step = 0; step < length; ++step) {
                const SDPoint to{static_cast<double>(lattice(random)), static_cast<double>(lattice(random) % 3)};
                segments.push_back(coin(random) == 0 ? Bezier(at, {at.x, to.y}, {to.x, at.y}, to) : Line(at, to));
                at = coin(random) < 2 ? SDPoint{at.x + 0.0004, at.y} : to;
            }
            curves.emplace_back(segments, coin(random) < 3);
        }
        std::vector<std::vector<Shape>> results;
        std::vector<std::string> shown;
        for (auto search : {OverlapRemoval::Search::Pairwise, OverlapRemoval::Search::Indexed}) {
            auto manager = std::make_unique<CCadMgr>();
            platform::RecordingOwnerWindow owner;
            manager->SetOwnerHwnd(&owner);
            for (const auto& [segments, closed] : curves) {
                auto curve = CurveOf(segments, closed);
                CCadCurve* added = curve.get();
                manager->AddElement(curve.release());
                manager->AddToSelection(added);
            }
            manager->DeleteOverlap(0, 1, search);
            std::vector<Shape> shapes;
            for (auto* node = manager->elementList.head->next; node != manager->elementList.head; node = node->next) {
                shapes.push_back(ShapeOf(node->value));
            }
            results.push_back(shapes);
            shown.push_back(owner.Shown().at(0).text);
        }
        EXPECT_EQ(results[1], results[0]) << "drawing " << drawing;
        EXPECT_EQ(shown[1], shown[0]) << "drawing " << drawing;
    }
}

TEST(OverlapSegmentTests, ProjectionDistances) {
    double perpendicular = 0, along = 0;
    overlap::ProjectPoint(Line({0, 0}, {10, 0}), {-2, 1}, &perpendicular, &along);
    EXPECT_DOUBLE_EQ(perpendicular, 1.0);
    EXPECT_DOUBLE_EQ(along, std::sqrt(5.0));
}

}  // namespace
