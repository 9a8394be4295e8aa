// The text real-window test's headless half: the document saved from the real window holds one text,
// "ABC" at height 20, whose glyphs are those the text engine builds for its parameters: as many, in a
// box of the same size.
//
// usage: TextEditRealWindowCheck DOCUMENT.lcx   (exit 0 when the document matches)
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "CadMgr.h"
#include "CadText.h"
#include "CutrixDoc.h"
#include "Letterforge.h"

namespace {

constexpr double kBoxToleranceMm = 0.001;

int GlyphCountOf(const CTextParam& params) {
    const bool shx = params.fontKind == CTextParam::kShxFont;
    CDbList<CFileCurve*> glyphs;
    _text_create(nullptr, params.text, shx ? 1 : 0, shx ? params.shxFont : params.trueTypeFont, params.height,
                 params.charSpace, params.lineSpace, params.widthPercent * 0.01, &glyphs);
    const int count = glyphs.GetCount();
    for (auto* node = glyphs.head->next; node != glyphs.head; node = node->next) {
        delete node->value;
    }
    return count;
}

// The box of a text built afresh from the parameters, where the engine lays it out.
CCadRect FreshBox(const CTextParam& params) {
    auto scratch = std::make_unique<CCadMgr>();
    CCadText text;
    text.textParam = params;
    scratch->RebuildTextCurves(&text);
    text.CalRect();
    return text.rect;
}

bool SameSize(const CCadRect& a, const CCadRect& b) {
    return std::abs((a.x2 - a.x1) - (b.x2 - b.x1)) <= kBoxToleranceMm &&
           std::abs((a.y2 - a.y1) - (b.y2 - b.y1)) <= kBoxToleranceMm;
}

bool Check(const CCadMgr& manager) {
    if (manager.elementList.GetCount() != 1) {
        std::printf("expected one element, found %d\n", manager.elementList.GetCount());
        return false;
    }
    const auto* text = dynamic_cast<const CCadText*>(manager.elementList.head->next->value);
    if (text == nullptr) {
        std::printf("the element is not a text\n");
        return false;
    }
    const CTextParam& params = text->textParam;
    const int glyphs = GlyphCountOf(params);
    const CCadRect fresh = FreshBox(params);
    std::printf("text '%s' height %.3f: %d glyphs (engine %d), box %.4f x %.4f (engine %.4f x %.4f)\n",
                params.text.c_str(), params.height, text->children.GetCount(), glyphs,
                text->rect.x2 - text->rect.x1, text->rect.y2 - text->rect.y1, fresh.x2 - fresh.x1,
                fresh.y2 - fresh.y1);
    return params.text == "ABC" && params.height == 20.0 && glyphs > 0 &&
           text->children.GetCount() == glyphs && SameSize(text->rect, fresh);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: TextEditRealWindowCheck DOCUMENT.lcx\n");
        return 2;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(argv[1]);
    auto manager = std::make_unique<CCadMgr>();  // large: not on the stack
    CCutrixDoc doc(*manager);
    if (!bytes || doc.LoadDocument(*bytes) != CCutrixDoc::LoadResult::kOpened) {
        std::printf("%s cannot be loaded\n", argv[1]);
        return 1;
    }
    return Check(*manager) ? 0 : 1;
}
