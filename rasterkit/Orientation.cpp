// Quarter turns and mirrors. Pixels move whole; turns walk the picture in square tiles so that the
// strided side of the copy stays in the cache.
#include <algorithm>
#include <cmath>
#include <vector>

#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr std::int32_t kTile = 64;

enum class QuarterTurn { None, Left, Half, Right };

// Degrees brought into 0..360 and rounded to the nearest quarter turn: below 45 and from 315 on none.
std::optional<QuarterTurn> QuarterTurnOf(double degrees) {
    if (!std::isfinite(degrees)) {
        return std::nullopt;
    }
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0.0) {
        angle += 360.0;
    }
    if (angle < 45.0 || angle >= 315.0) {
        return QuarterTurn::None;
    }
    if (angle < 135.0) {
        return QuarterTurn::Left;
    }
    return angle < 225.0 ? QuarterTurn::Half : QuarterTurn::Right;
}

struct StoredPixel {
    std::int32_t column;
    std::int32_t row;
};

// Where the source pixel of destination pixel (column, stored row) lies, for a W x H source. The turns
// move picture pixel (x, y), y from the top: a left turn to (y, W-1-x), a half turn to (W-1-x, H-1-y), a
// right turn to (H-1-y, x).
StoredPixel SourceOf(QuarterTurn turn, std::int32_t column, std::int32_t row, std::int32_t width,
                     std::int32_t height) {
    switch (turn) {
        case QuarterTurn::Left:
            return {row, height - 1 - column};
        case QuarterTurn::Half:
            return {width - 1 - column, height - 1 - row};
        case QuarterTurn::Right:
            return {width - 1 - row, column};
        case QuarterTurn::None:
            break;
    }
    return {column, row};
}

// 1-bit pictures: each destination byte gathers its eight pixels at once; padding bits stay set, as in a
// new bitmap.
void TurnBits(const ConstRaster& from, const Raster& to, QuarterTurn turn) {
    for (std::int32_t rowTile = 0; rowTile < to.Height(); rowTile += kTile) {
        for (std::int32_t columnTile = 0; columnTile < to.Width(); columnTile += 8 * kTile) {
            const std::int32_t rowEnd = std::min(rowTile + kTile, to.Height());
            const std::int32_t columnEnd = std::min(columnTile + 8 * kTile, to.Width());
            for (std::int32_t r = rowTile; r < rowEnd; ++r) {
                std::uint8_t* row = to.Row(r);
                for (std::int32_t c = columnTile; c < columnEnd; c += 8) {
                    std::uint8_t byte = 0xFF;
                    for (std::int32_t k = 0; k < 8 && c + k < columnEnd; ++k) {
                        const StoredPixel source = SourceOf(turn, c + k, r, from.Width(), from.Height());
                        const std::uint8_t bit = (from.Row(source.row)[source.column >> 3] >> (7 - (source.column & 7))) & 1;
                        byte &= static_cast<std::uint8_t>(~((bit ^ 1) << (7 - k)));
                    }
                    row[c >> 3] = byte;
                }
            }
        }
    }
}

// Whole-byte pixels (8 and 24 bits): along a destination row the source pixel moves by a fixed number
// of bytes (a row down, a pixel left, or a row up), so each tile row is a strided copy.
template <int BytesPerPixel>
void TurnBytes(const ConstRaster& from, const Raster& to, QuarterTurn turn) {
    const auto stride = static_cast<std::ptrdiff_t>(from.Stride());
    const std::ptrdiff_t step = turn == QuarterTurn::Left ? -stride : turn == QuarterTurn::Half ? -BytesPerPixel : stride;
    for (std::int32_t rowTile = 0; rowTile < to.Height(); rowTile += kTile) {
        for (std::int32_t columnTile = 0; columnTile < to.Width(); columnTile += kTile) {
            const std::int32_t rowEnd = std::min(rowTile + kTile, to.Height());
            const std::int32_t columnEnd = std::min(columnTile + kTile, to.Width());
            for (std::int32_t r = rowTile; r < rowEnd; ++r) {
                std::uint8_t* out = to.Row(r) + std::size_t{BytesPerPixel} * columnTile;
                const StoredPixel first = SourceOf(turn, columnTile, r, from.Width(), from.Height());
                const std::uint8_t* in = from.Row(first.row) + std::size_t{BytesPerPixel} * first.column;
                for (std::int32_t c = columnTile; c < columnEnd; ++c, in += step, out += BytesPerPixel) {
                    std::copy_n(in, BytesPerPixel, out);
                }
            }
        }
    }
}

// 4-bit pixels, nibble by nibble.
void TurnNibbles(const ConstRaster& from, const Raster& to, QuarterTurn turn) {
    for (std::int32_t r = 0; r < to.Height(); ++r) {
        for (std::int32_t c = 0; c < to.Width(); ++c) {
            const StoredPixel source = SourceOf(turn, c, r, from.Width(), from.Height());
            MovePixel(from.Row(source.row), source.column, to.Row(r), c, 4);
        }
    }
}

void TurnPixels(const ConstRaster& from, const Raster& to, QuarterTurn turn) {
    switch (from.Bits()) {
        case 1:
            TurnBits(from, to, turn);
            return;
        case 4:
            TurnNibbles(from, to, turn);
            return;
        case 8:
            TurnBytes<1>(from, to, turn);
            return;
        default:
            TurnBytes<3>(from, to, turn);
    }
}

void MirrorRow(std::uint8_t* row, std::vector<std::uint8_t>& scratch, std::int32_t width, std::uint16_t bits) {
    if (bits == 8) {
        std::reverse(row, row + width);
        return;
    }
    scratch.assign(row, row + (static_cast<std::size_t>(width) * bits + 7) / 8);
    for (std::int32_t c = 0; c < width; ++c) {
        MovePixel(scratch.data(), width - 1 - c, row, c, bits);
    }
}

}  // namespace

extern "C" {

RasterStatus _dib_rotate(DibBlock* dib, double degrees) {
    return Guarded([&] {
        const std::optional<ConstRaster> from = ConstRaster::Of(dib);
        const std::optional<QuarterTurn> turn = QuarterTurnOf(degrees);
        if (!from || !turn) {
            return kFailed;
        }
        if (*turn == QuarterTurn::None) {
            return kDone;
        }
        const bool across = *turn != QuarterTurn::Half;
        const std::optional<platform::BitmapInfoHeader> header = dib->InfoHeader();
        std::optional<DibBlock> turned =
            NewBitmap(across ? from->Height() : from->Width(), across ? from->Width() : from->Height(), from->Bits(),
                      header->xPelsPerMeter, header->yPelsPerMeter);
        if (!turned) {
            return kFailed;
        }
        TurnPixels(*from, *Raster::Of(&*turned), *turn);
        *dib = std::move(*turned);
        return kDone;
    });
}

RasterStatus _dib_xmirror(DibBlock* dib) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster) {
            return kFailed;
        }
        std::vector<std::uint8_t> scratch;
        for (std::int32_t r = 0; r < raster->Height(); ++r) {
            MirrorRow(raster->Row(r), scratch, raster->Width(), raster->Bits());
        }
        return kDone;
    });
}

RasterStatus _dib_ymirror(DibBlock* dib) {
    const std::optional<Raster> raster = Raster::Of(dib);
    if (!raster) {
        return kFailed;
    }
    TurnRowsOver(dib->MutablePixels(), raster->Stride());
    return kDone;
}

}  // extern "C"
