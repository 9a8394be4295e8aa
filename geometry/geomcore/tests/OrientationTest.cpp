// Orientation of closed curves and closed point lists at their topmost vertex.
#include <gtest/gtest.h>

#include <algorithm>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

struct OrientationCase {
    const char* name;
    std::vector<SDPoint> outline;  // closed implicitly
    int expected;                  // 1 clockwise, 0 counter-clockwise
};

const OrientationCase kOrientationCases[] = {
    {"CounterClockwiseSquare", {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0},
    {"ClockwiseSquare", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 1},
    // The top vertex comes first, so its neighbours wrap around the ends; a flat top is stepped over.
    {"CounterClockwiseFromTopLeft", {{0, 1}, {0, 0}, {1, 0}, {1, 1}}, 0},
    {"ClockwiseFromTopLeft", {{0, 1}, {1, 1}, {1, 0}, {0, 0}}, 1},
    {"ClockwiseTriangle", {{0, 0}, {2, 5}, {4, 0}}, 1},
};

class Orientation : public testing::TestWithParam<OrientationCase> {};

TEST_P(Orientation, OfCurve) {
    FileLineList list;
    AddPolyline(list, GetParam().outline, true);
    int direction = -1;
    EXPECT_EQ(_math_c_getdir(&list, &direction), 0);
    EXPECT_EQ(direction, GetParam().expected);
}

TEST_P(Orientation, OfPointListWhoseLastPointRepeatsTheFirst) {
    CDbList<SDPoint> points;
    for (const SDPoint& point : GetParam().outline) {
        points.AddTail(point);
    }
    points.AddTail(GetParam().outline.front());
    int direction = -1;
    EXPECT_EQ(_math_pl_getdir(&points, &direction), 0);
    EXPECT_EQ(direction, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Geomcore, Orientation, testing::ValuesIn(kOrientationCases),
                         [](const testing::TestParamInfo<OrientationCase>& info) { return info.param.name; });

TEST(Orientation, TwoRecordsGiveStatusOneAndZero) {
    FileLineList list;
    AddRecords(list, {Line({0, 0}, {1, 1}), Line({1, 1}, {0, 0})});
    int direction = -1;
    EXPECT_EQ(_math_c_getdir(&list, &direction), 1);
    EXPECT_EQ(direction, 0);
}

TEST(Orientation, AllVerticesAtOneHeightGiveStatusOne) {
    FileLineList list;
    AddPolyline(list, {{0, 0}, {1, 0}, {2, 0}}, true);
    int direction = -1;
    EXPECT_EQ(_math_c_getdir(&list, &direction), 1);

    CDbList<SDPoint> points;
    for (const SDPoint& point : {SDPoint{0, 0}, SDPoint{1, 0}, SDPoint{2, 0}, SDPoint{0, 0}}) {
        points.AddTail(point);
    }
    EXPECT_EQ(_math_pl_getdir(&points, &direction), 1);
}

TEST(Orientation, PointListNeedsFourPoints) {
    CDbList<SDPoint> points;
    for (const SDPoint& point : {SDPoint{0, 0}, SDPoint{1, 1}, SDPoint{0, 0}}) {
        points.AddTail(point);
    }
    int direction = -1;
    EXPECT_EQ(_math_pl_getdir(&points, &direction), 1);
    EXPECT_EQ(_math_pl_getdir(nullptr, &direction), 1);
}

}  // namespace
