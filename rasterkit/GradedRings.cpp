// Graded rings. A step's centres are the pixels that the step before set plus any pixel that held the
// step's value from the start; the picture is scanned only for steps whose value it held, so that a
// black and white picture costs one scan and then work in proportion to the rings.
#include "GradedRings.h"

#include <array>
#include <vector>


namespace rasterkit {
namespace {

struct Position {
    std::int32_t column;
    std::int32_t row;
};

class RingGrower {
  public:
    RingGrower(const Raster& raster, int steps) : raster_(raster), steps_(steps) {
        for (std::int32_t r = 0; r < raster.Height(); ++r) {
            const std::uint8_t* row = raster.Row(r);
            for (std::int32_t c = 0; c < raster.Width(); ++c) {
                present_[row[c]] = true;
            }
        }
    }

    void Grow() {
        for (int s = 1; s <= steps_; ++s) {
            const std::uint8_t centre = 255 - Level(s - 1);
            if (present_[centre]) {
                frontier_ = CentresByScan(centre);
            }
            std::vector<Position> next;
            const std::uint8_t ring = 255 - Level(s);
            for (const Position& position : frontier_) {
                if (position.row >= 1) {
                    Spread(position, ring, next);
                }
            }
            frontier_ = std::move(next);
        }
    }

  private:
    std::uint8_t Level(int s) const {
        return s >= steps_ ? 255 : static_cast<std::uint8_t>(s * (255 / steps_));
    }

    std::vector<Position> CentresByScan(std::uint8_t value) const {
        std::vector<Position> centres;
        for (std::int32_t r = 1; r < raster_.Height(); ++r) {
            const std::uint8_t* row = raster_.Row(r);
            for (std::int32_t c = 0; c < raster_.Width(); ++c) {
                if (row[c] == value) {
                    centres.push_back({c, r});
                }
            }
        }
        return centres;
    }

    void Spread(Position centre, std::uint8_t ring, std::vector<Position>& set) const {
        for (std::int32_t dy = -1; dy <= 1; ++dy) {
            const std::int32_t r = centre.row + dy;
            if (r >= raster_.Height()) {
                continue;
            }
            std::uint8_t* row = raster_.Row(r);
            for (std::int32_t dx = -1; dx <= 1; ++dx) {
                const std::int32_t c = centre.column + dx;
                if (c >= 0 && c < raster_.Width() && row[c] == 0) {
                    row[c] = ring;
                    set.push_back({c, r});
                }
            }
        }
    }

    const Raster& raster_;
    int steps_;
    std::array<bool, 256> present_{};
    std::vector<Position> frontier_;
};

}  // namespace

void GrowRings(const Raster& raster, int steps) {
    if (raster.Bits() != 8 || steps < 1) {
        return;
    }
    RingGrower(raster, steps).Grow();
}

}  // namespace rasterkit
