// CCadMgr: the overlap removal command over the selection.
#include <cstdio>

#include "CadMgr.h"
#include "LanguageTexts.h"

void CCadMgr::DeleteOverlap(double, double, OverlapRemoval::Search search) {
    if (selectionList.IsEmpty()) {
        return;
    }
    constexpr double kDefaultTolerance = 0.001;  // mm
    OverlapRemoval removal(*this, overlapWord != 0 ? overlapTolerance : kDefaultTolerance, search);
    bool twoPasses = false;
    const int count = removal.Run(&twoPasses);
    if (ownerWindow_ != nullptr) {
        char number[24];
        std::snprintf(number, sizeof number, "%ld", static_cast<long>(count));
        ownerWindow_->ShowMessageBox(GetLangText("CadMgr", "D") + number, "", platform::kOk);
    }
    if (!twoPasses || count > 0) {
        NotifyModified();
    }
}
