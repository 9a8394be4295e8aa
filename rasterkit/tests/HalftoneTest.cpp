// Error diffusion, the halftone screen and graded rings.
#include <gtest/gtest.h>

#include <cmath>

#include "GradedRings.h"
#include "PlainLoops.h"
#include "Raster.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"
#include "ScreenTable.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

TEST(HalftoneTest, DiffusionGivesTheBytesOfTheLiteralRule) {
    for (const auto& [width, height] : {std::pair{61, 47}, std::pair{1, 5}, std::pair{3, 1}, std::pair{300, 3}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        DibBlock dib = Painted(width, height, 8, [](int c, int r) { return static_cast<std::uint32_t>((c * 89 + r * 41 + c * r) % 256); });
        const std::vector<int> expected = PlainDiffusion(dib);
        ASSERT_EQ(_dib_dot(&dib), 0);
        ASSERT_EQ(dib.Layout().bitCount, 1);
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                ASSERT_EQ(StoredValue(dib, c, r), expected[r * width + c] == 255 ? 1u : 0u) << c << "," << r;
            }
        }
    }
}

TEST(HalftoneTest, DiffusionEdgeCases) {
    struct Case {
        int bits;
        std::uint32_t value;
        std::uint32_t firstBit;
        bool uniform;  // every pixel the same
    };
    for (const Case& c : {Case{8, 128, 0, false}, Case{8, 129, 1, false}, Case{8, 255, 1, true}, Case{8, 0, 0, true},
                          Case{24, 0xFFFFFF, 1, true}, Case{1, 0, 0, true}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits of " << c.value);
        DibBlock dib = Painted(20, 10, c.bits, [&](int, int) { return c.value; });
        ASSERT_EQ(_dib_dot(&dib), 0);
        EXPECT_EQ(StoredValue(dib, 0, 0), c.firstBit);
        if (c.uniform) {
            for (int r = 0; r < 10; ++r) {
                for (int col = 0; col < 20; ++col) {
                    ASSERT_EQ(StoredValue(dib, col, r), c.firstBit);
                }
            }
        }
    }
    DibBlock null;
    EXPECT_EQ(_dib_dot(&null), 1);
}

TEST(HalftoneTest, ScreenTableHasItsRoundSpotShape) {
    const rasterkit::ScreenTable& table = rasterkit::ScreenThresholds();
    const std::uint8_t firstRow[] = {254, 254, 253, 252, 252, 250, 249, 248};
    EXPECT_TRUE(std::equal(std::begin(firstRow), std::end(firstRow), table[0].begin()));
    EXPECT_EQ(table[31][0], 152);
    for (int c = 29; c <= 34; ++c) {
        EXPECT_EQ(table[31][c], 0) << c;
    }
    for (const auto& [r, c] : {std::pair{31, 31}, std::pair{31, 32}, std::pair{32, 31}, std::pair{32, 32}}) {
        EXPECT_EQ(table[r][c], 0);
    }
    for (const auto& [r, c] : {std::pair{0, 0}, std::pair{0, 63}, std::pair{63, 0}, std::pair{63, 63}}) {
        EXPECT_EQ(table[r][c], 254);
    }
    for (const auto& [r, c] : {std::pair{31, 0}, std::pair{0, 31}, std::pair{32, 63}, std::pair{63, 32}}) {
        EXPECT_NEAR(table[r][c], 152, 2);
    }
    // Rising outward from the middle along the middle row.
    for (int c = 1; c <= 31; ++c) {
        EXPECT_GE(table[31][c - 1], table[31][c]);
    }
}

TEST(HalftoneTest, ScreeningGivesBlackAndWhiteInProportionToTheGrey) {
    for (const std::uint32_t grey : {0u, 64u, 128u, 192u, 255u}) {
        DibBlock dib = Painted(200, 200, 8, [&](int, int) { return grey; });
        ASSERT_EQ(_dib_net(&dib, 10, 20.0, 0.0), 0);  // cell 25 pixels
        ASSERT_EQ(dib.Layout().bitCount, 1);
        int white = 0;
        for (int r = 0; r < 200; ++r) {
            for (int c = 0; c < 200; ++c) {
                white += static_cast<int>(StoredValue(dib, c, r));
            }
        }
        EXPECT_NEAR(white / 40000.0, grey / 255.0, 0.15) << grey;
    }
    DibBlock dib = Created(10, 10, 8);
    EXPECT_EQ(_dib_net(&dib, 0, 10.0, 0.0), 1);
    EXPECT_EQ(_dib_net(&dib, 10, 0.0, 0.0), 1);
    DibBlock colour = Created(10, 10, 24);
    EXPECT_EQ(_dib_net(&colour, 10, 10.0, 0.0), 1);
}

// The rings rule written out with a full scan at every step.
void LiteralRings(DibBlock& dib, int steps) {
    const int width = dib.Layout().width, height = dib.Layout().height;
    const std::size_t stride = dib.Layout().stride;
    std::uint8_t* p = dib.MutablePixels().data();
    auto level = [&](int s) { return s >= steps ? 255 : s * (255 / steps); };
    for (int s = 1; s <= steps; ++s) {
        for (int r = 1; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                if (p[r * stride + c] != 255 - level(s - 1)) {
                    continue;
                }
                for (int dr = -1; dr <= 1; ++dr) {
                    for (int dc = -1; dc <= 1; ++dc) {
                        const int nr = r + dr, nc = c + dc;
                        if (nr < height && nc >= 0 && nc < width && p[nr * stride + nc] == 0) {
                            p[nr * stride + nc] = static_cast<std::uint8_t>(255 - level(s));
                        }
                    }
                }
            }
        }
    }
}

