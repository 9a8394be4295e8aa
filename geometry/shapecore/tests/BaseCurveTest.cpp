#include "BaseCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "CurveTestHelpers.h"

namespace {

using namespace shapecore_test;

void ExpectPoint(SDPoint actual, SDPoint expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// A circle of radius 5 about (5, 5) from four Bezier quarters.
void AddBezierCircle(CBaseCurve& curve) {
    constexpr double k = 5 * 0.5522847498;
    curve.segments.AddTail(CLineEx(SDPoint{10, 5}, SDPoint{5, 10}, SDPoint{10, 5 + k}, SDPoint{5 + k, 10}));
    curve.segments.AddTail(CLineEx(SDPoint{5, 10}, SDPoint{0, 5}, SDPoint{5 - k, 10}, SDPoint{0, 5 + k}));
    curve.segments.AddTail(CLineEx(SDPoint{0, 5}, SDPoint{5, 0}, SDPoint{0, 5 - k}, SDPoint{5 - k, 0}));
    curve.segments.AddTail(CLineEx(SDPoint{5, 0}, SDPoint{10, 5}, SDPoint{5 + k, 0}, SDPoint{10, 5 - k}));
    curve.CalRect();
}

TEST(BaseCurveTest, NewCurveIsEmptyWhiteAndOpen) {
    CBaseCurve curve;
    EXPECT_TRUE(curve.segments.IsEmpty());
    EXPECT_EQ(curve.colour, 0xFFFFFFu);
    EXPECT_EQ(curve.highlight, 0);
    EXPECT_EQ(curve.IsClose(), 0);
    EXPECT_EQ(curve.GetCurveDir(), 0);
}

TEST(BaseCurveTest, ClosedNeedsTwoSegmentsMeetingWithinAThousandth) {
    CBaseCurve single;
    single.segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{0, 0}, SDPoint{5, 5}, SDPoint{-5, 5}));
    EXPECT_EQ(single.IsClose(), 0);

    CBaseCurve almost;
    AddPolyline(almost, {{0, 0}, {10, 0}, {0.001, 0.001}});
    EXPECT_EQ(almost.IsClose(), 1);
    CBaseCurve apart;
    AddPolyline(apart, {{0, 0}, {10, 0}, {0.0011, 0}});
    EXPECT_EQ(apart.IsClose(), 0);
}

TEST(BaseCurveTest, AutoCloseOfTheOpenSquare) {
    struct Case {
        double gap;
        double tol;
        int force;
        bool closes;
    };
    const Case cases[] = {
        {0.4, 0.5, 0, true},
        {0.6, 0.5, 0, false},
        {0.6, 0.5, 1, true},
        {50.0, 0.0, 1, true},
    };
    for (const Case& c : cases) {
        CBaseCurve curve;
        AddPolyline(curve, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, c.gap}});
        curve.AutoClose(c.tol, c.force);
        const auto segments = Segments(curve.segments);
        ASSERT_EQ(segments.size(), c.closes ? 5u : 4u) << c.gap << " force " << c.force;
        if (c.closes) {
            EXPECT_TRUE(SameSegment(segments.back(), CLineEx(0, c.gap, 0, 0)));
            EXPECT_EQ(curve.IsClose(), 1);
        }
    }
}

TEST(BaseCurveTest, ForcedCloseOfOneSegmentOnlyForABezier) {
    CBaseCurve line;
    AddPolyline(line, {{0, 0}, {10, 0}});
    line.AutoClose(100, 1);
    EXPECT_EQ(line.segments.GetCount(), 1);

    CBaseCurve bezier;
    bezier.segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{10, 0}, SDPoint{0, 5}, SDPoint{10, 5}));
    bezier.AutoClose(0, 0);
    EXPECT_EQ(bezier.segments.GetCount(), 1);
    bezier.AutoClose(0, 1);
    ASSERT_EQ(bezier.segments.GetCount(), 2);
    EXPECT_TRUE(SameSegment(bezier.segments.head->prev->value, CLineEx(10, 0, 0, 0)));

    CBaseCurve closed;
    AddSquare(closed);
    closed.AutoClose(100, 1);
    EXPECT_EQ(closed.segments.GetCount(), 4);
}

TEST(BaseCurveTest, DirectionOfTheSquare) {
    CBaseCurve square;
    AddSquare(square);
    EXPECT_EQ(square.GetCurveDir(), -1);  // counter-clockwise, y up
    square.TransDir();
    EXPECT_EQ(square.GetCurveDir(), 1);
}

TEST(BaseCurveTest, DirectionOfAFlatCurveIsUndecided) {
    CBaseCurve flat;
    AddPolyline(flat, {{0, 3}, {5, 3}, {9, 3}});
    EXPECT_EQ(flat.GetCurveDir(), 0);
    CBaseCurve single;
    AddPolyline(single, {{0, 0}, {5, 5}});
    EXPECT_EQ(single.GetCurveDir(), 0);
}

