#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Filebridge.h"
#include "SegmentWalk.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Defines every operator the body uses, so that a PostScript interpreter runs the file as it is.
constexpr const char* kHead =
    "%!PS-Adobe-2.0 EPSF-1.2\n"
    "%%Creator: Cutrix\n"
    "%%BoundingBox: (atend)\n"
    "%%DocumentProcessColors: Cyan Magenta Yellow Black\n"
    "%%AI3_ColorUsage: Color\n"
    "%%EndComments\n"
    "%%BeginProlog\n"
    "/m {moveto} bind def\n"
    "/l {lineto} bind def\n"
    "/L {lineto} bind def\n"
    "/c {curveto} bind def\n"
    "/C {curveto} bind def\n"
    "/h {closepath} bind def\n"
    "/S {stroke} bind def\n"
    "/s {closepath stroke} bind def\n"
    "/XA {setrgbcolor} bind def\n"
    "%%EndProlog\n"
    "%%BeginSetup\n"
    "%%EndSetup\n";

struct Box {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    bool empty = true;

    void Add(SDPoint p) {
        if (empty) {
            x1 = x2 = p.x;
            y1 = y2 = p.y;
            empty = false;
            return;
        }
        x1 = std::min(x1, p.x);
        y1 = std::min(y1, p.y);
        x2 = std::max(x2, p.x);
        y2 = std::max(y2, p.y);
    }
};

// The box of each file between its header and its end, by stream: the calls carry nothing else.
class OpenBoxes {
  public:
    void Start(std::FILE* file) {
        std::lock_guard lock(mutex_);
        boxes_[file] = Box{};
    }
    void Add(std::FILE* file, SDPoint p) {
        std::lock_guard lock(mutex_);
        boxes_[file].Add(p);
    }
    Box Finish(std::FILE* file) {
        std::lock_guard lock(mutex_);
        const auto found = boxes_.find(file);
        if (found == boxes_.end()) {
            return Box{};
        }
        const Box box = found->second;
        boxes_.erase(found);
        return box;
    }

  private:
    std::mutex mutex_;
    std::map<std::FILE*, Box> boxes_;
};

OpenBoxes& Boxes() {
    static OpenBoxes boxes;
    return boxes;
}

short Put(std::FILE* file, const std::string& text) {
    std::fputs(text.c_str(), file);
    return std::ferror(file) == 0 ? 0 : 1;
}

std::string Number(double mm) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.6f", mm * kPointsPerMm);
    return buffer;
}

std::string Point(SDPoint p) { return Number(p.x) + " " + Number(p.y); }

std::string ColourText(std::uint32_t colour) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f %.4f %.4f XA\n", (colour & 0xFF) / 255.0,
                  ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0);
    return buffer;
}

}  // namespace

short _file_SaveAIHeader(std::FILE* file) {
    if (file == nullptr) {
        return 1;
    }
    Boxes().Start(file);
    return Put(file, kHead);
}

short _file_SaveCurveAsAI(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour,
                          std::int32_t closed, std::int32_t* written) {
    if (file == nullptr) {
        return 1;
    }
    const std::vector<CFileLine> curve = filebridge::CopySegments(segments);
    if (curve.empty() || !filebridge::AllFinite(curve)) {
        return 0;
    }
    std::string text = ColourText(colour);
    SDPoint pen = curve.front().start;
    text += Point(pen) + " m\n";
    for (const CFileLine& segment : curve) {
        if (segment.start.x != pen.x || segment.start.y != pen.y) {
            text += Point(segment.start) + " m\n";
        }
        if (segment.IsBezier()) {
            text += Point(segment.ctrl1) + " " + Point(segment.ctrl2) + " " + Point(segment.end) + " c\n";
            Boxes().Add(file, segment.ctrl1);
            Boxes().Add(file, segment.ctrl2);
        } else {
            text += Point(segment.end) + " l\n";
        }
        Boxes().Add(file, segment.start);
        Boxes().Add(file, segment.end);
        pen = segment.end;
    }
    text += closed != 0 ? "s\n" : "S\n";
    const short result = Put(file, text);
    if (result == 0 && written != nullptr) {
        *written = 1;
    }
    return result;
}

short _file_SaveAIEnd(std::FILE* file) {
    if (file == nullptr) {
        return 1;
    }
    const Box box = Boxes().Finish(file);
    char bounds[128];
    std::snprintf(bounds, sizeof bounds, "%%%%BoundingBox: %.0f %.0f %.0f %.0f\n",
                  std::floor(box.x1 * kPointsPerMm), std::floor(box.y1 * kPointsPerMm),
                  std::ceil(box.x2 * kPointsPerMm), std::ceil(box.y2 * kPointsPerMm));
    return Put(file, std::string("%%PageTrailer\nshowpage\n%%Trailer\n") + bounds + "%%EOF\n");
}
