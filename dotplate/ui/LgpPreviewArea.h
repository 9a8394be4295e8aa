// The designer's preview area: paints the plate through an off-screen picture kept 2 pixels inside
// the area, fits the view on first paint and on the right button, zooms with the wheel and drags the
// baseline with the left button.
#pragma once

#include <QImage>
#include <QWidget>

#include "LgpPreview.h"

namespace dotplate::ui {

class CLgpPreviewArea : public QWidget {
    Q_OBJECT

  public:
    explicit CLgpPreviewArea(QWidget* parent = nullptr);

    void FitToPlate();
    const LgpPreviewView& View() const { return view_; }
    // The whole area as a paint shows it.
    QImage Render();

  signals:
    // The baseline was dragged to (x, y) mm from the plate's centre.
    void baselineDragged(double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    platform::Size AreaSize() const;
    SDPoint CrossOnArea() const;
    void FitIfNew();

    LgpPreviewView view_;
    bool fitted_ = false;
};

}  // namespace dotplate::ui
