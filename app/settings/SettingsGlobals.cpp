// The program-wide settings values with their start values.
#include "SettingsGlobals.h"

std::uint16_t LanguageIndex = kLanguageSimplifiedChinese;
std::uint16_t FileFormatFlag = kCurrentLayout;
std::uint32_t ConfigReservedWord = 200;
std::uint16_t VerFlagA = 0;
std::uint16_t PenModeFlag = 0;
