#include "ArrayCopyRules.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "CadMgr.h"
#include "FieldText.h"

namespace dialogs::edit {

std::uint16_t ReadArrayCount(std::string_view text) {
    const std::optional<std::int64_t> typed = dialogkit::ReadLeadingWholeNumber(text);
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(typed.value_or(1), 1, kMaxArrayCount));
}

double ArraySpacing(double typedMm, double extentMm) {
    const double spacing = typedMm + extentMm < 0.0 ? -extentMm : typedMm;
    const double thousandths = std::trunc(spacing * 1000.0 + std::copysign(0.5, spacing));
    return thousandths * 0.001;
}

ArrayDirection ArrayDirection::FromStored(std::uint16_t stored) {
    return {std::min<std::uint16_t>(stored, 3)};
}

ArraySteps StepsOf(const CCadRect& selection, double xSpacingMm, double ySpacingMm, ArrayDirection direction) {
    const double columnStep = std::fabs(selection.x2 - selection.x1) + xSpacingMm;
    const double rowStep = std::fabs(selection.y2 - selection.y1) + ySpacingMm;
    return {columnStep * direction.ColumnSign(), rowStep * direction.RowSign()};
}

namespace {

std::uint16_t FillCount(double areaMm, double extentMm, double spacingMm) {
    const double step = std::max(extentMm + spacingMm, 0.0);
    if (step == 0.0) {
        return kUndividedFillCount;
    }
    if (areaMm - extentMm <= 0.0) {
        return 1;
    }
    const double count = std::trunc((areaMm - extentMm) / step) + 1.0;
    return static_cast<std::uint16_t>(std::min(count, static_cast<double>(kMaxArrayCount)));
}

}  // namespace

ArrayCounts FillCounts(double areaWidthMm, double areaHeightMm, const CCadRect& selection, double xSpacingMm,
                       double ySpacingMm) {
    return {FillCount(areaWidthMm, std::fabs(selection.x2 - selection.x1), xSpacingMm),
            FillCount(areaHeightMm, std::fabs(selection.y2 - selection.y1), ySpacingMm)};
}

ArrayDirection& LastArrayDirection() {
    static ArrayDirection last;
    return last;
}

void ArrayCopy(CCadMgr& manager, ArrayCounts counts, ArraySteps steps) {
    manager.ArrayCopySelection(counts.columns, counts.rows, steps.dx, steps.dy, 0.0, 0.0);
    manager.NotifyModified();
}

bool PrepareArraySelection(CCadMgr& manager) {
    std::vector<CCadElement*> selected = manager.SelectedElements();
    if (selected.size() > 1) {
        for (CCadElement* element : selected) {
            if (element->typeCode == kArrayElement) {
                manager.RemoveFromSelection(element);
            }
        }
        if (manager.selectionList.IsEmpty() != 0) {
            return false;
        }
        manager.CalcSelectionRect();
    }
    return !selected.empty();
}

}  // namespace dialogs::edit
