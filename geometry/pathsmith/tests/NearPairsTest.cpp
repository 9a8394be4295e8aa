// The near-pair search of the cutter and the crossing check: every pair of chords that come within
// the reach of each other is reported once, whether the chords are few enough to be swept or so many that
// a grid is built.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "NearPairs.h"

namespace pathsmith {
namespace {

using Pairs = std::set<std::pair<int, int>>;

double Side(SDPoint a, SDPoint b, SDPoint p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

double ChordDistance(const Chord& a, const Chord& b) {
    const bool cross = Side(a.start, a.end, b.start) * Side(a.start, a.end, b.end) < 0.0 &&
                       Side(b.start, b.end, a.start) * Side(b.start, b.end, a.end) < 0.0;
    if (cross) {
        return 0.0;
    }
    return std::min({DistanceToChord(a.start, b), DistanceToChord(a.end, b), DistanceToChord(b.start, a),
                     DistanceToChord(b.end, a)});
}

Pairs PairsWithinReach(const std::vector<Chord>& chords, double reach) {
    Pairs pairs;
    for (int a = 0; a < static_cast<int>(chords.size()); ++a) {
        for (int b = a + 1; b < static_cast<int>(chords.size()); ++b) {
            if (ChordDistance(chords[a], chords[b]) <= reach) {
                pairs.insert({a, b});
            }
        }
    }
    return pairs;
}

// Short chords scattered over a square, a few of them long and level, so that both axes matter.
std::vector<Chord> ScatteredChords(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(0.0, 40.0), step(-0.6, 0.6);
    std::vector<Chord> chords;
    for (int index = 0; index < count; ++index) {
        const SDPoint start{place(random), place(random)};
        const double length = index % 50 == 0 ? 30.0 : 1.0;
        chords.push_back({start, {start.x + length * step(random), start.y + step(random)}});
    }
    return chords;
}

// Pairs of chords whose nearest points lie just within or just beyond the reach, apart in x or in y.
std::vector<Chord> ChordsAtTheReach(double reach) {
    std::vector<Chord> chords;
    for (int pair = 0; pair < 20; ++pair) {
        const double gap = (pair % 2 == 0 ? 0.99 : 1.5) * reach;
        const SDPoint end{10.0 * pair + 1.0, 0.5};
        chords.push_back({{10.0 * pair, 0.0}, end});
        const SDPoint partner = pair % 4 < 2 ? SDPoint{end.x + gap, end.y} : SDPoint{end.x, end.y + gap};
        chords.push_back({partner, {partner.x + 1.0, partner.y + 0.5}});
    }
    return chords;
}

TEST(NearPairsTest, EveryPairWithinReachIsReportedOnceWithTheLowerIndexFirst) {
    const double reach = kCoincidenceReach;
    const struct {
        const char* name;
        std::vector<Chord> chords;
    } cases[] = {
        {"few chords, swept", ScatteredChords(300, 1)},
        {"many chords, through a grid", ScatteredChords(kMaxChordsForSweep + 500, 2)},
        {"chords at the reach", ChordsAtTheReach(reach)},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, int>> reported;
        ForEachNearPair(c.chords, reach, [&](int a, int b) { reported.emplace_back(a, b); });
        const Pairs once(reported.begin(), reported.end());
        EXPECT_EQ(once.size(), reported.size()) << c.name << ": a pair was reported twice";
        EXPECT_TRUE(std::all_of(reported.begin(), reported.end(), [](auto pair) {
            return pair.first < pair.second;
        })) << c.name;
        const Pairs expected = PairsWithinReach(c.chords, reach);
        EXPECT_TRUE(std::includes(once.begin(), once.end(), expected.begin(), expected.end()))
            << c.name << ": a near pair was missed";
    }
}

}  // namespace
}  // namespace pathsmith
