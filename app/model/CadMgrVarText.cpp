// CCadMgr: variable texts. Dates and serial numbers are filled in by the text engine and the glyphs are
// built again, the serial-number copies of a multi-copy text included, in the text's own place.
#include <cstdint>
#include <memory>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CadText.h"
#include "Letterforge.h"
#include "SettingsRecords.h"

namespace {

bool IsSerial(const CTextParam& params) {
    return params.varKind != 0;
}

bool HasCopies(const CTextParam& params) {
    return params.varTextOn != 0 && params.snArrayOn != 0 && IsSerial(params) &&
           (params.snArrayCount1 > 1 || params.snArrayCount2 > 1);
}

// Writes the date or the serial number into the parameters' text. A plain text has nothing to fill in;
// its glyphs are still built again by the caller, as an edit may just have changed its parameters.
void FillVariableText(CTextParam& params, int advance) {
    if (params.varTextOn == 0) {
        return;
    }
    if (!IsSerial(params)) {
        _text_getdate(&params);
    } else if (advance == 0) {
        _text_getsn(&params, 0);
    } else {
        // The number passes over every copy the previous output numbered.
        const std::int64_t steps =
            HasCopies(params) ? std::int64_t{params.snArrayCount1} * params.snArrayCount2 : 1;
        for (std::int64_t step = 0; step < steps; ++step) {
            _text_getsn(&params, 1);
        }
    }
}

// The colour glyphs are built in: that of the glyphs the text holds, else the text's own.
std::uint32_t GlyphColor(const CCadText& text) {
    return text.children.IsEmpty() ? text.color : text.children.head->next->value->color;
}

std::unique_ptr<CCadCurve> CurveFromGlyph(const CFileCurve& glyph, std::uint32_t color, double dx,
                                          double dy) {
    auto curve = std::make_unique<CCadCurve>();
    curve->color = color;
    for (auto* node = glyph.segments.head->next; node != glyph.segments.head; node = node->next) {
        CFileLine segment = node->value;
        for (SDPoint* point : {&segment.start, &segment.end, &segment.ctrl1, &segment.ctrl2}) {
            point->x += dx;
            point->y += dy;
        }
        curve->pathList.AddTail(segment);
    }
    if (!curve->pathList.IsEmpty()) {
        const CFileLine& first = curve->pathList.head->next->value;
        const CFileLine& last = curve->pathList.head->prev->value;
        curve->closed = first.start.x == last.end.x && first.start.y == last.end.y ? 1 : 0;
    }
    // A glyph outline whose ends miss each other by a rounding is still a closed outline to cut.
    curve->AutoClose(gFileParaSettings.closeErrorMm, 0);
    curve->CalRect();
    return curve;
}

// Appends the glyphs of the parameters' text, moved by (dx, dy), to the text's children.
void AppendGlyphs(CCadText& text, const CTextParam& params, std::uint32_t color, double dx, double dy) {
    const bool shx = params.fontKind == CTextParam::kShxFont;
    CDbList<CFileCurve*> glyphs;
    _text_create(nullptr, params.text, shx ? 1 : 0, shx ? params.shxFont : params.trueTypeFont, params.height,
                 params.charSpace, params.lineSpace, params.widthPercent * 0.01, &glyphs);
    for (auto* node = glyphs.head->next; node != glyphs.head; node = node->next) {
        std::unique_ptr<CFileCurve> glyph(node->value);
        if (!glyph->segments.IsEmpty()) {
            text.children.AddTail(CurveFromGlyph(*glyph, color, dx, dy).release());
        }
    }
}

// The cells of a copies grid other than (0, 0), in numbering order as (row, column).
template <typename Visit>
void WalkCopyCells(const CTextParam& params, Visit visit) {
    const int rows = params.snArrayCount2;
    const int columns = params.snArrayCount1;
    const bool rowsOutside = params.auxWord2 == 0;
    const bool serpentine = params.auxWord3 == 0;
    const int lines = rowsOutside ? rows : columns;
    const int cells = rowsOutside ? columns : rows;
    bool forward = true;
    for (int line = 0; line < lines; ++line) {
        for (int step = 0; step < cells; ++step) {
            const int cell = forward ? step : cells - 1 - step;
            const int row = rowsOutside ? line : cell;
            const int column = rowsOutside ? cell : line;
            if (row != 0 || column != 0) {
                visit(row, column);
            }
        }
        if (serpentine) {
            forward = !forward;
        }
    }
}

}  // namespace

void CCadMgr::RefreshVarTexts(int advance) {
    const CDbList<CCadElement*>& list =
        gProcessCtrlSettings.outputSelectedOnly != 0 ? selectionList : elementList;
    std::vector<CCadText*> texts;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        if (node->value->typeCode == kTextElement) {
            auto* text = static_cast<CCadText*>(node->value);
            if (text->textParam.varTextOn != 0) {
                texts.push_back(text);
            }
        }
    }
    for (CCadText* text : texts) {
        RefreshVarText(text, advance);
    }
}

void CCadMgr::RefreshVarText(CCadText* text, int advance) {
    if (text == nullptr) {
        return;
    }
    CTextParam params = text->textParam;
    FillVariableText(params, advance);
    text->textParam = params;
    if (params.text.empty()) {
        return;
    }
    const CCadRect before = text->rect;
    RebuildTextCurves(text);
    if (text->children.IsEmpty()) {
        return;  // the font is missing: the copies would report it once each
    }
    if (HasCopies(params)) {
        CTextParam working = params;
        WalkCopyCells(params, [&](int row, int column) {
            RefreshSerialText(text, working, column * params.snArraySpacing1, row * params.snArraySpacing2);
        });
    }
    text->ApplyMatrix();
    text->CalRect();
    text->TransMove(before.x1 - text->rect.x1, before.y1 - text->rect.y1);
    if (IsSelected(text)) {
        text->SetSelect(1);
        CalcSelectionRect();
    }
    if (elementNodes_.contains(text)) {
        AttachTree(text);
    }
    Redraw();
    PostToOwner(kSelectionMovedMessage);
}

void CCadMgr::RefreshSerialText(CCadText* text, CTextParam& working, double dx, double dy) {
    _text_getsn(&working, 1);
    AppendGlyphs(*text, working, GlyphColor(*text), dx, dy);
}

void CCadMgr::RebuildTextCurves(CCadText* text) {
    const std::uint32_t color = GlyphColor(*text);
    DetachTree(text);
    text->DeleteChildren();
    AppendGlyphs(*text, text->textParam, color, 0.0, 0.0);
}
