// The text dialog's two font lists: the TrueType and OpenType families of the machine, each name in its
// own face, and the SHX fonts of the program's fonts/ folder, each marked as a double-byte stroke font
// or not.
#pragma once

#include "FontListCombo.h"

namespace letterforge {

class CTrueTypeFontCombo final : public FontListCombo {
    Q_OBJECT

  public:
    explicit CTrueTypeFontCombo(QWidget* parent = nullptr) : FontListCombo(parent) {}
    QFont ItemFont(const QString& name) const override;

  protected:
    // Every scalable family fontconfig knows; the TrueType and OpenType ones carry the TrueType mark.
    void Fill() override;
    QIcon IconOfUnlisted(const QString& name) const override;
};

class CShxFontCombo final : public FontListCombo {
    Q_OBJECT

  public:
    explicit CShxFontCombo(QWidget* parent = nullptr) : FontListCombo(parent) {}
    QFont ItemFont(const QString& name) const override;

  protected:
    // The .shx files of fonts/; tells the operator, each time, when the big font BIG.SHX is missing.
    void Fill() override;
    QIcon IconOfUnlisted(const QString& name) const override;
};

}  // namespace letterforge
