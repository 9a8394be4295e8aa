// Scan-engraving output: every scan line across the picture is split into runs of equal darkness, and
// the dark runs become travel moves, powers and cut lines of the open job. All values of one call live in
// a context of that call, so that calls share nothing.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ExportGuard.h"
#include "Motionlink.h"
#include "Raster.h"
#include "Rasterkit.h"

using platform::DibBlock;

namespace {

using namespace rasterkit;

constexpr double kMinLineStep = 0.001;     // mm, the finest interval the scanning page offers
constexpr double kRowTolerance = 1e-9;     // pixels: a line a hair below a row boundary still reads it
constexpr std::uint32_t kMaxHeadPosition = 8;
constexpr std::int64_t kLongRun = 3;       // pixels

enum ScanKind : std::uint8_t { HorizontalOneWay, HorizontalBoth, VerticalOneWay, VerticalBoth };

// Rounds a size to the micrometre.
double ToMicrometre(double mm) {
    return std::trunc(mm * 1000.0 + 0.5) / 1000.0;
}

// A run of equal darkness: pixels first..last of the line (storage order) and its edges in walk order.
struct Run {
    double entry;  // pixel edge where the walk enters the run
    double exit;
    std::uint8_t darkness;
    std::int64_t length;
};

// A written segment of the merging writer: a run or several merged, with a power ramp.
struct Segment {
    double entry;
    double exit;
    std::uint8_t startDarkness;
    std::uint8_t endDarkness;
    std::int64_t length;
};

double Percent(std::uint8_t darkness) {
    return darkness * 100.0 / 255.0;
}

class Sweep {
  public:
    Sweep(const ConstRaster& raster, double x1, double y1, double x2, double y2, const JobFrame& frame,
          std::uint32_t headPosition, int powerMode, std::int32_t* stateA, std::int32_t* stateB)
        : raster_(raster),
          x1_(x1),
          y1_(y1),
          widthMm_(ToMicrometre(std::fabs(x2 - x1))),
          heightMm_(ToMicrometre(std::fabs(y2 - y1))),
          pixW_(widthMm_ / raster.Width()),
          pixH_(heightMm_ / raster.Height()),
          frame_(frame),
          powerMode_(powerMode),
          stateA_(stateA),
          stateB_(stateB) {
        const std::uint32_t code = std::min(headPosition & 0xFFFF, kMaxHeadPosition);
        topStart_ = code <= 2;
        rightStart_ = code == 2 || code == 5 || code == 8;
    }

    bool HasArea() const { return widthMm_ > 0.0 && heightMm_ > 0.0; }

    // Writes every line; false when a job call fails.
    bool Write(std::uint8_t kind, double lineStep, bool runWriter, bool greyPower, double lineShift) {
        const bool horizontal = kind == HorizontalOneWay || kind == HorizontalBoth;
        const bool bidirectional = kind == HorizontalBoth || kind == VerticalBoth;
        const double extent = horizontal ? heightMm_ : widthMm_;
        const double pixel = horizontal ? pixH_ : pixW_;
        const bool fromFar = horizontal ? topStart_ : rightStart_;
        // Forward walks run left to right (horizontal) or upward (vertical).
        bool forward = horizontal ? !rightStart_ : !topStart_;
        for (std::int64_t i = 0;; ++i) {
            const double step = static_cast<double>(i) * lineStep;
            const double position = fromFar ? extent - step : step;
            if (step > extent) {
                return true;
            }
            const double lineIndex = std::trunc(position / pixel + kRowTolerance) - 1.0;
            if (horizontal && raster_.Bits() == 1 && lineIndex >= 0.0 && lineIndex < raster_.Height()) {
                FillBitRowRuns(raster_.Row(static_cast<std::int32_t>(lineIndex)), raster_.Width(), forward, runs_);
            } else {
                FillLineDarkness(horizontal, lineIndex, darkness_);
                FillRuns(darkness_, forward, runs_);
            }
            const std::vector<Run>& runs = runs_;
            const double shift = forward ? lineShift : -lineShift;
            Placer place{this, horizontal, runWriter ? position : position - pixel / 2.0, shift};
            int written = 0;
            const bool ok = runWriter ? WriteRuns(runs, place, written)
                                      : (greyPower ? WriteMerged(runs, place, written) : WritePlain(runs, place, written));
            if (!ok) {
                return false;
            }
            if (bidirectional && written > 0) {
                forward = !forward;
            }
        }
    }

