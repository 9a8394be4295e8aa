// The built-in interface texts in English and Simplified Chinese, keyed by section and key like the
// language files. The tables are generated at build time from the files in texts/.
#pragma once

#include <span>
#include <string_view>

struct DefaultText {
    std::string_view section;
    std::string_view key;
    std::string_view english;
    std::string_view chinese;  // Simplified Chinese
};

// Each table in the order in which it is filled: the menu table ("Menu" and "MenuPrompt"), the dialog
// table (dialogs, panels and messages) and the machine table (the machine parameter pages).
extern const std::span<const DefaultText> kMenuTexts;
extern const std::span<const DefaultText> kDialogTexts;
extern const std::span<const DefaultText> kMachineTexts;

// Each puts one table into the language store, entry by entry in table order.
void SetDefaultMenuTextsEng();
void SetDefaultDialogTextsEng();
void SetDefaultMachineTextsEng();
void SetDefaultMenuTextsChs();
void SetDefaultDialogTextsChs();
void SetDefaultMachineTextsChs();

// The three tables of one language, menus first. The English set is always filled first, so sections
// and keys stand in its order whatever the language; the Chinese set then only replaces texts.
void SetDefaultTextsEng();
void SetDefaultTextsChs();
