// Normalisation of rectangles.
#include "GdiTypes.h"

#include <algorithm>

namespace platform {

Rect Rect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace platform
