#include "HatchRules.h"

#include <gtest/gtest.h>

namespace {

using namespace dialogs::edit;

TEST(HatchRulesTest, ResolutionIsBroughtIntoRangeAndCutToWholeDots) {
    struct Case {
        double typed;
        std::uint32_t dpi;
    };
    for (const Case c : {Case{50, 100}, Case{20000, 10000}, Case{254.9, 254}, Case{300, 300}}) {
        EXPECT_EQ(HatchResolution(c.typed), c.dpi) << c.typed;
    }
}

TEST(HatchRulesTest, BitmapCoversTheCurvesToTheNearestPixel) {
    struct Case {
        double widthMm, heightMm;
        std::uint32_t dpi;
        std::uint32_t width, height;
    };
    const Case cases[] = {
        {0.1, 0.1, 300, 1, 1},        // a tenth of a millimetre at 300 dpi is one pixel
        {25.4, 50.8, 300, 300, 600},  // 11811 pixels per metre
        {0.0, 10, 300, 1, 118},       // at least one pixel
        {5000, 5000, 10000, 1968500, 1968500},  // 393700 pixels per metre
    };
    for (const Case& c : cases) {
        const HatchBitmapSize size = HatchBitmapSizeOf(c.widthMm, c.heightMm, c.dpi);
        EXPECT_EQ(size.widthPixels, c.width) << c.widthMm;
        EXPECT_EQ(size.heightPixels, c.height) << c.heightMm;
    }
    EXPECT_EQ(HatchBitmapSizeOf(1, 1, 300).pixelsPerMetre, 11811u);
}

}  // namespace
