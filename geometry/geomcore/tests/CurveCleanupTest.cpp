// Merging nearly collinear lines and closing nearly closed curves.
#include <gtest/gtest.h>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

TEST(CollinearMerge, ThreeCollinearLinesMergeTheFirstTwoAndKeepTheLast) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {1, 0}, {2, 0}, {3, 0}});

    EXPECT_EQ(_math_c_deloptim(&list, 0.01), 0);

    ExpectSameRecords(Records(list), {Line({0, 0}, {2, 0}), Line({2, 0}, {3, 0})});
    EXPECT_EQ(list.count, 2);
    ExpectConnectedCurve(list);
}

// A slow drift is measured against the first line of the run as it was read: (30, 0.15) lies 0.15 off
// the x axis, although only 0.075 off the merged line from (0, 0) to (20, 0.05).
TEST(CollinearMerge, RunIsMeasuredAgainstItsFirstLineAsRead) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {10, 0}, {20, 0.05}, {30, 0.15}, {40, 0}});

    EXPECT_EQ(_math_c_deloptim(&list, 0.1), 0);

    ExpectSameRecords(Records(list),
                      {Line({0, 0}, {20, 0.05}), Line({20, 0.05}, {30, 0.15}), Line({30, 0.15}, {40, 0})});
}

TEST(CollinearMerge, BeziersAndZeroLengthReferencesAreNeverMergedInto) {
    FileLineList list;
    AddRecords(list, {Line({0, 0}, {0, 0}), Line({0, 0}, {1, 0}), Bezier({1, 0}, {1, 1}, {2, 1}, {2, 0}),
                      Line({2, 0}, {3, 0}), Line({3, 0}, {4, 0}), Line({4, 0}, {5, 0})});
    EXPECT_EQ(_math_c_deloptim(&list, 0.01), 0);
    ExpectSameRecords(Records(list),
                      {Line({0, 0}, {0, 0}), Line({0, 0}, {1, 0}), Bezier({1, 0}, {1, 1}, {2, 1}, {2, 0}),
                       Line({2, 0}, {4, 0}), Line({4, 0}, {5, 0})});
}

TEST(CollinearMerge, ShortCurvesAndMissingListsAreLeftAlone) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {1, 0}, {2, 0}});
    EXPECT_EQ(_math_c_deloptim(&list, 1.0), 0);
    EXPECT_EQ(Records(list).size(), 2u);
    EXPECT_EQ(_math_c_deloptim(nullptr, 1.0), 1);
}

struct CloseCase {
    const char* name;
    std::vector<CFileLine> records;
    double tolerance;
    int force;
    std::size_t expectedRecords;
    int expectedClosed;
};

const CloseCase kCloseCases[] = {
    {"GapWithinTolerance", {Line({0, 0}, {5, 0}), Line({5, 0}, {0.05, 0.05})}, 0.1, 0, 3, 1},
    {"AlreadyClosedAppendsNothing", {Line({0, 0}, {5, 0}), Line({5, 0}, {0, 0})}, 0.1, 0, 2, 1},
    {"GapTooWide", {Line({0, 0}, {5, 0}), Line({5, 0}, {1, 1})}, 0.1, 0, 2, 7},
    {"OneRecordNeedsForce", {Line({0, 0}, {0.01, 0})}, 0.1, 0, 1, 7},
    {"ForcedSingleLineStaysOpen", {Line({0, 0}, {5, 0})}, 0.0, 1, 1, 7},
    {"ForcedSingleBezierIsClosed", {Bezier({0, 0}, {1, 1}, {2, 1}, {3, 0})}, 0.0, 1, 2, 1},
    {"ForcedAnyGap", {Line({0, 0}, {5, 0}), Line({5, 0}, {5, 5})}, 0.0, 1, 3, 1},
};

class AutoClose : public testing::TestWithParam<CloseCase> {};

TEST_P(AutoClose, AppendsTheClosingLineWhenItIsNeeded) {
    FileLineList list;
    for (const CFileLine& record : GetParam().records) {
        list.AddTail(record);
    }
    int closed = 7;

    EXPECT_EQ(_math_c_autoclose(&list, GetParam().tolerance, GetParam().force, &closed), 0);

    const std::vector<CFileLine> records = Records(list);
    ASSERT_EQ(records.size(), GetParam().expectedRecords);
    EXPECT_EQ(closed, GetParam().expectedClosed);
    if (records.size() > GetParam().records.size()) {
        EXPECT_EQ(records.back().type, 0);
        ExpectPointNear(records.back().start, GetParam().records.back().end, 0.0);
        ExpectPointNear(records.back().end, GetParam().records.front().start, 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Geomcore, AutoClose, testing::ValuesIn(kCloseCases),
                         [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

}  // namespace
