// The drawing view: the widget that shows the drawing manager's canvas picture and hands it the mouse,
// the wheel and the arrow keys. It owns the picture the manager paints on through client contexts, and
// takes the manager's posted messages as window message events.
#pragma once

#include <QWidget>

#include <memory>

#include "OwnerWindow.h"
#include "QImageBackend.h"
#include "RulerPane.h"
#include "SDPoint.h"
#include "WindowMessage.h"

class CCadMgr;

class CCutrixView : public QWidget, public platform::OwnerWindow {
    Q_OBJECT

  public:
    // The view of `manager` (theCadMgr in the program).
    explicit CCutrixView(CCadMgr& manager, QWidget* parent = nullptr);
    ~CCutrixView() override;

    // Nudge step (mm) and turn (degrees) of the arrow keys; Shift multiplies both by the factor.
    double nudgeStepMm = 1.0;
    double nudgeDegrees = 1.0;
    double shiftFactor = 10.0;

    // OwnerWindow.
    void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) override;
    platform::ClientRect GetClientRect() const override;
    void RequestRepaint() override;
    platform::DeviceContext GetClientDC() override;
    // Qt keeps the mouse with the widget while a button is held, which is all the tools need.
    void SetCapture() override {}
    void ReleaseCapture() override {}
    platform::Point GetCursorPos() const override;

    const QImage& Picture() const { return picture_->Image(); }
    // The cursor resource shown for the current tool mode.
    int ShownCursor() const { return shownCursor_; }

    // The rulers' mapping of the drawing as this view shows it, with the cursor at `cursor` (client
    // pixels): millimetres counted from the machine origin's corner of the page.
    RulerMapping CurrentRulerMapping(QPoint cursor);
    // The page point under a client pixel in mm as a person reads it: counted from the origin corner, as
    // the rulers and the property bar count.
    SDPoint PageMm(QPoint viewPoint);
    // The rulers' tick spacing (mm) at the current zoom; 0 before the view owns the drawing.
    double RulerStep();
    // Hands the rulers the mapping (kind: a RulerUpdateKind); nothing before the view owns the drawing.
    void UpdateRulers(int kind, QPoint cursor);

  signals:
    // Also sent from within a paint: receivers that paint connect queued.
    void RulersChanged(int kind, const RulerMapping& mapping);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // Paints the picture afresh when it is stale; the first paint makes this view the owner.
    void RefreshPicture();
    bool ForwardArrowKey(QKeyEvent* event, bool pressed);
    // The text tool: the text dialog on the parameters of new texts, then the text at the click.
    void PlaceTextAt(QPoint at);
    // A double click on the one selected element edits it when it is a text; false otherwise.
    bool EditSelectedText();
    void ShowToolCursor();

    CCadMgr& manager_;
    platform::WindowMessageSink sink_;
    std::unique_ptr<platform::QImageBackend> picture_;
    bool stale_ = true;
    bool painting_ = false;
    RulerMapping paintedMapping_;
    int shownCursor_ = -1;
    bool dialogClick_ = false;  // the left button went down on a click that opened the text dialog
};
