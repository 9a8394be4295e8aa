// The ring split finds its pairs through a spatial grid and resumes after each cut; on random tangled
// chains it must cut exactly where the plain search over every pair cuts, in the same order.
#include "RingSplitter.h"

#include <gtest/gtest.h>

#include <random>

namespace pathsmith {
namespace {

bool Meet(const Chord& a, const Chord& b, LineMeeting& meeting) {
    return RectsOverlap(ChordRect(a), ChordRect(b)) && IntersectLines(a, b, meeting) && meeting.t1 >= 0.0 &&
           meeting.t1 <= 1.0 && meeting.t2 >= 0.0 && meeting.t2 <= 1.0;
}

// The search as plainly as it can be said: i upward, k downward, cut at the first pair, divide the
// loop first and the rest after it.
void PlainSplit(const std::vector<Chord>& chain, std::vector<std::vector<SDPoint>>& rings) {
    const int count = static_cast<int>(chain.size());
    const bool closed = Coincide(chain.back().end, chain.front().start);
    for (int i = 0; i < count; ++i) {
        for (int k = count - 1; k >= i + 2; --k) {
            LineMeeting meeting;
            if ((closed && i == 0 && k == count - 1) || !Meet(chain[i], chain[k], meeting)) {
                continue;
            }
            const SDPoint p = meeting.point;
            std::vector<Chord> loop{{p, chain[i].end}};
            loop.insert(loop.end(), chain.begin() + i + 1, chain.begin() + k);
            loop.push_back({chain[k].start, p});
            std::vector<Chord> rest(chain.begin(), chain.begin() + i);
            rest.push_back({chain[i].start, p});
            rest.push_back({p, chain[k].end});
            rest.insert(rest.end(), chain.begin() + k + 1, chain.end());
            PlainSplit(loop, rings);
            PlainSplit(rest, rings);
            return;
        }
    }
    bool real = false;
    std::vector<SDPoint> ring;
    for (const Chord& piece : chain) {
        real = real || !IsShorterThanCoincidence(piece);
        ring.push_back(piece.start);
    }
    ring.push_back(chain.back().end);
    if (real) {
        rings.push_back(ring);
    }
}

std::vector<Chord> RandomTangle(std::mt19937& random, int count, bool closed) {
    std::uniform_real_distribution<double> coordinate(0.0, 20.0);
    std::vector<SDPoint> points;
    for (int index = 0; index < count; ++index) {
        points.push_back({coordinate(random), coordinate(random)});
    }
    if (closed) {
        points.push_back(points.front());
    }
    std::vector<Chord> chain;
    for (std::size_t index = 0; index + 1 < points.size(); ++index) {
        chain.push_back({points[index], points[index + 1]});
    }
    return chain;
}

TEST(RingSplitterTest, CutsWhereThePlainSearchOverEveryPairCuts) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 200; ++trial) {
        const std::vector<Chord> chain = RandomTangle(random, 3 + trial % 25, trial % 2 == 0);
        std::vector<std::vector<SDPoint>> expected;
        PlainSplit(chain, expected);
        const std::vector<std::vector<SDPoint>> rings = RingSplitter(chain).Split();
        ASSERT_EQ(rings.size(), expected.size()) << "trial " << trial;
        for (std::size_t ring = 0; ring < rings.size(); ++ring) {
            ASSERT_EQ(rings[ring].size(), expected[ring].size()) << "trial " << trial << " ring " << ring;
            for (std::size_t vertex = 0; vertex < rings[ring].size(); ++vertex) {
                EXPECT_EQ(rings[ring][vertex].x, expected[ring][vertex].x) << "trial " << trial;
                EXPECT_EQ(rings[ring][vertex].y, expected[ring][vertex].y) << "trial " << trial;
            }
        }
    }
}

TEST(RingSplitterTest, SingleAndUntangledChainsAreOneRing) {
    const std::vector<Chord> single{{{0, 0}, {5, 0}}};
    EXPECT_EQ(RingSplitter(single).Split().size(), 1u);
    const std::vector<Chord> square{{{0, 0}, {5, 0}}, {{5, 0}, {5, 5}}, {{5, 5}, {0, 5}}, {{0, 5}, {0, 0}}};
    const auto rings = RingSplitter(square).Split();
    ASSERT_EQ(rings.size(), 1u);
    EXPECT_EQ(rings[0].size(), 5u);
    EXPECT_TRUE(RingSplitter({}).Split().empty());
}

}  // namespace
}  // namespace pathsmith
