// The handle exports: creation, copies, BMP files, getters and setters, drawing into a device context.
#include <cstring>

#include "BmpFile.h"
#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

bool IsNull(const DibBlock* dib) {
    return dib == nullptr || dib->IsEmpty();
}

RasterStatus MillimetresPerPixel(const DibBlock* dib, bool horizontal, double* mmPerPixel) {
    if (mmPerPixel == nullptr) {
        return kFailed;
    }
    *mmPerPixel = 0.0;
    if (IsNull(dib)) {
        return kFailed;
    }
    const std::optional<platform::BitmapInfoHeader> header = dib->InfoHeader();
    if (header) {
        *mmPerPixel = 1000.0 / UsablePelsPerMetre(horizontal ? header->xPelsPerMeter : header->yPelsPerMeter);
    }
    return kDone;
}

}  // namespace

extern "C" {

RasterStatus _dib_create(int width, int height, int bits, int xPelsPerMetre, int yPelsPerMetre, DibBlock* out) {
    return Guarded([&] {
        if (out == nullptr) {
            return kFailed;
        }
        std::optional<DibBlock> dib = NewBitmap(width, height, bits, xPelsPerMetre, yPelsPerMetre);
        *out = dib ? std::move(*dib) : DibBlock{};
        return dib ? kDone : kFailed;
    });
}

RasterStatus _dib_copy(const DibBlock* dib, DibBlock* out) {
    return Guarded([&] {
        if (out == nullptr) {
            return kFailed;
        }
        *out = IsNull(dib) ? DibBlock{} : dib->Clone();
        return out->IsEmpty() ? kFailed : kDone;
    });
}

RasterStatus _dib_load(const char* path, DibBlock* out) {
    return Guarded([&] {
        if (path == nullptr) {
            return kFailed;
        }
        platform::Archive file = platform::Archive::ForLoadingFile(path);
        return _dib_read(&file, out);
    });
}

RasterStatus _dib_read(platform::Archive* file, DibBlock* out) {
    return Guarded([&] {
        if (file == nullptr || out == nullptr || !file->IsLoading()) {
            return kFailed;
        }
        std::optional<DibBlock> dib = ReadBmp(*file);
        if (!dib) {
            return kFailed;
        }
        *out = std::move(*dib);
        return kDone;
    });
}

RasterStatus _dib_write(platform::Archive* file, DibBlock* dib) {
    return Guarded([&] {
        if (file == nullptr || IsNull(dib) || !file->IsStoring()) {
            return kFailed;
        }
        return WriteBmp(*file, *dib) ? kDone : kFailed;
    });
}

RasterStatus _dib_getbitcount(const DibBlock* dib, std::int16_t* bits) {
    if (bits == nullptr || IsNull(dib)) {
        return kFailed;
    }
    *bits = static_cast<std::int16_t>(dib->Layout().bitCount);
    return kDone;
}

RasterStatus _dib_getwidth(const DibBlock* dib, int* width) {
    if (width != nullptr) {
        *width = IsNull(dib) ? 0 : dib->Layout().width;
    }
    return kDone;
}

RasterStatus _dib_getheight(const DibBlock* dib, int* height) {
    if (height != nullptr) {
        *height = IsNull(dib) ? 0 : dib->Layout().height;
    }
    return kDone;
}

RasterStatus _dib_getwidthbytes(const DibBlock* dib, int* bytes) {
    if (bytes != nullptr) {
        *bytes = IsNull(dib) ? 0 : static_cast<int>(dib->Layout().stride);
    }
    return kDone;
}

RasterStatus _dib_getdpix(const DibBlock* dib, double* mmPerPixel) {
    return MillimetresPerPixel(dib, true, mmPerPixel);
}

RasterStatus _dib_getdpiy(const DibBlock* dib, double* mmPerPixel) {
    return MillimetresPerPixel(dib, false, mmPerPixel);
}

RasterStatus _dib_getpixel(const DibBlock* dib, int x, int y, int* colour) {
    if (colour == nullptr) {
        return kFailed;
    }
    *colour = 0;
    const std::optional<ConstRaster> raster = ConstRaster::Of(dib);
    if (!raster || x < 0 || y < 0 || x >= raster->Width() || y >= raster->Height()) {
        return kFailed;
    }
    const std::int32_t storedRow = raster->Height() - 1 - y;
    if (raster->Bits() == 1) {
        *colour = raster->Index(x, storedRow) != 0 ? 0xFFFFFF : 0;
    } else {
        *colour = static_cast<int>(raster->Colour(x, storedRow));
    }
    return kDone;
}

RasterStatus _dib_getprecision(DibBlock* dib, int* xPelsPerMetre, int* yPelsPerMetre) {
    if (IsNull(dib) || xPelsPerMetre == nullptr || yPelsPerMetre == nullptr || !dib->InfoHeader()) {
        return kFailed;
    }
    const Resolution resolution = SettleResolution(*dib);
    *xPelsPerMetre = resolution.x;
    *yPelsPerMetre = resolution.y;
    return kDone;
}

RasterStatus _dib_setprecision(DibBlock* dib, int xPelsPerMetre, int yPelsPerMetre) {
    if (IsNull(dib)) {
        return kFailed;
    }
    return StoreResolution(*dib, xPelsPerMetre, yPelsPerMetre) ? kDone : kFailed;
}

RasterStatus _dib_getbitsptr(const DibBlock* dib, void** /*bits*/) {
    return IsNull(dib) || dib->Pixels().empty() ? kFailed : kDone;
}

RasterStatus _dib_display(platform::DeviceContext* dc, const DibBlock* dib, platform::Rect destination,
                          platform::Rect source, std::uint32_t /*rasterOperation*/) {
    return Guarded([&] {
        if (dc == nullptr || IsNull(dib)) {
            return kFailed;
        }
        const std::int64_t sizes[] = {std::int64_t{dib->Layout().height} - source.bottom, destination.Width(),
                                      destination.Height(), source.Width(), source.Height()};
        for (const std::int64_t size : sizes) {
            if (size < INT32_MIN || size > INT32_MAX) {
                return kFailed;
            }
        }
        const std::int64_t sourceBottom = sizes[0];
        const int lines = dc->StretchDIBits(
            destination.left, destination.top, static_cast<std::int32_t>(destination.Width()),
            static_cast<std::int32_t>(destination.Height()), source.left, static_cast<std::int32_t>(sourceBottom),
            static_cast<std::int32_t>(source.Width()), static_cast<std::int32_t>(source.Height()), dib->Bytes());
        return lines > 0 ? kDone : kFailed;
    });
}

}  // extern "C"
