#include "DrawingChange.h"

#include "CadMgr.h"

namespace dialogs {

void ApplyToDrawing(CCadMgr& manager, const std::function<void(CCadMgr&)>& change) {
    change(manager);
    manager.NotifyModified();
}

}  // namespace dialogs
