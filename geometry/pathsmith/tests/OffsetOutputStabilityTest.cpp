// Zint_Offset's output, vertex for vertex and bit for bit, on the measured outlines: work on the
// offset's speed must not move a single vertex. The hashes were taken from the offset as it stood
// when its results were checked against the band between the round and the mitred offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ContourTestKit.h"
#include "GlyphOutlines.h"
#include "OffsetShapes.h"

namespace pathsmith {
namespace {

using testing::Points;

constexpr int kOutward = 0;
constexpr int kInward = 1;

// The status, the ring count and every vertex of every ring of each contour's offset, in order, at
// both distances, outward then inward.
std::uint64_t HashOfOffsets(const std::vector<Points>& contours, bool closed,
                            const std::vector<double>& distances) {
    testing::OutputHash hash;
    for (const double distance : distances) {
        for (const int side : {kOutward, kInward}) {
            for (const Points& contour : contours) {
                const testing::OffsetRun run = testing::RunOffset(contour, distance, side, closed);
                hash.Add(static_cast<std::uint64_t>(run.status));
                hash.Add(static_cast<std::uint64_t>(run.rings.size()));
                for (const Points& ring : run.rings) {
                    hash.Add(static_cast<std::uint64_t>(ring.size()));
                    for (const SDPoint& vertex : ring) {
                        hash.Add(vertex.x);
                        hash.Add(vertex.y);
                    }
                }
            }
        }
    }
    return hash.Value();
}

// An open zigzag that runs into its own offset on the inner side of every turn.
Points Zigzag(int segmentCount) {
    Points polyline;
    for (int index = 0; index <= segmentCount; ++index) {
        polyline.push_back({index * 1.5, index % 2 == 0 ? 0.0 : 4.0});
    }
    return polyline;
}

std::vector<Points> LetterContours() {
    std::vector<Points> contours;
    for (const testing::GlyphContour& glyph :
         testing::GlyphContours(testing::kDejaVuSans, "The quick brown fox jumps over a lazy dog", 20.0)) {
        contours.push_back(glyph.polygon);
    }
    return contours;
}

// Convex outlines both ways round, with right angles, sharp and nearly straight corners, an edge
// hardly longer than kCoincidence, and far from the origin: an offset on their outer side never comes
// into the band, which the offset may take as given only where rounding cannot say otherwise.
std::vector<Points> ConvexContours() {
    auto reversed = [](Points polygon) {
        std::reverse(polygon.begin(), polygon.end());
        return polygon;
    };
    auto moved = [](Points polygon, double by) {
        for (SDPoint& vertex : polygon) {
            vertex = {vertex.x + by, vertex.y - by};
        }
        return polygon;
    };
    const Points rectangle{{0.0, 0.0}, {30.0, 0.0}, {30.0, 12.0}, {0.0, 12.0}};
    const Points triangle{{0.0, 0.0}, {40.0, 3.0}, {0.0, 6.0}};
    const Points shortEdge{{0.0, 0.0}, {10.0, 0.0}, {10.0015, 0.0015}, {10.0, 10.0}, {0.0, 10.0}};
    return {rectangle,
            reversed(triangle),
            shortEdge,
            reversed(shortEdge),
            reversed(testing::Circle(2000)),
            moved(testing::Circle(300), 9.0e5),
            moved(reversed(testing::Circle(300)), 3.0e6)};
}

struct StabilityCase {
    const char* name;
    std::vector<Points> contours;
    bool closed;
    std::vector<double> distances;
    std::uint64_t hash;
};

TEST(OffsetOutputStabilityTest, OutputIsUnchangedBitForBit) {
    using testing::Circle;
    using testing::Comb;
    using testing::NoisyBlob;
    using testing::RandomPolygon;
    using testing::Star;
    const std::vector<Points> letters = LetterContours();
    ASSERT_FALSE(letters.empty()) << "the DejaVu Sans font is needed";
    const StabilityCase cases[] = {
        {"star 48", {Star(48)}, true, {0.5, 2.0}, 0xD2354FD77262EBC4ull},
        {"star 400", {Star(400)}, true, {0.5, 2.0}, 0x60C9E7E091E8099Bull},
        {"star 1000", {Star(1000)}, true, {0.5, 2.0}, 0xD4F27F6939F3C2E3ull},
        {"comb 48", {Comb(48)}, true, {0.5, 2.0}, 0x74B242BDD4C9F493ull},
        {"comb 402", {Comb(402)}, true, {0.5, 2.0}, 0x79B0E79CED794BEEull},
        {"comb 1002", {Comb(1002)}, true, {0.5, 2.0}, 0x600692359A383BD9ull},
        {"random polygon 48", {RandomPolygon(48)}, true, {0.5, 2.0}, 0x852DB817FAF86972ull},
        {"random polygon 400", {RandomPolygon(400)}, true, {0.5, 2.0}, 0x39D31F768B2D11E5ull},
        {"random polygon 1000", {RandomPolygon(1000)}, true, {0.5, 2.0}, 0x166051EE79EB3BF4ull},
        {"circle 48", {Circle(48)}, true, {0.5, 2.0}, 0x3466046F0850FBA4ull},
        {"circle 400", {Circle(400)}, true, {0.5, 2.0}, 0x7396B335766C1329ull},
        {"circle 1000", {Circle(1000)}, true, {0.5, 2.0}, 0xD75652F52E5B72E1ull},
        // Settled by the chain's windings and cut where chords cross near their ends: the blob's outer
        // ring at 2 mm loses a kink vertex between two 0.01 mm pieces and moves one vertex 0.0009 mm
        // onto a crossing once left uncut; one ring of the letter m inward at 0.8 mm starts one vertex on.
        {"noisy blob 1000", {NoisyBlob(1000)}, true, {0.1, 2.0}, 0x7EA1150CE6E89975ull},
        {"letters", letters, true, {0.8, 2.0}, 0x6807B629D837A341ull},
        {"convex outlines", ConvexContours(), true, {0.0005, 0.5, 2.0}, 0xF2FE1447440B6591ull},
        {"open zigzag", {Zigzag(40)}, false, {0.5, 2.0}, 0x86C4D320500E80F4ull},
    };
    for (const StabilityCase& c : cases) {
        EXPECT_EQ(HashOfOffsets(c.contours, c.closed, c.distances), c.hash)
            << c.name << std::hex << " hashes to 0x" << HashOfOffsets(c.contours, c.closed, c.distances);
    }
}

}  // namespace
}  // namespace pathsmith