  private:
    // Machine coordinates of a pixel edge along the line.
    struct Placer {
        const Sweep* sweep;
        bool horizontal;
        double lineCoordinate;  // mm from y1 (horizontal) or x1 (vertical)
        double shift;

        void At(double edge, double& x, double& y) const {
            const Sweep& s = *sweep;
            const double drawingX = horizontal ? s.x1_ + shift + edge * s.pixW_ : s.x1_ + lineCoordinate;
            const double drawingY = horizontal ? s.y1_ + lineCoordinate : s.y1_ + shift + edge * s.pixH_;
            x = s.frame_.xSign * (drawingX - s.frame_.originX);
            y = s.frame_.ySign * (drawingY - s.frame_.originY);
        }
    };

    // Darkness of the pixels of stored row (horizontal) or column (vertical) `index`, in storage order,
    // into `darkness`; all 0 for a line outside the picture. The buffer is the sweep's own and serves
    // every line, so that its memory is touched once rather than taken afresh per line.
    void FillLineDarkness(bool horizontal, double index, std::vector<std::uint8_t>& darkness) const {
        const std::int32_t count = horizontal ? raster_.Width() : raster_.Height();
        darkness.assign(static_cast<std::size_t>(count), 0);
        const std::int32_t limit = horizontal ? raster_.Height() : raster_.Width();
        if (index < 0.0 || index >= limit) {
            return;
        }
        const auto line = static_cast<std::int32_t>(index);
        for (std::int32_t k = 0; k < count; ++k) {
            darkness[k] = horizontal ? Darkness(k, line) : Darkness(line, k);
        }
    }
    std::uint8_t Darkness(std::int32_t column, std::int32_t row) const {
        switch (raster_.Bits()) {
            case 1:
                return raster_.Index(column, row) != 0 ? 0 : 255;
            case 8:
                return 255 - raster_.Row(row)[column];
            default:
                return 255 - GreyOf(raster_.Colour(column, row));
        }
    }

    // The runs of a stored row of a 1-bit picture, as FillRuns finds them in its darkness, found from
    // the bits: a set bit is a light pixel (darkness 0), most significant bit leftmost, and a byte of
    // eight pixels alike with the run being walked is passed over at once.
    static void FillBitRowRuns(const std::uint8_t* row, std::int32_t count, bool forward, std::vector<Run>& runs) {
        runs.clear();
        auto light = [row](std::int64_t k) { return ((row[k >> 3] >> (7 - (k & 7))) & 1) != 0; };
        auto add = [&runs](std::int64_t first, std::int64_t end, bool isLight) {
            runs.push_back({static_cast<double>(first), static_cast<double>(end),
                            static_cast<std::uint8_t>(isLight ? 0 : 255), end - first});
        };
        std::int64_t start = 0;
        bool startLight = light(0);
        for (std::int64_t k = 1; k < count;) {
            if ((k & 7) == 0 && k + 8 <= count && row[k >> 3] == (startLight ? 0xFF : 0x00)) {
                k += 8;
                continue;
            }
            if (light(k) != startLight) {
                add(start, k, startLight);
                start = k;
                startLight = !startLight;
            }
            ++k;
        }
        add(start, count, startLight);
        if (!forward) {
            // Walked from the far end, a run's pixels first..end-1 are entered at edge end and left at
            // edge first, and the runs come in the opposite order.
            std::reverse(runs.begin(), runs.end());
            for (Run& run : runs) {
                std::swap(run.entry, run.exit);
            }
        }
    }
    static void FillRuns(const std::vector<std::uint8_t>& darkness, bool forward, std::vector<Run>& runs) {
        runs.clear();
        const auto count = static_cast<std::int64_t>(darkness.size());
        for (std::int64_t k = 0; k < count;) {
            const std::int64_t index = forward ? k : count - 1 - k;
            std::int64_t end = k + 1;
            while (end < count && darkness[forward ? end : count - 1 - end] == darkness[index]) {
                ++end;
            }
            const double near = forward ? static_cast<double>(k) : static_cast<double>(count - k);
            const double far = forward ? static_cast<double>(end) : static_cast<double>(count - end);
            runs.push_back({near, far, darkness[index], end - k});
            k = end;
        }
    }

