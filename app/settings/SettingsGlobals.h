// Program-wide values that the settings files carry beside the settings records: the interface
// language, the layout flag of the records being read, and the flags of "VerCFG".
#pragma once

#include <cstdint>
#include <string_view>

// 0 Simplified Chinese, 1 Traditional Chinese, 2 English, 3 the further language.
extern std::uint16_t LanguageIndex;
constexpr std::uint16_t kLanguageSimplifiedChinese = 0;
constexpr std::uint16_t kLanguageTraditionalChinese = 1;
constexpr std::uint16_t kLanguageEnglish = 2;
constexpr std::uint16_t kLanguageOther = 3;
constexpr std::uint16_t kLastLanguageIndex = kLanguageOther;

// Which layout the readers of layer records and output options expect: 1 the current one, 0 the older
// one. Set by whoever starts reading a "config", "lpara" or document file.
extern std::uint16_t FileFormatFlag;
constexpr std::uint16_t kCurrentLayout = 1;
constexpr std::uint16_t kOlderLayout = 0;

// Stored in "config" and read back; nothing else uses it.
extern std::uint32_t ConfigReservedWord;

// The second and third words of "VerCFG"; PenModeFlag 1 enables the pen work mode of layers.
extern std::uint16_t VerFlagA;
extern std::uint16_t PenModeFlag;

// The first word of "VerCFG", always written as this and never checked.
constexpr std::uint16_t kCardVersionWord = 320;

// The version string of "config" and of document files; compared without regard to case.
constexpr std::string_view kFileVersionString = "ZintFILEVER2.0";
