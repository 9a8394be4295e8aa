// CPreviewCfgDlg: the preview's configuration dialog, where the seven colours and the anchor corner are
// picked. The caller fills the values, runs it and takes them back on OK only.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

#include "CornerCode.h"
#include "PreviewSettings.h"
#include "TextStore.h"

class CGradientBar;
class QLabel;
class QRadioButton;

class CPreviewCfgDlg : public QDialog {
  public:
    // Asked for a colour when a swatch is double-clicked; nothing when the user cancels.
    using ColorChooser = std::function<std::optional<platform::ColorRef>()>;

    CPreviewCfgDlg(const CTextStore& texts, QWidget* parent = nullptr);

    void SetValues(const simscope::PreviewColors& colors, std::uint32_t language, std::uint32_t anchorCorner);
    const simscope::PreviewColors& Colors() const { return colors_; }
    std::uint32_t AnchorCorner() const { return anchorCorner_; }
    void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

    // What a double-click on the swatch with that control id does.
    void PickColor(int swatchId);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Swatch {
        int id;
        platform::ColorRef simscope::PreviewColors::*color;
        QLabel* label = nullptr;
    };

    void ShowValues();
    void ShowSwatch(const Swatch& swatch);

    simscope::PreviewColors colors_;
    std::uint32_t language_ = 0;
    std::uint32_t anchorCorner_ = 3;
    std::vector<Swatch> swatches_;
    CGradientBar* drawBar_ = nullptr;
    CGradientBar* simulateBar_ = nullptr;
    std::vector<std::pair<QRadioButton*, std::uint32_t>> corners_;
    ColorChooser chooser_;
};
