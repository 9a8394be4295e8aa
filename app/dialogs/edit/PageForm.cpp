#include "PageForm.h"

#include <algorithm>
#include <cmath>

#include "CadMgr.h"

namespace dialogs::edit {

double PageGridSpacing(double widthMm, double heightMm, double typedSpacingMm) {
    const double spacing = std::max(typedSpacingMm, kMinGridSpacingMm);
    const double fifthOfSide = 0.2 * std::min(widthMm, heightMm);
    return fifthOfSide < spacing ? std::trunc(fifthOfSide) : spacing;
}

PageRecord PageForm::RecordOf(const CCadMgr& manager) {
    return {manager.pageWidth,        manager.pageHeight,      manager.gridVisible,
            manager.gridStep,         manager.nudgeDistanceMm, manager.largeStepRatio,
            manager.rotationAngleDeg, manager.backgroundColor, manager.pageFrameColor,
            manager.gridColor};
}

void PageForm::Apply(CCadMgr& manager) const {
    const double width = std::clamp(copy_.widthMm, CadMgrSettings::kMinWorkSizeMm, CadMgrSettings::kMaxWorkSizeMm);
    const double height = std::clamp(copy_.heightMm, CadMgrSettings::kMinWorkSizeMm, CadMgrSettings::kMaxWorkSizeMm);
    manager.workWidth = manager.pageWidth = width;
    manager.workHeight = manager.pageHeight = height;
    manager.gridVisible = copy_.gridShown != 0 ? 1 : 0;
    manager.gridStep = PageGridSpacing(width, height, copy_.gridSpacingMm);
    manager.nudgeDistanceMm = copy_.nudgeDistanceMm;
    manager.largeStepRatio = copy_.largeStepRatio;
    manager.rotationAngleDeg = copy_.rotationAngleDeg;
    manager.backgroundColor = copy_.backgroundColor;
    manager.pageFrameColor = copy_.workAreaColor;
    manager.gridColor = copy_.gridColor;
    manager.ZoomToPage();
}

}  // namespace dialogs::edit
