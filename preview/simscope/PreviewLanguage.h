// The preview's own language files ("Preview_chs.ini", "Preview_cht.ini", "Preview_eng.ini",
// "Preview_other.ini" in the program folder) and its texts, section "PreView", keys "0".."32".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "TextStore.h"

namespace simscope {

inline constexpr const char* kTextSection = "PreView";
constexpr int kTextCount = 33;

// By language index: 0 chs, 1 cht, 2 eng, 3 other, any other index chs.
std::string_view LanguageFileName(std::uint32_t language);

// The built-in text of a key: Chinese for language 0, English for every other index.
std::string_view DefaultText(int key, std::uint32_t language);

// Reads the language's file into the store. When it cannot be read, puts the built-in texts into the
// store and writes them as that file; an existing file is never completed with missing keys.
void LoadPreviewTexts(CTextStore& store, const std::filesystem::path& folder, std::uint32_t language);

// The text of a key; empty when the key is missing.
std::string PreviewText(const CTextStore& store, int key);

}  // namespace simscope
