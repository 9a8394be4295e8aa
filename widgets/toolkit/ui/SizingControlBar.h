// A docking panel whose size the user changes by dragging its edges while it is docked. It keeps its
// sizes and minimums per side (top or bottom, left or right) and while floating; the main window's
// dock layout places it, and row lengths and edge drags are applied through QMainWindow::resizeDocks.
#pragma once

#include "SizingBarGeometry.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <vector>

class QRubberBand;
class QSettings;

class CSizingControlBar : public QDockWidget {
    Q_OBJECT

  public:
    explicit CSizingControlBar(QWidget* parent = nullptr);

    // Joins the frame's dock layout with the title as object name and window title, and the id as
    // control id. `style` keeps the bar style bits (show edges, size the child).
    bool Create(const QString& title, QMainWindow* frame, int id, std::uint32_t style);
    // As above after setting all three sizes to `defaultSize`; the gripper argument is not used.
    bool Create(const QString& title, QMainWindow* frame, QSize defaultSize, bool withGripper, int id,
                std::uint32_t style);

    // The six sizes under "<profile>-SCBar-<id>", each raised to its minimum; missing keys keep the
    // current values.
    void LoadState(QSettings& profile, const QString& profileName);
    void SaveState(QSettings& profile, const QString& profileName) const;

    bool IsFloatingBar() const;
    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    DockSide Side() const;
    int BarId() const { return id_; }

    QSize HorzSize() const { return horzSize_; }
    QSize VertSize() const { return vertSize_; }
    QSize FloatSize() const { return floatSize_; }
    void SetMinimumSizes(QSize horz, QSize vert, QSize floating);
    // The current size for its side, never below that side's minimum.
    QSize CalcFixedSize() const;
    // Applies the stored size for the current side to the dock layout.
    void ApplySize();
    // Applies the size and renews the sizing edges of every bar of the frame.
    void Relayout();

    // Without full drag (the profile setting "Settings/FullDrag", on by default) the edge follows the
    // mouse as a line and the bars change size when the button is released.
    void SetFullDrag(bool fullDrag) { fullDrag_ = fullDrag; }
    bool IsTracking() const { return tracking_; }
    const QRubberBand* Tracker() const { return tracker_; }

    // The edge drag, with screen points.
    void BeginEdgeDrag(int hitCode, QPoint screenPoint);
    void DragEdgeTo(QPoint screenPoint);
    void EndEdgeDrag();
    // The hit code of a point of the bar (bar coordinates).
    int HitTest(QPoint point) const;

    // The first child widget fills the client area.
    void SetChild(QWidget* child);
    virtual bool HasGripper() const { return false; }

  protected:
    QMainWindow* Frame() const { return frame_; }
    // The container the bar's child widget goes in; its margins are the sizing edges.
    QWidget* Container() const { return container_; }
    std::uint32_t BarStyle() const { return barStyle_; }
    void SetBarStyle(std::uint32_t style) { barStyle_ = style; }
    // Called when the bar docks, floats or moves to another side.
    virtual void OnPlacementChanged();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::vector<CSizingControlBar*> RowBars() const;
    int IndexInRow(const std::vector<CSizingControlBar*>& row) const;
    Qt::Orientation RowOrientation() const;
    int RowLength() const;
    int MinRowLength() const;
    int Thickness() const;
    int TrackCoordinate(QPoint screenPoint) const;
    bool IsAcrossRowEdge() const;
    void MoveTracker();
    void ApplyDrag(int delta);
    void StoreLength(int length);
    void StoreThickness(int thickness);
    void UpdateEdges();

    QPointer<QMainWindow> frame_;
    int id_ = 0;
    std::uint32_t barStyle_ = 0;
    QSize horzSize_{200, 200};
    QSize vertSize_{200, 200};
    QSize floatSize_{200, 200};
    QSize minHorzSize_{33, 32};
    QSize minVertSize_{33, 32};
    QSize minFloatSize_{37, 32};
    bool fullDrag_ = true;
    bool tracking_ = false;
    int trackedEdge_ = 0;
    int trackedEdgeIndex_ = 0;  // across the row: the edge lies before this bar of the row
    int trackStart_ = 0;
    int trackPosition_ = 0;
    DragLimits trackLimits_;
    QRubberBand* tracker_ = nullptr;
    QWidget* container_ = nullptr;
};
