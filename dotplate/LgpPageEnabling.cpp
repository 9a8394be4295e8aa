#include "LgpPageEnabling.h"

namespace dotplate {

LgpDotPageEnabling DotPageEnabling(const LgpDotPara& dots) {
    LgpDotPageEnabling enabled;
    if (dots.AnyLightSource()) {
        enabled.baselineX = enabled.baselineY = false;
        if (dots.lightLeft == 0 && dots.lightRight == 0) {
            enabled.widthGradients.leftColumns = enabled.widthGradients.rightColumns = false;
            enabled.heightGradients.leftColumns = enabled.heightGradients.rightColumns = false;
            enabled.spacingGradients.leftColumns = enabled.spacingGradients.rightColumns = false;
        }
        if (dots.lightUp == 0 && dots.lightDown == 0) {
            enabled.widthGradients.upperRows = enabled.widthGradients.lowerRows = false;
            enabled.heightGradients.upperRows = enabled.heightGradients.lowerRows = false;
            enabled.spacingGradients.upperRows = enabled.spacingGradients.lowerRows = false;
        }
    }
    const bool heightOff = dots.dotMode == kHorizontalLine || dots.dotMode == kGrid;
    const bool widthOff = dots.dotMode == kVerticalLine || dots.dotMode == kGrid;
    if (heightOff) {
        enabled.dotHeight = false;
        enabled.heightGradients = {false, false, false, false};
    }
    if (widthOff) {
        enabled.dotWidth = false;
        enabled.widthGradients = {false, false, false, false};
    }
    return enabled;
}

LgpStaggerLabelKeys StaggerLabelKeys(std::uint16_t dotMode) {
    return dotMode == kGrid ? LgpStaggerLabelKeys{"W", "X", "Y"} : LgpStaggerLabelKeys{"L", "M", "N"};
}

LgpLaserPageEnabling LaserPageEnabling(const LgpLaserPara& laser) {
    LgpLaserPageEnabling enabled;
    enabled.speed = laser.dots.speedDefault == 0;
    enabled.powers = laser.dots.powerDefault == 0;
    const bool outline = laser.outlineCut != 0;
    enabled.outlineSpeed = outline && laser.outline.speedDefault == 0;
    enabled.outlinePowers = outline && laser.outline.powerDefault == 0;
    enabled.outlineDelays = enabled.outlineSwitches = enabled.outlineBlower = outline;
    enabled.dotTime = laser.ellipseToDot != 0;
    return enabled;
}

bool BlankControlsEnabled(const LgpShapePara& shape) { return shape.blankEnabled != 0; }

}  // namespace dotplate
