// CCadMgr: the owner window, the notifications posted to it and the zoom limits of the view.
#include <cmath>

#include "CadMgr.h"
#include "LanguageTexts.h"

void CCadMgr::PostToOwner(std::uint32_t message) {
    // Loading, adding and modifying are told with these; a change of the selection alone keeps the index.
    if (message == kElementsLoadedMessage || message == kDrawingModifiedMessage) {
        elementIndex_.Invalidate();
    }
    if (ownerWindow_ != nullptr) {
        ownerWindow_->PostMessage(message, 0, 0);
    }
}

void CCadMgr::NotifyModified() {
    PostToOwner(kDrawingModifiedMessage);
}

void CCadMgr::ShowCadMgrMessage(const std::string& key) {
    if (ownerWindow_ != nullptr) {
        ownerWindow_->ShowMessageBox(GetLangText("CadMgr", key), "", platform::kOk | platform::kIconWarning);
    }
}

void CCadMgr::Redraw() {
    if (ownerWindow_ != nullptr) {
        ownerWindow_->RequestRepaint();
    }
}

double CCadMgr::ClampZoom(double z) {
    if (!(z >= kMinZoom)) {  // a NaN as well
        return kMinZoom;
    }
    return z > kMaxZoom ? kMaxZoom : z;
}

void CCadMgr::PrepareDC(platform::DeviceContext& dc) {
    dc.SetMapMode(platform::MapMode::Isotropic);
    zoomFactor = std::trunc(ClampZoom(zoomFactor) * 500.0) * 0.002;
    const auto extent = static_cast<std::int32_t>(std::trunc(zoomFactor * 500.0));
    dc.SetWindowExt(extent, extent);
    dc.SetViewportExt(500, -500);
    const platform::ClientRect client = ownerWindow_ != nullptr ? ownerWindow_->GetClientRect() : platform::ClientRect{};
    dc.SetViewportOrg(viewOffsetX - static_cast<std::int32_t>(std::trunc((client.left + client.right + 1.0) * -0.5)),
                      viewOffsetY - static_cast<std::int32_t>(std::trunc((client.top + client.bottom + 1.0) * -0.5)));
}
