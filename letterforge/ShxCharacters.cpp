// UTF-8 to GBK, one character at a time, so that a character GBK lacks stays one character.
#include "ShxCharacters.h"

#include <optional>
#include <string>

#include "GbkText.h"
#include "TextLines.h"

namespace letterforge {

std::vector<ShxChar> ToShxCharacters(std::string_view utf8Line) {
    std::vector<ShxChar> characters;
    for (std::size_t position = 0; position < utf8Line.size();) {
        const std::size_t start = position;
        if (static_cast<unsigned char>(utf8Line[position]) < 0x80) {
            characters.push_back({static_cast<std::uint8_t>(utf8Line[position++]), 0, 1});
            continue;
        }
        NextCharacter(utf8Line, position);
        const std::optional<std::string> gbk = platform::Utf8ToGbk(utf8Line.substr(start, position - start));
        ShxChar character;
        if (gbk && (gbk->size() == 1 || gbk->size() == 2)) {
            character.first = static_cast<std::uint8_t>((*gbk)[0]);
            character.second = gbk->size() == 2 ? static_cast<std::uint8_t>((*gbk)[1]) : 0;
            character.byteCount = static_cast<std::uint8_t>(gbk->size());
        }
        characters.push_back(character);
    }
    return characters;
}

}  // namespace letterforge
