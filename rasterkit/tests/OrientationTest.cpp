// Quarter turns and mirrors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PlainLoops.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

constexpr int kDepths[] = {1, 4, 8, 24};

DibBlock Pattern(int bits, int width = 13, int height = 7) {
    // No symmetry: every pixel from a hash of its position.
    return Painted(width, height, bits, [](int c, int r) {
        return ((static_cast<std::uint32_t>(c) + 1) * 2654435761u ^ (static_cast<std::uint32_t>(r) + 1) * 40503u) >> 7;
    });
}

TEST(OrientationTest, AnglesRoundToTheNearestQuarterTurn) {
    struct Case {
        double degrees;
        int sameAs;  // the quarter turn it must equal: 0, 90, 180 or 270
    };
    const Case cases[] = {{44.9, 0}, {45, 90}, {134.9, 90}, {135, 180}, {225, 270}, {315, 0}, {360, 0},
                          {-90, 270}, {450, 90}, {-1e-20, 0}, {720.5, 0}, {1e300, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        DibBlock turned = Pattern(8);
        ASSERT_EQ(_dib_rotate(&turned, c.degrees), 0);
        if (c.sameAs < 0) {
            continue;  // a huge angle only has to end
        }
        DibBlock expected = Pattern(8);
        for (int quarter = 0; quarter < c.sameAs / 90; ++quarter) {
            ASSERT_EQ(_dib_rotate(&expected, 90), 0);
        }
        EXPECT_TRUE(std::ranges::equal(turned.Bytes(), expected.Bytes()));
    }
}

TEST(OrientationTest, AnglesThatAreNoNumberAreRefused) {
    for (const double degrees : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        DibBlock dib = Pattern(8);
        EXPECT_EQ(_dib_rotate(&dib, degrees), 1);
        EXPECT_TRUE(std::ranges::equal(dib.Bytes(), Pattern(8).Bytes()));
    }
}

TEST(OrientationTest, TurnsMovePicturePixelsAsDisplayed) {
    struct Case {
        double degrees;
        // Where picture pixel (x, y) of a W x H picture lands.
        std::pair<int, int> (*to)(int x, int y, int w, int h);
    };
    const Case cases[] = {
        {90, [](int x, int y, int w, int) { return std::pair{y, w - 1 - x}; }},
        {180, [](int x, int y, int w, int h) { return std::pair{w - 1 - x, h - 1 - y}; }},
        {270, [](int x, int y, int, int h) { return std::pair{h - 1 - y, x}; }},
    };
    for (const int bits : kDepths) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << c.degrees);
            const DibBlock original = Pattern(bits);
            DibBlock turned = Pattern(bits);
            ASSERT_EQ(_dib_rotate(&turned, c.degrees), 0);
            EXPECT_EQ(turned.InfoHeader()->xPelsPerMeter, original.InfoHeader()->xPelsPerMeter);
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < 13; ++x) {
                    const auto [tx, ty] = c.to(x, y, 13, 7);
                    ASSERT_EQ(ColourAt(turned, tx, ty), ColourAt(original, x, y)) << x << "," << y;
                }
            }
        }
    }
}

TEST(OrientationTest, AQuarterTurnGivesTheBytesOfThePlainLoop) {
    for (const int bits : kDepths) {
        SCOPED_TRACE(bits);
        const DibBlock original = Pattern(bits, 131, 67);
        DibBlock turned = Pattern(bits, 131, 67);
        ASSERT_EQ(_dib_rotate(&turned, 90), 0);
        EXPECT_TRUE(std::ranges::equal(turned.Bytes(), PlainQuarterTurn(original).Bytes()));
    }
}

TEST(OrientationTest, FourQuarterTurnsAndTwoOfEachMirrorRestoreEveryByte) {
    for (const int bits : kDepths) {
        for (const auto& [width, height] : {std::pair{13, 7}, std::pair{67, 131}, std::pair{1, 9}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits " << width << "x" << height);
            const DibBlock original = Pattern(bits, width, height);
            DibBlock dib = Pattern(bits, width, height);
            for (int quarter = 0; quarter < 4; ++quarter) {
                ASSERT_EQ(_dib_rotate(&dib, 90), 0);
            }
            EXPECT_TRUE(std::ranges::equal(dib.Bytes(), original.Bytes()));
            for (auto mirror : {&_dib_xmirror, &_dib_ymirror}) {
                ASSERT_EQ(mirror(&dib), 0);
                EXPECT_FALSE(width > 1 && std::ranges::equal(dib.Bytes(), original.Bytes()));
                ASSERT_EQ(mirror(&dib), 0);
                EXPECT_TRUE(std::ranges::equal(dib.Bytes(), original.Bytes()));
            }
        }
    }
}

TEST(OrientationTest, MirrorsReflectColumnsAndRows) {
    for (const int bits : kDepths) {
        SCOPED_TRACE(bits);
        const DibBlock original = Pattern(bits);
        DibBlock x = Pattern(bits);
        DibBlock y = Pattern(bits);
        ASSERT_EQ(_dib_xmirror(&x), 0);
        ASSERT_EQ(_dib_ymirror(&y), 0);
        for (int row = 0; row < 7; ++row) {
            for (int column = 0; column < 13; ++column) {
                EXPECT_EQ(ColourAt(x, 12 - column, row), ColourAt(original, column, row));
                EXPECT_EQ(ColourAt(y, column, 6 - row), ColourAt(original, column, row));
            }
        }
    }
}

}  // namespace
