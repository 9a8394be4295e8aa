#include "FileLine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>

#include "DbList.h"
#include "GeometryTestHelpers.h"

namespace {

using cutrix::testing::Line;

void ExpectPoint(SDPoint actual, SDPoint expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// An arch from (0,0) to (10,0) with its top at (5, 7.5); joints 2 and 0 at its ends.
CFileLine Arch() {
    CFileLine arch = Line({0, 0}, {10, 0});
    arch.type = CFileLine::kBezier;
    arch.ctrl1 = {0, 10};
    arch.ctrl2 = {10, 10};
    arch.startJoint = CFileLine::kJointSymmetric;
    arch.endJoint = CFileLine::kJointCorner;
    return arch;
}

std::vector<std::uint8_t> Stored(CFileLine line) {
    auto ar = platform::Archive::ForStoring();
    line.Serialize(ar);
    return ar.Bytes();
}

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    double value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);  // the test host is little-endian too
    return value;
}

TEST(FileLineTest, PointAtEndsAndClampedParameters) {
    for (const CFileLine& segment : {Line({1, 2}, {5, 10}), Arch()}) {
        ExpectPoint(segment.GetPoint(0), segment.start);
        ExpectPoint(segment.GetPoint(1), segment.end);
        ExpectPoint(segment.GetPoint(-0.5), segment.start);
        ExpectPoint(segment.GetPoint(7), segment.end);
        ExpectPoint(segment.GetPoint(std::numeric_limits<double>::quiet_NaN()), segment.start);
    }
    ExpectPoint(Arch().GetPoint(0.5), {5, 7.5});
    CFileLine other = Line({0, 0}, {4, 0});
    other.type = 7;  // anything but 3 is a line
    other.ctrl1 = {100, 100};
    ExpectPoint(other.GetPoint(0.25), {1, 0});
}

TEST(FileLineTest, BezierSplitMeetsOnTheCurveWithASmoothNode) {
    const CFileLine arch = Arch();
    CFileLine first, second;
    first.Init();
    second.Init();
    arch.Split(0.5, &first, &second);
    EXPECT_EQ(first.type, CFileLine::kBezier);
    EXPECT_EQ(second.type, CFileLine::kBezier);
    ExpectPoint(first.end, {5, 7.5});
    ExpectPoint(second.start, {5, 7.5});
    ExpectPoint(first.ctrl1, {0, 5});
    ExpectPoint(second.ctrl2, {10, 5});
    EXPECT_EQ(first.startJoint, CFileLine::kJointSymmetric);
    EXPECT_EQ(first.endJoint, CFileLine::kJointSmooth);
    EXPECT_EQ(second.startJoint, CFileLine::kJointSmooth);
    EXPECT_EQ(second.endJoint, CFileLine::kJointCorner);
    for (double t : {0.2, 0.7}) {
        ExpectPoint(first.GetPoint(t), arch.GetPoint(t / 2), 1e-12);
        ExpectPoint(second.GetPoint(t), arch.GetPoint(0.5 + t / 2), 1e-12);
    }
}

TEST(FileLineTest, LineSplitLeavesJointsAndControlsToTheCaller) {
    CFileLine line = Line({0, 0}, {8, 4});
    line.type = 1;
    CFileLine first, second;
    first.startJoint = first.endJoint = 2;
    first.ctrl1 = {9, 9};
    second.attr1 = 5;
    line.Split(0.25, &first, &second);
    EXPECT_EQ(first.type, 0);
    ExpectPoint(first.start, {0, 0});
    ExpectPoint(first.end, {2, 1});
    ExpectPoint(second.start, {2, 1});
    ExpectPoint(second.end, {8, 4});
    EXPECT_EQ(first.startJoint, 2);
    EXPECT_EQ(first.endJoint, 2);
    ExpectPoint(first.ctrl1, {9, 9});
    EXPECT_EQ(second.attr1, 5);
}

TEST(FileLineTest, InitMakesAnEmptyLineButKeepsControlsAndAttributes) {
    CFileLine record = Arch();
    record.attr1 = 4;
    record.attr2 = 5;
    record.scratch[0] = 77;
    record.nodeSelected = 3;
    record.Init();
    EXPECT_EQ(record.type, 0);
    ExpectPoint(record.start, {0, 0});
    ExpectPoint(record.end, {0, 0});
    ExpectPoint(record.ctrl1, {0, 10});
    ExpectPoint(record.ctrl2, {10, 10});
    EXPECT_EQ(record.attr1, 4);
    EXPECT_EQ(record.attr2, 5);
    EXPECT_EQ(record.scratch[0], 0u);
    EXPECT_EQ(record.nodeSelected, 0);
    EXPECT_EQ(record.startJoint, 0);
    EXPECT_EQ(record.endJoint, 0);
}

