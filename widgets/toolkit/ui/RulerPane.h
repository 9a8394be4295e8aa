// What the ruler splitter needs of its ruler panes: their orientation and the view's mapping. The ruler
// panes themselves belong to the application shell, which implements this.
#pragma once

#include <cstdint>

// The view's mapping as the rulers receive it: the visible range in millimetres, the scale, and the
// cursor in view pixels.
struct RulerMapping {
    double originXMm = 0;
    double originYMm = 0;
    double extentXMm = 0;
    double extentYMm = 0;
    double pixelsPerMmX = 1;
    double pixelsPerMmY = 1;
    std::int32_t cursorX = 0;
    std::int32_t cursorY = 0;

    friend bool operator==(const RulerMapping&, const RulerMapping&) = default;
};

// The kinds of a mapping update: repaint the horizontal ruler, repaint the vertical ruler, or move only
// the cursor marker.
enum RulerUpdateKind : int {
    kRulerRepaintHorizontal = 1,
    kRulerRepaintVertical = 2,
    kRulerMoveMarker = 3,
};

// Orientation of a ruler pane.
enum RulerOrientation : int {
    kRulerVertical = 0,
    kRulerHorizontal = 1,
};

class RulerPane {
  public:
    virtual ~RulerPane() = default;
    virtual void SetOrientation(int orientation) = 0;
    virtual void SetMapping(int kind, const RulerMapping& mapping) = 0;
};
