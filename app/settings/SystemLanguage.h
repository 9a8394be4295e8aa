// The interface language a first start takes from the system: a person who has never chosen one reads
// the language the desktop speaks, or English, never texts that the machine may have no font for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The locale name that decides messages: LC_ALL, else LC_MESSAGES, else LANG (the first one set).
std::string SystemMessagesLocale();

// Simplified Chinese for a Chinese locale ("zh", "zh_CN.UTF-8", "zh_TW"), English for every other.
std::uint16_t LanguageOfLocale(std::string_view locale);
