// Font faces through fontconfig (finding) and FreeType (reading).
#include "FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <optional>

#include "OutlineRecordWriter.h"

namespace platform {

// Each face has a FreeType library of its own, so that faces on different threads never share one.
struct FontFace::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    double scale = 1.0;  // outline units per font unit

    ~Handles() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

namespace {

constexpr FT_Int32 kUnscaledOutline = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

struct FontFile {
    std::string path;
    int index = 0;
};

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
    void operator()(FcCharSet* charSet) const { FcCharSetDestroy(charSet); }
};

Pattern FamilyPattern(std::string_view family) {
    Pattern pattern(FcPatternCreate());
    const std::string name(family);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    return pattern;
}

std::optional<FontFile> Match(FcPattern* pattern) {
    if (FcInit() != FcTrue) {
        return std::nullopt;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern, &result));
    if (!match) {
        return std::nullopt;
    }
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return std::nullopt;
    }
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return FontFile{reinterpret_cast<const char*>(file), index};
}

}  // namespace

FontFace::FontFace(std::unique_ptr<Handles> handles, std::string filePath, int faceIndex)
    : freetype(std::move(handles)), path(std::move(filePath)), index(faceIndex) {}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::OpenFile(const std::string& filePath, int faceIndex) {
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0 ||
        FT_New_Face(handles->library, filePath.c_str(), faceIndex, &handles->face) != 0) {
        return nullptr;
    }
    if (!FT_IS_SCALABLE(handles->face) || handles->face->units_per_EM == 0) {
        return nullptr;
    }
    FT_Select_Charmap(handles->face, FT_ENCODING_UNICODE);
    handles->scale = kOutlineUnitsPerEm / handles->face->units_per_EM;
    return std::unique_ptr<FontFace>(new FontFace(std::move(handles), filePath, faceIndex));
}

std::unique_ptr<FontFace> FontFace::OpenFamily(std::string_view family) {
    const Pattern pattern = FamilyPattern(family);
    const std::optional<FontFile> file = Match(pattern.get());
    return file ? OpenFile(file->path, file->index) : nullptr;
}

std::unique_ptr<FontFace> FontFace::OpenFallback(std::string_view family, char32_t character) {
    const Pattern pattern = FamilyPattern(family);
    const std::unique_ptr<FcCharSet, CharSetDeleter> charSet(FcCharSetCreate());
    FcCharSetAddChar(charSet.get(), character);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, charSet.get());
    const std::optional<FontFile> file = Match(pattern.get());
    std::unique_ptr<FontFace> face = file ? OpenFile(file->path, file->index) : nullptr;
    if (face && face->HasGlyph(character)) {
        return face;
    }
    return OpenFamily(family);
}

bool FontFace::HasGlyph(char32_t character) const {
    return FT_Get_Char_Index(freetype->face, character) != 0;
}

bool FontFace::LoadOutline(char32_t character, GlyphOutline& outline) const {
    FT_Face face = freetype->face;
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, character), kUnscaledOutline) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return false;
    }
    WriteOutlineRecords(face->glyph->outline, freetype->scale, outline.records);
    outline.advanceX = face->glyph->metrics.horiAdvance * freetype->scale;
    outline.advanceY = 0.0;
    return true;
}

double FontFace::AdvanceX(char32_t character) const {
    FT_Face face = freetype->face;
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, character), kUnscaledOutline) != 0) {
        return 0.0;
    }
    return face->glyph->metrics.horiAdvance * freetype->scale;
}

double FontFace::Height() const {
    FT_Face face = freetype->face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double fontUnits = os2 != nullptr && os2->version != 0xFFFF
                                 ? static_cast<double>(os2->usWinAscent) + os2->usWinDescent
                                 : static_cast<double>(face->ascender) - face->descender;
    return std::round(fontUnits * freetype->scale);
}

std::string FontFace::FamilyName() const {
    const char* name = freetype->face->family_name;
    return name != nullptr ? name : "";
}

}  // namespace platform
