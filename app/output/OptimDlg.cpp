#include "OptimDlg.h"

#include <algorithm>

#include "CadMgr.h"
#include "DrawingChange.h"

void COptimDlg::OnInnerModeChange(int selection) {
    edited_.insideToOutsideMode = selection == kFindCuttingPort ? kFindCuttingPort : 0;
}

dialogkit::FormEnabling COptimDlg::UpdateEnables() const {
    const bool nesting = edited_.insideToOutside != 0;
    if (nesting && edited_.insideToOutsideMode == kFindCuttingPort) {
        return {{kInnerModeCombo, true}, {kStartPointCheck, false}, {kAutoStartDirCheck, false}};
    }
    return {{kInnerModeCombo, nesting},
            {kStartPointCheck, true},
            {kAutoStartDirCheck, edited_.startPointOptimise == 0}};
}

double COptimDlg::ClampBandHeight(double heightMm) {
    return std::clamp(heightMm, kMinBandHeightMm, kMaxBandHeightMm);
}

namespace {

void OrderDrawing(CCadMgr& drawing, const OptimSettings& settings) {
    CCadRect extent;
    drawing.GetDataRect(extent);
    if (settings.orderOfLayer != 0) {
        drawing.OptimizeCutOrder(extent.x1, extent.y1, extent.x2, extent.y2);
        return;
    }
    double startX = 0.0;
    double startY = 0.0;
    CCadMgr::GetStartPoint(extent.x1, extent.y1, extent.x2, extent.y2, startX, startY);
    drawing.OrderElementList(&drawing.elementList, startX, startY, CCadMgr::GetStartCorner());
}

}  // namespace

std::optional<dialogkit::FormProblem> COptimDlg::OnOK(std::optional<double> heightEntryMm,
                                                      int directionSelection, OptimSettings& settings,
                                                      CCadMgr& manager) {
    if (!heightEntryMm) {
        return dialogkit::FormProblem{kBandHeightEdit, dialogkit::kNoNumberMessage, {}};
    }
    edited_.blockHeightMm = ClampBandHeight(*heightEntryMm);
    edited_.blockDirection =
        static_cast<std::uint16_t>(std::clamp(directionSelection, 0, int{kLastDirection}));
    settings = edited_;
    // The order reads the settings records, so they are stored before it runs.
    dialogs::ApplyToDrawing(manager, [&settings](CCadMgr& drawing) { OrderDrawing(drawing, settings); });
    return std::nullopt;
}