TEST(BaseCurveTest, PointInCurve) {
    CBaseCurve square;
    AddSquare(square);
    EXPECT_EQ(square.IsPtInCurve({5, 5}), 1);
    EXPECT_EQ(square.IsPtInCurve({10.2, 5}), 0);

    //  (0,10) +----+ (4,10)
    //         |    |
    //         |    +------+ (10,4)
    //         |           |
    //   (0,0) +-----------+ (10,0)     (7,7) is inside the box but outside the L.
    CBaseCurve ell;
    AddPolyline(ell, {{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}, {0, 0}});
    EXPECT_EQ(ell.IsPtInCurve({2, 8}), 1);
    EXPECT_EQ(ell.IsPtInCurve({7, 7}), 0);

    CBaseCurve circle;
    AddBezierCircle(circle);
    EXPECT_EQ(circle.IsPtInCurve({5, 5}), 1);
    EXPECT_EQ(circle.IsPtInCurve({0.5, 0.5}), 0);
}

TEST(BaseCurveTest, PointInCurveWithANonFiniteBezierEndsAndAnswersNo) {
    CBaseCurve curve;
    AddPolyline(curve, {{0, 0}, {10, 0}, {10, 10}});
    curve.segments.AddTail(CLineEx(SDPoint{10, 10}, SDPoint{0, 0}, SDPoint{std::nan(""), 5}, SDPoint{0, 5}));
    EXPECT_EQ(curve.IsPtInCurve({8, 2}), 0);
}

TEST(BaseCurveTest, CurveInCurveTestsTheOtherStart) {
    CBaseCurve square;
    AddSquare(square);
    CBaseCurve inner;
    AddPolyline(inner, {{2, 2}, {20, 2}});
    CBaseCurve outer;
    AddPolyline(outer, {{12, 2}, {2, 2}});
    EXPECT_EQ(square.IsCurveInCurve(&inner), 1);
    EXPECT_EQ(square.IsCurveInCurve(&outer), 0);
    EXPECT_EQ(square.IsCurveInCurve(nullptr), 0);
    EXPECT_EQ(inner.IsCurveInCurve(&square), 0);  // inner is open
}

TEST(BaseCurveTest, TransDirReversesOrderAndEachSegment) {
    CBaseCurve curve;
    curve.segments.AddTail(CLineEx(0, 0, 10, 0));
    curve.segments.AddTail(CLineEx(SDPoint{10, 0}, SDPoint{20, 0}, SDPoint{12, 5}, SDPoint{18, 5}));
    CLineEx bridge(20, 0, 30, 0);
    bridge.type = CLineEx::kBridgeGap;
    curve.segments.AddTail(bridge);
    curve.TransDir();
    const auto segments = Segments(curve.segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_TRUE(SameSegment(segments[0], CLineEx(30, 0, 20, 0)));  // the bridge mark becomes a plain line
    EXPECT_TRUE(
        SameSegment(segments[1], CLineEx(SDPoint{20, 0}, SDPoint{10, 0}, SDPoint{18, 5}, SDPoint{12, 5})));
    EXPECT_TRUE(SameSegment(segments[2], CLineEx(10, 0, 0, 0)));
    EXPECT_TRUE(IsWellLinked(curve.segments));
}

TEST(BaseCurveTest, LinkMovesTheOtherSegmentsAndEmptiesIt) {
    CBaseCurve curve, left, right, empty;
    AddPolyline(curve, {{1, 0}, {2, 0}});
    AddPolyline(left, {{-1, 0}, {0, 0}, {1, 0}});
    AddPolyline(right, {{2, 0}, {3, 0}});
    curve.LinkLeft(&left);
    curve.LinkRight(&right);
    curve.LinkRight(&empty);
    curve.LinkLeft(&curve);
    const auto segments = Segments(curve.segments);
    ASSERT_EQ(segments.size(), 4u);
    const double starts[] = {-1, 0, 1, 2};
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(segments[index].p0.x, starts[index]);
    }
    EXPECT_TRUE(IsWellLinked(curve.segments));
    EXPECT_TRUE(left.segments.IsEmpty());
    EXPECT_TRUE(IsWellLinked(left.segments));
    EXPECT_TRUE(right.segments.IsEmpty());
}

