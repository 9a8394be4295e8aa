// Listing the scalable families through fontconfig.
#include "FontFamilies.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string_view>

namespace platform {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* fonts) const { FcFontSetDestroy(fonts); }
};

// fontconfig names the format of TrueType outlines "TrueType" and of OpenType's PostScript outlines
// "CFF"; both are what FreeType reads glyph outlines from for texts.
bool IsTrueTypeFormat(std::string_view format) {
    return format == "TrueType" || format == "CFF";
}

std::string FoldedCase(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

}  // namespace

std::vector<FontFamily> ListFontFamilies() {
    if (FcInit() != FcTrue) {
        return {};
    }
    const std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    const std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, static_cast<char*>(nullptr)));
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) {
        return {};
    }
    // Keyed by the folded name so that the list is sorted ignoring case and names one family once.
    std::map<std::string, FontFamily> families;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch) {
            continue;
        }
        FcChar8* format = nullptr;
        const bool trueType =
            FcPatternGetString(fonts->fonts[i], FC_FONTFORMAT, 0, &format) == FcResultMatch &&
            IsTrueTypeFormat(reinterpret_cast<const char*>(format));
        const std::string name = reinterpret_cast<const char*>(family);
        FontFamily& entry = families.try_emplace(FoldedCase(name), FontFamily{name, false}).first->second;
        entry.trueType = entry.trueType || trueType;
    }
    std::vector<FontFamily> list;
    list.reserve(families.size());
    for (auto& [key, entry] : families) {
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace platform
