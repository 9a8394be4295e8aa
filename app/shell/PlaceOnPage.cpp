#include "PlaceOnPage.h"

#include <memory>

#include "CadBitmap.h"
#include "SettingsGlobals.h"

void CentreSelectionAndZoom(CCadMgr& manager) {
    manager.CalcSelectionRect();
    manager.CenterSelectionOnPage();
    const CCadRect box = manager.GetSelectionRect();
    const bool fits = box.x2 - box.x1 <= manager.pageWidth && box.y2 - box.y1 <= manager.pageHeight;
    if (fits) {
        manager.ZoomToSelection();
    } else {
        manager.ZoomToPage();
    }
}

namespace {

// 1- and 8-bit pictures keep their depth with a usable palette; every other depth becomes 8 bits.
bool PrepareDepth(CCadBitmap& bitmap) {
    const int bitsPerPixel = bitmap.GetBitCount();
    if (bitsPerPixel == 1 || bitsPerPixel == 8) {
        bitmap.AdjustPalette();
        return true;
    }
    return bitmap.SetFormat(8) != 0 && bitmap.GetBitCount() == 8;
}

}  // namespace

const char* CreateBitmapFailedText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? "创建位图失败!" : "Create bitmap failure!";
}

int PlaceScannedPicture(CCadMgr& manager, const platform::DibBlock& picture,
                        platform::MessageSink& messages) {
    auto bitmap = std::make_unique<CCadBitmap>();
    if (bitmap->SetDib(&picture) == 0 || !PrepareDepth(*bitmap)) {
        messages.ShowMessageBox(CreateBitmapFailedText(), "", platform::kOk | platform::kIconError);
        return 0;
    }
    bitmap->CalRect();
    bitmap->color = manager.drawColor;
    CCadBitmap* element = bitmap.get();
    if (manager.AddElement(bitmap.release()) != 1) {
        delete element;
        messages.ShowMessageBox(CreateBitmapFailedText(), "", platform::kOk | platform::kIconError);
        return 0;
    }
    manager.ClearSelection();
    manager.AddToSelection(element);
    CentreSelectionAndZoom(manager);
    return 1;
}
