// CCadBitmap image operations: format, tone, filters, halftoning, resampling, the scan preparation of job
// output, merging, the hand-over to the scan writer and the panel logo. Each is a fixed sequence of
// Rasterkit calls on the element's own image.
#include <cmath>
#include <cstring>

#include "CadBitmap.h"
#include "CadLayer.h"
#include "LayerOutputRecord.h"
#include "Progress.h"
#include "Rasterkit.h"
#include "SettingsRecords.h"

std::uint32_t ResampleOnConvert = 0;

namespace {

// Grey levels below this count as dark in the panel logo.
constexpr int kLogoDarkBelow = 128;
constexpr int kLogoBandRows = 8;
// Share of the range done when the image has its new format, before any resampling.
constexpr double kGreyFormatDone = 0.5;
constexpr double kMonoFormatDone = 0.8;
constexpr double kScanFormatDone = 0.1;

int Result(RasterStatus status) {
    return (status & 0xFFFF) == 0 ? 1 : 0;
}

void Progress(double p0, double span, double fraction) {
    ProgressRatio = p0 + fraction * span;
}

bool IsOverstriking(std::uint16_t value) {
    return value == 1 || value == 2;
}

}  // namespace

double CCadBitmap::PixelSizeMm() const {
    const int width = GetWidth();
    return width > 0 ? std::fabs(rect.x2 - rect.x1) / width : 0.0;
}

int CCadBitmap::SetFormat(int bitsPerPixel) {
    return Result(_dib_format(&dib, bitsPerPixel));
}

int CCadBitmap::Invert() {
    return _dib_invert(&dib);
}

int CCadBitmap::AdjustPalette() {
    return _dib_adjustpal(&dib);
}

int CCadBitmap::BrightContrast(int order, int brightness, int contrast) {
    return Result(_dib_bandc(&dib, order, brightness, contrast));
}

int CCadBitmap::Sharpen(double, double) {
    return Result(_dib_sharp(&dib));
}

int CCadBitmap::SetResolution(int dpi) {
    return Result(_dib_setresolution(&dib, std::fabs(rect.x2 - rect.x1), std::fabs(rect.y2 - rect.y1), dpi));
}

int CCadBitmap::ToGrey(int dpi, double p0, double span) {
    if (SetFormat(8) == 0) {
        return 0;
    }
    Progress(p0, span, kGreyFormatDone);
    if (ResampleOnConvert != 0 && SetResolution(dpi) == 0) {
        return 0;
    }
    Progress(p0, span, 1.0);
    return 1;
}

int CCadBitmap::ToMono(int dpi, double p0, double span) {
    if (SetFormat(1) == 0) {
        return 0;
    }
    Progress(p0, span, kMonoFormatDone);
    if (ResampleOnConvert != 0 && dpi != 0 && SetResolution(dpi) == 0) {
        return 0;
    }
    Progress(p0, span, 1.0);
    return 1;
}

int CCadBitmap::ToDot(int dpi, double, double) {
    if (ResampleOnConvert != 0 && SetResolution(dpi) == 0) {
        return 0;
    }
    return Result(_dib_dot(&dib));
}

int CCadBitmap::ToNet(int linesPerInch, int dpi) {
    rect.Normalize();
    if (!(rect.x2 - rect.x1 > 0.0) || !(rect.y2 - rect.y1 > 0.0) || SetFormat(8) == 0) {
        return 0;
    }
    if (ResampleOnConvert != 0 && SetResolution(dpi) == 0) {
        return 0;
    }
    return Result(_dib_net(&dib, linesPerInch, rect.x2 - rect.x1, rect.y2 - rect.y1));
}

int CCadBitmap::Resample(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0 || dib.IsEmpty() || !Result(_dib_logformat(&dib, width, height, bitsPerPixel))) {
        return 0;
    }
    CalRect();
    return 1;
}

int CCadBitmap::AscentDeal(double rampWidthMm, double pixelSizeMm, double, double) {
    return Result(_dib_ascentdeal(&dib, rampWidthMm, pixelSizeMm));
}

