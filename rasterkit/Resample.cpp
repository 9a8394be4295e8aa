// Nearest-neighbour resampling with the source columns found once per picture, not per pixel.
#include "Resample.h"

#include <algorithm>
#include <cstring>

namespace rasterkit {
namespace {

void ResampleRow(const std::uint8_t* from, std::uint8_t* to, const std::vector<std::int32_t>& columns,
                 std::uint16_t bits) {
    const auto width = static_cast<std::int32_t>(columns.size());
    switch (bits) {
        case 8:
            for (std::int32_t j = 0; j < width; ++j) {
                to[j] = from[columns[j]];
            }
            return;
        case 24:
            for (std::int32_t j = 0; j < width; ++j) {
                std::memcpy(to + 3 * static_cast<std::size_t>(j), from + 3 * static_cast<std::size_t>(columns[j]), 3);
            }
            return;
        case 1:
            // Whole bytes of eight pixels at a time; the last byte keeps its padding bits.
            for (std::int32_t j = 0; j < width; j += 8) {
                std::uint8_t byte = to[j >> 3];
                for (std::int32_t k = 0; k < 8 && j + k < width; ++k) {
                    const std::int32_t c = columns[j + k];
                    const auto mask = static_cast<std::uint8_t>(0x80 >> k);
                    byte = ((from[c >> 3] >> (7 - (c & 7))) & 1) != 0 ? byte | mask : byte & ~mask;
                }
                to[j >> 3] = byte;
            }
            return;
        default:
            for (std::int32_t j = 0; j < width; ++j) {
                MovePixel(from, columns[j], to, j, bits);
            }
    }
}

}  // namespace

std::vector<std::int32_t> NearestSourceIndexes(std::int32_t sourceCount, std::int32_t newCount) {
    std::vector<std::int32_t> indexes(static_cast<std::size_t>(std::max(newCount, 0)));
    const double ratio = static_cast<double>(sourceCount) / newCount;
    for (std::int32_t j = 0; j < newCount; ++j) {
        indexes[j] = static_cast<std::int32_t>(std::min(ratio * j + 0.5, sourceCount - 1.0));
    }
    return indexes;
}

void ResamplePixels(const ConstRaster& from, const Raster& to) {
    const std::vector<std::int32_t> columns = NearestSourceIndexes(from.Width(), to.Width());
    const std::vector<std::int32_t> rows = NearestSourceIndexes(from.Height(), to.Height());
    for (std::int32_t i = 0; i < to.Height(); ++i) {
        ResampleRow(from.Row(rows[i]), to.Row(i), columns, from.Bits());
    }
}

}  // namespace rasterkit
