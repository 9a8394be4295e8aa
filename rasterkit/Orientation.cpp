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

void TurnPixels(const ConstRaster& from, const Raster& to, QuarterTurn turn) {
    for (std::int32_t rowTile = 0; rowTile < to.Height(); rowTile += kTile) {
        for (std::int32_t columnTile = 0; columnTile < to.Width(); columnTile += kTile) {
            const std::int32_t rowEnd = std::min(rowTile + kTile, to.Height());
            const std::int32_t columnEnd = std::min(columnTile + kTile, to.Width());
            for (std::int32_t r = rowTile; r < rowEnd; ++r) {
                std::uint8_t* row = to.Row(r);
                for (std::int32_t c = columnTile; c < columnEnd; ++c) {
                    const StoredPixel source = SourceOf(turn, c, r, from.Width(), from.Height());
                    MovePixel(from.Row(source.row), source.column, row, c, to.Bits());
                }
            }
        }
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
