// Start point and direction: nearest start, corner start, smallest turn and farthest vertex.
#include <gtest/gtest.h>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

//  (0,10) +-------+ (10,10)
//         |  ccw  |
//   (0,0) +-------+ (10,0)
void FillSquare(FileLineList& list) {
    AddPolyline(list, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
}

SDPoint FirstStart(const FileLineList& list) {
    return list.head->next->value.start;
}

TEST(NearestStart, OpenCurveIsReversedOnlyWhenItsEndIsStrictlyNearer) {
    struct Case {
        SDPoint position;
        SDPoint expectedStart;
    };
    const Case cases[] = {{{9, 1}, {10, 0}}, {{1, 1}, {0, 0}}, {{5, 3}, {0, 0}}};  // the last ties
    for (const Case& c : cases) {
        FileLineList list;
        AddPolyline(list, {{0, 0}, {5, 5}, {10, 0}});
        SDPoint position = c.position;
        EXPECT_EQ(_math_c_shorthandle(&list, &position, 0), 0);
        ExpectPointNear(FirstStart(list), c.expectedStart, 0.0);
        ExpectPointNear(position, list.head->prev->value.end, 0.0);
        ExpectConnectedCurve(list);
    }
}

TEST(NearestStart, ClosedCurveStartsAtTheNearestVertex) {
    FileLineList list;
    FillSquare(list);
    SDPoint position{12, 9};
    EXPECT_EQ(_math_c_shorthandle(&list, &position, 1), 0);
    ExpectPointNear(FirstStart(list), {10, 10}, 0.0);
    ExpectPointNear(position, {10, 10}, 0.0);
    EXPECT_EQ(list.count, 4);
    ExpectConnectedCurve(list);
}

// Vertex 0 lies 0.9 from the position and vertex 3 only 0.85, but 0.85 in x alone exceeds the squared
// distance 0.81; a box bound in millimetres must not be compared with a squared distance.
TEST(NearestStart, ShorthandleFindsTheNearerVertexBelowOneMillimetre) {
    FileLineList list;
    AddPolyline(list, {{0, 0.9}, {-3, 3}, {-3, -3}, {0.85, 0}, {3, 3}}, true);
    SDPoint position{0, 0};
    EXPECT_EQ(_math_c_shorthandle(&list, &position, 1), 0);
    ExpectPointNear(FirstStart(list), {0.85, 0}, 0.0);
}

TEST(NearestStart, ClosedCurveOfOneRecordIsNotRotatedButThePositionMoves) {
    FileLineList list;
    AddRecords(list, {Bezier({0, 0}, {5, 5}, {-5, 5}, {0, 0.0005})});
    SDPoint position{3, 3};
    EXPECT_EQ(_math_c_shorthandle(&list, &position, 1), 0);
    ExpectPointNear(position, {0, 0.0005}, 0.0);
    EXPECT_EQ(_math_c_findstrtpt(&list, &position, 1), 0);
    ExpectPointNear(FirstStart(list), {0, 0}, 0.0);
}

TEST(CornerStart, SquareStartsAtTheCornerNearestThePosition) {
    struct Case {
        SDPoint position;
        SDPoint expectedStart;
    };
    const Case cases[] = {{{-1, -1}, {0, 0}}, {{11, -2}, {10, 0}}, {{9, 9}, {10, 10}}, {{1, 12}, {0, 10}}};
    for (const Case& c : cases) {
        FileLineList list;
        FillSquare(list);
        SDPoint position = c.position;
        EXPECT_EQ(_math_c_findstrtpt(&list, &position, 1), 0);
        ExpectPointNear(FirstStart(list), c.expectedStart, 0.0);
        ExpectPointNear(position, c.expectedStart, 0.0);  // a closed curve ends where it starts
    }
}

//  (0,4) +---+ (2,4)
//        |   |
//        |   +---+ (4,2)       the inner corner (2,2) turns against the outline and is preferred
//        |  (2,2)|             over every outer corner, however near the position is to them
//  (0,0) +-------+ (4,0)
TEST(CornerStart, InnerCornerIsPreferredOverNearerOuterCorners) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 4}, {0, 4}}, true);
    SDPoint position{-1, -1};
    EXPECT_EQ(_math_c_findstrtpt(&list, &position, 1), 0);
    ExpectPointNear(FirstStart(list), {2, 2}, 0.0);
    ExpectConnectedCurve(list);
}

