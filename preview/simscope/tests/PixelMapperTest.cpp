// The fast conversion gives exactly the device context's pixels.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "PixelMapper.h"
#include "ViewMapping.h"

namespace simscope {
namespace {

TEST(PixelMapper, AgreesWithTheMappingForEveryViewAndPoint) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> anywhere(std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max());
    std::uniform_int_distribution<std::int32_t> near(-200000, 200000);
    for (const double scale : {0.1, 0.102, 1.0, 3.458, 127.3, 5000.0, 250000.0, 1000000.0}) {
        for (const std::int32_t pan : {0, -37, 1000}) {
            ViewState view{scale, pan, -pan};
            const platform::Mapping mapping = ViewMappingFor({1013, 707}, view);
            const PixelMapper mapper(mapping);
            for (int sample = 0; sample < 2000; ++sample) {
                const platform::Point point =
                    sample % 2 == 0 ? platform::Point{anywhere(random), anywhere(random)} : platform::Point{near(random), near(random)};
                ASSERT_EQ(mapper.ToDevice(point), mapping.LPtoDP(point)) << scale << " " << point.x << "," << point.y;
            }
        }
    }
}

TEST(PixelMapper, RoundsHalvesAwayFromZeroAsTheMappingDoes) {
    ViewState view{0.2, 0, 0};  // 5 pixels per micrometre: no halves; 2 um per pixel: halves
    for (const double scale : {0.2, 2.0}) {
        view.scale = scale;
        const platform::Mapping mapping = ViewMappingFor({100, 100}, view);
        const PixelMapper mapper(mapping);
        for (std::int32_t value = -9; value <= 9; ++value) {
            EXPECT_EQ(mapper.ToDevice({value, value}), mapping.LPtoDP({value, value})) << scale << " " << value;
        }
    }
}

}  // namespace
}  // namespace simscope
