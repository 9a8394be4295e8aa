// Logical-to-device conversion of a mapping, exactly as Mapping::LPtoDP rounds it, without its 128-bit
// division: the static drawing converts every point of a job on each view change.
#pragma once

#include <cmath>
#include <cstdint>

#include "Mapping.h"

namespace simscope {

class PixelMapper {
  public:
    explicit PixelMapper(const platform::Mapping& mapping);

    platform::Point ToDevice(platform::Point logical) const {
        return {x_.Map(logical.x), y_.Map(logical.y)};
    }

  private:
    // device = round((value - from) x to / fromExtent) + origin, halves away from zero, clamped to 32 bits.
    // Products stay far inside 2^53 as long as both extents are below 2^20, which the preview's mapping
    // (viewport 10000) keeps; a double quotient is then off by at most one and is corrected exactly.
    struct Axis {
        std::int64_t fromOrigin = 0;
        std::int64_t numerator = 1;    // sign folded so that the denominator is positive
        std::int64_t denominator = 1;  // > 0
        std::int64_t toOrigin = 0;
        double inverse = 1.0;          // 1 / (2 x denominator)

        std::int32_t Map(std::int32_t value) const {
            const std::int64_t product = (value - fromOrigin) * numerator;
            const std::int64_t magnitude = product < 0 ? -product : product;
            const std::int64_t twice = 2 * magnitude + denominator;
            const std::int64_t divisor = 2 * denominator;
            std::int64_t quotient = static_cast<std::int64_t>(static_cast<double>(twice) * inverse);
            if (quotient * divisor > twice) {
                --quotient;
            } else if ((quotient + 1) * divisor <= twice) {
                ++quotient;
            }
            const std::int64_t device = (product < 0 ? -quotient : quotient) + toOrigin;
            return static_cast<std::int32_t>(device < INT32_MIN ? INT32_MIN : (device > INT32_MAX ? INT32_MAX : device));
        }
    };

    static Axis AxisOf(std::int32_t fromOrigin, std::int32_t fromExtent, std::int32_t toOrigin,
                       std::int32_t toExtent);

    Axis x_;
    Axis y_;
};

}  // namespace simscope
