#include <gtest/gtest.h>

#include "GeometryTestHelpers.h"
#include "LgpPlate.h"

namespace dotplate {
namespace {

using cutrix::testing::ExpectPointNear;

TEST(LgpPlateOutlineTest, ARectangularPlateIsOneClosedOuterOutline) {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    ASSERT_EQ(plate.plateOutlines.size(), 1u);
    const CLgpCurve& outline = *plate.plateOutlines.front();
    EXPECT_EQ(outline.segments.GetCount(), 4);
    EXPECT_EQ(outline.closed, 1);
    EXPECT_EQ(outline.outer, 1);
    EXPECT_EQ(plate.extent.left, 0.0);
    EXPECT_EQ(plate.extent.top, 200.0);
}

TEST(LgpPlateOutlineTest, AnEllipticalPlateIsAHundredChordsFromTheRightEnd) {
    CLgpPlate plate;
    plate.MakeEllipseOutline(100, 50);
    const CLgpCurve& outline = *plate.plateOutlines.front();
    EXPECT_EQ(outline.segments.GetCount(), 100);
    ExpectPointNear(outline.segments.head->next->value.start, {100, 25});
    ExpectPointNear(outline.segments.head->prev->value.end, {100, 25});
    EXPECT_NEAR(plate.extent.bottom, 0.0, 0.01);
    EXPECT_NEAR(plate.extent.left, 0.0, 0.01);
}

TEST(LgpPlateOutlineTest, AnOutlineInsideAnotherIsAHole) {
    CLgpPlate plate;
    plate.MakeRectOutline(100, 100);
    CLgpPlate inner;
    inner.MakeRectOutline(10, 10);
    plate.plateOutlines.push_back(std::make_unique<CLgpCurve>(*inner.plateOutlines.front()));
    plate.plateOutlines.back()->Move(40, 40);
    // Listed first, the hole is found from the outer outline that follows it too.
    std::swap(plate.plateOutlines[0], plate.plateOutlines[1]);
    plate.ClassifyOutlines();
    EXPECT_EQ(plate.plateOutlines[0]->outer, 0);
    EXPECT_EQ(plate.plateOutlines[1]->outer, 1);
}

}  // namespace
}  // namespace dotplate