int CCadBitmap::ThickFont(int mode, double widthMm, double, double) {
    return Result(_dib_thickfont(&dib, mode, widthMm, std::fabs(rect.x2 - rect.x1), std::fabs(rect.y2 - rect.y1)));
}

int CCadBitmap::Mix(const CCadBitmap* source, int columnOffset, int rowOffset, double, double) {
    if (source == nullptr) {
        return 0;
    }
    return Result(_dib_mix(&dib, rect.x1, rect.y1, rect.x2, rect.y2, &source->dib, source->rect.x1, source->rect.y1,
                           source->rect.x2, source->rect.y2, columnOffset, rowOffset));
}

int CCadBitmap::WriteSweep(double interval, std::uint32_t outputDirect, std::uint8_t scanMode, std::uint32_t ramp,
                           std::uint32_t zero, std::int32_t* stateA, std::int32_t* stateB, double reverseInterval,
                           double, double) {
    constexpr int kPowerMode = 1;
    return Result(_dib_writesweep(&dib, rect.x1, rect.y1, rect.x2, rect.y2, gJobFrame,
                                  gGeneralSettings.laserHeadPosition, kPowerMode, interval, outputDirect, scanMode,
                                  ramp, zero, stateA, stateB, reverseInterval));
}

int CCadBitmap::PrepareScan(const LayerOutputRecord* record, double p0, double span) {
    if (record == nullptr) {
        return 0;
    }
    if (record->common.type != CCadLayer::kBitmapLayer) {
        const LayerOutputRecord::Vector& vector = record->vector;
        if (vector.ramp != 0 && vector.rampLength > 0.0) {
            return SetFormat(8) != 0 ? AscentDeal(vector.rampLength, PixelSizeMm(), 0.0, 0.0) : 0;
        }
        if (IsOverstriking(vector.overstriking) &&
            (SetFormat(8) == 0 || ThickFont(vector.overstriking, vector.scanInterval / 2, 0.0, 0.0) == 0)) {
            return 0;
        }
        Progress(p0, span, 1.0);
        return 1;
    }
    const LayerOutputRecord::Bitmap& bitmap = record->bitmap;
    if (bitmap.outputDirect != 0) {
        if (bitmap.negative != 0) {
            Invert();
        }
        Progress(p0, span, 1.0);
        return 1;
    }
    if (GetBitCount() != 1 && SetFormat(1) == 0) {
        return 0;
    }
    if (bitmap.negative != 0) {
        Invert();
    }
    Progress(p0, span, kScanFormatDone);
    if (bitmap.ramp != 0 && bitmap.rampLength > 0.0) {
        if (SetFormat(8) == 0 || AscentDeal(bitmap.rampLength, PixelSizeMm(), 0.0, 0.0) == 0) {
            return 0;
        }
    } else if (IsOverstriking(bitmap.overstriking)) {
        // A failed thickening would write a picture that is not what the layer asks for.
        if (SetFormat(8) == 0 || ThickFont(bitmap.overstriking, bitmap.scanInterval / 2, 0.0, 0.0) == 0) {
            return 0;
        }
    }
    Progress(p0, span, 1.0);
    return 1;
}

int CCadBitmap::GetLogoBits(std::uint8_t* buffer) const {
    if (buffer == nullptr) {
        return 0;
    }
    std::memset(buffer, 0, kLogoBytes);
    for (int band = 0; band < kLogoHeight / kLogoBandRows; ++band) {
        for (int x = 0; x < kLogoWidth; ++x) {
            std::uint8_t& packed = buffer[band * kLogoWidth + x];
            for (int bit = 0; bit < kLogoBandRows; ++bit) {
                // Outside the picture Rasterkit fails (and reports black): the pixel reads white.
                int colour = 0;
                const bool inside = Result(_dib_getpixel(&dib, x, band * kLogoBandRows + bit, &colour)) != 0;
                if (inside && (colour & 0xFF) < kLogoDarkBelow) {
                    packed = static_cast<std::uint8_t>(packed | (1u << bit));
                }
            }
        }
    }
    return 1;
}
