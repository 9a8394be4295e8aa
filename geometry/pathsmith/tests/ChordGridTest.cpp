// The chord grid must visit every chord that comes within the margin of the query, once, and a chord
// given to it in the same order whether asked by index or by its geometry, and a walk told to stop must
// stop there; sets of chords that make it grow its table or enter one row across hundreds of cells
// included.
#include "ChordGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace pathsmith {
namespace {

// The distance between two chords: zero where they cross, else the nearest end to the other chord.
double ChordDistance(const Chord& a, const Chord& b) {
    if (ChordsCross(a, b)) {
        return 0.0;
    }
    return std::min({DistanceToChord(a.start, b), DistanceToChord(a.end, b), DistanceToChord(b.start, a),
                     DistanceToChord(b.end, a)});
}

// A closed walk of short steps, as a contour's chords come.
std::vector<Chord> RandomWalk(std::mt19937& random) {
    std::uniform_real_distribution<double> step(-0.4, 0.4);
    std::vector<Chord> chords;
    SDPoint at{10.0, 10.0};
    for (int index = 0; index < 600; ++index) {
        const SDPoint next{at.x + step(random), at.y + step(random)};
        chords.push_back({at, next});
        at = next;
    }
    chords.push_back({at, chords.front().start});
    return chords;
}

// Crossed diagonals far apart, each pair in cells of its own, with tiny chords that make the cells
// smaller than the diagonals: more cells than the table's first size holds.
std::vector<Chord> ScatteredCrosses(std::mt19937& random) {
    std::uniform_real_distribution<double> place(0.0, 1000.0);
    std::vector<Chord> chords;
    for (int index = 0; index < 400; ++index) {
        const SDPoint start{place(random), place(random)};
        chords.push_back({start, {start.x + 3.0, start.y + 3.0}});
        chords.push_back({{start.x + 3.0, start.y}, {start.x, start.y + 3.0}});
        chords.push_back({start, {start.x + 0.001, start.y}});
    }
    return chords;
}

// Many tiny chords with a few long ones across them, each of which passes more than a thousand cells
// of one row, or of many rows on a slant.
std::vector<Chord> LongChordsAmongTinyOnes(std::mt19937& random) {
    std::uniform_real_distribution<double> place(0.0, 100.0);
    std::vector<Chord> chords;
    for (int index = 0; index < 1000; ++index) {
        const SDPoint start{place(random), place(random)};
        chords.push_back({start, {start.x + 0.002, start.y + 0.001}});
        if (index % 250 == 0) {
            chords.push_back({{0.0, start.y}, {100.0, start.y}});
            chords.push_back({{0.0, start.y}, {100.0, 100.0 - start.y}});
        }
    }
    return chords;
}

TEST(ChordGridTest, VisitsEveryChordWithinTheMarginOnceInOneOrder) {
    struct Case {
        std::string name;
        std::function<std::vector<Chord>(std::mt19937&)> chords;
        double margin;
    };
    const std::vector<Case> cases = {
        {"random walk", RandomWalk, 0.01},
        {"random walk, wide margin", RandomWalk, 0.5},
        {"scattered crosses", ScatteredCrosses, 0.004},
        {"long chords among tiny ones", LongChordsAmongTinyOnes, 0.001},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::mt19937 random(7);
        const std::vector<Chord> chords = test.chords(random);
        ChordGrid grid(chords, test.margin);
        int missed = 0, repeated = 0, reordered = 0, cutShort = 0;
        for (int item = 0; item < static_cast<int>(chords.size()); ++item) {
            std::vector<int> byItem, byChord;
            grid.ForEachNearItem(item, [&](int other) { byItem.push_back(other); });
            grid.ForEachNear(chords[item], [&](int other) { byChord.push_back(other); });
            reordered += byItem != byChord;
            // Stopped at the middle visit, the walk gives the visits up to it and says it stopped.
            if (!byChord.empty()) {
                const int last = byChord[byChord.size() / 2];
                std::vector<int> untilLast;
                const bool stopped = grid.ForEachNearUntil(chords[item], [&](int other) {
                    untilLast.push_back(other);
                    return other == last;
                });
                cutShort += !stopped ||
                            !std::equal(untilLast.begin(), untilLast.end(), byChord.begin(),
                                        byChord.begin() + byChord.size() / 2 + 1) ||
                            untilLast.size() != byChord.size() / 2 + 1;
            }
            std::vector<int> sorted = byItem;
            std::sort(sorted.begin(), sorted.end());
            repeated += std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
            for (int other = 0; other < static_cast<int>(chords.size()); ++other) {
                if (ChordDistance(chords[item], chords[other]) < 0.999 * test.margin &&
                    !std::binary_search(sorted.begin(), sorted.end(), other)) {
                    ++missed;
                }
            }
        }
        EXPECT_EQ(missed, 0);
        EXPECT_EQ(repeated, 0);
        EXPECT_EQ(reordered, 0);
        EXPECT_EQ(cutShort, 0);
    }
}

}  // namespace
}  // namespace pathsmith
