// Which controls of the designer's pages are enabled for the current parameters, and the labels that
// follow the dot mode: the pages re-run these after every change that affects them.
#pragma once

#include <cstdint>

#include "LgpParams.h"

namespace dotplate {

// One switch per gradient quadruple: rows above and below the baseline, columns left and right.
struct LgpGradientSwitches {
    bool upperRows = true;
    bool lowerRows = true;
    bool leftColumns = true;
    bool rightColumns = true;
};

struct LgpDotPageEnabling {
    bool baselineX = true;
    bool baselineY = true;
    bool dotWidth = true;
    bool dotHeight = true;
    LgpGradientSwitches widthGradients;
    LgpGradientSwitches heightGradients;
    LgpGradientSwitches spacingGradients;
};

// Light sources place the baseline themselves and leave only the gradients away from them; a line
// mode has no use for the size across its lines.
LgpDotPageEnabling DotPageEnabling(const LgpDotPara& dots);

// The keys of section "LGP" that label the stagger group and its two boxes: "W", "X", "Y" (rows and
// columns on) for Grid, "L", "M", "N" (dislocation of rows and columns) for the other modes.
struct LgpStaggerLabelKeys {
    const char* group;
    const char* rows;
    const char* columns;
};
LgpStaggerLabelKeys StaggerLabelKeys(std::uint16_t dotMode);

struct LgpLaserPageEnabling {
    bool speed = true;
    bool powers = true;
    bool outlineSpeed = false;
    bool outlinePowers = false;
    bool outlineDelays = false;
    bool outlineSwitches = false;  // both "Default" switches of the outline
    bool outlineBlower = false;
    bool dotTime = false;
};
LgpLaserPageEnabling LaserPageEnabling(const LgpLaserPara& laser);

// The plate shape page: the blank distance and its two boxes follow "Enable LGP blank".
bool BlankControlsEnabled(const LgpShapePara& shape);

}  // namespace dotplate