TEST(BaseCurveTest, DelOptimMergesCollinearLines) {
    CBaseCurve curve;
    AddPolyline(curve, {{0, 0}, {1, 0}, {2, 0.00001}, {2, 5}, {0, 5}});
    curve.DelOptim(0.001);
    const auto segments = Segments(curve.segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_TRUE(SameSegment(segments[0], CLineEx(0, 0, 2, 0.00001)));
    EXPECT_TRUE(SameSegment(segments[1], CLineEx(2, 0.00001, 2, 5)));
    EXPECT_TRUE(IsWellLinked(curve.segments));

    CBaseCurve curved;
    curved.segments.AddTail(CLineEx(SDPoint{0, 0}, SDPoint{1, 0}, SDPoint{0, 1}, SDPoint{1, 1}));
    AddPolyline(curved, {{1, 0}, {2, 0}, {3, 0}, {4, 0}});
    curved.DelOptim(0.001);  // nothing is tested against a Bezier
    EXPECT_EQ(curved.segments.GetCount(), 4);
}

TEST(BaseCurveTest, FiltRepeatPointDropsShortLinesOnly) {
    CBaseCurve curve;
    AddPolyline(curve, {{0, 0}, {0.0005, 0}, {10, 0}, {10, 0}});
    curve.segments.AddTail(CLineEx(SDPoint{10, 0}, SDPoint{10, 0}, SDPoint{12, 3}, SDPoint{8, 3}));
    curve.FiltRepeatPoint();
    const auto segments = Segments(curve.segments);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].p0.x, 0.0005);
    EXPECT_EQ(segments[1].type, CLineEx::kBezier);
    EXPECT_TRUE(IsWellLinked(curve.segments));
}

TEST(BaseCurveTest, LengthSumsLinesAndSampledCurves) {
    CBaseCurve square;
    AddSquare(square);
    EXPECT_DOUBLE_EQ(square.GetCurveLength(), 40.0);
    CBaseCurve circle;
    AddBezierCircle(circle);
    EXPECT_NEAR(circle.GetCurveLength(), 2 * 3.14159265 * 5, 0.01);
}

TEST(BaseCurveTest, HitTestReportsTheSegmentIndex) {
    CBaseCurve square;
    AddSquare(square);
    long index = -1;
    double t = -1;
    ASSERT_EQ(square.HitTest({10.05, 2.5}, 0.1, index, t), 1);
    EXPECT_EQ(index, 1);
    EXPECT_NEAR(t, 0.25, 0.01);
    EXPECT_EQ(square.HitTest({5, 5}, 0.1, index, t), 0);
    EXPECT_EQ(square.HitTest({20, 2.5}, 0.1, index, t), 0);
}

TEST(BaseCurveTest, TransformsMoveEveryPointAndRefreshTheBox) {
    CBaseCurve curve;
    AddSquare(curve);
    curve.TransMove(1, 2);
    EXPECT_DOUBLE_EQ(curve.rect.x1, 1);
    EXPECT_DOUBLE_EQ(curve.rect.y2, 12);
    curve.TransDrag(2, 1, 1, 0);
    EXPECT_DOUBLE_EQ(curve.rect.x2, 21);
    curve.XMirror(0);
    EXPECT_DOUBLE_EQ(curve.rect.x1, -21);
    EXPECT_DOUBLE_EQ(curve.rect.x2, -1);
    curve.YMirror(1);
    EXPECT_DOUBLE_EQ(curve.rect.y1, -10);
    curve.TransRotate(0, 0, std::numbers::pi / 2);
    ExpectPoint(curve.segments.head->next->value.p0, {0, -1}, 1e-9);
    EXPECT_NEAR(curve.rect.y1, -21, 1e-9);
}

// A Bezier is mirrored with its control points; the unused control points of a line (here holding
// leftovers) stay as they are, and only the mirrored coordinate changes.
TEST(BaseCurveTest, MirrorsReflectBezierControlsAndLeaveALinesUnusedControls) {
    struct Case {
        const char* name;
        void (CBaseCurve::*mirror)(double);
        double SDPoint::*mirrored;
        double SDPoint::*kept;
    };
    const Case cases[] = {
        {"XMirror", &CBaseCurve::XMirror, &SDPoint::x, &SDPoint::y},
        {"YMirror", &CBaseCurve::YMirror, &SDPoint::y, &SDPoint::x},
    };
    constexpr double kAxis = 5.0;
    for (const Case& c : cases) {
        CBaseCurve curve;
        CLineEx line(SDPoint{1, 2}, SDPoint{3, 4});
        line.p2 = {7, 8};
        line.p3 = {9, 10};
        curve.segments.AddTail(line);
        const CLineEx bezier(SDPoint{3, 4}, SDPoint{11, 12}, SDPoint{13, 14}, SDPoint{15, 16});
        curve.segments.AddTail(bezier);
        (curve.*c.mirror)(kAxis);

        const auto segments = Segments(curve.segments);
        ASSERT_EQ(segments.size(), 2u) << c.name;
        EXPECT_TRUE(SameBits(segments[0].p2.x, 7) && SameBits(segments[0].p2.y, 8)) << c.name;
        EXPECT_TRUE(SameBits(segments[0].p3.x, 9) && SameBits(segments[0].p3.y, 10)) << c.name;
        const std::pair<SDPoint, SDPoint> moved[] = {
            {line.p0, segments[0].p0},   {line.p1, segments[0].p1},   {bezier.p0, segments[1].p0},
            {bezier.p1, segments[1].p1}, {bezier.p2, segments[1].p2}, {bezier.p3, segments[1].p3},
        };
        for (const auto& [before, after] : moved) {
            EXPECT_EQ(after.*c.mirrored, 2 * kAxis - before.*c.mirrored) << c.name;
            EXPECT_EQ(after.*c.kept, before.*c.kept) << c.name;
        }
        EXPECT_EQ(segments[1].type, CLineEx::kBezier) << c.name;
    }
}

