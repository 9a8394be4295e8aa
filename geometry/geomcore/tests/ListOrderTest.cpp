// Reversing and splicing curves, and removing zero-length lines.
#include <gtest/gtest.h>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

TEST(CurveInvert, ReversesOrderEndsAndControlsAndPlainsLineTypes) {
    FileLineList list;
    CFileLine bridge = Line({0, 0}, {1, 0});
    bridge.type = 2;
    AddRecords(list, {bridge, Bezier({1, 0}, {1, 1}, {2, 1}, {2, 0}), Line({2, 0}, {3, 0})});

    EXPECT_EQ(_math_c_invert(&list), 0);

    ExpectSameRecords(Records(list),
                      {Line({3, 0}, {2, 0}), Bezier({2, 0}, {2, 1}, {1, 1}, {1, 0}), Line({1, 0}, {0, 0})});
    ExpectConnectedCurve(list);
}

TEST(CurveInvert, TwiceGivesBackTheCurve) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {1, 2}, {3, 1}, {4, 4}});
    const std::vector<CFileLine> before = Records(list);
    _math_c_invert(&list);
    _math_c_invert(&list);
    ExpectSameRecords(Records(list), before);
}

struct LinkCase {
    const char* name;
    GeomStatus (*link)(FileLineList*, FileLineList*);
    std::vector<double> expectedStartX;
};

class CurveLink : public testing::TestWithParam<LinkCase> {};

TEST_P(CurveLink, MovesEveryRecordInOrderAndEmptiesTheOther) {
    FileLineList list, other;
    AddPolyline(list, {{0, 0}, {1, 0}, {2, 0}});
    AddPolyline(other, {{10, 0}, {11, 0}, {12, 0}});

    EXPECT_EQ(GetParam().link(&list, &other), 0);

    std::vector<double> startX;
    for (const CFileLine& record : Records(list)) {
        startX.push_back(record.start.x);
    }
    EXPECT_EQ(startX, GetParam().expectedStartX);
    EXPECT_EQ(other.IsEmpty(), 1);
    EXPECT_EQ(other.cursor, other.head);
    // Counts stay as they were; callers add them.
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(other.count, 2);
}

INSTANTIATE_TEST_SUITE_P(Geomcore, CurveLink,
                         testing::Values(LinkCase{"Left", _math_c_linkleft, {10, 11, 0, 1}},
                                         LinkCase{"Right", _math_c_linkright, {0, 1, 10, 11}}),
                         [](const testing::TestParamInfo<LinkCase>& info) { return info.param.name; });

TEST(CurveLink, MissingOrEmptyOtherIsDoneAndSelfLinkIsRefused) {
    FileLineList list, empty;
    AddPolyline(list, {{0, 0}, {1, 0}});
    EXPECT_EQ(_math_c_linkleft(&list, nullptr), 0);
    EXPECT_EQ(_math_c_linkright(&list, &empty), 0);
    EXPECT_EQ(_math_c_linkright(&list, &list), 1);
    EXPECT_EQ(Records(list).size(), 1u);
}

TEST(CurveDeletePointLines, RemovesOnlyShortPlainLines) {
    FileLineList list;
    CFileLine marked = Line({1, 0}, {1.0005, 0.0005});
    marked.type = 1;
    AddRecords(list, {Line({0, 0}, {0.0009, 0.0009}), Line({0, 0}, {1, 0}), marked,
                      Bezier({1, 0}, {2, 2}, {3, 2}, {1, 0}), Line({1, 0}, {1.002, 0})});

    EXPECT_EQ(_math_c_delptln(&list), 0);

    const std::vector<CFileLine> kept = Records(list);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(list.count, 4);
    EXPECT_EQ(kept[0].end.x, 1.0);
    EXPECT_EQ(kept[1].type, 1);
    EXPECT_EQ(kept[2].type, CFileLine::kBezier);
    EXPECT_EQ(kept[3].end.x, 1.002);
}

}  // namespace