TEST(FileLineTest, ListSentinelIsAClearedRecord) {
    CDbList<CFileLine> list;
    CFileLine cleared;
    cleared.Init();
    EXPECT_EQ(std::memcmp(&list.head->value, &cleared, sizeof cleared), 0);
}

TEST(FileLineTest, SetPointsWritesControlsOnlyWhenAsked) {
    CFileLine record = Arch();
    record.SetPoints(1, 2, 3, 4, 0, 9, 9, 9, 9);
    ExpectPoint(record.start, {1, 2});
    ExpectPoint(record.end, {3, 4});
    ExpectPoint(record.ctrl1, {0, 10});
    EXPECT_EQ(record.type, CFileLine::kBezier);
    record.SetPoints(1, 2, 3, 4, 1, 5, 6, 7, 8);
    ExpectPoint(record.ctrl1, {5, 6});
    ExpectPoint(record.ctrl2, {7, 8});
}

TEST(FileLineTest, IsShortNeedsBothDifferencesStrictlyBelow) {
    EXPECT_EQ(Line({0, 0}, {0.001, 0}).IsShort(0.001), 0);
    EXPECT_EQ(Line({0, 0}, {0.0009, 0.0009}).IsShort(0.001), 1);
    EXPECT_EQ(Line({0, 0}, {0.0009, 0.002}).IsShort(0.001), 0);
}

TEST(FileLineTest, DotProductOfTheTwoVectorsFromPointOne) {
    EXPECT_DOUBLE_EQ(CFileLine::DotProduct(1, 1, 4, 1, 3, 5), 6);
    EXPECT_DOUBLE_EQ(CFileLine::DotProduct(0, 0, 1, 0, 0, 1), 0);
}

TEST(FileLineTest, ProjectParamSnapsAtNodesAndDoesNotClamp) {
    struct Case {
        SDPoint p;
        double t;
    };
    const CFileLine segment = Line({0, 0}, {10, 0});
    const Case cases[] = {
        {{5, 3}, 0.5},           {{-2, 1}, -0.2}, {{10.0005, 0}, 1.0},
        {{0.0005, 0.0009}, 0.0}, {{15, -4}, 1.5}, {{0.000005, 2}, 0.0},  // t = 5e-7 snaps to 0
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(segment.ProjectParam(c.p.x, c.p.y), c.t) << c.p.x << "," << c.p.y;
    }
    EXPECT_EQ(Line({3, 3}, {3, 3}).ProjectParam(7, 1), 0.0) << "a segment without length";
}

TEST(FileLineTest, StoredFormIsSeventyFourBytesWithoutTheNodeMarks) {
    CFileLine record = Arch();
    record.attr1 = 0x1234;
    record.attr2 = 0xBEEF;
    record.ctrl2 = {-0.0, 1e-310};
    record.nodeSelected = 3;
    record.scratch[1] = 99;
    const auto bytes = Stored(record);
    ASSERT_EQ(bytes.size(), CFileLine::kStoredBytes);
    const std::uint8_t head[] = {3, 0, 0x34, 0x12, 0xEF, 0xBE};
    EXPECT_EQ(std::memcmp(bytes.data(), head, sizeof head), 0);
    EXPECT_EQ(DoubleAt(bytes, 6), 0.0);    // start.x
    EXPECT_EQ(DoubleAt(bytes, 22), 10.0);  // end.x
    EXPECT_EQ(DoubleAt(bytes, 46), 10.0);  // ctrl1.y
    EXPECT_TRUE(std::signbit(DoubleAt(bytes, 54)));
    EXPECT_EQ(DoubleAt(bytes, 62), 1e-310);
    EXPECT_EQ(bytes[70], 2);  // startJoint
    EXPECT_EQ(bytes[72], 0);  // endJoint

    CFileLine loaded;
    loaded.nodeSelected = 2;
    loaded.scratch[0] = 42;
    auto ar = platform::Archive::ForLoading(bytes);
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.nodeSelected, 0);
    EXPECT_EQ(loaded.scratch[0], 42u);  // never stored, so left as it was
    EXPECT_EQ(loaded.attr1, 0x1234);
    EXPECT_EQ(loaded.attr2, 0xBEEF);
    EXPECT_EQ(loaded.startJoint, CFileLine::kJointSymmetric);
    EXPECT_EQ(Stored(loaded), bytes);
}

