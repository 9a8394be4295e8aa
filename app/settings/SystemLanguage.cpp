#include "SystemLanguage.h"

#include <cstdlib>

#include "SettingsGlobals.h"

std::string SystemMessagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::uint16_t LanguageOfLocale(std::string_view locale) {
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return language == "zh" ? kLanguageSimplifiedChinese : kLanguageEnglish;
}
