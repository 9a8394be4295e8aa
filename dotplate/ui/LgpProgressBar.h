// CLgpProgressBar: the progress bar of the designer's worker dialogs: the toolkit's colour bands up to
// the position (red to blue unless set otherwise) and the percentage in white over them.
#pragma once

#include <QImage>
#include <QProgressBar>

#include "ProgressBands.h"

namespace dotplate::ui {

class CLgpProgressBar : public QProgressBar {
    Q_OBJECT

  public:
    explicit CLgpProgressBar(QWidget* parent = nullptr);

    // Stores the range and moves the position to its lower end.
    void SetRange(std::int32_t lower, std::int32_t upper);
    void SetPos(std::int32_t position);
    // The start and end colours of the bands (0x00BBGGRR).
    void SetBarColors(platform::ColorRef start, platform::ColorRef end);

    // What a paint shows at the current size, and its percentage text (empty for an empty face).
    QImage Render() const;
    QString PaintedText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ProgressRange range_;
    ProgressColors colors_;
};

}  // namespace dotplate::ui
