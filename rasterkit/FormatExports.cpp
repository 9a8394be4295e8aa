// Depth conversion, palette normalising, resampling and combining of bitmaps.
#include <cmath>
#include <limits>

#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"
#include "Resample.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr std::uint8_t kMonoThreshold = 126;     // to 1 bit: white above
constexpr std::uint8_t kAdjustThreshold = 128;   // palette normalising to 1 bit: white from
constexpr std::uint8_t kLogThreshold = 127;      // resampling to 8-bit black and white: white above
constexpr std::uint8_t kMixThreshold = 128;      // combining into 1 bit: white above
constexpr std::int32_t kLogPelsPerMetre = 100;
constexpr double kInchesPerMm = 0.03937007874015748;
constexpr double kMmPerInch = 25.4;
constexpr double kPelsPerMetrePerDpi = 39.37007874015748;

// A count of pixels from a double, or nothing when it is not a usable picture size.
std::optional<std::int32_t> PixelCount(double value) {
    if (!(value >= 1.0 && value <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

void ConvertPixels(const ConstRaster& from, const Raster& to) {
    for (std::int32_t r = 0; r < from.Height(); ++r) {
        std::uint8_t* row = to.Row(r);
        for (std::int32_t c = 0; c < from.Width(); ++c) {
            const std::uint32_t rgb = from.Colour(c, r);
            WriteColour(row, to.Bits(), c, rgb, GreyOf(rgb) > kMonoThreshold);
        }
    }
}

bool IsGreyRamp(const PaletteColours& palette, std::uint32_t entries, std::uint32_t step) {
    for (std::uint32_t i = 0; i < entries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * step);
        if (palette[i] != PackRgb(grey, grey, grey)) {
            return false;
        }
    }
    return true;
}

// Source colour for combining: a 1-bit source's set bit is white whatever its colour table.
std::uint32_t MixColour(const ConstRaster& source, std::int32_t column, std::int32_t row) {
    if (source.Bits() == 1) {
        return source.Index(column, row) != 0 ? 0xFFFFFF : 0;
    }
    return source.Colour(column, row);
}

void WriteMixed(std::uint8_t* row, std::uint16_t bits, std::int32_t column, std::uint32_t rgb) {
    if (bits == 4) {
        return;
    }
    WriteColour(row, bits, column, rgb, GreyOf(rgb) > kMixThreshold);
}

// Millimetres per pixel of a placement extent, or nothing for zero, negative or non-finite sizes.
std::optional<double> PixelSize(double extentMm, std::int32_t pixels) {
    const double size = std::fabs(extentMm) / pixels;
    if (!std::isfinite(size) || size <= 0.0) {
        return std::nullopt;
    }
    return size;
}

}  // namespace

extern "C" {

RasterStatus _dib_format(DibBlock* dib, int bits) {
    return Guarded([&] {
        const std::optional<ConstRaster> from = ConstRaster::Of(dib);
        if (!from || !IsProcessedDepth(bits)) {
            return kFailed;
        }
        if (from->Bits() == bits) {
            return kDone;
        }
        const Resolution resolution = SettleResolution(*dib);
        std::optional<DibBlock> converted = NewBitmap(from->Width(), from->Height(), bits, resolution.x, resolution.y);
        if (!converted) {
            return kFailed;
        }
        ConvertPixels(*ConstRaster::Of(dib), *Raster::Of(&*converted));
        *dib = std::move(*converted);
        return kDone;
    });
}

RasterStatus _dib_adjustpal(DibBlock* dib) {
    const std::optional<Raster> raster = Raster::Of(dib);
    if (!raster) {
        return kFailed;
    }
    const std::uint32_t entries = dib->Layout().paletteEntries;
    if (raster->Bits() == 24 || entries == 0) {
        return kDone;
    }
    const std::uint32_t step = entries > 1 ? 255 / (entries - 1) : 0;
    if (IsGreyRamp(raster->Palette(), entries, step)) {
        return kDone;
    }
    for (std::int32_t r = 0; r < raster->Height(); ++r) {
        std::uint8_t* row = raster->Row(r);
        for (std::int32_t c = 0; c < raster->Width(); ++c) {
            const std::uint8_t grey = GreyOf(raster->Colour(c, r));
            switch (raster->Bits()) {
                case 1:
                    SetBit(row, c, grey >= kAdjustThreshold);
                    break;
                case 4:
                    SetNibble(row, c, grey >> 4);
                    break;
                default:
                    row[c] = grey;
            }
        }
    }
    WriteGreyRamp(dib->MutablePalette(), step);
    return kDone;
}

RasterStatus _dib_setresolution(DibBlock* dib, double widthMm, double heightMm, int dpi) {
    return Guarded([&] {
        const std::optional<ConstRaster> from = ConstRaster::Of(dib);
        if (!from || dpi <= 0 || !(widthMm > 0.0) || !(heightMm > 0.0) || !std::isfinite(widthMm) ||
            !std::isfinite(heightMm)) {
            return kFailed;
        }
        const double currentX = std::trunc(from->Width() * kMmPerInch / widthMm + 0.5);
        const double currentY = std::trunc(from->Height() * kMmPerInch / heightMm + 0.5);
        if (std::fabs(currentX - dpi) < 2.0 && std::fabs(currentY - dpi) < 2.0) {
            return kDone;
        }
        const std::optional<std::int32_t> width = PixelCount(std::trunc(widthMm * dpi * kInchesPerMm + 0.5));
        const std::optional<std::int32_t> height = PixelCount(std::trunc(heightMm * dpi * kInchesPerMm + 0.5));
        if (!width || !height) {
            return kFailed;
        }
        const auto pelsPerMetre = static_cast<std::int64_t>(dpi * kPelsPerMetrePerDpi + 0.5);
        std::optional<DibBlock> resampled = NewBitmap(*width, *height, from->Bits(), pelsPerMetre, pelsPerMetre);
        if (!resampled) {
            return kFailed;
        }
        ResamplePixels(*from, *Raster::Of(&*resampled));
        *dib = std::move(*resampled);
        return kDone;
    });
}

RasterStatus _dib_logformat(DibBlock* dib, int width, int height, int bits) {
    return Guarded([&] {
        const std::optional<ConstRaster> from = ConstRaster::Of(dib);
        if (!from || (bits != 8 && bits != 24)) {
            return kFailed;
        }
        std::optional<DibBlock> resampled = NewBitmap(width, height, bits, kLogPelsPerMetre, kLogPelsPerMetre);
        if (!resampled) {
            return kFailed;
        }
        const Raster to = *Raster::Of(&*resampled);
        const std::vector<std::int32_t> columns = NearestSourceIndexes(from->Width(), width);
        const std::vector<std::int32_t> rows = NearestSourceIndexes(from->Height(), height);
        for (std::int32_t i = 0; i < height; ++i) {
            std::uint8_t* row = to.Row(i);
            for (std::int32_t j = 0; j < width; ++j) {
                const std::uint32_t rgb = from->Colour(columns[j], rows[i]);
                if (bits == 8) {
                    row[j] = GreyOf(rgb) > kLogThreshold ? 255 : 0;
                } else {
                    WriteColour(row, 24, j, rgb, false);
                }
            }
        }
        *dib = std::move(*resampled);
        return kDone;
    });
}

RasterStatus _dib_mix(DibBlock* destination, double dstX1, double dstY1, double dstX2, double dstY2,
                      const DibBlock* source, double srcX1, double srcY1, double srcX2, double srcY2, int colOffset,
                      int rowOffset) {
    const std::optional<Raster> to = Raster::Of(destination);
    const std::optional<ConstRaster> from = ConstRaster::Of(source);
    if (!to) {
        return kDone;
    }
    if (!from) {
        return kFailed;
    }
    const std::optional<double> px = PixelSize(dstX2 - dstX1, to->Width());
    const std::optional<double> py = PixelSize(dstY2 - dstY1, to->Height());
    const std::optional<double> sourcePx = PixelSize(srcX2 - srcX1, from->Width());
    const std::optional<double> sourcePy = PixelSize(srcY2 - srcY1, from->Height());
    if (!px || !py || !sourcePx || !sourcePy) {
        return kFailed;
    }
    // Only the columns and rows that land inside the destination are visited.
    const double columns = std::trunc(std::fabs(srcX2 - srcX1) / *px);
    const double rows = std::trunc(std::fabs(srcY2 - srcY1) / *py);
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -std::int64_t{colOffset});
    const std::int64_t firstRow = std::max<std::int64_t>(0, -std::int64_t{rowOffset});
    const auto endColumn = static_cast<std::int64_t>(std::min(columns, double(std::int64_t{to->Width()} - colOffset)));
    const auto endRow = static_cast<std::int64_t>(std::min(rows, double(std::int64_t{to->Height()} - rowOffset)));
    for (std::int64_t i = firstRow; i < endRow; ++i) {
        const double sourceRow = std::trunc(*py * static_cast<double>(i) / *sourcePy);
        if (sourceRow >= from->Height()) {
            break;
        }
        std::uint8_t* row = to->Row(static_cast<std::int32_t>(rowOffset + i));
        for (std::int64_t j = firstColumn; j < endColumn; ++j) {
            const double sourceColumn = std::trunc(*px * static_cast<double>(j) / *sourcePx);
            if (sourceColumn >= from->Width()) {
                break;
            }
            WriteMixed(row, to->Bits(), static_cast<std::int32_t>(colOffset + j),
                       MixColour(*from, static_cast<std::int32_t>(sourceColumn), static_cast<std::int32_t>(sourceRow)));
        }
    }
    return kDone;
}

}  // extern "C"
