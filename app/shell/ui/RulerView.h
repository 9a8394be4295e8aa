// The ruler panes beside the drawing view: each keeps the view's mapping, draws the millimetre ticks of
// the visible range and marks the cursor; the corner pane draws nothing of its own.
#pragma once

#include "RulerPane.h"
#include "RulerTicks.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

// The mapping as the drawing view gives it: originXMm and originYMm are the ruler values at the view's
// left and top pixel, extentXMm and extentYMm the signed change of the value across the view's width
// and height (negative where the value falls along the screen axis).
class CRulerView : public QWidget, public RulerPane {
    Q_OBJECT

  public:
    explicit CRulerView(QWidget* parent = nullptr);

    void SetOrientation(int orientation) override;
    int Orientation() const { return orientation_; }
    // Stores the mapping. Moving the marker keeps the ticks as they are; a repaint kind meant for this
    // ruler's orientation repaints at once; any other kind schedules a repaint.
    void SetMapping(int kind, const RulerMapping& mapping) override;
    const RulerMapping& Mapping() const { return mapping_; }
    // Where the marker is, in pixels along the ruler.
    int MarkerPosition() const { return markerPosition_; }
    // The tick spacing (mm) at the view's zoom; without it the ruler shows no ticks.
    void SetStepSource(std::function<double()> step) { step_ = std::move(step); }
    // The ticks as last laid out for painting.
    const std::vector<RulerTick>& Ticks() const { return ticks_; }
    // How often the ticks were laid out and drawn anew.
    int TickLayouts() const { return tickLayouts_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool IsHorizontal() const { return orientation_ == kRulerHorizontal; }
    void DrawTicks();

    int orientation_ = kRulerHorizontal;
    RulerMapping mapping_;
    int markerPosition_ = 0;
    bool markerShown_ = false;  // from the first position the view gives
    std::function<double()> step_;
    std::vector<RulerTick> ticks_;
    QImage tickImage_;
    bool ticksStale_ = true;
    int tickLayouts_ = 0;
};

class CRulerCornerView : public QWidget {
    Q_OBJECT

  public:
    explicit CRulerCornerView(QWidget* parent = nullptr);
};
