// The chord primitives: parameters, crossings, line intersections, offsets of points and arcs.
#include "SegmentGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ContourTestKit.h"
#include "Contours.h"

namespace pathsmith {
namespace {

using testing::Points;

std::vector<Chord> ClosedChords(const Points& vertices) {
    std::vector<Chord> chords;
    for (std::size_t index = 0; index < vertices.size(); ++index) {
        chords.push_back({vertices[index], vertices[(index + 1) % vertices.size()]});
    }
    return chords;
}

TEST(SegmentGeometryTest, ParameterSnapsToTheEndsOfTheChord) {
    const Chord unit{{0, 0}, {1, 0}};
    EXPECT_EQ(ParameterOnChord({1.0000005, 0}, unit), 1.0);
    EXPECT_EQ(ParameterOnChord({0.0009, 0.0}, unit), 0.0);
    EXPECT_EQ(ParameterOnChord({-0.0000005, 3.0}, unit), 0.0);
    EXPECT_DOUBLE_EQ(ParameterOnChord({0.25, 7.0}, unit), 0.25);
    EXPECT_DOUBLE_EQ(ParameterOnChord({2.0, 1.0}, unit), 2.0);
}

TEST(SegmentGeometryTest, DistanceToChordClampsToItsEnds) {
    const Chord chord{{0, 0}, {10, 0}};
    SDPoint nearest;
    EXPECT_DOUBLE_EQ(DistanceToChord({5, 3}, chord, &nearest), 3.0);
    EXPECT_DOUBLE_EQ(nearest.x, 5.0);
    EXPECT_DOUBLE_EQ(DistanceToChord({13, 4}, chord, &nearest), 5.0);
    EXPECT_DOUBLE_EQ(nearest.x, 10.0);
}

TEST(SegmentGeometryTest, OnlyStrictCrossingsCount) {
    struct Case {
        const char* name;
        Chord a;
        Chord b;
        bool cross;
    };
    const Case cases[] = {
        {"x through the middle", {{0, 0}, {10, 10}}, {{0, 10}, {10, 0}}, true},
        {"touch at an end", {{0, 0}, {10, 0}}, {{5, 0}, {5, 5}}, false},
        {"shared end point", {{0, 0}, {10, 0}}, {{10, 0}, {10, 5}}, false},
        {"collinear overlap", {{0, 0}, {10, 0}}, {{5, 0}, {15, 0}}, false},
        {"parallel", {{0, 0}, {10, 0}}, {{0, 1}, {10, 1}}, false},
        {"vertical through horizontal", {{5, -5}, {5, 5}}, {{0, 0}, {10, 0}}, true},
        {"apart", {{0, 0}, {1, 1}}, {{5, 0}, {6, -1}}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChordsCross(c.a, c.b), c.cross) << c.name;
        EXPECT_EQ(ChordsCross(c.b, c.a), c.cross) << c.name;
    }
}

TEST(SegmentGeometryTest, LineIntersectionReportsWhereTheLinesMeet) {
    struct Case {
        const char* name;
        Chord a;
        Chord b;
        double t1;
        double t2;
        int caseCode;
    };
    const Case cases[] = {
        {"inside both", {{0, 0}, {10, 0}}, {{5, -5}, {5, 5}}, 0.5, 0.5, 1},
        {"before the second", {{0, 0}, {10, 0}}, {{5, 5}, {5, 10}}, 0.5, -1.0, 2},
        {"after the second", {{0, 0}, {10, 0}}, {{5, -10}, {5, -5}}, 0.5, 2.0, 3},
        {"past the first, before the second", {{0, 0}, {10, 0}}, {{20, 10}, {20, 20}}, 2.0, -1.0, 5},
        {"before the first", {{0, 0}, {10, 0}}, {{-10, -5}, {-10, 5}}, -1.0, 0.5, 7},
        {"shared start points", {{1, 1}, {10, 0}}, {{1, 1}, {5, 5}}, 0.0, 0.0, 1},
        {"end meets start", {{0, 0}, {10, 0}}, {{10.0005, 0}, {20, 5}}, 1.0, 0.0, 1},
    };
    for (const Case& c : cases) {
        LineMeeting meeting;
        ASSERT_TRUE(IntersectLines(c.a, c.b, meeting)) << c.name;
        EXPECT_NEAR(meeting.t1, c.t1, 1e-12) << c.name;
        EXPECT_NEAR(meeting.t2, c.t2, 1e-12) << c.name;
        EXPECT_EQ(meeting.caseCode, c.caseCode) << c.name;
    }
}

TEST(SegmentGeometryTest, LineIntersectionRefusesParallelAndTinyChords) {
    LineMeeting meeting;
    EXPECT_FALSE(IntersectLines({{0, 0}, {10, 0}}, {{0, 1}, {10, 1}}, meeting));
    EXPECT_EQ(meeting.point.x, -1e10);
    EXPECT_FALSE(IntersectLines({{0, 0}, {0.0005, 0}}, {{0, 1}, {0, -1}}, meeting));
}

TEST(SegmentGeometryTest, SharedStartPointsMeetThere) {
    LineMeeting meeting;
    ASSERT_TRUE(IntersectLines({{2, 3}, {10, 3}}, {{2, 3}, {2, 9}}, meeting));
    EXPECT_EQ(meeting.point.x, 2.0);
    EXPECT_EQ(meeting.point.y, 3.0);
    EXPECT_EQ(meeting.t1, 0.0);
    EXPECT_EQ(meeting.t2, 0.0);
}

TEST(SegmentGeometryTest, OffsetPointsMoveToTheChosenHand) {
    struct Case {
        const char* name;
        Chord chord;
        bool left;
        SDPoint start;
        SDPoint end;
    };
    const double h = std::sqrt(0.5);
    const Case cases[] = {
        {"rightwards, left", {{0, 0}, {10, 0}}, true, {0, 2}, {10, 2}},
        {"rightwards, right", {{0, 0}, {10, 0}}, false, {0, -2}, {10, -2}},
        {"upwards, left", {{0, 0}, {0, 10}}, true, {-2, 0}, {-2, 10}},
        {"downwards, left", {{0, 10}, {0, 0}}, true, {2, 10}, {2, 0}},
        {"rising diagonal, left", {{0, 0}, {1, 1}}, true, {-2 * h, 2 * h}, {1 - 2 * h, 1 + 2 * h}},
        {"falling diagonal, left", {{0, 0}, {1, -1}}, true, {2 * h, 2 * h}, {1 + 2 * h, -1 + 2 * h}},
        {"falling diagonal, right", {{0, 0}, {1, -1}}, false, {-2 * h, -2 * h}, {1 - 2 * h, -1 - 2 * h}},
    };
    for (const Case& c : cases) {
        const Chord offset = OffsetChord(c.chord, 2.0, c.left);
        const SDPoint start = offset.start, end = offset.end;
        EXPECT_NEAR(start.x, c.start.x, 1e-12) << c.name;
        EXPECT_NEAR(start.y, c.start.y, 1e-12) << c.name;
        EXPECT_NEAR(end.x, c.end.x, 1e-12) << c.name;
        EXPECT_NEAR(end.y, c.end.y, 1e-12) << c.name;
    }
    const Chord degenerate = OffsetChord({{3, 3}, {3, 3}}, 2.0, true);
    EXPECT_EQ(degenerate.start.x, 0.0);
    EXPECT_EQ(degenerate.start.y, 0.0);
}

TEST(SegmentGeometryTest, SignedAnglesArePositiveCounterClockwise) {
    EXPECT_NEAR(SignedAngle({1, 0}, {0, 1}, {0, 0}), M_PI / 2, 1e-12);
    EXPECT_NEAR(SignedAngle({0, 1}, {1, 0}, {0, 0}), -M_PI / 2, 1e-12);
    EXPECT_EQ(SignedAngle({1, 0}, {0, 0}, {0, 0}), 0.0);
    EXPECT_EQ(SignedAngle({0, 0}, {1, 0}, {0, 0}), 0.0);
}

TEST(SegmentGeometryTest, ArcChordsStayWithinTheChordError) {
    for (const double radius : {0.02, 0.5, 3.0, 250.0}) {
        std::vector<SDPoint> arc;
        AppendArcPoints({1, 2}, radius, ArcStepAngle(radius), 0.3, 0.3 + 2.5, arc);
        ASSERT_GE(arc.size(), 2u);
        EXPECT_NEAR(arc.back().x, 1 + radius * std::cos(2.8), 1e-12);
        for (std::size_t index = 0; index + 1 < arc.size(); ++index) {
            const SDPoint middle{(arc[index].x + arc[index + 1].x) / 2,
                                 (arc[index].y + arc[index + 1].y) / 2};
            EXPECT_LE(radius - Distance(middle, {1, 2}), kArcChordError + 1e-9) << radius;
        }
    }
}

TEST(SegmentGeometryTest, SelfCrossingOfContours) {
    EXPECT_FALSE(ContourCrossesItself(ClosedChords(testing::Rectangle(0, 0, 10, 10))));
    EXPECT_TRUE(ContourCrossesItself(ClosedChords({{0, 0}, {10, 10}, {10, 0}, {0, 10}})));
    // Touching back at a vertex is no crossing.
    EXPECT_FALSE(ContourCrossesItself(ClosedChords({{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}, {5, 5}})));
    // An open zigzag whose last leg crosses its first.
    EXPECT_TRUE(
        ContourCrossesItself(std::vector<Chord>{{{0, 0}, {10, 0}}, {{10, 0}, {10, 5}}, {{10, 5}, {5, -5}}}));
    EXPECT_FALSE(ContourCrossesItself(ClosedChords(testing::NotchedCircle(50, 3, 40, 4000))));
}

}  // namespace
}  // namespace pathsmith