TEST(FileLineTest, TruncatedOrNonFiniteRecordIsRefusedAndLeavesTheRecord) {
    const CFileLine original = Line({1, 1}, {2, 2});
    auto truncated = Stored(Arch());
    truncated.pop_back();
    CFileLine nonFinite = Arch();
    nonFinite.ctrl1.x = std::numeric_limits<double>::infinity();
    for (const auto& bytes : {truncated, Stored(nonFinite)}) {
        CFileLine target = original;
        auto ar = platform::Archive::ForLoading(bytes);
        EXPECT_THROW(target.Serialize(ar), platform::ArchiveError);
        EXPECT_EQ(std::memcmp(&target, &original, sizeof target), 0);
    }
}

}  // namespace

namespace {

TEST(FileLineHitParam, FindsTheParameterWithinTheTolerance) {
    struct Case {
        CFileLine segment;
        SDPoint point;
        int hit;
        double t;
    };
    const CFileLine straight = Line({0, 0}, {10, 0});
    for (const Case& c : {Case{straight, {5, 0.05}, 1, 0.5}, Case{straight, {10.05, 0}, 1, 1.0},
                          Case{straight, {5, 0.5}, 0, -1}, Case{straight, {-0.1, 0}, 1, 0.0},
                          Case{straight, {20, 0}, 0, -1}, Case{Arch(), {5, 7.5}, 1, 0.5},
                          Case{Arch(), {0, 0.05}, 1, 0.0}, Case{Arch(), {5, 5}, 0, -1}}) {
        double t = -1;
        EXPECT_EQ(c.segment.HitParam(c.point.x, c.point.y, 0.1, &t, 0.0, 1.0), c.hit) << c.point.x << " " << c.point.y;
        EXPECT_NEAR(t, c.t, 0.002) << c.point.x << " " << c.point.y;
    }
}

TEST(FileLineHitParam, AnywhereOnABezierGivesTheParameterOfThatPoint) {
    const CFileLine arch = Arch();
    for (double expected : {0.13, 0.37, 0.61, 0.89}) {
        const SDPoint onCurve = arch.GetPoint(expected);
        double t = -1;
        ASSERT_EQ(arch.HitParam(onCurve.x, onCurve.y, 0.1, &t, 0.0, 1.0), 1);
        EXPECT_NEAR(arch.GetPoint(t).x, onCurve.x, 0.1);
        EXPECT_NEAR(arch.GetPoint(t).y, onCurve.y, 0.1);
    }
}

TEST(FileLineBox, ABeziersBoxHoldsItsCurveButNotItsControls) {
    const CFileLine::Box box = Arch().GetBox();
    EXPECT_DOUBLE_EQ(box.x1, 0);
    EXPECT_DOUBLE_EQ(box.x2, 10);
    EXPECT_DOUBLE_EQ(box.y1, 0);
    EXPECT_NEAR(box.y2, 7.5, 1e-9);
    const CFileLine::Box lineBox = Line({4, 3}, {1, 5}).GetBox();
    EXPECT_EQ((std::array{lineBox.x1, lineBox.y1, lineBox.x2, lineBox.y2}), (std::array{1.0, 3.0, 4.0, 5.0}));
}

TEST(FileLineCrossing, StraightPiecesCrossOnlyStrictlyInsideBoth) {
    struct Case {
        CFileLine segment;
        SDPoint from, to;
        bool crosses;
    };
    const CFileLine diagonal = Line({0, 0}, {10, 10});
    for (const Case& c : {Case{diagonal, {0, 10}, {10, 0}, true}, Case{diagonal, {0, 1}, {10, 11}, false},
                          Case{diagonal, {10, 10}, {20, 0}, false}, Case{diagonal, {5, 5}, {9, 1}, false},
                          Case{Line({5, 0}, {5, 10}), {0, 5}, {10, 5}, true},
                          Case{Line({5, 0}, {5, 10}), {0, 11}, {10, 11}, false},
                          Case{diagonal, {0, 0.5}, {0.4, 0}, true}}) {
        EXPECT_EQ(c.segment.LineCrossesLine(c.from.x, c.from.y, c.to.x, c.to.y), c.crosses)
            << c.from.x << "," << c.from.y << " " << c.to.x << "," << c.to.y;
    }
}

TEST(FileLineCrossing, ABezierIsSampledAgainstTheStraightPiece) {
    const CFileLine arch = Arch();
    EXPECT_TRUE(arch.CrossesLine(4, 0, 4, 10));    // through the top
    EXPECT_FALSE(arch.CrossesLine(5, 0, 5, 10));   // exactly through the sample point at t = 0.5
    EXPECT_TRUE(arch.CrossesLine(-1, 3, 11, 3));   // through both flanks
    EXPECT_FALSE(arch.CrossesLine(5, 0, 5, 7));    // stops below the top
    EXPECT_FALSE(arch.CrossesLine(-1, 8, 11, 8));  // above it
}

// Segment pairs as the data check meets them; each case says what the user would see on the canvas.
struct SegmentPair {
    const char* name;
    CFileLine a;
    CFileLine b;
    bool crosses;
    bool overlaps;  // at the check's default tolerance 0.001 mm
};

TEST(FileLineTest, CrossingAndOverlapOfSegmentPairs) {
    using cutrix::testing::Bezier;
    const CFileLine arch = Arch();
    CFileLine reversedArch = Bezier({10, 0}, {10, 10}, {0, 10}, {0, 0});
    CFileLine bentArch = Bezier({0, 0}, {0, 10}, {10, 11}, {10, 0});
    const SegmentPair pairs[] = {
        {"X through both middles", Line({0, 0}, {10, 10}), Line({0, 10}, {10, 0}), true, false},
        {"touching end to end", Line({0, 0}, {10, 0}), Line({10, 0}, {10, 10}), false, false},
        {"T: an end on the other's middle", Line({0, 0}, {10, 0}), Line({5, 0}, {5, 10}), false, false},
        {"parallel", Line({0, 0}, {10, 0}), Line({0, 1}, {10, 1}), false, false},
        {"vertical crossed by horizontal", Line({5, -5}, {5, 5}), Line({0, 0}, {10, 0}), true, false},
        {"same line, opposite direction", Line({0, 0}, {10, 0}), Line({10, 0}, {0, 0}), false, true},
        {"one inside the other", Line({0, 0}, {10, 0}), Line({2, 0}, {8, 0}), false, true},
        {"the other inside this", Line({2, 0}, {8, 0}), Line({0, 0}, {10, 0}), false, true},
        // |-------|           the inner end (8, 0) lies exactly on the first line
        //      |--------|
        {"partial overlap, inner end exactly on", Line({0, 0}, {10, 0}), Line({4, 0}, {14, 0}), false, true},
        {"partial overlap, slanted", Line({0, 0}, {10, 10}), Line({5, 5}, {20, 20}), false, true},
        {"collinear, sharing one end", Line({0, 0}, {10, 0}), Line({10, 0}, {20, 0}), false, false},
        {"collinear with a gap", Line({0, 0}, {10, 0}), Line({11, 0}, {20, 0}), false, false},
        {"line against Bezier", Line({0, 0}, {10, 0}), arch, false, false},
        {"arch crossed by a line at mid height", arch, Line({-1, 5}, {11, 5}), true, false},
        {"line crossing the arch", Line({5.3, -1}, {5.3, 9}), arch, true, false},
        {"identical Beziers", arch, arch, false, true},
        // Sampled from opposite ends, the chords meet at their sample points only up to rounding.
        {"reversed duplicate Bezier", arch, reversedArch, false, true},
        {"Beziers with the same ends, other control", arch, bentArch, false, false},
        {"Bezier crossing a flatter Bezier", arch, Bezier({-1, 3}, {3, 3}, {7, 3}, {11, 3}), true, false},
    };
    for (const SegmentPair& pair : pairs) {
        EXPECT_EQ(pair.a.CrossesSegment(pair.b), pair.crosses) << pair.name;
        EXPECT_EQ(pair.a.OverlapsSegment(pair.b, 0.001), pair.overlaps) << pair.name;
    }
}

TEST(FileLineTest, OverlapToleranceWidensWhatCountsAsOnTheLine) {
    const CFileLine base = Line({0, 0}, {10, 0});
    const CFileLine offByHalf = Line({0, 0.5}, {10, 0.5});
    EXPECT_FALSE(base.OverlapsSegment(offByHalf, 0.001));
    EXPECT_TRUE(base.OverlapsSegment(offByHalf, 0.6));
    // Sharing less than the tolerance along the line is a touch, not an overlap.
    const CFileLine barelyShared = Line({9.7, 0}, {20, 0});
    EXPECT_FALSE(base.OverlapsSegment(barelyShared, 0.5));
    EXPECT_TRUE(base.OverlapsSegment(barelyShared, 0.2));
}

}  // namespace
