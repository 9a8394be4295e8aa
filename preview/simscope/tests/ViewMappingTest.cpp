// The view: scale limits and steps, fitting the box, zooming about the cursor.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ViewMapping.h"

namespace simscope {
namespace {

constexpr platform::Size kArea{800, 600};

bool IsMultipleOfStep(double scale) {
    const double steps = scale / 0.002;
    return std::fabs(steps - std::round(steps)) < 1e-6;
}

TEST(ViewMapping, ScaleStaysInItsLimitsOnMultiplesOf0002) {
    struct Case {
        double in;
        double out;
    };
    for (const Case c : {Case{0.0, 0.1}, Case{-5.0, 0.1}, Case{0.05, 0.1}, Case{1e9, 1000000.0},
                         Case{std::numeric_limits<double>::infinity(), 1000000.0},
                         Case{std::numeric_limits<double>::quiet_NaN(), 0.1}, Case{1.2345, 1.234},
                         Case{0.1001, 0.1}}) {
        const double scale = QuantisedScale(c.in);
        EXPECT_NEAR(scale, c.out, 1e-9) << c.in;
        EXPECT_TRUE(IsMultipleOfStep(scale)) << c.in;
    }
}

TEST(ViewMapping, ZoomingFarOutAndInStaysInTheLimits) {
    ViewState view;
    for (int turn = 0; turn < 400; ++turn) {
        ZoomView(kArea, {400, 300}, 120, view);
        ViewMappingFor(kArea, view);
    }
    EXPECT_LE(view.scale, kMaxScale);
    for (int turn = 0; turn < 800; ++turn) {
        ZoomView(kArea, {400, 300}, -120, view);
    }
    ViewMappingFor(kArea, view);
    EXPECT_GE(view.scale, kMinScale);
    EXPECT_TRUE(IsMultipleOfStep(view.scale));
}

TEST(ViewMapping, FitPutsTheBoxInsideTheAreaAndCentresIt) {
    const JobBox box{-20.0, 180.0, 0.0, 50.0};
    ViewState view{3.0, 17, -40};
    FitView(kArea, box, view);
    const platform::Mapping mapping = ViewMappingFor(kArea, view);
    const platform::Point low = mapping.LPtoDP({-20000, 0});
    const platform::Point high = mapping.LPtoDP({180000, 50000});
    // Width decides: 200 mm over 98% of 800 pixels.
    EXPECT_NEAR(view.scale, 200000.0 / (800 * 0.98), 0.002);
    EXPECT_NEAR((low.x + high.x) / 2.0 + kClipMargin, 400, 1);
    EXPECT_NEAR((low.y + high.y) / 2.0 + kClipMargin, 300, 1);
    EXPECT_GT(low.y, high.y);  // y grows upwards
}

TEST(ViewMapping, FitOfAnEmptyAreaTakesTheSmallestScale) {
    ViewState view;
    FitView({0, 0}, JobBox{}, view);
    EXPECT_EQ(view.scale, QuantisedScale(kMinScale));
}

TEST(ViewMapping, ZoomKeepsThePointUnderTheCursor) {
    ViewState view{100.0, 0, 0};
    const platform::Point cursor{612, 148};
    const platform::Point picture{cursor.x - kClipMargin, cursor.y - kClipMargin};
    const platform::Point logical = ViewMappingFor(kArea, view).DPtoLP(picture);
    for (const int delta : {120, 120, -120, -120, -120}) {
        ZoomView(kArea, cursor, delta, view);
        const platform::Point device = ViewMappingFor(kArea, view).LPtoDP(logical);
        EXPECT_NEAR(device.x, picture.x, 1);
        EXPECT_NEAR(device.y, picture.y, 1);
    }
}

}  // namespace
}  // namespace simscope