    bool WriteOne(const Placer& place, double entry, double exit, const std::uint8_t* startEnd) const {
        double x = 0.0, y = 0.0;
        place.At(entry, x, y);
        if (Zint_wMoveTo(stateA_, stateB_, x, y) != 0) {
            return false;
        }
        if (startEnd != nullptr) {
            const double start = Percent(startEnd[0]), end = Percent(startEnd[1]);
            if (Zint_ExwSetImdPower(start, start, powerMode_) != 0 || Zint_ExwSetEndPower(end, end, powerMode_) != 0) {
                return false;
            }
        }
        place.At(exit, x, y);
        return Zint_wLineTo(stateA_, stateB_, x, y) == 0;
    }

    bool WriteRuns(const std::vector<Run>& runs, const Placer& place, int& written) const {
        for (const Run& run : runs) {
            if (run.darkness == 0) {
                continue;
            }
            const std::uint8_t powers[2] = {run.darkness, run.darkness};
            if (!WriteOne(place, run.entry, run.exit, powers)) {
                return false;
            }
            ++written;
        }
        return true;
    }

    bool WritePlain(const std::vector<Run>& runs, const Placer& place, int& written) const {
        for (const Run& run : runs) {
            if (run.darkness == 0) {
                continue;
            }
            if (!WriteOne(place, run.entry, run.exit, nullptr)) {
                return false;
            }
            ++written;
        }
        return true;
    }

    bool WriteSegment(const Placer& place, const Segment& segment, int& written) const {
        const std::uint8_t powers[2] = {segment.startDarkness, segment.endDarkness};
        ++written;
        return WriteOne(place, segment.entry, segment.exit, powers);
    }

    // Joins short runs into power ramps: a pending segment grows while the runs keep its trend.
    bool WriteMerged(const std::vector<Run>& runs, const Placer& place, int& written) const {
        Segment pending{};
        bool isPending = false;
        auto flush = [&] {
            const bool ok = !isPending || WriteSegment(place, pending, written);
            isPending = false;
            return ok;
        };
        for (const Run& run : runs) {
            const Segment own{run.entry, run.exit, run.darkness, run.darkness, run.length};
            if (run.darkness == 0) {
                if (!flush()) {
                    return false;
                }
            } else if (!isPending) {
                pending = own;
                isPending = true;
            } else if (run.length >= kLongRun) {
                if (!flush() || !WriteSegment(place, own, written)) {
                    return false;
                }
            } else if (Extends(pending, run.darkness)) {
                pending.exit = run.exit;
                pending.endDarkness = run.darkness;
                pending.length += run.length;
            } else {
                if (!flush()) {
                    return false;
                }
                pending = own;
                isPending = true;
            }
        }
        return flush();
    }

    // Whether a short dark run continues the pending segment rather than ending it.
    static bool Extends(const Segment& pending, std::uint8_t darkness) {
        if (pending.startDarkness == pending.endDarkness) {
            return pending.length < kLongRun;
        }
        if (pending.startDarkness < pending.endDarkness) {
            return darkness >= pending.endDarkness;
        }
        return darkness <= pending.endDarkness;
    }

    const ConstRaster& raster_;
    double x1_;
    double y1_;
    double widthMm_;
    double heightMm_;
    double pixW_;
    double pixH_;
    JobFrame frame_;
    int powerMode_;
    std::int32_t* stateA_;
    std::int32_t* stateB_;
    // The current line's darkness and runs, kept from line to line.
    std::vector<std::uint8_t> darkness_;
    std::vector<Run> runs_;
    bool topStart_ = false;
    bool rightStart_ = false;
};

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

extern "C" RasterStatus _dib_writesweep(const DibBlock* dib, double x1, double y1, double x2, double y2,
                                        JobFrame frame, std::uint32_t headPosition, int powerMode, double lineStep,
                                        std::uint32_t writerSelect, std::uint8_t scanKind, std::uint32_t greyPower,
                                        std::uint32_t /*unused*/, std::int32_t* stateA, std::int32_t* stateB,
                                        double lineShift) {
    return Guarded([&] {
        const std::optional<ConstRaster> raster = ConstRaster::Of(dib);
        if (!raster || !AllFinite({x1, y1, x2, y2, frame.originX, frame.originY, lineStep, lineShift}) ||
            !(lineStep >= kMinLineStep)) {
            return kFailed;
        }
        if (scanKind > VerticalBoth) {
            return kDone;
        }
        Sweep sweep(*raster, x1, y1, x2, y2, frame, headPosition, powerMode, stateA, stateB);
        if (!sweep.HasArea()) {
            return kFailed;
        }
        return sweep.Write(scanKind, lineStep, writerSelect != 0, greyPower != 0, lineShift) ? kDone : kFailed;
    });
}
