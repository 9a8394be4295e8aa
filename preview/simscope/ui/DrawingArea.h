// The drawing area of the simulation window (control 1000): shows the picture it is given inside its
// 2-pixel frame, and reports wheel, drag, double-click and right-click to the dialog, which owns the view.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class DrawingArea : public QWidget {
  public:
    struct Handlers {
        std::function<void(QPoint at, int delta)> wheel;
        std::function<void(QPoint delta)> drag;
        std::function<void()> doubleClick;
        std::function<void(QPoint globalAt)> rightClick;
        std::function<void()> resized;
        // The picture to show: the static raster or, while playing, the playback canvas.
        std::function<QImage()> picture;
    };

    explicit DrawingArea(QWidget* parent = nullptr);
    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    Handlers handlers_;
    bool dragging_ = false;
    QPoint lastDrag_;
};
