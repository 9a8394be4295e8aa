#include "LineEx.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "CurveTestHelpers.h"

namespace {

using namespace shapecore_test;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectPoint(SDPoint actual, SDPoint expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// An arch: start (0,0), end (10,0), controls above both ends; its top is (5, 7.5) at t = 0.5.
CLineEx Arch() {
    return CLineEx(SDPoint{0, 0}, SDPoint{10, 0}, SDPoint{0, 10}, SDPoint{10, 10});
}

TEST(LineExTest, ConstructorsFillTheFieldsOfTheirKind) {
    const CLineEx line(1, 2, 3, 4);
    EXPECT_EQ(line.type, CLineEx::kLine);
    ExpectPoint(line.p1, {3, 4});
    const CLineEx arc(SDPoint{1, 1}, 2.0, 30.0, 120.0);
    EXPECT_EQ(arc.type, CLineEx::kArc);
    ExpectPoint(arc.p1, {2, 2});
    ExpectPoint(arc.p2, {30, 120});
    ExpectPoint(arc.p3, {30, 120});
    EXPECT_EQ(Arch().type, CLineEx::kBezier);
}

TEST(LineExTest, IsPointOnlyForShortStraightSegments) {
    struct Case {
        CLineEx segment;
        int expected;
    };
    const Case cases[] = {
        {CLineEx(0, 0, 0.0009, 0), 1},
        {CLineEx(0, 0, 0.0011, 0), 0},
        {CLineEx(SDPoint{1, 1}, SDPoint{1, 1}, SDPoint{5, 5}, SDPoint{6, 6}), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.segment.IsPoint(100.0), c.expected) << c.segment.p1.x;
    }
    CLineEx bridge(0, 0, 0.0005, 0);
    bridge.type = CLineEx::kBridgeMarked;
    EXPECT_EQ(bridge.IsPoint(0), 1);
}

TEST(LineExTest, LengthOfCurvedSegmentsIsZero) {
    EXPECT_DOUBLE_EQ(CLineEx(0, 0, 3, 4).GetLength(), 5.0);
    EXPECT_EQ(Arch().GetLength(), 0.0);
    EXPECT_EQ(CLineEx(SDPoint{0, 0}, 5.0, 0.0, 90.0).GetLength(), 0.0);
}

TEST(LineExTest, LinePointClampsAndFollowsEachKind) {
    const CLineEx arch = Arch();
    ExpectPoint(arch.GetLinePoint(-3), arch.GetLinePoint(0));
    ExpectPoint(arch.GetLinePoint(7), arch.GetLinePoint(1));
    ExpectPoint(arch.GetLinePoint(0), {0, 0});
    ExpectPoint(arch.GetLinePoint(1), {10, 0});
    ExpectPoint(arch.GetLinePoint(0.5), {5, 7.5});
    ExpectPoint(CLineEx(0, 0, 10, 20).GetLinePoint(0.25), {2.5, 5});
    ExpectPoint(CLineEx(SDPoint{1, 1}, 2.0, 1.0, 0.0, 180.0).GetLinePoint(0.5), {1, 2});
}

TEST(LineExTest, SplittingAStraightBridgePieceGivesPlainLines) {
    CLineEx bridge(0, 0, 10, 0);
    bridge.type = CLineEx::kBridgeMarked;
    CLineEx first, second;
    bridge.InsertPoint(0.25, first, second);
    EXPECT_EQ(first.type, CLineEx::kLine);
    EXPECT_EQ(second.type, CLineEx::kLine);
    ExpectPoint(first.p1, {2.5, 0});
    ExpectPoint(second.p0, {2.5, 0});
    ExpectPoint(second.p1, {10, 0});
}

TEST(LineExTest, SplitHalvesOfACurveRetraceIt) {
    const CLineEx arch = Arch();
    CLineEx first, second;
    arch.InsertPoint(0.3, first, second);
    ExpectPoint(first.p1, arch.GetLinePoint(0.3));
    ExpectPoint(second.p0, arch.GetLinePoint(0.3));
    for (double t : {0.0, 0.4, 1.0}) {
        ExpectPoint(first.GetLinePoint(t), arch.GetLinePoint(0.3 * t), 1e-9);
        ExpectPoint(second.GetLinePoint(t), arch.GetLinePoint(0.3 + 0.7 * t), 1e-9);
    }

    const CLineEx arc(SDPoint{0, 0}, 1.0, 2.0, 0.0, 90.0);
    arc.InsertPoint(0.5, first, second);
    ExpectPoint(first.p2, {0, 45});
    ExpectPoint(second.p2, {45, 90});
    ExpectPoint(second.p1, {1, 2});
}

TEST(LineExTest, InvertDirSwapsEndsAndLeavesArcs) {
    CLineEx arch = Arch();
    arch.InvertDir();
    ExpectPoint(arch.p0, {10, 0});
    ExpectPoint(arch.p2, {10, 10});
    CLineEx arc(SDPoint{1, 2}, 3.0, 10.0, 20.0);
    arc.InvertDir();
    EXPECT_TRUE(SameSegment(arc, CLineEx(SDPoint{1, 2}, 3.0, 10.0, 20.0)));
}

TEST(LineExTest, RotateTakesDegreesAndTurnsArcAngles) {
    CLineEx line(1, 0, 2, 0);
    line.Rotate(0, 0, 90);
    ExpectPoint(line.p0, {0, 1});
    ExpectPoint(line.p1, {0, 2});

    CLineEx arc(SDPoint{2, 0}, 1.0, 10.0, 20.0);
    arc.Rotate(0, 0, 90);
    ExpectPoint(arc.p0, {0, 2});
    ExpectPoint(arc.p2, {100, 110});
    ExpectPoint(arc.p3, {100, 110});
    ExpectPoint(arc.p1, {1, 1});
}

TEST(LineExTest, MoveTouchesOnlyThePointsOfItsKind) {
    CLineEx line(0, 0, 1, 1);
    line.p2 = {5, 5};
    line.Move(1, 2);
    ExpectPoint(line.p1, {2, 3});
    ExpectPoint(line.p2, {5, 5});

    CLineEx arch = Arch();
    arch.Move(1, 2);
    ExpectPoint(arch.p3, {11, 12});

    CLineEx arc(SDPoint{0, 0}, 1.0, 0.0, 90.0);
    arc.Move(1, 2);
    ExpectPoint(arc.p0, {1, 2});
    ExpectPoint(arc.p1, {1, 1});
}

TEST(LineExTest, BoundingBoxFollowsTheCurveNotItsControls) {
    const CRectEx box = Arch().CalRect();
    EXPECT_DOUBLE_EQ(box.x1, 0);
    EXPECT_DOUBLE_EQ(box.x2, 10);
    EXPECT_NEAR(box.y2, 7.5, 1e-12);

    const CRectEx arcBox = CLineEx(SDPoint{0, 0}, 1.0, 0.0, 180.0).CalRect();
    EXPECT_NEAR(arcBox.y2, 1.0, 1e-12);
    EXPECT_NEAR(arcBox.x1, std::cos(0.99 * std::numbers::pi), 1e-12);  // the last sample is t = 0.99
    EXPECT_DOUBLE_EQ(arcBox.x2, 1.0);
}

TEST(LineExTest, HitTestOfLines) {
    struct Case {
        CLineEx line;
        SDPoint p;
        int hit;
        double t;
    };
    const Case cases[] = {
        {CLineEx(0, 0, 10, 0), {5, 0}, 1, 0.5},
        {CLineEx(0, 0, 10, 10), {5.3, 4.7}, 1, 0.5},  // 0.42 away, inside the focal ellipse
        {CLineEx(0, 0, 10, 0), {5, 0.4}, 0, 0},       // outside the inflated box
        {CLineEx(0, 0, 10, 0), {10.05, 0}, 1, 1.0},
        {CLineEx(0, 0, 10, 0), {-0.05, 0.05}, 1, 0.0},
    };
    for (const Case& c : cases) {
        double t = -1;
        EXPECT_EQ(c.line.HitTest(c.p, 0.1, t, 0, 1), c.hit) << c.p.x << "," << c.p.y;
        if (c.hit) {
            EXPECT_NEAR(t, c.t, 1e-12);
        }
    }
}

TEST(LineExTest, HitTestOfABezierFindsItsParameter) {
    double t = -1;
    ASSERT_EQ(Arch().HitTest({5, 7.5}, 0.05, t, 0, 1), 1);
    EXPECT_NEAR(t, 0.5, 0.01);
    EXPECT_EQ(Arch().HitTest({5, 6}, 0.05, t, 0, 1), 0);
    EXPECT_EQ(CLineEx(SDPoint{0, 0}, 1.0, 0.0, 90.0).HitTest({1, 0}, 0.1, t, 0, 1), 0);
}

TEST(LineExTest, FlatteningAStraightBezierGivesOneLine) {
    CDbList<CLineEx> out;
    ASSERT_EQ(CLineEx(SDPoint{0, 0}, SDPoint{9, 0}, SDPoint{3, 0}, SDPoint{6, 0}).OptLine(&out, 0.1), 1);
    const auto pieces = Segments(out);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].type, CLineEx::kLine);
    ExpectPoint(pieces[0].p0, {0, 0});
    ExpectPoint(pieces[0].p1, {9, 0});
}

