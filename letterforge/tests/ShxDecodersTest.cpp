// The SHX shape decoders on the definitions whose strokes are worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "GeometryTestHelpers.h"
#include "ShxGeometry.h"
#include "ShxText.h"

namespace letterforge {
namespace {

using cutrix::testing::ExpectPointNear;
using Points = std::vector<SDPoint>;

enum Decoder { kSingle = -1, kBig0 = 0, kBig1 = 1, kBig2 = 2, kBig3 = 3, kBig4 = 4 };

// Decodes one definition at origin (x, y) with height h and width factor 1.
std::vector<Points> Decode(Decoder decoder, std::vector<std::uint8_t> bytes, double x, double y, double h) {
    ShxFontFiles none;
    CShxText renderer(none, decoder == kSingle ? 0 : static_cast<int>(decoder));
    const CShxText::ShapeCall call{x, y, h, 1.0, 0.0, bytes};
    switch (decoder) {
        case kSingle: renderer.DecodeShape(call); break;
        case kBig0: renderer.DecodeBigShape0(call); break;
        case kBig1: renderer.DecodeBigShape1(call); break;
        case kBig2: renderer.DecodeBigShape2(call); break;
        case kBig3: renderer.DecodeBigShape3(call); break;
        case kBig4: renderer.DecodeBigShape4(call); break;
    }
    std::vector<Points> strokes;
    for (const ShxPolyline& polyline : renderer.Polylines()) {
        strokes.push_back(polyline.vertices);
    }
    return strokes;
}

void ExpectStrokes(const std::vector<Points>& actual, const std::vector<Points>& expected, const std::string& name) {
    ASSERT_EQ(actual.size(), expected.size()) << name;
    for (std::size_t s = 0; s < expected.size(); ++s) {
        ASSERT_EQ(actual[s].size(), expected[s].size()) << name << " stroke " << s;
        for (std::size_t v = 0; v < expected[s].size(); ++v) {
            SCOPED_TRACE(name + " stroke " + std::to_string(s) + " vertex " + std::to_string(v));
            ExpectPointNear(actual[s][v], expected[s][v], 1e-9);
        }
    }
}

// The unit of each decoder times the height is 1, so shape units read as mm, and the origin is put one
// height up, where the baseline then lies at y = 0.
struct DecoderCase {
    const char* name;
    Decoder decoder;
    std::vector<std::uint8_t> bytes;
    std::vector<Points> expected;
};

double HeightOfUnit(Decoder decoder) {
    switch (decoder) {
        case kSingle: return 6.0;
        case kBig0: return 96.0;
        case kBig1: case kBig2: return 64.0;
        case kBig3: return 100.0;
        case kBig4: return 15.0;
    }
    return 1.0;
}

TEST(ShxDecoders, DefinitionsGiveTheStrokesWorkedOutByHand) {
    const DecoderCase cases[] = {
        {"pen down, up 3, right 4, pen up: the first two vertices coincide; the last move's stroke is dropped",
         kSingle, {1, 0x34, 0x40, 2, 0x10, 0}, {{{0, 0}, {0, 0}, {0, 3}, {4, 3}}}},
        {"a stroke without a closing pen-up draws nothing", kSingle, {1, 0x34, 0x40, 0}, {}},
        {"after a pen-up the first vector only starts the stroke", kSingle, {2, 0x20, 0x24, 2, 0x10, 0},
         {{{2, 0}, {2, 2}}}},
        {"a skipped displacement leaves the pen where it was", kSingle, {2, 14, 8, 5, 5, 2, 0x10, 0x10, 2},
         {{{1, 0}, {2, 0}}}},
        {"code 3 is taken as a displacement whose point is appended", kSingle, {1, 3, 2, 0, 2},
         {{{0, 0}, {2, 0}}}},
        {"an arc code is passed over and its radius byte read as a displacement", kSingle, {1, 10, 3, 0x12, 0, 2},
         {{{0, 0}, {18, 0}}}},
        {"pen down with a list of displacements up to (0, 0)", kSingle, {1, 9, 2, 0, 0, 3, 0, 0, 2},
         {{{0, 0}, {2, 0}, {2, 3}}}},
        {"diagonal steps are a hair short of the square root of two", kSingle, {1, 0x12, 0x16, 2},
         {{{0, 0}, {0, 0}, {1.41421356 * std::cos(std::numbers::pi / 4), 1.41421356 * std::sin(std::numbers::pi / 4)},
           {0, 2 * 1.41421356 * std::sin(std::numbers::pi / 4)}}}},
        {"half steps of the single-byte table", kSingle, {2, 0x11, 0x13, 0x15, 2},
         {{{1, 0.5}, {1.5, 1.5}, {1, 2.5}}}},
        {"font index 1: the pen-up point begins the stroke", kBig1, {0, 2, 8, 4, 0, 1, 0x40, 2, 8, 0, 0},
         {{{4, 0}, {8, 0}}}},
        {"font index 1: odd directions run along the circle", kBig1, {0, 2, 8, 0, 0, 1, 0x11, 2},
         {{{0, 0}, {1.1180339 * std::cos(std::numbers::pi / 8), 1.1180339 * std::sin(std::numbers::pi / 8)}}}},
        {"font index 2: odd directions are stretched by 1 / cos 22.5 degrees", kBig2, {0, 2, 8, 0, 0, 1, 0x11, 2},
         {{{0, 0}, {1.0, std::tan(std::numbers::pi / 8)}}}},
        {"font index 4: odd directions as the single-byte table", kBig4, {0, 2, 8, 0, 0, 1, 0x11, 2},
         {{{0, 0}, {1.0, 0.5}}}},
        {"font index 3: a list of displacements, the walk going on after (0, 0)", kBig3,
         {0, 1, 9, 2, 0, 0, 3, 0, 0, 2, 8, 1, 1, 8, 1, 0, 2}, {{{2, 0}, {2, 3}}, {{3, 4}, {4, 4}}}},
        {"a double-byte definition of one byte draws nothing", kBig1, {2}, {}},
        {"font index 0 ignores its first three bytes", kBig0, {2, 8, 1, 0}, {}},
    };
    for (const DecoderCase& c : cases) {
        const double h = HeightOfUnit(c.decoder);
        ExpectStrokes(Decode(c.decoder, c.bytes, 0.0, h, h), c.expected, c.name);
    }
}

TEST(ShxDecoders, SpecialPairHandOversEmptyTheStrokeSoNothingIsCutTwice) {
    const DecoderCase cases[] = {
        {"font index 0, pair (0x8F, 0)", kBig0, {0, 0, 0, 2, 8, 1, 0, 8, 2, 0, 3, 0x8F, 0, 2},
         {{{1, 0}, {3, 0}}}},
        {"font index 3, code 6 with (2, 8)", kBig3, {0, 1, 8, 1, 0, 8, 2, 0, 6, 2, 8, 0, 0, 0, 2},
         {{{1, 0}, {3, 0}}}},
    };
    for (const DecoderCase& c : cases) {
        const double h = HeightOfUnit(c.decoder);
        ExpectStrokes(Decode(c.decoder, c.bytes, 0.0, h, h), c.expected, c.name);
    }
}

TEST(ShxDecoders, HalfCircleBulgeRunsClockwiseFromThePenThroughTheApex) {
    // Pen at (4, 0), chord (-8, 0), bulge 127: centre (0, 0), radius 4, 11.25 degree steps.
    //        start (4,0) *---------------* end (-4,0)
    //                      \           /
    //                        * (0,-4) *
    const std::vector<Points> strokes = Decode(kBig0, {0, 0, 0, 2, 8, 4, 0, 1, 12, 0xF8, 0, 127, 2}, 0.0, 96.0, 96.0);
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0].size(), 18u);
    ExpectPointNear(strokes[0][0], {4, 0}, 1e-9);
    for (int k = 0; k < 16; ++k) {
        const double angle = -k * std::numbers::pi / 16;
        ExpectPointNear(strokes[0][k + 1], {4 * std::cos(angle), 4 * std::sin(angle)}, 1e-9);
    }
    ExpectPointNear(strokes[0][9], {0, -4}, 1e-9);
    ExpectPointNear(strokes[0][17], {-4, 0}, 1e-9);
}

