// Writes small SHX fonts for tests, from the byte layouts the readers expect: the index layout, the
// sequential layout of the five double-byte fonts, and the big font.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string_view>
#include <vector>

namespace letterforge::testing {

using Definition = std::vector<std::uint8_t>;
using Shapes = std::map<std::uint16_t, Definition>;

// Header text, u16 count, (code, length) index in ascending code order, the definitions.
std::vector<std::uint8_t> IndexLayoutFont(const Shapes& shapes);
// Signature block, two unused words, font information, then (code, length, definition) records.
std::vector<std::uint8_t> SequentialLayoutFont(const Shapes& shapes);
// Signature block, header word 8, count, one range, then (code, length, offset) entries and the
// definitions.
std::vector<std::uint8_t> BigFont(const Shapes& shapes);

// Writes the bytes as fonts/<name> of the program folder and returns the file's path.
std::filesystem::path InstallFont(std::string_view name, const std::vector<std::uint8_t>& bytes);

}  // namespace letterforge::testing