TEST(BaseCurveTest, BoundingBoxStartsAtTheFirstNodeAndCoversCurves) {
    CBaseCurve circle;
    AddBezierCircle(circle);
    EXPECT_NEAR(circle.rect.x1, 0, 0.002);
    EXPECT_NEAR(circle.rect.y2, 10, 0.002);
    CBaseCurve empty;
    empty.rect = CRectEx();
    empty.rect.x1 = 3.00049;
    EXPECT_DOUBLE_EQ(empty.CalRect().x1, 3);
}

TEST(BaseCurveTest, StoredRecordIsColourHighlightCountAndSegments) {
    CBaseCurve curve;
    curve.colour = 0x123456;
    curve.highlight = 1;
    AddPolyline(curve, {{0, 0}, {1, 2}, {3, 4}});
    const auto bytes = Stored(curve);
    ASSERT_EQ(bytes.size(), 12u + 2 * 66u);
    EXPECT_EQ(I32At(bytes, 0), 0x123456);
    EXPECT_EQ(I32At(bytes, 4), 1);
    EXPECT_EQ(I32At(bytes, 8), 2);
    EXPECT_EQ(DoubleAt(bytes, 12 + 66 + 2 + 16), 3);
}

TEST(BaseCurveTest, LoadingAppendsAfterTheExistingSegments) {
    CBaseCurve source;
    AddPolyline(source, {{5, 5}, {6, 6}});
    CBaseCurve target;
    AddPolyline(target, {{0, 0}, {1, 1}});
    LoadFrom(target, Stored(source));
    const auto segments = Segments(target.segments);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].p0.x, 0);
    EXPECT_EQ(segments[1].p0.x, 5);
    EXPECT_DOUBLE_EQ(target.rect.x2, 6);
    EXPECT_TRUE(IsWellLinked(target.segments));
}

TEST(BaseCurveTest, BadRecordIsRefusedAndLeavesTheCurve) {
    CBaseCurve source;
    source.colour = 0xFF;
    AddPolyline(source, {{5, 5}, {6, 6}, {7, 5}});
    const auto good = Stored(source);

    auto overstated = good;
    overstated[8] = 3;  // three segments announced, two present
    auto negative = good;
    negative[11] = 0x80;
    auto nonFinite = good;
    for (int index = 0; index < 8; ++index) {
        nonFinite[12 + 2 + index] = index == 7 ? 0x7F : (index == 6 ? 0xF0 : 0);  // +infinity
    }
    std::vector<std::vector<std::uint8_t>> bad = {overstated, negative, nonFinite};
    for (std::size_t length = 0; length < good.size(); ++length) {
        bad.emplace_back(good.begin(), good.begin() + length);
    }
    for (const auto& bytes : bad) {
        CBaseCurve target;
        AddPolyline(target, {{0, 0}, {1, 1}});
        EXPECT_THROW(LoadFrom(target, bytes), platform::ArchiveError) << bytes.size();
        EXPECT_EQ(target.segments.GetCount(), 1);
        EXPECT_EQ(target.colour, 0xFFFFFFu);
    }
}

TEST(BaseCurveTest, CloneCopiesGeometryButNotHighlight) {
    CBaseCurve curve;
    AddSquare(curve);
    curve.colour = 0xFF00;
    curve.highlight = 1;
    curve.reserved1 = 9;
    auto copy = curve.Clone();
    auto* clone = dynamic_cast<CBaseCurve*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->colour, 0xFF00u);
    EXPECT_EQ(clone->highlight, 0);
    EXPECT_EQ(clone->reserved1, 0);
    EXPECT_EQ(clone->segments.GetCount(), 4);
    EXPECT_DOUBLE_EQ(clone->rect.x2, 10);
    curve.TransMove(5, 5);
    EXPECT_EQ(clone->segments.head->next->value.p0.x, 0);
}

}  // namespace
