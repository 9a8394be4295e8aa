// A drop-down list of font names drawn by the list itself: an icon, then the name in a font of the
// list's choosing, in rows as high as the item font plus 4 pixels. The TrueType and SHX lists derive
// from it and say how to fill it and which font draws each name.
#pragma once

#include <string>

#include <QComboBox>
#include <QFont>

namespace letterforge {

class FontListCombo : public QComboBox {
    Q_OBJECT

  public:
    // Pixel height of the item font before the dialog sets its own.
    static constexpr int kDefaultItemFontHeight = 16;

    // Stores a new height and, with refill, fills the list again; the same height changes nothing.
    void SetItemFontHeight(int height, bool refill);
    int ItemFontHeight() const { return itemFontHeight_; }

    // Selects the entry of that name, compared ignoring case. A name the list lacks is kept as an entry
    // of its own at the top, so that opening and confirming a dialog never changes a text's font; an
    // empty name selects the first entry.
    void SelectFontName(const std::string& name);
    // The selected entry's name; empty when nothing is selected.
    std::string SelectedFontName() const;

    // The font that draws the entry's name.
    virtual QFont ItemFont(const QString& name) const = 0;

    void showPopup() override;

  protected:
    explicit FontListCombo(QWidget* parent);
    virtual void Fill() = 0;
    // The icon an entry of that name gets when it is not one of the list's own.
    virtual QIcon IconOfUnlisted(const QString& name) const = 0;

  private:
    int itemFontHeight_ = kDefaultItemFontHeight;
};

}  // namespace letterforge
