// Filling the font lists.
#include "FontCombos.h"

#include "DialogMessages.h"
#include "DialogTexts.h"
#include "FontFamilies.h"
#include "LetterforgeIcons.h"
#include "ShxFontList.h"
#include "TextEdit.h"
#include "TextEntryRules.h"

namespace letterforge {
namespace {

// The face the SHX names are written in; fontconfig stands in its nearest match where it is missing.
constexpr const char* kShxNameFace = "Tahoma";

QFont PixelFont(const QString& family, int pixelHeight) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont CTrueTypeFontCombo::ItemFont(const QString& name) const {
    return PixelFont(name, ItemFontHeight());
}

void CTrueTypeFontCombo::Fill() {
    clear();
    const QIcon mark = TrueTypeFontIcon();
    for (const platform::FontFamily& family : platform::ListFontFamilies()) {
        addItem(family.trueType ? mark : QIcon(), QString::fromStdString(family.name), family.trueType);
    }
    setCurrentIndex(count() > 0 ? 0 : -1);
}

QIcon CTrueTypeFontCombo::IconOfUnlisted(const QString&) const {
    return {};
}

QFont CShxFontCombo::ItemFont(const QString&) const {
    return PixelFont(kShxNameFace, ItemFontHeight());
}

void CShxFontCombo::Fill() {
    clear();
    const std::vector<std::string> names = ListShxFonts();
    if (IsBigShxFontMissing()) {
        dialogkit::ShowDialogMessage(window(), DialogWordText(DialogWord::kBigFontMissing, DialogLanguage));
    }
    for (const std::string& name : names) {
        addItem(ShxFontIcon(IsDoubleByteShxFont(name)), QString::fromStdString(name));
    }
    setCurrentIndex(count() > 0 ? 0 : -1);
}

QIcon CShxFontCombo::IconOfUnlisted(const QString& name) const {
    return ShxFontIcon(IsDoubleByteShxFont(name.toStdString()));
}

}  // namespace letterforge
