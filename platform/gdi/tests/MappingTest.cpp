#include "Mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using platform::MapMode;
using platform::Mapping;
using platform::Point;
using platform::Size;

namespace {

// The canvas view's mapping: 500 device pixels show E = trunc(zoom x 500) logical units (0.001 mm each),
// y grows upward, and the viewport origin is the client centre rounded up:
// x0 = -trunc((left + right + 1) x -0.5), y0 = -trunc((top + bottom + 1) x -0.5).
Mapping CanvasMapping(double zoom, int clientWidth, int clientHeight) {
    const int windowExtent = static_cast<int>(std::trunc(zoom * 500.0));
    Mapping mapping;
    mapping.SetMapMode(MapMode::Isotropic);
    mapping.SetWindowExt({windowExtent, windowExtent});
    mapping.SetViewportExt({500, -500});
    mapping.SetViewportOrg({-static_cast<int>(std::trunc((clientWidth + 1.0) * -0.5)),
                            -static_cast<int>(std::trunc((clientHeight + 1.0) * -0.5))});
    return mapping;
}

TEST(Mapping, CanvasAtZoom100PutsOriginAtClientCentreAndTenMillimetresAtHundredPixels) {
    // Zoom 100 gives a window extent of E = 100 x 500 = 50000 against a viewport extent of 500: one pixel
    // is 100 logical units, so 10000 logical units (10 mm) are 100 pixels, right and (y flipped) up.
    const Mapping mapping = CanvasMapping(100.0, 801, 601);
    ASSERT_EQ(mapping.WindowExt(), (Size{50000, 50000}));
    ASSERT_EQ(mapping.ViewportExt(), (Size{500, -500}));

    EXPECT_EQ(mapping.LPtoDP({0, 0}), (Point{401, 301}));
    EXPECT_EQ(mapping.LPtoDP({10000, 10000}), (Point{501, 201}));
    EXPECT_EQ(mapping.LPtoDP({-10000, -10000}), (Point{301, 401}));

    EXPECT_EQ(mapping.DPtoLP({401, 301}), (Point{0, 0}));
    EXPECT_EQ(mapping.DPtoLP({501, 201}), (Point{10000, 10000}));
    EXPECT_EQ(mapping.DPtoLP({0, 0}), (Point{-40100, 30100}));
}

TEST(Mapping, ConversionRoundsToNearestWithHalvesAwayFromZero) {
    // Scale 1/100 in x and -1/100 in y: 50 logical units are exactly half a pixel.
    const Mapping mapping = CanvasMapping(100.0, 801, 601);
    struct Case {
        Point logical;
        Point device;
    };
    const Case cases[] = {
        {{49, 49}, {401, 301}},    {{50, 50}, {402, 300}},   {{51, 51}, {402, 300}},
        {{-49, -49}, {401, 301}},  {{-50, -50}, {400, 302}}, {{-150, 150}, {399, 299}},
        {{149, -149}, {402, 302}}, {{-151, 0}, {399, 301}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mapping.LPtoDP(c.logical), c.device) << c.logical.x << "," << c.logical.y;
    }
}

// Small operands take a cheaper path than large ones; both round the same way on either side of the switch.
TEST(Mapping, RoundingHoldsForLargeCoordinatesAndExtents) {
    constexpr int kLarge = 1 << 30;
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case {
        Size windowExt;
        Size viewportExt;
        int logical;
        int device;
    };
    const Case cases[] = {
        {{2, 2}, {kLarge - 1, 1}, 1, kLarge / 2},
        {{2, 2}, {kLarge - 1, 1}, -1, -kLarge / 2},
        {{2, 2}, {kLarge + 1, 1}, 1, kLarge / 2 + 1},
        {{2, 2}, {kLarge + 1, 1}, -1, -kLarge / 2 - 1},
        {{3, 3}, {1, 1}, kLarge, 357913941},
        {{3, 3}, {1, 1}, kLarge + 1, 357913942},
        {{3, 3}, {1, 1}, -kLarge - 1, -357913942},
        {{-kMax, 1}, {kMax - 2, 1}, kLarge, -kLarge + 1},
        {{kMax, 1}, {kLarge, 1}, kLarge + 2, kLarge / 2 + 1},
    };
    for (const Case& c : cases) {
        Mapping mapping;
        mapping.SetMapMode(MapMode::Anisotropic);
        mapping.SetWindowExt(c.windowExt);
        mapping.SetViewportExt(c.viewportExt);
        EXPECT_EQ(mapping.LPtoDP({c.logical, 0}).x, c.device)
            << c.logical << " x " << c.viewportExt.width << " / " << c.windowExt.width;
    }
}

// At zooms of at least one logical unit per pixel every pixel survives the round trip.
TEST(Mapping, DeviceToLogicalInvertsEveryPixelOfTheClient) {
    for (const double zoom : {1.0, 3.7, 100.0, 100000.0}) {
        const Mapping mapping = CanvasMapping(zoom, 801, 601);
        for (int y = 0; y < 601; y += 7) {
            for (int x = 0; x < 801; x += 5) {
                ASSERT_EQ(mapping.LPtoDP(mapping.DPtoLP({x, y})), (Point{x, y})) << "zoom " << zoom;
            }
        }
    }
}

TEST(Mapping, IsotropicUsesTheSmallerScaleOnBothAxesKeepingSigns) {
    struct Case {
        Size window;
        Size viewport;
        Size adjusted;
    };
    const Case cases[] = {
        {{1000, 1000}, {500, -500}, {500, -500}},   // equal scales: unchanged
        {{1000, 1000}, {800, -400}, {400, -400}},   // x larger: x brought down, sign kept
        {{1000, 1000}, {-300, 900}, {-300, 300}},   // y larger
        {{2000, 1000}, {1000, 1000}, {1000, 500}},  // same scale needs a smaller y extent
        {{3, 3}, {1, 2}, {1, 1}},
    };
    for (const Case& c : cases) {
        Mapping mapping;
        mapping.SetMapMode(MapMode::Isotropic);
        mapping.SetWindowExt(c.window);
        mapping.SetViewportExt(c.viewport);
        EXPECT_EQ(mapping.ViewportExt(), c.adjusted) << c.viewport.width << "x" << c.viewport.height;
    }
}

TEST(Mapping, IsotropicAdjustmentDoesNotDependOnTheOrderOfTheExtentSetters) {
    Mapping windowFirst;
    windowFirst.SetMapMode(MapMode::Isotropic);
    windowFirst.SetWindowExt({1000, 1000});
    windowFirst.SetViewportExt({800, -400});

    Mapping viewportFirst;
    viewportFirst.SetMapMode(MapMode::Isotropic);
    viewportFirst.SetViewportExt({800, -400});
    viewportFirst.SetWindowExt({1000, 1000});

    EXPECT_EQ(viewportFirst.ViewportExt(), windowFirst.ViewportExt());
}

TEST(Mapping, AnisotropicScalesEachAxisOnItsOwn) {
    Mapping mapping;
    mapping.SetMapMode(MapMode::Anisotropic);
    mapping.SetWindowExt({1000, 100});
    mapping.SetViewportExt({500, -500});
    mapping.SetWindowOrg({100, 10});
    mapping.SetViewportOrg({20, 30});
    EXPECT_EQ(mapping.ViewportExt(), (Size{500, -500}));
    EXPECT_EQ(mapping.LPtoDP({1100, 20}), (Point{520, -20}));
    EXPECT_EQ(mapping.DPtoLP({520, -20}), (Point{1100, 20}));
}

TEST(Mapping, TextModeIsOnePixelPerUnitAndIgnoresExtents) {
    Mapping mapping;
    EXPECT_EQ(mapping.SetWindowExt({10, 10}), (Size{1, 1}));
    EXPECT_EQ(mapping.WindowExt(), (Size{1, 1}));
    mapping.SetWindowOrg({5, 5});
    mapping.SetViewportOrg({1, 2});
    EXPECT_EQ(mapping.LPtoDP({5, 5}), (Point{1, 2}));

    // Leaving a scaled mode for Text drops its extents.
    mapping.SetMapMode(MapMode::Anisotropic);
    mapping.SetWindowExt({3, 3});
    mapping.SetMapMode(MapMode::Text);
    EXPECT_EQ(mapping.LPtoDP({6, 6}), (Point{2, 3}));
}

TEST(Mapping, ZeroExtentsAreRefusedAndExtremeCoordinatesClampInsteadOfWrapping) {
    Mapping mapping;
    mapping.SetMapMode(MapMode::Anisotropic);
    mapping.SetWindowExt({1, 1});
    mapping.SetViewportExt({1000, 1000});
    EXPECT_EQ(mapping.SetViewportExt({0, 5}), (Size{1000, 1000}));
    EXPECT_EQ(mapping.SetWindowExt({5, 0}), (Size{1, 1}));

    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    EXPECT_EQ(mapping.LPtoDP({kMax, kMin}), (Point{kMax, kMin}));
    mapping.SetViewportOrg({kMax, 0});
    EXPECT_EQ(mapping.LPtoDP({1, 0}).x, kMax);
}

TEST(Mapping, PenLengthFollowsTheHorizontalScale) {
    Mapping mapping = CanvasMapping(100.0, 801, 601);
    EXPECT_EQ(mapping.LengthLPtoDPx(1), 0);
    EXPECT_EQ(mapping.LengthLPtoDPx(250), 3);  // 2.5 rounds away from zero
    EXPECT_EQ(mapping.LengthLPtoDPx(-1000), 10);
}

}  // namespace
