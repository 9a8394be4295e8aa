// Zint_Offset against the band between the round and the mitred offset of the same contour: short
// edges beside mitred corners, letters, random polygons and noisy blobs. Every result must be closed,
// keep the distance from the part along all its edges, and carry no ring too small to be a real cut.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "ContourTestKit.h"
#include "GlyphOutlines.h"
#include "OffsetReference.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::CurveList;
using testing::Points;

constexpr int kOutward = 0;
constexpr int kInward = 1;
// The output's precision: a ring thinner than this along its whole perimeter is no cut.
constexpr double kRingAreaPerLength = 0.001;
// Round joins are chords inside the true arc by up to this much.
constexpr double kChordError = 0.01;
// Where the chords of two joins cross, as they do all along a noisy outline, the crossing can lie
// inside both arcs and nearer to the short edge between their corners.
constexpr double kJoinCrossingError = 1.5 * kChordError;

using testing::OffsetRun;
using testing::RunOffset;

Points Reversed(Points polygon) {
    std::reverse(polygon.begin(), polygon.end());
    return polygon;
}

// Every ring closes on its first vertex exactly and encloses more than a sliver's area.
void ExpectClosedRealRings(const OffsetRun& run, const std::string& label) {
    for (const Points& ring : run.rings) {
        ASSERT_GE(ring.size(), 4u) << label;
        EXPECT_TRUE(ring.front().x == ring.back().x && ring.front().y == ring.back().y)
            << label << ": ring open by " << std::hypot(ring.front().x - ring.back().x, ring.front().y - ring.back().y);
        EXPECT_GE(std::fabs(testing::SignedArea(ring)), kRingAreaPerLength * testing::Perimeter(ring))
            << label << ": phantom ring of " << ring.size() << " vertices";
    }
}

void ExpectWithinBand(const Points& contour, double distance, int side, const std::string& label) {
    const OffsetRun run = RunOffset(contour, distance, side);
    ExpectClosedRealRings(run, label);
    EXPECT_EQ(run.status, run.rings.empty() ? 1 : 0) << label;
    const double outside = testing::AreaOutsideBand(run.rings, contour, distance, side == kInward);
    EXPECT_LE(outside, kChordError * testing::Perimeter(contour)) << label << ": mm² outside the band";
    if (!run.rings.empty()) {
        EXPECT_GE(testing::Clearance(run.rings, contour), distance - kChordError - 1e-6)
            << label << ": the path comes closer to the part than the distance";
    }
}

struct Shape {
    const char* name;
    Points contour;
};

// Shapes whose short edges sit beside right-angled (mitred) corners.
std::vector<Shape> ShapesWithShortEdgesBesideRightAngles() {
    return {
        {"1 mm step", {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 11}, {0, 11}}},
        {"1 mm deep notch",
         {{0, 0}, {20, 0}, {20, 20}, {12, 20}, {12, 19}, {8, 19}, {8, 20}, {0, 20}}},
        {"1 mm tooth",
         {{0, 0}, {20, 0}, {20, 20}, {10.5, 20}, {10.5, 21}, {9.5, 21}, {9.5, 20}, {0, 20}}},
        {"serif I",
         {{0, 0}, {12, 0}, {12, 1}, {8, 1}, {8, 19}, {12, 19}, {12, 20}, {0, 20}, {0, 19}, {4, 19}, {4, 1},
          {0, 1}}},
        {"serif I with serifs 4 thick",
         {{0, 0}, {16, 0}, {16, 4}, {12, 4}, {12, 26}, {16, 26}, {16, 30}, {0, 30}, {0, 26}, {4, 26}, {4, 4},
          {0, 4}}},
    };
}

TEST(OffsetBandTest, ShortEdgesBesideMitredCornersStayInTheBand) {
    for (const Shape& shape : ShapesWithShortEdgesBesideRightAngles()) {
        for (const double distance : {0.5, 0.9, 1.0, 1.1, 2.0, 3.0}) {
            for (const int side : {kOutward, kInward}) {
                for (const bool reversed : {false, true}) {
                    const std::string label = std::string(shape.name) + " d=" + std::to_string(distance) +
                                              (side == kInward ? " inward" : " outward") +
                                              (reversed ? " clockwise" : "");
                    ExpectWithinBand(reversed ? Reversed(shape.contour) : shape.contour, distance, side, label);
                }
            }
        }
    }
}

