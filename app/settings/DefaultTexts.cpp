// Putting the built-in text tables into the language store.
#include "DefaultTexts.h"

#include "LanguageTexts.h"

#include <string>

namespace {

enum class TextLanguage { kEnglish, kChinese };

void FillTable(std::span<const DefaultText> table, TextLanguage language) {
    for (const DefaultText& entry : table) {
        const std::string_view text = language == TextLanguage::kEnglish ? entry.english : entry.chinese;
        SetLangText(std::string(entry.section), std::string(entry.key), std::string(text));
    }
}

}  // namespace

void SetDefaultMenuTextsEng() {
    FillTable(kMenuTexts, TextLanguage::kEnglish);
}

void SetDefaultDialogTextsEng() {
    FillTable(kDialogTexts, TextLanguage::kEnglish);
}

void SetDefaultMachineTextsEng() {
    FillTable(kMachineTexts, TextLanguage::kEnglish);
}

void SetDefaultMenuTextsChs() {
    FillTable(kMenuTexts, TextLanguage::kChinese);
}

void SetDefaultDialogTextsChs() {
    FillTable(kDialogTexts, TextLanguage::kChinese);
}

void SetDefaultMachineTextsChs() {
    FillTable(kMachineTexts, TextLanguage::kChinese);
}

void SetDefaultTextsEng() {
    SetDefaultMenuTextsEng();
    SetDefaultDialogTextsEng();
    SetDefaultMachineTextsEng();
}

void SetDefaultTextsChs() {
    SetDefaultMenuTextsChs();
    SetDefaultDialogTextsChs();
    SetDefaultMachineTextsChs();
}
