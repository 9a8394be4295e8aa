// Outline tracing of dark shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

// The curves _dib_outline appends, owned here.
struct Traced {
    CDbList<CFileCurve*> list;
    ~Traced() {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            delete node->value;
        }
    }
    std::vector<const CFileCurve*> Curves() const {
        std::vector<const CFileCurve*> curves;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            curves.push_back(node->value);
        }
        return curves;
    }
};

std::vector<CFileLine> Segments(const CFileCurve& curve) {
    std::vector<CFileLine> segments;
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        segments.push_back(node->value);
    }
    return segments;
}

TEST(OutlineTest, ARectangleGivesOneOutlineAlongItsBorderWithStraightSidesMerged) {
    for (const int bits : {1, 8, 24, 4}) {
        SCOPED_TRACE(bits);
        // Dark rectangle of columns 3..10 and rows 2..6 in a 16 x 10 picture, 1 mm pixels.
        const std::uint32_t dark = bits == 24 ? 0x101010 : 0, light = bits == 24 ? 0xFFFFFF : bits == 4 ? 15 : bits == 8 ? 255 : 1;
        DibBlock dib = Painted(16, 10, bits, [&](int c, int r) { return c >= 3 && c <= 10 && r >= 2 && r <= 6 ? dark : light; });
        Traced traced;
        ASSERT_EQ(_dib_outline(&dib, &traced.list, 16.0, 10.0), 0);
        EXPECT_EQ(dib.Layout().bitCount, 8);
        ASSERT_EQ(traced.Curves().size(), 1u);
        const std::vector<CFileLine> segments = Segments(*traced.Curves()[0]);
        EXPECT_LE(segments.size(), 5u);
        EXPECT_GE(segments.size(), 3u);
        for (const CFileLine& segment : segments) {
            for (const SDPoint& p : {segment.start, segment.end}) {
                // Pixel (c, r) maps to (c + 1, r + 1): the border runs at x 4 or 11, y 3 or 7.
                const bool onVertical = (p.x == 4.0 || p.x == 11.0) && p.y >= 3.0 && p.y <= 7.0;
                const bool onHorizontal = (p.y == 3.0 || p.y == 7.0) && p.x >= 4.0 && p.x <= 11.0;
                EXPECT_TRUE(onVertical || onHorizontal) << p.x << "," << p.y;
            }
        }
    }
}

TEST(OutlineTest, ASinglePixelGivesNoOutlineAndANullListChangesNothing) {
    DibBlock dib = Painted(5, 5, 1, [](int c, int r) { return c == 2 && r == 2 ? 0u : 1u; });
    Traced traced;
    ASSERT_EQ(_dib_outline(&dib, &traced.list, 5.0, 5.0), 0);
    EXPECT_TRUE(traced.Curves().empty());
    DibBlock untouched = Created(5, 5, 1);
    EXPECT_EQ(_dib_outline(&untouched, nullptr, 5.0, 5.0), 1);
    EXPECT_EQ(untouched.Layout().bitCount, 1);
    EXPECT_EQ(_dib_outline(&untouched, &traced.list, std::nan(""), 5.0), 1);
}

TEST(OutlineTest, ADiscTracesToAClosedRingNearItsRadius) {
    const double radius = 40.0;
    DibBlock dib = Painted(100, 100, 8, [&](int c, int r) {
        return std::hypot(c + 0.5 - 50.0, r + 0.5 - 50.0) < radius ? 0u : 255u;
    });
    Traced traced;
    ASSERT_EQ(_dib_outline(&dib, &traced.list, 100.0, 100.0), 0);
    ASSERT_EQ(traced.Curves().size(), 1u);
    const std::vector<CFileLine> segments = Segments(*traced.Curves()[0]);
    EXPECT_GT(segments.size(), 20u);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const SDPoint p = segments[i].end;
        EXPECT_NEAR(std::hypot(p.x - 0.5 - 50.0, p.y - 0.5 - 50.0), radius, 1.5);
        if (i + 1 < segments.size()) {
            EXPECT_EQ(p.x, segments[i + 1].start.x);
            EXPECT_EQ(p.y, segments[i + 1].start.y);
        }
    }
    // The walk stops next to where it began: the first step consumed the start's other neighbours.
    EXPECT_LE(std::hypot(segments.back().end.x - segments.front().start.x,
                         segments.back().end.y - segments.front().start.y), 3.0);
}

TEST(OutlineTest, ADitheredPictureTracesWithoutLeavingEdgePixels) {
    DibBlock dib = Painted(300, 200, 8, [](int c, int r) { return static_cast<std::uint32_t>((c * 3 + r * 2) % 256); });
    ASSERT_EQ(_dib_dot(&dib), 0);
    Traced traced;
    ASSERT_EQ(_dib_outline(&dib, &traced.list, 30.0, 20.0), 0);
    EXPECT_GT(traced.Curves().size(), 10u);
    for (const CFileCurve* curve : traced.Curves()) {
        EXPECT_GE(curve->segments.GetCount(), 3);
    }
    EXPECT_EQ(std::ranges::count(dib.Pixels(), 0), 0);
}

}  // namespace