TEST(OffsetBandTest, StepRectangleKeepsItsRightAngles) {
    const OffsetRun run = RunOffset({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 11}, {0, 11}}, 2.0, kOutward);
    ASSERT_EQ(run.rings.size(), 1u);
    const Points& ring = run.rings[0];
    for (const SDPoint corner : Points{{22, 12}, {12, 12}, {12, 13}}) {
        EXPECT_TRUE(std::any_of(ring.begin(), ring.end(), [&](SDPoint v) {
            return std::hypot(v.x - corner.x, v.y - corner.y) < 1e-9;
        })) << corner.x << "," << corner.y;
    }
}

TEST(OffsetBandTest, SerifsTwiceTheDistanceThickGiveOneRingInward) {
    const Points serifI{{0, 0}, {16, 0}, {16, 4}, {12, 4}, {12, 26}, {16, 26}, {16, 30}, {0, 30}, {0, 26},
                        {4, 26}, {4, 4}, {0, 4}};
    const OffsetRun run = RunOffset(serifI, 2.0, kInward);
    ExpectClosedRealRings(run, "serif I");
    EXPECT_EQ(run.rings.size(), 1u);
}

TEST(OffsetBandTest, LettersStayInTheBand) {
    const std::string text = "AaBbEeGgIiKkMmQqRrSsWw&%@8$g";
    struct Case {
        const char* font;
        double distance;
    };
    const Case cases[] = {{testing::kDejaVuSans, 0.8}, {testing::kDejaVuSans, 2.0},
                          {testing::kDejaVuSerif, 0.8}, {testing::kDejaVuSerif, 2.0}};
    for (const Case& c : cases) {
        const std::vector<testing::GlyphContour> contours = testing::GlyphContours(c.font, text, 20.0);
        ASSERT_GT(contours.size(), text.size()) << c.font;
        for (const testing::GlyphContour& glyph : contours) {
            for (const int side : {kOutward, kInward}) {
                ExpectWithinBand(glyph.polygon, c.distance, side,
                                 std::string(c.font) + " '" + glyph.letter + "' d=" + std::to_string(c.distance) +
                                     (side == kInward ? " inward" : " outward"));
            }
        }
    }
}

// Closing a ring must not depend on where the last crossing happened to fall.
TEST(OffsetBandTest, RingsFromClosedContoursAreClosed) {
    std::vector<Shape> shapes{{"10,000-segment circle", testing::RegularPolygon({0, 0}, 50, 10000)}};
    for (const testing::GlyphContour& glyph : testing::GlyphContours(
             "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", "AaBbGgKkMmQqRrSsWw&@8", 20.0)) {
        shapes.push_back({"DejaVu Sans Mono Bold letter", glyph.polygon});
    }
    for (const Shape& shape : shapes) {
        for (const double distance : {0.1, 2.0}) {
            for (const int side : {kOutward, kInward}) {
                ExpectClosedRealRings(RunOffset(shape.contour, distance, side),
                                      std::string(shape.name) + " d=" + std::to_string(distance));
            }
        }
    }
}

// A star-shaped polygon of random radii, or a circle whose radius wanders by noise: a scanned blob.
Points NoisyBlob(std::mt19937& random, int vertices, double radius, double noise) {
    std::uniform_real_distribution<double> wobble(-noise, noise);
    Points polygon;
    for (int index = 0; index < vertices; ++index) {
        const double angle = 2.0 * M_PI * index / vertices;
        const double r = radius + wobble(random);
        polygon.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    return polygon;
}

// Corners within a degree and a half of a right angle are mitred, which puts their vertex farther out
// than the distance; the property below holds for the others.
bool HasRightAngle(const Points& polygon) {
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const SDPoint a = polygon[index], b = polygon[(index + 1) % polygon.size()];
        const SDPoint c = polygon[(index + 2) % polygon.size()];
        const double turn = std::fabs(
            std::remainder(std::atan2(c.y - b.y, c.x - b.x) - std::atan2(b.y - a.y, b.x - a.x), 2.0 * M_PI));
        if (std::fabs(turn - M_PI / 2) < 1.5 * M_PI / 180.0) {
            return true;
        }
    }
    return false;
}

TEST(OffsetBandTest, RandomPolygonsAndBlobsGiveClosedRingsAtTheDistance) {
    std::mt19937 random(1311);
    for (int trial = 0; trial < 16; ++trial) {
        Points polygon;
        do {
            polygon = trial % 2 == 0 ? testing::RandomStarPolygon(random, 30 + 20 * trial, 10.0, 40.0)
                                     : NoisyBlob(random, 150 + 60 * trial, 20.0, 0.05);
        } while (HasRightAngle(polygon));
        for (const double distance : {0.1, 2.0}) {
            for (const int side : {kOutward, kInward}) {
                const std::string label = "trial " + std::to_string(trial) + " d=" + std::to_string(distance) +
                                          (side == kInward ? " inward" : " outward");
                const OffsetRun run = RunOffset(polygon, distance, side);
                ExpectClosedRealRings(run, label);
                double worst = 0.0;
                for (const Points& ring : run.rings) {
                    for (const SDPoint& vertex : ring) {
                        worst = std::max(worst, std::fabs(testing::DistanceToPolygon(vertex, polygon) - distance));
                    }
                }
                EXPECT_LE(worst, kJoinCrossingError) << label;
                EXPECT_LE(testing::AreaOutsideBand(run.rings, polygon, distance, side == kInward),
                          kChordError * testing::Perimeter(polygon))
                    << label;
            }
        }
    }
}

