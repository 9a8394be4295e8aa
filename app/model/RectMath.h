// Small rectangle helpers shared by the drawing manager's commands.
#pragma once

#include <algorithm>

#include "CadRect.h"

// The rectangle normalised and grown by `by` on every side.
inline CCadRect GrownNormalised(CCadRect rect, double by) {
    rect.Normalize();
    rect.x1 -= by;
    rect.y1 -= by;
    rect.x2 += by;
    rect.y2 += by;
    return rect;
}

// The extent of several rectangles: the first taken as it is, each further one normalised and merged,
// the result normalised after every merge.
class RectUnion {
  public:
    void Add(CCadRect rect) {
        if (!any_) {
            result_ = rect;
            any_ = true;
            return;
        }
        rect.Normalize();
        result_.x1 = std::min(result_.x1, rect.x1);
        result_.y1 = std::min(result_.y1, rect.y1);
        result_.x2 = std::max(result_.x2, rect.x2);
        result_.y2 = std::max(result_.y2, rect.y2);
        result_.Normalize();
    }
    bool Any() const { return any_; }
    // The extent; `none` when nothing was added.
    CCadRect Result(const CCadRect& none) const { return any_ ? result_ : none; }

  private:
    bool any_ = false;
    CCadRect result_;
};
