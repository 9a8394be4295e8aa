// Fast logical-to-device conversion.
#include "PixelMapper.h"

#include <cstdlib>

namespace simscope {

PixelMapper::PixelMapper(const platform::Mapping& mapping)
    : x_(AxisOf(mapping.WindowOrg().x, mapping.WindowExt().width, mapping.ViewportOrg().x,
                mapping.ViewportExt().width)),
      y_(AxisOf(mapping.WindowOrg().y, mapping.WindowExt().height, mapping.ViewportOrg().y,
                mapping.ViewportExt().height)) {}

PixelMapper::Axis PixelMapper::AxisOf(std::int32_t fromOrigin, std::int32_t fromExtent, std::int32_t toOrigin,
                                      std::int32_t toExtent) {
    Axis axis;
    axis.fromOrigin = fromOrigin;
    axis.toOrigin = toOrigin;
    axis.numerator = fromExtent < 0 ? -std::int64_t{toExtent} : std::int64_t{toExtent};
    axis.denominator = std::llabs(std::int64_t{fromExtent});
    axis.inverse = 1.0 / (2.0 * static_cast<double>(axis.denominator));
    return axis;
}

}  // namespace simscope
