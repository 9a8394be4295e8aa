// The older docking bar: one sizing edge facing the frame's centre, dragged with a line tracker, and one
// child widget that fills the rest.
#pragma once

#include "SizingBarGeometry.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>

class QRubberBand;

class CResizableBar : public QDockWidget {
    Q_OBJECT

  public:
    static constexpr int kEdgeWidth = 5;
    static constexpr int kGripperMargin = 10;
    static constexpr int kOtherMargin = 2;

    CResizableBar(const QString& title, QMainWindow& frame);

    void SetChild(QWidget* child);
    void SetMinimumSizes(int width, int height);
    int BarWidth() const { return width_; }
    int BarHeight() const { return height_; }
    DockSide Side() const;
    // The edge band in bar coordinates; empty while floating.
    QRect EdgeRect() const;

    // The edge drag with screen points; a drag that ends without acceptance changes nothing.
    void BeginDrag(QPoint screenPoint);
    void DragTo(QPoint screenPoint);
    void EndDrag(bool accept);
    bool IsDragging() const { return tracker_ != nullptr; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void UpdateInsets();
    bool DragsAlongX() const;

    QPointer<QMainWindow> frame_;
    QWidget* container_;
    int minWidth_ = 32;
    int minHeight_ = 32;
    int width_ = 200;
    int height_ = 200;
    QPoint dragStart_;
    QPoint dragPoint_;
    QRubberBand* tracker_ = nullptr;
};
