// CPageDlg: page size, grid, the view's keyboard steps and the three canvas colours over the page form.
// A colour is chosen on its swatch and reaches the drawing only with OK.
#pragma once

#include <array>
#include <cstdint>

#include "PageForm.h"
#include "RecordDialog.h"

class QPushButton;

namespace dialogs::edit::ui {

class CPageDlg : public dialogkit::RecordDialog<PageForm> {
  public:
    CPageDlg(QWidget* parent, const PageRecord& record, Applier apply);

    // What the swatch of the id shows now (0x00BBGGRR).
    std::uint32_t SwatchColour(int swatchId) const;
    // Sets a swatch's colour as the colour chooser does when the user confirms.
    void ChooseColour(int swatchId, std::uint32_t colour);

  private:
    struct Swatch {
        int id;
        std::uint32_t colour;
        QPushButton* button;
    };
    static std::size_t SwatchIndex(int swatchId);
    Swatch& SwatchOf(int swatchId);
    void Paint(const Swatch& swatch);
    void AskColour(int swatchId);
    void StoreColours(PageRecord& record) const;

    std::array<Swatch, 3> swatches_;
};

}  // namespace dialogs::edit::ui
