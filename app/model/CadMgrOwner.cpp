// CCadMgr: the owner window, the notifications posted to it and the zoom limits of the view.
#include "CadMgr.h"
#include "LanguageTexts.h"

void CCadMgr::PostToOwner(std::uint32_t message) {
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

void CCadMgr::ClampZoom() {
    if (!(zoomFactor >= kMinZoom)) {  // a NaN as well
        zoomFactor = kMinZoom;
    } else if (zoomFactor > kMaxZoom) {
        zoomFactor = kMaxZoom;
    }
}