TEST(LineExTest, FlatteningABezierGivesJoinedChordsEndingExactlyAtItsEnd) {
    CDbList<CLineEx> out;
    out.AddTail(CLineEx(7, 7, 8, 8));  // appends after what is there
    const CLineEx arch = Arch();
    ASSERT_EQ(arch.OptLine(&out, 0.1), 1);
    const auto pieces = Segments(out);
    ASSERT_GT(pieces.size(), 3u);
    EXPECT_TRUE(SameSegment(pieces.front(), CLineEx(7, 7, 8, 8)));
    EXPECT_TRUE(SameBits(pieces[1].p0.x, 0) && SameBits(pieces.back().p1.x, 10));
    for (std::size_t index = 2; index < pieces.size(); ++index) {
        EXPECT_TRUE(SameBits(pieces[index].p0.x, pieces[index - 1].p1.x));
        EXPECT_EQ(pieces[index].type, CLineEx::kLine);
    }
    CDbList<CLineEx> arcOut;
    EXPECT_EQ(CLineEx(SDPoint{0, 0}, 1.0, 0.0, 90.0).OptLine(&arcOut, 0.1), 1);
    EXPECT_TRUE(arcOut.IsEmpty());
}

TEST(LineExTest, FlatteningWithToleranceAtItsLimitIsRefusedInsteadOfSearchingForever) {
    for (double tol : {CLineEx::kFlatteningToleranceLimit, 2.0, kNaN, kInf}) {
        CDbList<CLineEx> out;
        EXPECT_EQ(Arch().OptLine(&out, tol), 0) << tol;
        EXPECT_TRUE(out.IsEmpty());
    }
    CDbList<CLineEx> out;
    EXPECT_EQ(CLineEx(0, 0, 1, 1).OptLine(&out, 5.0), 1);  // a line needs no threshold
}