// A large noisy blob offset inward by less than its noise meets itself everywhere; the split must
// stay near linear in the pieces and their crossings.
TEST(OffsetBandTest, LargeNoisyBlobShrinksWithinBoundedWork) {
    std::mt19937 random(1312);
    const Points blob = NoisyBlob(random, 10000, 40.0, 0.05);
    const OffsetRun run = RunOffset(blob, 0.1, kInward);
    ASSERT_EQ(run.status, 0);
    ExpectClosedRealRings(run, "blob");
    EXPECT_LE(testing::AreaOutsideBand(run.rings, blob, 0.1, true), kChordError * testing::Perimeter(blob));
}

// The rings of Clipper's offset that are real cuts by the measure the offset's own rings are held to.
int RealRingCount(const ClipperLib::Paths& paths) {
    int count = 0;
    for (const ClipperLib::Path& path : paths) {
        Points ring;
        for (const ClipperLib::IntPoint& p : path) {
            ring.push_back({p.X / testing::kClipperScale, p.Y / testing::kClipperScale});
        }
        if (std::fabs(testing::SignedArea(ring)) >= kRingAreaPerLength * testing::Perimeter(ring)) {
            ++count;
        }
    }
    return count;
}

struct NoisyCase {
    const char* name;
    bool star;  // a random star of radii 10 to 40 mm, else a circle of radius 40 mm with radial noise
    unsigned seed;
    int vertices;
    double noise;  // mm either way, for the circle
    double distance;
    int side;
};

// Noisy outlines and random stars whose offsets once came back empty (the noisy outline 2 mm outward
// and inward, its round joins crossing each other by the thousand) or short of rings: the ring count
// lies between Clipper's round and mitred counts, the area within their band.
TEST(OffsetBandTest, NoisyOutlinesAndStarsKeepClippersRings) {
    const NoisyCase cases[] = {
        {"blob", false, 1, 5000, 0.05, 2.0, kOutward}, {"blob", false, 9, 3000, 0.05, 2.0, kInward},
        {"blob", false, 11, 1000, 0.5, 0.1, kOutward}, {"blob", false, 11, 1000, 0.5, 0.1, kInward},
        {"blob", false, 12, 3000, 0.5, 1.0, kOutward}, {"blob", false, 12, 3000, 0.5, 1.0, kInward},
        {"blob", false, 13, 2000, 2.0, 3.0, kOutward}, {"blob", false, 13, 2000, 2.0, 3.0, kInward},
        {"star", true, 5, 10000, 0.0, 0.1, kInward},   {"star", true, 5, 1000, 0.0, 0.5, kInward},
        {"star", true, 6, 2000, 0.0, 1.0, kOutward},
    };
    for (const NoisyCase& c : cases) {
        std::mt19937 random(c.seed);
        const Points contour =
            c.star ? testing::RandomStarPolygon(random, c.vertices, 10.0, 40.0) : NoisyBlob(random, c.vertices, 40.0, c.noise);
        const std::string label = std::string(c.name) + " seed " + std::to_string(c.seed) + " of " +
                                  std::to_string(c.vertices) + " d=" + std::to_string(c.distance) +
                                  (c.side == kInward ? " inward" : " outward");
        const OffsetRun run = RunOffset(contour, c.distance, c.side);
        ASSERT_EQ(run.status, 0) << label;
        ExpectClosedRealRings(run, label);
        const int round = RealRingCount(testing::ClipperOffset(contour, c.distance, c.side == kInward, true));
        const int mitred = RealRingCount(testing::ClipperOffset(contour, c.distance, c.side == kInward, false));
        EXPECT_GE(static_cast<int>(run.rings.size()), std::min(round, mitred)) << label;
        EXPECT_LE(static_cast<int>(run.rings.size()), std::max(round, mitred)) << label;
        EXPECT_LE(testing::AreaOutsideBand(run.rings, contour, c.distance, c.side == kInward),
                  kChordError * testing::Perimeter(contour))
            << label << ": mm² outside the band";
    }
}

}  // namespace
}  // namespace pathsmith
