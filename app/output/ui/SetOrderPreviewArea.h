// The cutting-order dialog's preview area (control 1009): paints the drawing through a device context on
// an off-screen picture, pans or draws a rubber band with the left button, zooms with the wheel, and
// picks elements by press, band or double click.
#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "DeviceContext.h"
#include "SetOrderPreview.h"

class CDlgSetOrder;
class QImage;

namespace output::ui {

class SetOrderPreviewArea : public QWidget {
    Q_OBJECT

  public:
    SetOrderPreviewArea(::CDlgSetOrder& lists, QWidget* parent);

    void Fit();
    void SetSelectMode(bool on) { selectMode_ = on; }
    bool SelectMode() const { return selectMode_; }
    const SetOrderPreview& Preview() const { return preview_; }
    // Paints the picture again from the lists and shows it.
    void Refresh();
    // The picture as the area shows it now, band included.
    const QImage& Picture() const;

  signals:
    // The selection of a list changed through the preview.
    void selectionPicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    platform::DeviceContext MappedContext() const;
    // Draws the band from the press point to `corner` in not-XOR, so that drawing it again erases it.
    void DrawBand(platform::Point corner);

    ::CDlgSetOrder& lists_;
    SetOrderPreview preview_;
    std::unique_ptr<platform::DeviceContext> picture_;
    bool fitted_ = false;
    bool selectMode_ = false;
    bool buttonDown_ = false;
    platform::Point pressPoint_{0, 0};
    platform::Point lastPoint_{0, 0};
    std::optional<platform::Point> bandCorner_;  // the band now on the picture
};

}  // namespace output::ui