TEST(ShxDecoders, ArcOfAnyBulgeStartsAtThePenAndPassesTheApex) {
    struct Case {
        SDPoint pen;
        SDPoint chord;
        double bulge;
    };
    for (const Case& c : {Case{{3, 5}, {6, 2}, 50}, Case{{-2, 1}, {0, -7}, -90}, Case{{0, 0}, {5, 0}, 127}}) {
        const std::vector<SDPoint> points = CShxText::BulgeArcPoints(c.pen.x, c.pen.y, c.chord.x, c.chord.y, c.bulge);
        ASSERT_EQ(points.size(), 16u);
        ExpectPointNear(points[0], c.pen, 1e-9);
        const SDPoint apex{c.pen.x + c.chord.x / 2 - c.chord.y * c.bulge / 254,
                           c.pen.y + c.chord.y / 2 + c.chord.x * c.bulge / 254};
        ExpectPointNear(points[8], apex, 1e-9);
        // The next step after the sixteenth point lands on the chord's end.
        const SDPoint end{c.pen.x + c.chord.x, c.pen.y + c.chord.y};
        const double step = std::hypot(points[1].x - points[0].x, points[1].y - points[0].y);
        EXPECT_NEAR(std::hypot(end.x - points[15].x, end.y - points[15].y), step, 1e-9);
    }
}

TEST(ShxDecoders, ZeroBulgeDrawsAStraightLine) {
    const std::vector<Points> strokes = Decode(kBig0, {0, 0, 0, 2, 8, 0, 0, 9, 6, 0, 0, 2}, 0.0, 96.0, 96.0);
    ExpectStrokes(strokes, {{{0, 0}, {6, 0}}}, "bulge 0");
}

TEST(ShxDecoders, DefinitionCutShortEndsTheWalkWithoutReadingPastIt) {
    const std::vector<std::uint8_t> full = {1, 8, 5, 5, 9, 1, 2, 0, 0, 2, 14, 8, 3, 3, 2, 0x10, 12, 1, 2, 3, 2};
    for (std::size_t length = 0; length < full.size(); ++length) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        for (Decoder decoder : {kSingle, kBig0, kBig1, kBig2, kBig3, kBig4}) {
            for (const Points& stroke : Decode(decoder, cut, 0, 10, 10)) {
                for (const SDPoint& point : stroke) {
                    EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
                }
            }
        }
    }
}

TEST(ShxGeometry, BearingIsClockwiseFromNorthAndSnapsNearAxes) {
    constexpr double kPi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, 0, 5), 0.0);
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, 5, 0), kPi / 2);
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, 0, -5), kPi);
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, -5, 0), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, 1, 1), kPi / 4);
    EXPECT_DOUBLE_EQ(BearingOfPoint(0, 0, 0.0005, 3), 0.0);
    double x = 1.0, y = 0.0;
    RotatePoint(0, 0, x, y, kPi / 2);
    ExpectPointNear({x, y}, {0, 1}, 1e-12);
}

}  // namespace
}  // namespace letterforge
