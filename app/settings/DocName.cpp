// Controller document name checks and their fixed messages.
#include "DocName.h"

#include "GbkText.h"
#include "SettingsGlobals.h"

#include <optional>
#include <string>

namespace {

struct Refusal {
    std::string_view chinese;
    std::string_view english;
};

constexpr Refusal kEmptyName = {"文档名不能为空!", "Document name is empty!"};
constexpr Refusal kTooLong = {"文档名长度最大为8个英文、数字,或4个中文字符!", "Document name is too long!"};
constexpr Refusal kBadCharacter = {"文档名必须为(0-9)或(A-Z)或中文字符!",
                                   "Document name must be (0-9) or (A-Z)!"};

// In UTF-8 an ASCII byte is always a character of its own, so a plain byte search cannot hit the inside
// of a Chinese character.
constexpr std::string_view kForbiddenCharacters = "/\\\":*?<>|\t ";

int Refuse(const Refusal& refusal, platform::MessageSink& messages) {
    const std::string_view text =
        LanguageIndex == kLanguageSimplifiedChinese ? refusal.chinese : refusal.english;
    messages.ShowMessageBox(text, "", platform::kOk);
    return 0;
}

}  // namespace

int CheckDocName(std::string_view name, platform::MessageSink& messages) {
    if (name.empty()) {
        return Refuse(kEmptyName, messages);
    }
    const std::optional<std::string> controllerText = platform::Utf8ToGbk(name);
    if (!controllerText) {
        return Refuse(kBadCharacter, messages);
    }
    if (controllerText->size() > kMaxDocNameBytes) {
        return Refuse(kTooLong, messages);
    }
    if (name.find_first_of(kForbiddenCharacters) != std::string_view::npos) {
        return Refuse(kBadCharacter, messages);
    }
    return 1;
}
