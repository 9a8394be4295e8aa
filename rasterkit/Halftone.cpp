// Halftoning: error diffusion and the 45-degree screen, each ending in a 1-bit bitmap.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "ErrorDiffusion.h"
#include "GradedRings.h"
#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"
#include "ScreenTable.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr double kScreenAngleDegrees = 45.0;

// The 1-bit bitmap of an 8-bit raster whose bytes are grey levels: white above 126.
std::optional<DibBlock> PackGreyBytes(const ConstRaster& grey, Resolution resolution) {
    std::optional<DibBlock> mono = NewBitmap(grey.Width(), grey.Height(), 1, resolution.x, resolution.y);
    if (!mono) {
        return std::nullopt;
    }
    const Raster to = *Raster::Of(&*mono);
    for (std::int32_t r = 0; r < grey.Height(); ++r) {
        const std::uint8_t* from = grey.Row(r);
        std::uint8_t* row = to.Row(r);
        for (std::int32_t c = 0; c < grey.Width(); c += 8) {
            std::uint8_t byte = 0;
            const std::int32_t count = std::min(8, grey.Width() - c);
            for (std::int32_t k = 0; k < count; ++k) {
                byte |= static_cast<std::uint8_t>((from[c + k] > 126 ? 0x80 : 0) >> k);
            }
            row[c >> 3] = byte;
        }
    }
    return mono;
}

// The c x c thresholds of the screen cell, sampled from the 64 x 64 table.
std::vector<std::uint8_t> CellThresholds(int cell) {
    const ScreenTable& table = ScreenThresholds();
    const double scale = 64.0 / cell;
    std::vector<std::uint8_t> thresholds(static_cast<std::size_t>(cell) * cell);
    for (int i = 0; i < cell; ++i) {
        for (int j = 0; j < cell; ++j) {
            const int row = std::min(static_cast<int>(i * scale), kScreenPeriod - 1);
            const int column = std::min(static_cast<int>(j * scale), kScreenPeriod - 1);
            thresholds[static_cast<std::size_t>(i) * cell + j] = table[row][column];
        }
    }
    return thresholds;
}

// Position within the cell of a turned coordinate: raised by whole cells until not negative.
int CellIndex(double turned, int cell) {
    const auto index = static_cast<std::int64_t>(turned) % cell;
    return static_cast<int>(index < 0 ? index + cell : index);
}

void Screen(const Raster& raster, int cell) {
    const std::vector<std::uint8_t> thresholds = CellThresholds(cell);
    const double angle = kScreenAngleDegrees * std::numbers::pi / 180.0;
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    const double cx = raster.Width() * 0.5;
    const double cy = raster.Height() * 0.5;
    for (std::int32_t y = 0; y < raster.Height(); ++y) {
        std::uint8_t* row = raster.Row(y);
        const double dy = y - cy;
        for (std::int32_t x = 0; x < raster.Width(); ++x) {
            const double dx = x - cx;
            const int u = CellIndex(std::trunc(dx * cosine - dy * sine + cx + 0.5), cell);
            const int v = CellIndex(std::trunc(dx * sine + dy * cosine + cy + 0.5), cell);
            row[x] = row[x] > thresholds[static_cast<std::size_t>(v) * cell + u] ? 255 : 0;
        }
    }
}

}  // namespace

extern "C" {

RasterStatus _dib_dot(DibBlock* dib) {
    return Guarded([&] {
        if (_dib_format(dib, 8) != kDone) {
            return kFailed;
        }
        const Raster grey = *Raster::Of(dib);
        DiffuseErrors(grey);
        std::optional<DibBlock> mono = PackGreyBytes(*ConstRaster::Of(dib), SettleResolution(*dib));
        if (!mono) {
            return kFailed;
        }
        *dib = std::move(*mono);
        return kDone;
    });
}

RasterStatus _dib_net(DibBlock* dib, int linesPerInch, double widthMm, double /*unused*/) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster || raster->Bits() != 8 || linesPerInch <= 0 || !(widthMm > 0.0) || !std::isfinite(widthMm)) {
            return kFailed;
        }
        Screen(*raster, ScreenCell(linesPerInch, raster->Width(), widthMm));
        return _dib_format(dib, 1);
    });
}

RasterStatus _dib_ascentdeal(DibBlock* dib, double width, double pixelSize) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster || raster->Bits() != 8 || !std::isfinite(width) || !std::isfinite(pixelSize) ||
            pixelSize <= 0.0) {
            return kFailed;
        }
        const double steps = std::trunc(width / pixelSize);
        if (steps >= 1.0) {
            GrowRings(*raster, static_cast<int>(std::min(steps, double{kMaxRingSteps})));
        }
        return kDone;
    });
}

}  // extern "C"
