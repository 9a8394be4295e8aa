// The gradient bar paints its bands.
#include <gtest/gtest.h>

#include <QImage>

#include "GradientBands.h"
#include "GradientBar.h"
#include "WidgetTestApplication.h"

namespace {

TEST(GradientBar, PaintsEveryBandInItsColour) {
    platform::EnsureWidgetApplication();
    struct Case {
        platform::ColorRef start;
        platform::ColorRef end;
    };
    for (const Case c : {Case{platform::Rgb(0, 0, 0), platform::Rgb(255, 0, 0)},
                         Case{platform::Rgb(10, 0, 0), platform::Rgb(12, 0, 0)},
                         Case{platform::Rgb(5, 6, 7), platform::Rgb(5, 6, 7)}}) {
        CGradientBar bar;
        bar.resize(300, 12);
        bar.SetColors(c.start, c.end);
        const QImage image = bar.grab().toImage();
        for (const simscope::GradientBand& band : simscope::GradientBandsOf(c.start, c.end, 300)) {
            if (band.right == band.left) {
                continue;
            }
            const QColor color = image.pixelColor(band.left, 6);
            EXPECT_EQ(platform::Rgb(color.red(), color.green(), color.blue()), band.color) << band.left;
        }
    }
}

}  // namespace
