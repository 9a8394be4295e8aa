// A scalable font face found through fontconfig and read with FreeType: glyph presence, unhinted
// outlines at 16384 units per em, advances and the font height, the metrics a text layout needs.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "GlyphOutline.h"

namespace platform {

class FontFace {
  public:
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // fontconfig's best match for the family name (regular weight, upright); null when nothing
    // usable is installed.
    static std::unique_ptr<FontFace> OpenFamily(std::string_view family);
    // fontconfig's best match for the family among the faces that hold the character; when no face
    // holds it, the plain match for the family.
    static std::unique_ptr<FontFace> OpenFallback(std::string_view family, char32_t character);
    // The face at the index within a font file; null when FreeType cannot read it.
    static std::unique_ptr<FontFace> OpenFile(const std::string& path, int faceIndex);

    bool HasGlyph(char32_t character) const;
    // The character's outline, or the face's missing-glyph outline when it has none. False when
    // FreeType cannot load the glyph.
    bool LoadOutline(char32_t character, GlyphOutline& outline) const;
    // Windows ascent plus descent of the OS/2 table (ascender minus descender without one), in
    // outline units rounded to whole units.
    double Height() const;
    // The advance of the character's glyph, in outline units.
    double AdvanceX(char32_t character) const;
    std::string FamilyName() const;
    const std::string& FilePath() const { return path; }
    int FaceIndex() const { return index; }

  private:
    struct Handles;
    FontFace(std::unique_ptr<Handles> handles, std::string filePath, int faceIndex);

    std::unique_ptr<Handles> freetype;
    std::string path;
    int index;
};

}  // namespace platform