TEST(CornerStart, OpenCurveIsTreatedAsNearestStart) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {5, 5}, {10, 0}});
    SDPoint position{11, 0};
    EXPECT_EQ(_math_c_findstrtpt(&list, &position, 0), 0);
    ExpectPointNear(FirstStart(list), {10, 0}, 0.0);
    ExpectPointNear(position, {0, 0}, 0.0);
}

TEST(SmallestTurn, ClosedCurveStartsWhereTheApproachTurnsLeast) {
    FileLineList list;
    FillSquare(list);
    CFileLine approach = Line({5, -10}, {5, -5});
    approach.attr1 = 3;

    EXPECT_EQ(_math_c_strtptoptim(&list, &approach, 1), 0);

    ExpectPointNear(FirstStart(list), {10, 0}, 0.0);
    // Handed on: the direction in which the last record starts, ending on its start.
    ExpectPointNear(approach.start, {-10, 0}, 0.0);
    ExpectPointNear(approach.end, {0, 0}, 0.0);
    EXPECT_EQ(approach.attr1, 3);
}

TEST(SmallestTurn, OpenCurveIsReversedWhenItsLastRecordTurnsLess) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {5, 0}, {10, 0}});
    CFileLine approach = Line({14, 1}, {12, 1});

    EXPECT_EQ(_math_c_strtptoptim(&list, &approach, 0), 0);

    ExpectPointNear(FirstStart(list), {10, 0}, 0.0);
    ExpectPointNear(approach.start, {10, 0}, 0.0);
    ExpectPointNear(approach.end, {5, 0}, 0.0);
}

TEST(SmallestTurn, ApproachEndingOnTheStartUsesTheApproachDirection) {
    FileLineList list;
    FillSquare(list);
    CFileLine approach = Line({15, 10}, {10, 10});  // ends on vertex 2, heading -x

    EXPECT_EQ(_math_c_strtptoptim(&list, &approach, 1), 0);

    ExpectPointNear(FirstStart(list), {10, 10}, 0.0);  // (10,10)->(0,10) goes on along -x
}

TEST(FarthestVertex, FirstCallOnlyReportsTheEnd) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {5, 5}, {10, 0}});
    SDPoint position{100, 100};
    int started = 0;
    EXPECT_EQ(_math_c_backlash(&list, &position, 1, &started), 0);
    EXPECT_EQ(started, 1);
    ExpectPointNear(position, {10, 0}, 0.0);
    ExpectPointNear(FirstStart(list), {0, 0}, 0.0);
}

TEST(FarthestVertex, DisabledNeverChangesTheCurve) {
    FileLineList list;
    FillSquare(list);
    SDPoint position{-1, -1};
    int started = 1;
    EXPECT_EQ(_math_c_backlash(&list, &position, 0, &started), 0);
    ExpectPointNear(FirstStart(list), {0, 0}, 0.0);
    ExpectPointNear(position, {0, 0}, 0.0);
}

TEST(FarthestVertex, EnabledStartsAtTheFarthestVertex) {
    FileLineList list;
    FillSquare(list);
    SDPoint position{-1, -1};
    int started = 1;
    EXPECT_EQ(_math_c_backlash(&list, &position, 1, &started), 0);
    ExpectPointNear(FirstStart(list), {10, 10}, 0.0);
    ExpectPointNear(position, {10, 10}, 0.0);
    EXPECT_EQ(_math_c_backlash(&list, &position, 1, &started), 0);
    ExpectPointNear(FirstStart(list), {0, 0}, 0.0);
    ExpectConnectedCurve(list);
}

TEST(StartPoint, EmptyListsAreLeftUnchanged) {
    FileLineList empty;
    SDPoint position{1, 2};
    CFileLine approach = Line({0, 0}, {1, 1});
    int started = 0;
    EXPECT_EQ(_math_c_shorthandle(&empty, &position, 1), 0);
    EXPECT_EQ(_math_c_findstrtpt(&empty, &position, 1), 0);
    EXPECT_EQ(_math_c_strtptoptim(&empty, &approach, 1), 0);
    EXPECT_EQ(_math_c_backlash(&empty, &position, 1, &started), 0);
    ExpectPointNear(position, {1, 2}, 0.0);
    ExpectPointNear(approach.end, {1, 1}, 0.0);
    EXPECT_EQ(started, 0);
    EXPECT_EQ(_math_c_shorthandle(nullptr, &position, 1), 1);
}

}  // namespace
