// CCadMgr: joining open curves whose ends meet, and the grid search giving the walk's merges exactly.
#include <gtest/gtest.h>

#include <random>

#include "CadMgrFixture.h"
#include "Progress.h"

namespace {

class Merging : public CadMgrFixture {
  protected:
    CCadCurve* SelectPolyline(const std::vector<SDPoint>& points, std::uint32_t color = 0) {
        CCadCurve* curve = Add(MakeCurve(points), color);
        manager->AddToSelection(curve);
        return curve;
    }
    static int Segments(const CCadElement* element) {
        return static_cast<const CCadCurve*>(element)->pathList.GetCount();
    }
};

TEST(EndMatch, FirstMeetingPairByTheLargerDifference) {
    EXPECT_EQ(CCadMgr::GetEndMatch(0, 0, 10, 0, 0, 0, 10, 0, 0.1), 1);
    EXPECT_EQ(CCadMgr::GetEndMatch(0, 0, 10, 0, 10.1, 0.1, 20, 0, 0.1), 3);
    EXPECT_EQ(CCadMgr::GetEndMatch(0, 0, 10, 0, 10.2, 0, 20, 0, 0.1), 0);
}

TEST_F(Merging, CloseEndsSnapAndFartherOnesAreBridged) {
    struct Case {
        double gap, tolerance;
        int segments;
    };
    for (const Case& c : std::vector<Case>{{0.05, 0.1, 2}, {0.3, 0.5, 3}, {0.3, 0.1, 1}}) {
        manager->DeleteAll();
        SelectPolyline({{0, 0}, {10, 0}});
        SelectPolyline({{10 + c.gap, 0}, {20, 5}});
        manager->CombineCurves(c.tolerance, 0, 1);
        EXPECT_EQ(Segments(Elements()[0]), c.segments) << c.gap;
        EXPECT_EQ(Elements().size(), c.segments == 1 ? 2u : 1u) << c.gap;
    }
}

TEST_F(Merging, BothPairsMeetingUsesEndToEndAndColoursStayApart) {
    CCadCurve* a = SelectPolyline({{0, 0}, {10, 0}});
    SelectPolyline({{0, 0}, {5, 5}, {10, 0}});
    SelectPolyline({{10, 0}, {20, 0}}, 0xFF0000);
    manager->closingTolerance = 0.0;  // keep the loop open to read its order
    manager->CombineCurves(0.1, 0, 1);
    ASSERT_EQ(Elements().size(), 2u);
    // Code 4: A runs on into the reversed B.
    EXPECT_DOUBLE_EQ(a->pathList.head->next->next->value.end.x, 5.0);
    EXPECT_EQ(manager->ElementCount(kCurveElement), 2);
}

TEST_F(Merging, ATriangleOfMatchingEndsClosesItself) {
    SelectPolyline({{0, 0}, {10, 0}});
    SelectPolyline({{10, 0.05}, {5, 8}});
    SelectPolyline({{5, 8}, {0, 0.05}});
    manager->CombineCurves(0.1, 0.2, 0.5);
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(static_cast<CCadCurve*>(Elements()[0])->closed, 1);
    EXPECT_DOUBLE_EQ(ProgressRatio, 0.7);
}

TEST(JoinCurves, ZeroGapAlwaysSnaps) {
    auto a = MakeCurve({{0, 0}, {10, 0}});
    auto b = MakeCurve({{10.5, 0}, {20, 0}});
    CCadMgr::JoinCurves(a.get(), b.get(), 3, 0.0);
    EXPECT_EQ(a->pathList.GetCount(), 2);
    EXPECT_TRUE(b->pathList.IsEmpty());
}

// Random open polylines on a lattice, several colours: the grid must make the walk's merges.
TEST(MergeSearch, GridGivesThePairwiseMerges) {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
    std::mt19937 random(77);
    std::uniform_int_distribution<int> lattice(0, 6);
    std::size_t merges = 0;
    for (int drawing = 0; drawing < 30; ++drawing) {
        std::vector<std::vector<SDPoint>> lines;
        std::vector<std::uint32_t> colours;
        for (int index = 0; index < 10 + drawing; ++index) {
            const SDPoint from{static_cast<double>(lattice(random)), static_cast<double>(lattice(random))};
            const SDPoint to{static_cast<double>(lattice(random)) + 0.03 * (index % 3), static_cast<double>(lattice(random))};
            lines.push_back({from, to});
            colours.push_back(index % 4 == 0 ? 0xFF0000 : 0);
        }
        std::vector<std::vector<std::vector<double>>> results;
        for (auto search : {SpatialSearch::Pairwise, SpatialSearch::Indexed}) {
            auto manager = std::make_unique<CCadMgr>();
            for (std::size_t index = 0; index < lines.size(); ++index) {
                auto curve = MakeCurve(lines[index]);
                curve->color = colours[index];
                CCadCurve* added = curve.get();
                manager->AddElement(curve.release());
                manager->AddToSelection(added);
            }
            manager->CombineCurves(0.1, 0, 1, search);
            std::vector<std::vector<double>> shapes;
            for (auto* node = manager->elementList.head->next; node != manager->elementList.head; node = node->next) {
                std::vector<double> shape;
                const auto* curve = static_cast<const CCadCurve*>(node->value);
                for (auto* s = curve->pathList.head->next; s != curve->pathList.head; s = s->next) {
                    shape.insert(shape.end(), {s->value.start.x, s->value.start.y, s->value.end.x, s->value.end.y});
                }
                shapes.push_back(shape);
            }
            results.push_back(shapes);
        }
        EXPECT_EQ(results[1], results[0]) << "drawing " << drawing;
        merges += lines.size() - results[0].size();
    }
    EXPECT_GT(merges, 100u);  // the drawings really merge
}

}  // namespace