TEST(LineExTest, FlatteningANonFiniteSegmentIsRefusedInsteadOfSearchingForever) {
    for (double bad : {kNaN, kInf, -kInf}) {
        for (int field = 0; field < 4; ++field) {
            CLineEx segment = Arch();
            SDPoint* points[] = {&segment.p0, &segment.p1, &segment.p2, &segment.p3};
            points[field]->y = bad;
            CDbList<CLineEx> out;
            EXPECT_EQ(segment.OptLine(&out, 0.1), 0) << field;
            EXPECT_TRUE(out.IsEmpty());
        }
    }
    CDbList<CLineEx> out;
    EXPECT_EQ(CLineEx(0, 0, kNaN, 1).OptLine(&out, 0.1), 0);
}

TEST(LineExTest, FlatteningAHugeBezierStopsAtTheSegmentBound) {
    const CLineEx huge(SDPoint{0, 0}, SDPoint{1e12, 0}, SDPoint{0, 1e12}, SDPoint{1e12, 1e12});
    CDbList<CLineEx> out;
    ASSERT_EQ(huge.OptLine(&out, 0.1), 1);
    EXPECT_LE(out.count, CLineEx::kMaxFlatteningSegments + 1);
    EXPECT_GE(out.count, CLineEx::kMaxFlatteningSegments);
    EXPECT_EQ(out.head->prev->value.p1.x, 1e12);
}

TEST(LineExTest, StoredRecordIsSixtySixBytesInFieldOrder) {
    CLineEx segment(SDPoint{0.1, -0.0}, SDPoint{1e-310, 3}, SDPoint{4, 5}, SDPoint{6, 7.25});
    const auto bytes = Stored(segment);
    ASSERT_EQ(bytes.size(), 66u);
    EXPECT_EQ(U16At(bytes, 0), 3);
    const double expected[] = {0.1, -0.0, 1e-310, 3, 4, 5, 6, 7.25};
    for (int index = 0; index < 8; ++index) {
        EXPECT_TRUE(SameBits(DoubleAt(bytes, 2 + 8 * index), expected[index])) << index;
    }
    CLineEx loaded;
    LoadFrom(loaded, bytes);
    EXPECT_TRUE(SameSegment(loaded, segment));

    CLineEx odd(1, 2, 3, 4);
    odd.type = 77;  // unknown types are carried unchanged
    LoadFrom(loaded, Stored(odd));
    EXPECT_EQ(loaded.type, 77);
}

TEST(LineExTest, TruncatedOrNonFiniteRecordIsRefusedAndLeavesTheSegment) {
    const CLineEx original(1, 2, 3, 4);
    CLineEx source = Arch();
    auto bytes = Stored(source);
    bytes.resize(65);
    CLineEx target = original;
    EXPECT_THROW(LoadFrom(target, bytes), platform::ArchiveError);
    EXPECT_TRUE(SameSegment(target, original));

    source.p3.x = kInf;
    EXPECT_THROW(LoadFrom(target, Stored(source)), platform::ArchiveError);
    EXPECT_TRUE(SameSegment(target, original));
}

}  // namespace
