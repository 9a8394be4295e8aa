// Brightness and contrast, inversion, square convolution and the thickening or thinning of dark shapes.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ExportGuard.h"
#include "GradedRings.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr int kToneLimit = 255;
constexpr int kThickenMode = 1;
constexpr std::uint8_t kGreyWhereContrastCollapses = 128;

using ToneTable = std::array<std::uint8_t, 256>;

std::uint8_t ClampByte(std::int64_t value) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

std::uint8_t Brighten(std::uint8_t value, int brightness) {
    return ClampByte(std::int64_t{value} + brightness);
}

// Contrast k < 0 compresses 0..255 into -k..255+k; from -128 on that range is empty and every value
// becomes mid grey (the factor's denominator would reach 0 and then turn the tones over). k >= 0 stretches
// k..255-k over 0..255, a threshold at k from 128 on.
std::uint8_t Contrast(std::uint8_t value, int contrast) {
    if (contrast <= -128) {
        return kGreyWhereContrastCollapses;
    }
    if (contrast < 0) {
        const float factor = 255.0f / static_cast<float>(2 * contrast + 255);
        return ClampByte(static_cast<std::int64_t>(static_cast<float>(value) / factor) - contrast);
    }
    const int low = contrast;
    const int high = 255 - contrast;
    if (value > low && value < high) {
        const float step = static_cast<float>(high - low) * 0.003921569f;
        return ClampByte(static_cast<std::int64_t>(static_cast<float>(value - contrast) / step));
    }
    return value > contrast ? 255 : 0;
}

ToneTable ToneTableOf(int order, int brightness, int contrast) {
    ToneTable table;
    for (int value = 0; value < 256; ++value) {
        const auto v = static_cast<std::uint8_t>(value);
        table[value] = order == 0 ? Contrast(Brighten(v, brightness), contrast)
                                  : Brighten(Contrast(v, contrast), brightness);
    }
    return table;
}

// Bytes of one row that hold pixels, for the depths whose every byte is one channel value.
std::size_t ChannelBytes(const Raster& raster) {
    return static_cast<std::size_t>(raster.Width()) * (raster.Bits() / 8);
}

struct Kernel {
    const int* weights;
    int size;
    std::int64_t total;  // sum of all weights
};

// One channel of the convolution at (column, row); `channel` and `channels` pick the byte of a pixel.
std::uint8_t Convolve(const std::vector<std::uint8_t>& source, const Raster& raster, const Kernel& kernel,
                      std::int32_t column, std::int32_t row, int channel, int channels, int divisor, int bias) {
    const int half = kernel.size / 2;
    std::int64_t sum = 0;
    std::int64_t used = 0;
    for (int ky = 0; ky < kernel.size; ++ky) {
        const std::int64_t y = std::int64_t{row} + ky - half;
        if (y < 0 || y >= raster.Height()) {
            continue;
        }
        const std::uint8_t* sourceRow = source.data() + static_cast<std::size_t>(y) * raster.Stride();
        for (int kx = 0; kx < kernel.size; ++kx) {
            const std::int64_t x = std::int64_t{column} + kx - half;
            if (x < 0 || x >= raster.Width()) {
                continue;
            }
            const int weight = kernel.weights[ky * kernel.size + kx];
            sum += std::int64_t{weight} * sourceRow[x * channels + channel];
            used += weight;
        }
    }
    if (divisor == 0 || used == 0) {
        return ClampByte(sum + bias);
    }
    if (used == kernel.total) {
        return ClampByte(sum / divisor + bias);
    }
    const __int128 scaled = static_cast<__int128>(kernel.total) * sum / (static_cast<__int128>(divisor) * used);
    return ClampByte(static_cast<std::int64_t>(std::clamp<__int128>(scaled, INT32_MIN, INT32_MAX)) + bias);
}

}  // namespace

