#include "OffsetForm.h"

#include <algorithm>

#include "CadMgr.h"

namespace dialogs::edit {

OffsetMode OffsetRecord::Mode() const {
    if (outward != 0) {
        return OffsetMode::kOutward;
    }
    return byNesting != 0 ? OffsetMode::kByNesting : OffsetMode::kInward;
}

void OffsetRecord::SetMode(OffsetMode mode) {
    inward = mode == OffsetMode::kInward ? 1 : 0;
    outward = mode == OffsetMode::kOutward ? 1 : 0;
    byNesting = mode == OffsetMode::kByNesting ? 1 : 0;
}

OffsetRecord OffsetForm::RecordOf(const CCadMgr& manager) {
    OffsetRecord record;
    record.distanceMm = manager.offsetDistance;
    const auto stored = static_cast<OffsetMode>(manager.offsetWord);
    record.SetMode(stored == OffsetMode::kOutward || stored == OffsetMode::kByNesting ? stored : OffsetMode::kInward);
    record.deleteSource = manager.offsetOption != 0 ? 1 : 0;
    return record;
}

void OffsetForm::Apply(CCadMgr& manager) const {
    manager.offsetDistance = std::clamp(copy_.distanceMm, 0.0, kMaxOffsetDistanceMm);
    manager.offsetWord = static_cast<std::uint16_t>(copy_.Mode());
    manager.offsetOption = copy_.deleteSource != 0 ? 1 : 0;
    manager.OffsetSelection();
}

}  // namespace dialogs::edit
