// Tracing the outlines of dark shapes: an 8-bit edge image (dark pixels with a light neighbour), then
// closed polylines walked along the edge pixels.
#include <cmath>
#include <memory>
#include <vector>

#include "ExportGuard.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr std::uint8_t kLightFrom = 128;
constexpr std::uint8_t kEdge = 0;
constexpr std::uint8_t kBlank = 255;
constexpr double kCollinearArea = 0.0001;  // mm^2
constexpr int kMinSegments = 3;

// Darkness of every pixel with a light frame of one pixel around the picture, so that neighbour tests
// need no bounds checks.
class DarkMask {
  public:
    explicit DarkMask(const ConstRaster& raster)
        : width_(raster.Width() + 2), dark_(static_cast<std::size_t>(width_) * (raster.Height() + 2), 0) {
        PaletteColours lightIndex{};
        for (std::size_t i = 0; i < lightIndex.size(); ++i) {
            lightIndex[i] = raster.Bits() == 1 ? (i != 0) : GreyOf(raster.Palette()[i]) >= kLightFrom;
        }
        for (std::int32_t r = 0; r < raster.Height(); ++r) {
            std::uint8_t* row = &dark_[Offset(0, r)];
            for (std::int32_t c = 0; c < raster.Width(); ++c) {
                const bool light = raster.Bits() == 24 ? GreyOf(raster.Colour(c, r)) >= kLightFrom
                                                       : lightIndex[raster.Index(c, r)] != 0;
                row[c] = light ? 0 : 1;
            }
        }
    }

    // An edge pixel is dark and has at least one light neighbour.
    bool IsEdge(std::int32_t column, std::int32_t row) const {
        const std::uint8_t* centre = &dark_[Offset(column, row)];
        if (*centre == 0) {
            return false;
        }
        const std::uint8_t* above = centre + width_;
        const std::uint8_t* below = centre - width_;
        return (above[-1] & above[0] & above[1] & centre[-1] & centre[1] & below[-1] & below[0] & below[1]) == 0;
    }

  private:
    std::size_t Offset(std::int32_t column, std::int32_t row) const {
        return static_cast<std::size_t>(row + 1) * width_ + static_cast<std::size_t>(column + 1);
    }

    std::int32_t width_;
    std::vector<std::uint8_t> dark_;
};

std::optional<DibBlock> EdgeImage(const ConstRaster& raster, Resolution resolution) {
    std::optional<DibBlock> edges = NewBitmap(raster.Width(), raster.Height(), 8, resolution.x, resolution.y);
    if (!edges) {
        return std::nullopt;
    }
    const DarkMask mask(raster);
    const Raster to = *Raster::Of(&*edges);
    for (std::int32_t r = 0; r < raster.Height(); ++r) {
        std::uint8_t* row = to.Row(r);
        for (std::int32_t c = 0; c < raster.Width(); ++c) {
            row[c] = mask.IsEdge(c, r) ? kEdge : kBlank;
        }
    }
    return edges;
}

