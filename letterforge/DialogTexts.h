// The words of the text engine's own dialogs, in English and Chinese. The dialogs follow the language
// their caller passes rather than the program's language store: 0 asks for Chinese, any other value
// for English.
#pragma once

#include <string>

namespace letterforge {

// The dialogs that own captions; a control's caption is found by its dialog and its id.
enum class TextDialog { kText, kDate, kSerial, kSerialExtend };

// The captions' key for a window's title.
inline constexpr int kWindowTitle = 0;

// The caption of the control, or empty when it has none.
std::string DialogCaption(TextDialog dialog, int controlId, int language);

// Entries of lists and messages, which belong to no one control.
enum class DialogWord {
    kKindDate,
    kKindSerial,
    kOffsetDays,
    kOffsetMonths,
    kOffsetYears,
    kNoText,
    kUnsupportedCharacter,
    kBigFontMissing,
};
std::string DialogWordText(DialogWord word, int language);

}  // namespace letterforge
