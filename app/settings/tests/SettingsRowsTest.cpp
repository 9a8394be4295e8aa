#include "SettingsRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

std::vector<SpeedLimitRow> RowsOf(const CDbList<SpeedLimitRow>& list) {
    std::vector<SpeedLimitRow> rows;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        rows.push_back(node->value);
    }
    return rows;
}

CDbList<SpeedLimitRow> ListOf(const std::vector<SpeedLimitRow>& rows) {
    CDbList<SpeedLimitRow> list;
    for (const SpeedLimitRow& row : rows) {
        list.AddTail(row);
    }
    return list;
}

// Checks that the ring is linked consistently both ways, so that walks in either direction agree.
void ExpectWellLinked(const CDbList<SpeedLimitRow>& list) {
    int forward = 0;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        EXPECT_EQ(node->next->prev, node);
        ++forward;
    }
    int backward = 0;
    for (auto* node = list.head->prev; node != list.head; node = node->prev) {
        ++backward;
    }
    EXPECT_EQ(forward, backward);
}

}  // namespace

TEST(SettingsRows, SortIsAscendingAndKeepsTheOrderOfEqualDiameters) {
    CDbList<SpeedLimitRow> list = ListOf({{3.0, 1.0}, {1.0, 2.0}, {3.0, 3.0}, {2.0, 4.0}, {1.0, 5.0}});
    SortAscending(list);
    const std::vector<SpeedLimitRow> rows = RowsOf(list);
    ASSERT_EQ(rows.size(), 5u);
    const double expectedSpeeds[] = {2.0, 5.0, 4.0, 1.0, 3.0};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].speedMmPerS, expectedSpeeds[i]) << "row " << i;
    }
    ExpectWellLinked(list);
}

TEST(SettingsRows, ReverseIntervalsSortBySpeed) {
    CDbList<ReverseIntervalRow> list;
    list.AddTail({300.0, 0.3, 0.0});
    list.AddTail({100.0, 0.1, 0.0});
    list.AddTail({200.0, 0.2, 0.0});
    SortAscending(list);
    std::vector<double> speeds;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        speeds.push_back(node->value.speedMmPerS);
    }
    EXPECT_EQ(speeds, (std::vector<double>{100.0, 200.0, 300.0}));
}

TEST(SettingsRows, ANotANumberFromAFileSortsLastWithoutBreakingTheList) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CDbList<SpeedLimitRow> list = ListOf({{nan, 1.0}, {2.0, 2.0}, {1.0, 3.0}});
    SortAscending(list);
    const std::vector<SpeedLimitRow> rows = RowsOf(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].diameterMm, 1.0);
    EXPECT_EQ(rows[1].diameterMm, 2.0);
    EXPECT_TRUE(std::isnan(rows[2].diameterMm));
    ExpectWellLinked(list);
}

TEST(SettingsRows, AddingASpeedLimitRow) {
    struct Case {
        const char* name;
        SpeedLimitRow added;
        std::vector<SpeedLimitRow> expected;
    };
    const std::vector<SpeedLimitRow> start = {{1.0, 10.0}, {3.0, 30.0}};
    const Case cases[] = {
        {"zero diameter is ignored", {0.0, 99.0}, start},
        {"negative diameter is ignored", {-1.0, 99.0}, start},
        {"same diameter replaces the speed", {3.0, 33.0}, {{1.0, 10.0}, {3.0, 33.0}}},
        {"new diameter is sorted in", {2.0, 20.0}, {{1.0, 10.0}, {2.0, 20.0}, {3.0, 30.0}}},
    };
    for (const Case& c : cases) {
        CDbList<SpeedLimitRow> list = ListOf(start);
        AddSpeedLimitRow(list, c.added);
        const std::vector<SpeedLimitRow> rows = RowsOf(list);
        ASSERT_EQ(rows.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].diameterMm, c.expected[i].diameterMm) << c.name;
            EXPECT_EQ(rows[i].speedMmPerS, c.expected[i].speedMmPerS) << c.name;
        }
    }
}
