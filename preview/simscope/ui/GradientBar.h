// CGradientBar: a bar showing the ramp between two colours in bands, in the configuration dialog.
#pragma once

#include <QWidget>

#include "GdiTypes.h"

class CGradientBar : public QWidget {
  public:
    explicit CGradientBar(QWidget* parent = nullptr);

    void SetColors(platform::ColorRef start, platform::ColorRef end);
    platform::ColorRef StartColor() const { return start_; }
    platform::ColorRef EndColor() const { return end_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    platform::ColorRef start_ = platform::Rgb(255, 0, 0);
    platform::ColorRef end_ = platform::Rgb(0, 0, 255);
};
