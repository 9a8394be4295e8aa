// The ruler panes beside the drawing view: each keeps the view's mapping and the cursor marker; the
// corner pane draws nothing of its own.
#pragma once

#include "RulerPane.h"

#include <QWidget>

class CRulerView : public QWidget, public RulerPane {
    Q_OBJECT

  public:
    explicit CRulerView(QWidget* parent = nullptr);

    void SetOrientation(int orientation) override { orientation_ = orientation; }
    int Orientation() const { return orientation_; }
    // Stores the mapping. Moving the marker changes nothing else; a repaint kind meant for this ruler's
    // orientation repaints at once; any other kind schedules a repaint.
    void SetMapping(int kind, const RulerMapping& mapping) override;
    const RulerMapping& Mapping() const { return mapping_; }
    // Where the marker is, in pixels along the ruler.
    int MarkerPosition() const { return markerPosition_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int orientation_ = kRulerHorizontal;
    RulerMapping mapping_;
    int markerPosition_ = 0;
};

class CRulerCornerView : public QWidget {
    Q_OBJECT

  public:
    explicit CRulerCornerView(QWidget* parent = nullptr);
};
