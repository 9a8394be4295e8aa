#include "LgpPageEnabling.h"
#include "LgpPageRules.h"

#include <gtest/gtest.h>

#include <functional>

namespace dotplate {
namespace {

// What the edits of the three pages show after the operator typed a value and left the edit.
TEST(LgpPageEditsTest, EachEditShowsItsRuleInItsFormat) {
    struct Case {
        const char* edit;
        std::function<double(double)> rule;
        const char* format;
        double typed;
        const char* shown;
    } cases[] = {
        {"dot width", DotSizeRule, "%.4lf", 0.05, "0.1000"},
        {"spacing", SpacingRule, "%.4lf", 0.3, "0.5000"},
        {"spacing from text that is no number", SpacingRule, "%.4lf", 0.0, "0.5000"},
        {"gradient", GradientRule, "%.4lf", 0.00004, "0.0001"},
        {"negative gradient", GradientRule, "%.4lf", -0.00004, "-0.0001"},
        {"zero gradient", GradientRule, "%.4lf", 0.0, "0.0000"},
        {"baseline", RoundCoord, "%.3lf", 1.2345, "1.235"},
        {"plate width", PlateSizeRule, "%.1lf", 0.4, "1.0"},
        {"plate height", PlateSizeRule, "%.1lf", 123.46, "123.5"},
        {"blank distance", BlankDistanceRule, "%.3lf", 2500, "1000.000"},
        {"negative blank distance", BlankDistanceRule, "%.3lf", -2500, "-1000.000"},
        {"speed", SpeedRule, "%.1lf", 0.01, "0.1"},
        {"fast speed", SpeedRule, "%.1lf", 20000, "10000.0"},
        {"power", PowerRule, "%.1lf", 150, "100.0"},
        {"scan precision", ScanPrecisionRule, "%d", 1016.7, "1016"},
        {"coarse scan precision", ScanPrecisionRule, "%d", 5, "10"},
        {"on delay", DelayRule, "%.3lf", 12.9, "12.000"},
        {"long delay", DelayRule, "%.3lf", -20000, "-10000.000"},
        {"array space", ArraySpaceRule, "%.3lf", 12345.6, "10000.000"},
        {"dot time", DotTimeRule, "%.3lf", 1.23456, "1.235"},
        {"short dot time", DotTimeRule, "%.3lf", 0.0, "0.001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatEditValue(c.rule(c.typed), c.format), c.shown) << c.edit;
    }
}

TEST(LgpPageEditsTest, CountsDirectionsAndLockedResize) {
    EXPECT_EQ(ArrayCountRule(0), 1);
    EXPECT_EQ(ArrayCountRule(501), 500);
    EXPECT_EQ(ArrayDirectionRule(7), 3);
    std::int16_t direction = 0;
    const std::int16_t expected[] = {1, 2, 3, 0};
    for (std::int16_t next : expected) {
        direction = NextArrayDirection(direction);
        EXPECT_EQ(direction, next);
    }
    // A 200 × 100 plate: 50 wide gives 25 high; 1.5 wide would be below 1 high, so 1 high and 2 wide.
    LgpResize resize = LockedResize(50, 200, 100);
    EXPECT_EQ(FormatEditValue(resize.typed, "%.1lf"), "50.0");
    EXPECT_EQ(FormatEditValue(resize.other, "%.1lf"), "25.0");
    resize = LockedResize(1.5, 200, 100);
    EXPECT_EQ(FormatEditValue(resize.typed, "%.1lf"), "2.0");
    EXPECT_EQ(FormatEditValue(resize.other, "%.1lf"), "1.0");
    resize = LockedResize(0.2, 100, 200);
    EXPECT_EQ(resize.typed, 1.0);
    EXPECT_EQ(resize.other, 2.0);
}

TEST(LgpPageEnablingTest, LightSourcesAndLineModesSwitchOffWhatTheyDecide) {
    LgpDotPara dots;
    dots.dotMode = kRectangle;
    LgpDotPageEnabling enabled = DotPageEnabling(dots);
    EXPECT_TRUE(enabled.baselineX && enabled.dotWidth && enabled.dotHeight);
    EXPECT_TRUE(enabled.widthGradients.upperRows && enabled.spacingGradients.leftColumns);

    dots.lightLeft = 1;
    enabled = DotPageEnabling(dots);
    EXPECT_FALSE(enabled.baselineX || enabled.baselineY);
    EXPECT_FALSE(enabled.widthGradients.upperRows || enabled.heightGradients.lowerRows ||
                 enabled.spacingGradients.upperRows || enabled.spacingGradients.lowerRows);
    EXPECT_TRUE(enabled.widthGradients.leftColumns && enabled.heightGradients.rightColumns &&
                enabled.spacingGradients.leftColumns && enabled.spacingGradients.rightColumns);

    dots = LgpDotPara{};
    dots.dotMode = kHorizontalLine;
    enabled = DotPageEnabling(dots);
    EXPECT_TRUE(enabled.dotWidth && enabled.widthGradients.rightColumns);
    EXPECT_FALSE(enabled.dotHeight || enabled.heightGradients.upperRows);
    dots.dotMode = kGrid;
    enabled = DotPageEnabling(dots);
    EXPECT_FALSE(enabled.dotWidth || enabled.dotHeight || enabled.widthGradients.leftColumns ||
                 enabled.heightGradients.leftColumns);
    EXPECT_TRUE(enabled.spacingGradients.upperRows);
    EXPECT_STREQ(StaggerLabelKeys(kGrid).rows, "X");
    EXPECT_STREQ(StaggerLabelKeys(kRectangle).group, "L");

    LgpLaserPara laser;
    LgpLaserPageEnabling laserEnabled = LaserPageEnabling(laser);
    EXPECT_TRUE(laserEnabled.speed && laserEnabled.powers);
    EXPECT_FALSE(laserEnabled.outlineSpeed || laserEnabled.outlineBlower || laserEnabled.dotTime);
    laser.dots.speedDefault = 1;
    laser.outlineCut = 1;
    laser.outline.powerDefault = 1;
    laser.ellipseToDot = 1;
    laserEnabled = LaserPageEnabling(laser);
    EXPECT_FALSE(laserEnabled.speed || laserEnabled.outlinePowers);
    EXPECT_TRUE(laserEnabled.powers && laserEnabled.outlineSpeed && laserEnabled.outlineDelays &&
                laserEnabled.outlineSwitches && laserEnabled.dotTime);

    LgpShapePara shape;
    EXPECT_FALSE(BlankControlsEnabled(shape));
    shape.blankEnabled = 1;
    EXPECT_TRUE(BlankControlsEnabled(shape));
}

}  // namespace
}  // namespace dotplate
