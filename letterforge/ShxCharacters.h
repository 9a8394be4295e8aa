// The characters of a line as the SHX renderers see them: each character of the UTF-8 text in GBK, one
// or two bytes (a big-font code is the two bytes read big-endian), or none when GBK lacks it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace letterforge {

struct ShxChar {
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::uint8_t byteCount = 0;  // 0: GBK has no such character

    bool IsByte(char byte) const { return byteCount == 1 && first == static_cast<std::uint8_t>(byte); }
    std::uint16_t BigFontCode() const { return static_cast<std::uint16_t>(first << 8 | second); }
};

std::vector<ShxChar> ToShxCharacters(std::string_view utf8Line);

}  // namespace letterforge