// Neighbour directions 1..8 (index 0 unused): column and stored-row offsets.
constexpr int kStepColumn[9] = {0, -1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kStepRow[9] = {0, 1, 1, 1, 0, -1, -1, -1, 0};
// The two neighbours a step in each direction leaves for later outlines.
constexpr int kKeptA[9] = {0, 2, 1, 2, 3, 3, 5, 1, 1};
constexpr int kKeptB[9] = {0, 8, 3, 4, 5, 6, 7, 6, 7};

int Cyclic(int direction) {
    return (direction - 1 + 8) % 8 + 1;
}

class Tracer {
  public:
    Tracer(const Raster& edges, double widthMm, double heightMm)
        : edges_(edges), sx_(widthMm / edges.Width()), sy_(heightMm / edges.Height()) {}

    void TraceAll(CDbList<CFileCurve*>& out) {
        std::int32_t row = 0;
        std::int32_t column = 0;
        while (FindStart(row, column)) {
            edges_.Row(row)[column] = kBlank;
            std::unique_ptr<CFileCurve> curve = TraceFrom(column, row);
            if (curve->segments.GetCount() >= kMinSegments) {
                out.AddTail(curve.get());
                curve.release();
            }
        }
    }

  private:
    bool FindStart(std::int32_t& row, std::int32_t& column) const {
        for (; row < edges_.Height(); ++row, column = 0) {
            const std::uint8_t* pixels = edges_.Row(row);
            for (; column < edges_.Width(); ++column) {
                if (pixels[column] == kEdge) {
                    return true;
                }
            }
        }
        return false;
    }

    std::uint8_t* Pixel(std::int32_t column, std::int32_t row) const {
        if (column < 0 || row < 0 || column >= edges_.Width() || row >= edges_.Height()) {
            return nullptr;
        }
        return edges_.Row(row) + column;
    }

    SDPoint PointOf(std::int32_t column, std::int32_t row) const {
        return {sx_ * (column + 1), sy_ * (row + 1)};
    }

    int FindStep(std::int32_t column, std::int32_t row, int searchStart) const {
        for (int k = 0; k < 8; ++k) {
            const int direction = Cyclic(searchStart + k);
            const std::uint8_t* pixel = Pixel(column + kStepColumn[direction], row + kStepRow[direction]);
            if (pixel != nullptr && *pixel == kEdge) {
                return direction;
            }
        }
        return 0;
    }

    void ConsumeAround(std::int32_t column, std::int32_t row, int found) const {
        for (int direction = 1; direction <= 8; ++direction) {
            if (direction == kKeptA[found] || direction == kKeptB[found]) {
                continue;
            }
            std::uint8_t* pixel = Pixel(column + kStepColumn[direction], row + kStepRow[direction]);
            if (pixel != nullptr) {
                *pixel = kBlank;
            }
        }
    }

    static void AddStep(CFileCurve& curve, SDPoint from, SDPoint to) {
        if (curve.segments.IsEmpty() == 0) {
            CFileLine& last = curve.segments.head->prev->value;
            const double cross =
                (last.end.x - last.start.x) * (to.y - last.start.y) - (last.end.y - last.start.y) * (to.x - last.start.x);
            if (std::fabs(cross) / 2.0 < kCollinearArea) {
                last.end = to;
                return;
            }
        }
        CFileLine segment;
        segment.start = from;
        segment.end = to;
        curve.segments.AddTail(segment);
    }

    std::unique_ptr<CFileCurve> TraceFrom(std::int32_t column, std::int32_t row) const {
        auto curve = std::make_unique<CFileCurve>();
        int searchStart = 1;
        for (int found = FindStep(column, row, searchStart); found != 0; found = FindStep(column, row, searchStart)) {
            ConsumeAround(column, row, found);
            const SDPoint from = PointOf(column, row);
            column += kStepColumn[found];
            row += kStepRow[found];
            AddStep(*curve, from, PointOf(column, row));
            searchStart = Cyclic(found - 2);
        }
        return curve;
    }

    const Raster& edges_;
    double sx_;
    double sy_;
};

}  // namespace

extern "C" RasterStatus _dib_outline(DibBlock* dib, CDbList<CFileCurve*>* out, double widthMm, double heightMm) {
    return Guarded([&] {
        const std::optional<ConstRaster> raster = ConstRaster::Of(dib);
        if (out == nullptr || !raster || !std::isfinite(widthMm) || !std::isfinite(heightMm)) {
            return kFailed;
        }
        std::optional<DibBlock> edges = EdgeImage(*raster, SettleResolution(*dib));
        if (!edges) {
            return kFailed;
        }
        *dib = std::move(*edges);
        Tracer(*Raster::Of(dib), widthMm, heightMm).TraceAll(*out);
        return kDone;
    });
}
