// The scalable font families fontconfig knows: the names a text's face can be opened by.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct FontFamily {
    std::string name;
    // True when some face of the family is TrueType or OpenType (the glyph formats texts are built
    // from); a family of other scalable formats only is listed all the same.
    bool trueType = false;
};

// Each family once, by its first (primary) name, sorted ignoring case; empty when fontconfig cannot
// start.
std::vector<FontFamily> ListFontFamilies();

}  // namespace platform
