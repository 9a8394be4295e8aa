#include "RotateAngleForm.h"

#include <numbers>

#include "CadMgr.h"

namespace dialogs::edit {

void RotateAngleForm::Apply(CCadMgr& manager) const {
    manager.RotateSelection(copy_.angleDeg * std::numbers::pi / 180.0);
}

}  // namespace dialogs::edit