extern "C" {

RasterStatus _dib_bandc(DibBlock* dib, int order, int brightness, int contrast) {
    if (brightness == 0 && contrast == 0) {
        return kDone;
    }
    if (order != 0 && order != 1) {
        return kFailed;
    }
    const std::optional<Raster> raster = Raster::Of(dib);
    if (!raster) {
        return kFailed;
    }
    if (raster->Bits() != 8 && raster->Bits() != 24) {
        return kDone;
    }
    const ToneTable table = ToneTableOf(order, std::clamp(brightness, -kToneLimit, kToneLimit),
                                        std::clamp(contrast, -kToneLimit, kToneLimit));
    for (std::int32_t r = 0; r < raster->Height(); ++r) {
        std::uint8_t* row = raster->Row(r);
        std::transform(row, row + ChannelBytes(*raster), row, [&](std::uint8_t value) { return table[value]; });
    }
    return kDone;
}

RasterStatus _dib_invert(DibBlock* dib) {
    const std::optional<Raster> raster = Raster::Of(dib);
    if (!raster) {
        return kFailed;
    }
    if (raster->Bits() == 4) {
        return kDone;
    }
    const std::size_t bytes = (static_cast<std::size_t>(raster->Width()) * raster->Bits() + 7) / 8;
    for (std::int32_t r = 0; r < raster->Height(); ++r) {
        std::uint8_t* row = raster->Row(r);
        std::transform(row, row + bytes, row, [](std::uint8_t value) { return static_cast<std::uint8_t>(~value); });
    }
    return kDone;
}

RasterStatus _dib_filter(DibBlock* dib, const int* kernel, int size, int divisor, int bias) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster || kernel == nullptr || size < 1) {
            return kFailed;
        }
        if (raster->Bits() != 8 && raster->Bits() != 24) {
            return kDone;
        }
        const std::span<const std::uint8_t> pixels = dib->Pixels();
        const std::vector<std::uint8_t> source(pixels.begin(), pixels.end());
        std::int64_t total = 0;
        for (int i = 0; i < size * size; ++i) {
            total += kernel[i];
        }
        const Kernel square{kernel, size, total};
        const int channels = raster->Bits() / 8;
        for (std::int32_t r = 0; r < raster->Height(); ++r) {
            std::uint8_t* row = raster->Row(r);
            for (std::int32_t c = 0; c < raster->Width(); ++c) {
                for (int channel = 0; channel < channels; ++channel) {
                    row[c * channels + channel] =
                        Convolve(source, *raster, square, c, r, channel, channels, divisor, bias);
                }
            }
        }
        return kDone;
    });
}

RasterStatus _dib_sharp(DibBlock* dib) {
    static constexpr int kSharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
    return _dib_filter(dib, kSharpen, 3, 7, 0);
}

RasterStatus _dib_thickfont(DibBlock* dib, int mode, double width, double sizeMm, double /*unused*/) {
    return Guarded([&] {
        const std::optional<Raster> raster = Raster::Of(dib);
        if (!raster || raster->Bits() != 8 || !std::isfinite(width) || !std::isfinite(sizeMm) || sizeMm <= 0.0) {
            return kFailed;
        }
        const double pixel = sizeMm / raster->Width();
        // The border moves by whole pixels, at least one: rings grow one step further than the border so
        // that the last ring moved is not the black one.
        const double steps = std::clamp(std::trunc(std::max(width, pixel) / pixel), 1.0, double{kMaxRingSteps});
        const bool thicken = (mode & 0xFFFF) == kThickenMode;
        if (thicken) {
            _dib_invert(dib);
        }
        GrowRings(*raster, static_cast<int>(steps) + 1);
        for (std::int32_t r = 0; r < raster->Height(); ++r) {
            std::uint8_t* row = raster->Row(r);
            std::replace_if(row, row + raster->Width(), [](std::uint8_t value) { return value != 0; }, 255);
        }
        if (thicken) {
            _dib_invert(dib);
        }
        return kDone;
    });
}

}  // extern "C"