TEST(HalftoneTest, RingsGiveTheBytesOfTheLiteralRule) {
    for (const int steps : {1, 3, 7, 254, 255}) {
        SCOPED_TRACE(steps);
        // Black shapes, stray greys that equal ring values, and black on the bottom row.
        auto paint = [](int c, int r) -> std::uint32_t {
            if ((c - 20) * (c - 20) + (r - 15) * (r - 15) < 120 || r == 0 || (c > 30 && r > 20)) {
                return 0;
            }
            return (c * 7 + r * 3) % 11 == 0 ? 255 - 255 / 3 : 255;
        };
        DibBlock ours = Painted(45, 31, 8, paint);
        DibBlock literal = Painted(45, 31, 8, paint);
        rasterkit::GrowRings(*rasterkit::Raster::Of(&ours), steps);
        LiteralRings(literal, steps);
        EXPECT_TRUE(std::ranges::equal(ours.Bytes(), literal.Bytes()));
    }
}

TEST(HalftoneTest, RingsEdgeCases) {
    auto square = [](int c, int r) { return c >= 5 && c < 15 && r >= 5 && r < 15 ? 0u : 255u; };
    DibBlock dib = Painted(20, 20, 8, square);
    ASSERT_EQ(_dib_ascentdeal(&dib, 3.0, 1.0), 0);
    EXPECT_EQ(StoredValue(dib, 5, 10), 170u);
    EXPECT_EQ(StoredValue(dib, 6, 10), 85u);
    EXPECT_EQ(StoredValue(dib, 7, 10), 0u);
    EXPECT_EQ(StoredValue(dib, 10, 10), 0u);

    DibBlock unchanged = Painted(20, 20, 8, square);
    EXPECT_EQ(_dib_ascentdeal(&unchanged, 0.5, 1.0), 0);
    EXPECT_TRUE(std::ranges::equal(unchanged.Bytes(), Painted(20, 20, 8, square).Bytes()));

    DibBlock many = Painted(600, 3, 8, [](int c, int) { return c == 0 ? 255u : 0u; });
    ASSERT_EQ(_dib_ascentdeal(&many, 300.0, 1.0), 0);
    EXPECT_EQ(StoredValue(many, 1, 1), 254u);
    EXPECT_EQ(StoredValue(many, 253, 1), 2u);
    EXPECT_EQ(StoredValue(many, 254, 1), 0u);

    EXPECT_EQ(_dib_ascentdeal(&dib, 3.0, 0.0), 1);
    EXPECT_EQ(_dib_ascentdeal(&dib, std::nan(""), 1.0), 1);
    DibBlock mono = Created(4, 4, 1);
    EXPECT_EQ(_dib_ascentdeal(&mono, 3.0, 1.0), 1);
}

}  // namespace
