// The job as the static drawing walks it: one entry per move, cut and delay in micrometres with its pen,
// in chunks whose boxes let a view skip what lies outside it. Made at load and after each mirror.
#pragma once

#include <cstdint>
#include <vector>

#include "GdiTypes.h"
#include "PreviewJob.h"

namespace simscope {

enum class DisplayOp : std::uint8_t { Move, Line, Circle };

// The pen of the marker, which draws everything before the job's first power.
constexpr std::uint32_t kMarkerPen = 0;

// 12 bytes: a job of tens of millions of points keeps its display list small.
struct DisplayPoint {
    platform::Point at;          // micrometres; a circle is drawn around the pen position and ignores it
    std::uint32_t pen : 30 = 0;  // kMarkerPen or 1 + index into the power table
    DisplayOp op : 2 = DisplayOp::Move;
};

struct DisplayChunk {
    // Micrometres; holds every point of the chunk and the pen position before its first one.
    platform::Rect bounds;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    // Circles that can move the pen away from the points (each leaves it a radius to the right): those
    // of the chunk and those right before it.
    std::uint32_t circleDrift = 0;
};

class DisplayList {
  public:
    static DisplayList Build(const PreviewJob& job);

    const std::vector<DisplayPoint>& Points() const { return points_; }
    const std::vector<DisplayChunk>& Chunks() const { return chunks_; }
    // The distinct powers of the job in order of first use; pen 1 + i draws with powers[i].
    const std::vector<double>& Powers() const { return powers_; }
    platform::Point Start() const { return start_; }
    bool IsEmpty() const { return empty_; }

  private:
    std::vector<DisplayPoint> points_;
    std::vector<DisplayChunk> chunks_;
    std::vector<double> powers_;
    platform::Point start_;
    bool empty_ = true;
};

}  // namespace simscope
