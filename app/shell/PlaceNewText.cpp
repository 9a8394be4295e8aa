// Placing a new text element.
#include "PlaceNewText.h"

#include <memory>

#include "CadMgr.h"
#include "CadText.h"

bool PlaceNewText(CCadMgr& manager, const CTextParam& params, SDPoint clickMm) {
    auto text = std::make_unique<CCadText>();
    text->textParam = params;
    text->color = manager.drawColor;  // the glyphs take the text's colour when it has none yet
    manager.RebuildTextCurves(text.get());
    const bool placed = !text->children.IsEmpty();
    if (placed) {
        const CCadText* element = text.get();
        manager.pendingElement = std::move(text);
        manager.FinishNewElement();
        const double dx = clickMm.x - element->rect.x1;
        const double dy = clickMm.y - element->rect.y1;
        if (dx != 0.0 || dy != 0.0) {
            // FinishNewElement has told the manager already; the move belongs to the same step.
            manager.MoveSelection(dx, dy, 0);
        }
    }
    manager.toolMode = CCadMgr::kSelectTool;
    manager.Redraw();
    return placed;
}
