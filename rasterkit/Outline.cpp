// Tracing the outlines of dark shapes: an 8-bit edge image (dark pixels with a light neighbour), then
// closed polylines walked along the edge pixels.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
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

// Darkness (1 dark, 0 light) of the pixels of stored rows, each row framed by a light pixel on either
// side so that neighbour tests need no bounds checks. A 1-bit row is widened eight pixels at a time.
class DarkRows {
  public:
    explicit DarkRows(const ConstRaster& raster) : raster_(raster) {
        for (std::size_t i = 0; i < darkIndex_.size(); ++i) {
            darkIndex_[i] = raster.Bits() == 1 ? (i == 0) : GreyOf(raster.Palette()[i]) < kLightFrom;
        }
        for (std::uint32_t byte = 0; byte < 256; ++byte) {
            for (int k = 0; k < 8; ++k) {
                widened_[byte][k] = ((byte >> (7 - k)) & 1) == 0 ? 1 : 0;
            }
        }
    }

    // Fills `out` (width + 2 bytes) with row `row`, or all light for a row outside the picture.
    void Fill(std::int32_t row, std::vector<std::uint8_t>& out) const {
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        if (row < 0 || row >= raster_.Height()) {
            return;
        }
        const std::uint8_t* pixels = raster_.Row(row);
        std::uint8_t* dark = out.data() + 1;
        const std::int32_t width = raster_.Width();
        switch (raster_.Bits()) {
            case 1:
                for (std::int32_t c = 0; c < width; c += 8) {
                    std::memcpy(dark + c, widened_[pixels[c >> 3]].data(), std::min(8, width - c));
                }
                return;
            case 8:
                for (std::int32_t c = 0; c < width; ++c) {
                    dark[c] = darkIndex_[pixels[c]];
                }
                return;
            case 24:
                for (std::int32_t c = 0; c < width; ++c) {
                    dark[c] = GreyOf(raster_.Colour(c, row)) < kLightFrom ? 1 : 0;
                }
                return;
            default:
                for (std::int32_t c = 0; c < width; ++c) {
                    dark[c] = darkIndex_[raster_.Index(c, row)];
                }
        }
    }

  private:
    const ConstRaster& raster_;
    std::array<std::uint8_t, 256> darkIndex_{};
    std::array<std::array<std::uint8_t, 8>, 256> widened_{};
};

// An edge pixel is dark and has at least one light neighbour: 0 there, 255 elsewhere.
void EdgeRow(const std::uint8_t* below, const std::uint8_t* middle, const std::uint8_t* above, std::uint8_t* out,
             std::int32_t width) {
    for (std::int32_t c = 0; c < width; ++c) {
        const std::uint8_t surrounded = below[c] & below[c + 1] & below[c + 2] & middle[c] & middle[c + 2] & above[c] &
                                        above[c + 1] & above[c + 2];
        out[c] = static_cast<std::uint8_t>((middle[c + 1] & (surrounded ^ 1)) - 1);
    }
}

std::optional<DibBlock> EdgeImage(const ConstRaster& raster, Resolution resolution) {
    std::optional<DibBlock> edges = NewBitmap(raster.Width(), raster.Height(), 8, resolution.x, resolution.y);
    if (!edges) {
        return std::nullopt;
    }
    const DarkRows rows(raster);
    const Raster to = *Raster::Of(&*edges);
    const std::size_t framed = static_cast<std::size_t>(raster.Width()) + 2;
    std::vector<std::uint8_t> below(framed), middle(framed), above(framed);
    rows.Fill(-1, below);
    rows.Fill(0, middle);
    for (std::int32_t r = 0; r < raster.Height(); ++r) {
        rows.Fill(r + 1, above);
        EdgeRow(below.data(), middle.data(), above.data(), to.Row(r), raster.Width());
        std::swap(below, middle);
        std::swap(middle, above);
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
            const void* found = std::memchr(pixels + column, kEdge, static_cast<std::size_t>(edges_.Width() - column));
            if (found != nullptr) {
                column = static_cast<std::int32_t>(static_cast<const std::uint8_t*>(found) - pixels);
                return true;
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
