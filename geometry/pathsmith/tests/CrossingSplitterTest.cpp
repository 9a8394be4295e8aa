// The crossing splitter finds its pairs through a grid; on random tangles it must cut exactly where
// the plain walk over every later piece cuts.
#include "CrossingSplitter.h"

#include <gtest/gtest.h>

#include <random>

namespace pathsmith {
namespace {

bool StrictCrossing(const Chord& a, const Chord& b, LineMeeting& meeting) {
    return ChordsCross(a, b) && IntersectLines(a, b, meeting) && meeting.t1 > 0.0 && meeting.t1 < 1.0 &&
           meeting.t2 > 0.0 && meeting.t2 < 1.0;
}

// Each piece against the pieces after its successor, cutting both at every crossing.
std::vector<Chord> PlainSplit(std::vector<Chord> pieces) {
    for (std::size_t a = 0; a < pieces.size(); ++a) {
        for (std::size_t b = a + 2; b < pieces.size(); ++b) {
            LineMeeting meeting;
            if (!StrictCrossing(pieces[a], pieces[b], meeting)) {
                continue;
            }
            const SDPoint p = meeting.point;
            pieces.insert(pieces.begin() + b + 1, Chord{p, pieces[b].end});
            pieces[b].end = p;
            pieces.insert(pieces.begin() + a + 1, Chord{p, pieces[a].end});
            pieces[a].end = p;
            ++b;  // the piece b moved one place on
        }
    }
    return pieces;
}

TEST(CrossingSplitterTest, CutsWhereThePlainWalkCuts) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(0.0, 20.0);
    for (int trial = 0; trial < 200; ++trial) {
        const int count = 3 + trial % 30;
        std::vector<SDPoint> points;
        std::vector<CrossingSplitter::Edge> edges;
        std::vector<Chord> chords;
        for (int index = 0; index < count; ++index) {
            points.push_back({coordinate(random), coordinate(random)});
            points.push_back({coordinate(random), coordinate(random)});
            edges.push_back({2 * index, 2 * index + 1});
            chords.push_back({points[2 * index], points[2 * index + 1]});
        }
        CrossingSplitter splitter(points, edges);
        splitter.SplitWithinList(StrictCrossing);
        const std::vector<Chord> pieces = splitter.Pieces();
        const std::vector<Chord> expected = PlainSplit(chords);
        ASSERT_EQ(pieces.size(), expected.size()) << "trial " << trial;
        for (std::size_t index = 0; index < pieces.size(); ++index) {
            EXPECT_EQ(pieces[index].start.x, expected[index].start.x) << "trial " << trial;
            EXPECT_EQ(pieces[index].start.y, expected[index].start.y) << "trial " << trial;
            EXPECT_EQ(pieces[index].end.x, expected[index].end.x) << "trial " << trial;
            EXPECT_EQ(pieces[index].end.y, expected[index].end.y) << "trial " << trial;
        }
    }
}

TEST(CrossingSplitterTest, CrossingsBetweenTwoListsArePartnered) {
    // A square and a bar across it: the bar crosses two sides.
    const std::vector<SDPoint> points{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {-5, 5}, {15, 5}};
    CrossingSplitter splitter(points, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 6}});
    splitter.SplitBetweenLists(4, StrictCrossing);
    EXPECT_EQ(splitter.CrossingCount(), 2);
    const std::vector<int> alongBar = splitter.VerticesAlong(4);
    ASSERT_EQ(alongBar.size(), 3u);
    const auto& vertices = splitter.Vertices();
    EXPECT_EQ(vertices[alongBar[1]].point.x, 0.0);
    EXPECT_EQ(vertices[alongBar[2]].point.x, 10.0);
    const int partner = vertices[alongBar[1]].partner;
    ASSERT_GE(partner, 0);
    EXPECT_EQ(vertices[partner].partner, alongBar[1]);
    EXPECT_TRUE(vertices[partner].crossing);
}

}  // namespace
}  // namespace pathsmith
