// Joint kinds between consecutive Bezier records.
#include <gtest/gtest.h>

#include "CurveTestHelpers.h"
#include "Geomcore.h"

using namespace geomcore_test;

namespace {

using geomcore_test::PrintTo;

struct JointCase {
    const char* name;
    SDPoint handleIn, joint, handleOut;
    std::uint16_t expected;
};

const JointCase kJointCases[] = {
    {"MidwayIsSymmetric", {0, 0}, {1, 1}, {2, 2}, CFileLine::kJointSymmetric},
    {"WithinTheSymmetryToleranceIsSymmetric", {0, 0}, {1.005, 1.005}, {2, 2}, CFileLine::kJointSymmetric},
    {"OnOneLineIsSmooth", {0, 0}, {1, 1}, {3, 3}, CFileLine::kJointSmooth},
    {"HandleOnTheJointIsACorner", {1, 1}, {1, 1}, {3, 3}, CFileLine::kJointCorner},
    {"BentIsACorner", {0, 0}, {1, 1}, {2, 1}, CFileLine::kJointCorner},
    {"FoldedBackIsACorner", {0, 0}, {1, 1}, {0.5, 0.5}, CFileLine::kJointCorner},
};

class JointKind : public testing::TestWithParam<JointCase> {};

TEST_P(JointKind, OfTwoBeziersIsWrittenOnBothSides) {
    const JointCase& c = GetParam();
    FileLineList list;
    AddRecords(list,
               {Bezier({-5, 0}, {-4, 2}, c.handleIn, c.joint), Bezier(c.joint, c.handleOut, {6, 2}, {7, 0})});

    EXPECT_EQ(_math_c_updatesmooth(&list, 0), 0);

    const std::vector<CFileLine> records = Records(list);
    EXPECT_EQ(records[0].endJoint, c.expected);
    EXPECT_EQ(records[1].startJoint, c.expected);
    EXPECT_EQ(records[0].startJoint, CFileLine::kJointCorner);
    EXPECT_EQ(records[1].endJoint, CFileLine::kJointCorner);
}

INSTANTIATE_TEST_SUITE_P(Geomcore, JointKind, testing::ValuesIn(kJointCases),
                         [](const testing::TestParamInfo<JointCase>& info) { return info.param.name; });

TEST(JointKind, JointsBesideALineAreCornersWhateverTheyWereBefore) {
    FileLineList list;
    CFileLine line = Line({2, 2}, {4, 4});
    line.startJoint = line.endJoint = CFileLine::kJointSmooth;
    CFileLine after = Bezier({4, 4}, {5, 5}, {6, 5}, {7, 4});
    after.startJoint = CFileLine::kJointSymmetric;
    AddRecords(list, {Bezier({0, 0}, {0, 1}, {1, 1}, {2, 2}), line, after});

    EXPECT_EQ(_math_c_updatesmooth(&list, 0), 0);

    for (const CFileLine& record : Records(list)) {
        EXPECT_EQ(record.startJoint, CFileLine::kJointCorner);
        EXPECT_EQ(record.endJoint, CFileLine::kJointCorner);
    }
}

// The seam of a closed curve: (0,0) is the joint, (-1,-1) and (1,1) its handles.
TEST(JointKind, ClosedCurveOfThreeOrMoreRecordsClassifiesItsSeam) {
    auto fill = [](FileLineList& list) {
        AddRecords(list, {Bezier({0, 0}, {1, 1}, {3, 1}, {4, 0}), Bezier({4, 0}, {5, -1}, {4, -3}, {2, -3}),
                          Bezier({2, -3}, {0, -3}, {-1, -1}, {0, 0})});
    };
    FileLineList closed, open;
    fill(closed);
    fill(open);

    _math_c_updatesmooth(&closed, 1);
    _math_c_updatesmooth(&open, 0);

    EXPECT_EQ(Records(closed).front().startJoint, CFileLine::kJointSymmetric);
    EXPECT_EQ(Records(closed).back().endJoint, CFileLine::kJointSymmetric);
    EXPECT_EQ(Records(open).front().startJoint, CFileLine::kJointCorner);
    EXPECT_EQ(Records(open).back().endJoint, CFileLine::kJointCorner);
}

TEST(JointKind, ClosedFlagNeedsThreeRecords) {
    FileLineList list;
    AddRecords(list, {Bezier({0, 0}, {1, 1}, {3, 1}, {4, 0}), Bezier({4, 0}, {3, -1}, {-1, -1}, {0, 0})});
    _math_c_updatesmooth(&list, 1);
    EXPECT_EQ(Records(list).front().startJoint, CFileLine::kJointCorner);
    EXPECT_EQ(_math_c_updatesmooth(nullptr, 1), 1);
}

}  // namespace
