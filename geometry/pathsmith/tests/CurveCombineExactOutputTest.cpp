// Zint_CurveCombine's results on larger sets, pinned to the bit: every vertex of every curve, the
// curves' order and their flags are folded into one hash per set. Work on the combine's speed must
// leave these unchanged; a deliberate change of its results records new hashes here.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CombineInputs.h"
#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::Points;

std::uint64_t CombinedHash(const std::vector<Points>& outlines) {
    testing::CurveList curves;
    for (std::size_t index = 0; index < outlines.size(); ++index) {
        auto* curve = new CMyCurve;
        testing::FillSegments(curve->segments, outlines[index]);
        curve->colour = static_cast<std::uint32_t>(index);
        curves.list.AddTail(curve);
    }
    testing::OutputHash hash;
    hash.Add(Zint_CurveCombine(&curves.list));
    hash.Add(curves.Count());
    for (int index = 0; index < curves.Count(); ++index) {
        const CMyCurve& curve = *curves.At(index);
        hash.Add(curve.colour);
        hash.Add(curve.combined);
        hash.Add(curve.segments.GetCount());
        for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
            const CLineEx& segment = node->value;
            hash.Add(segment.type);
            for (const SDPoint& point : {segment.p0, segment.p1, segment.p2, segment.p3}) {
                hash.Add(point);
            }
        }
    }
    return hash.Value();
}

TEST(CurveCombineExactOutputTest, ResultsStayBitForBit) {
    struct Case {
        const char* name;
        std::vector<Points> outlines;
        std::uint64_t hash;
    };
    const std::vector<Points> letters = testing::LetterContours("Combine 48 B&Q");
    const std::vector<Points> stars = testing::ScatteredStars(80, 2024);
    const Case cases[] = {
        {"100 circles", testing::OverlappingCircles(100), 0x4a8aa7ea21662f97},
        {"1000 circles", testing::OverlappingCircles(1000), 0xfd810825f12c523c},
        {"letters over slightly moved copies", testing::WithMovedCopies(letters, 0.7, 0.4),
         0x171ed7758c488f8f},
        // Holes of the copies cross the outer contours, which run the other way round.
        {"letters over copies moved further", testing::WithMovedCopies(letters, 2.5, 1.5),
         0x106100261708f293},
        {"crossing rectangles", testing::CrossingRectangles(60), 0x60c5a62452477e51},
        {"scattered stars", stars, 0x5ab3aecc1c1bc5f4},
        {"scattered stars turning either way", testing::EverySecondReversed(stars), 0x40d41056887f91a0},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.outlines.empty()) << c.name;
        EXPECT_EQ(CombinedHash(c.outlines), c.hash)
            << c.name << std::hex << " 0x" << CombinedHash(c.outlines);
    }
}

}  // namespace
}  // namespace pathsmith
