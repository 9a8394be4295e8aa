#include "PageSizeForm.h"

#include <algorithm>

namespace dialogs::testing {

PageSize PageSizeForm::PageOf(const CCadMgr& manager) {
    return {manager.pageWidth, manager.pageHeight, manager.gridStep};
}

std::optional<dialogkit::FormProblem> PageSizeForm::Check() const {
    const double widestStepMm = std::min(copy_.widthMm, copy_.heightMm);
    if (copy_.gridStepMm <= widestStepMm) {
        return std::nullopt;
    }
    const FieldInfo allowed{"GridStep", "mm", {kGridStepMm.low, widestStepMm, false}, 3, kGridEdit};
    return dialogkit::FormProblem{kGridEdit, dialogkit::kOutOfRangeMessage, dialogkit::ShowRange(allowed)};
}

void PageSizeForm::Apply(CCadMgr& manager) const {
    manager.workWidth = manager.pageWidth = copy_.widthMm;
    manager.workHeight = manager.pageHeight = copy_.heightMm;
    manager.gridStep = copy_.gridStepMm;
}

}  // namespace dialogs::testing
