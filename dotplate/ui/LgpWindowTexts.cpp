#include "LgpWindowTexts.h"

namespace dotplate::ui {

LgpDesigner& Designer() {
    return LgpDesigner::Instance();
}

QString Text(const char* section, const char* key) {
    const LgpDesigner& designer = Designer();
    std::string text = designer.texts.GetText(section, key);
    if (text.empty()) {
        text = BuiltInText(designer.languageIndex, section, key);
    }
    return QString::fromStdString(text);
}

}  // namespace dotplate::ui
