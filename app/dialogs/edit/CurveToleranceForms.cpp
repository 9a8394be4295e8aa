#include "CurveToleranceForms.h"

#include <algorithm>

#include "CadMgr.h"

namespace dialogs::edit {

CloseCurveRecord CloseCurveForm::RecordOf(const CCadMgr& manager) {
    return {manager.closingTolerance, static_cast<std::int32_t>(manager.closingWord != 0)};
}

void CloseCurveForm::Apply(CCadMgr& manager) const {
    manager.closingTolerance = std::max(copy_.toleranceMm, 0.0);
    manager.closingWord = copy_.forceClose != 0 ? 1 : 0;
    manager.AutoCloseSelection(manager.closingTolerance, copy_.forceClose != 0 ? 1 : 0, 0.0, 1.0);
}

CombineCurveRecord CombineCurveForm::RecordOf(const CCadMgr& manager) {
    return {manager.mergeTolerance};
}

void CombineCurveForm::Apply(CCadMgr& manager) const {
    manager.mergeTolerance = copy_.toleranceMm;
    manager.CombineCurves(copy_.toleranceMm, 0.0, 1.0);
}

double ClampOverlapTolerance(double toleranceMm) {
    return std::clamp(toleranceMm, kMinOverlapToleranceMm, kMaxOverlapToleranceMm);
}

OverlapRecord OverlapForm::RecordOf(const CCadMgr& manager) {
    return {ClampOverlapTolerance(manager.overlapTolerance), static_cast<std::int32_t>(manager.overlapWord != 0)};
}

void OverlapForm::Apply(CCadMgr& manager) const {
    manager.overlapTolerance = ClampOverlapTolerance(copy_.toleranceMm);
    manager.overlapWord = copy_.toleranceOn != 0 ? 1 : 0;
    manager.DeleteOverlap(0.0, 1.0);
}

}  // namespace dialogs::edit
