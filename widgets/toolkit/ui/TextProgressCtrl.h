// The progress bar of every progress window: a red-to-blue gradient up to the position with the
// percentage written over its middle.
#pragma once

#include "ProgressBands.h"

#include <QImage>
#include <QProgressBar>

class CTextProgressCtrl : public QProgressBar {
    Q_OBJECT

  public:
    explicit CTextProgressCtrl(QWidget* parent = nullptr);

    // Stores the range and moves the position to its lower end.
    void SetRange(std::int32_t lower, std::int32_t upper);
    void SetPos(std::int32_t position);
    std::int32_t GetPos() const { return range_.position; }

    // The bar's two gradient colours (0x00BBGGRR).
    void SetBarColors(platform::ColorRef start, platform::ColorRef end);
    void SetBkColor(platform::ColorRef color) { colors_.background = color; }
    void SetTextColor(platform::ColorRef color) { textColor_ = color; }
    void SetShowText(bool show) { showText_ = show; }

    // What a paint shows at the current size.
    QImage Render() const;
    // The percentage text as painted; empty when the face is empty.
    QString PaintedText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ProgressRange range_;
    ProgressColors colors_;
    platform::ColorRef textColor_ = platform::Rgb(255, 255, 255);
    bool showText_ = true;
};
