#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Filebridge.h"
#include "PathGeometry.h"
#include "SegmentWalk.h"

namespace {

constexpr double kMinPrecision = 10.0;
constexpr double kMaxPrecision = 10000.0;
constexpr int kPairsPerLine = 32;

short Result(std::FILE* file) { return file != nullptr && std::ferror(file) == 0 ? 0 : 1; }

short Put(std::FILE* file, const std::string& text) {
    if (file == nullptr) {
        return 1;
    }
    std::fputs(text.c_str(), file);
    return Result(file);
}

int PenOf(std::uint32_t colour, const std::uint32_t* colours) {
    if (colours != nullptr) {
        for (int slot = 0; slot < 256; ++slot) {
            if (colours[slot] == colour) {
                return slot + 1;
            }
        }
    }
    return 1;
}

// The curve as plotter commands: a pen-up move wherever a segment does not start where the last ended.
class PltCurveText {
  public:
    explicit PltCurveText(double unitsPerMm) : unitsPerMm_(unitsPerMm) {}

    void Segment(const CFileLine& segment) {
        const Units from = ToUnits(segment.start);
        if (!down_ || from.x != last_.x || from.y != last_.y) {
            Flush();
            text_ += "PU" + Pair(from) + ";";
            last_ = from;
        }
        if (segment.IsBezier()) {
            filebridge::FlattenBezier(segment, 0.5 / unitsPerMm_, [this](SDPoint p) { DrawTo(ToUnits(p)); });
        } else {
            DrawTo(ToUnits(segment.end));
        }
    }

    std::string Finish() {
        Flush();
        return std::move(text_);
    }

  private:
    struct Units {
        long long x = 0, y = 0;
    };

    Units ToUnits(SDPoint p) const { return {std::llround(p.x * unitsPerMm_), std::llround(p.y * unitsPerMm_)}; }
    static std::string Pair(Units u) { return std::to_string(u.x) + "," + std::to_string(u.y); }

    void DrawTo(Units to) {
        if (to.x == last_.x && to.y == last_.y && down_) {
            return;
        }
        run_.push_back(to);
        last_ = to;
        down_ = true;
    }

    void Flush() {
        for (std::size_t first = 0; first < run_.size(); first += kPairsPerLine) {
            text_ += "PD";
            for (std::size_t index = first; index < run_.size() && index < first + kPairsPerLine; ++index) {
                text_ += (index == first ? "" : ",") + Pair(run_[index]);
            }
            text_ += ";\n";
        }
        run_.clear();
        down_ = false;
    }

    double unitsPerMm_;
    std::string text_;
    std::vector<Units> run_;
    Units last_;
    bool down_ = false;
};

}  // namespace

short _file_SavePltHeader(std::FILE* file) { return Put(file, "IN;\n"); }

short _file_SaveCurveAsPlt(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour,
                           const std::uint32_t* colours, double precision, std::int32_t* written) {
    if (file == nullptr) {
        return 1;
    }
    const std::vector<CFileLine> curve = filebridge::CopySegments(segments);
    if (curve.empty() || !filebridge::AllFinite(curve)) {
        return 0;
    }
    const double unitsPerInch = std::isfinite(precision) ? std::clamp(precision, kMinPrecision, kMaxPrecision)
                                                         : filebridge::kDefaultPltPrecision;
    PltCurveText text(unitsPerInch / 25.4);
    for (const CFileLine& segment : curve) {
        text.Segment(segment);
    }
    const short result = Put(file, "SP" + std::to_string(PenOf(colour, colours)) + ";" + text.Finish());
    if (result == 0 && written != nullptr) {
        *written = 1;
    }
    return result;
}

short _file_SavePltEnd(std::FILE* file) { return Put(file, "PU;SP0;\n"); }
