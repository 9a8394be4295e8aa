#include "NearBoxPairs.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using dialogs::edit::NearBoxPairs;

// What the sweep must find: every pair tried.
std::vector<std::vector<int>> AllPairs(const std::vector<CFileLine::Box>& boxes, double gap) {
    std::vector<std::vector<int>> partners(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            if (!boxes[i].IsApartFrom(boxes[j], gap)) {
                partners[i].push_back(static_cast<int>(j));
            }
        }
    }
    return partners;
}

TEST(NearBoxPairsTest, FindsTheSamePairsAsTryingEveryPair) {
    std::mt19937 random(17);
    std::uniform_real_distribution<double> place(0.0, 200.0), size(0.0, 30.0);
    std::vector<CFileLine::Box> boxes;
    for (int index = 0; index < 300; ++index) {
        const double x = place(random), y = place(random);
        boxes.push_back({x, y, x + size(random), y + size(random)});
    }
    boxes.push_back(boxes[3]);                // a duplicate
    boxes.push_back({50, 50, 50, 50});        // a point
    for (const double gap : {0.0, 0.001, 2.5}) {
        EXPECT_EQ(NearBoxPairs(boxes, gap), AllPairs(boxes, gap)) << gap;
    }
}

TEST(NearBoxPairsTest, BoxesExactlyTheGapApartStillPair) {
    const std::vector<CFileLine::Box> boxes = {{0, 0, 10, 10}, {10.5, 0, 20, 10}, {0, 10.5, 10, 20}};
    EXPECT_EQ(NearBoxPairs(boxes, 0.5), (std::vector<std::vector<int>>{{1, 2}, {2}, {}}));  // corner to corner
    EXPECT_EQ(NearBoxPairs(boxes, 0.4), (std::vector<std::vector<int>>{{}, {}, {}}));
}

}  // namespace
