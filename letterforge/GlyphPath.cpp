// Glyph-outline records to path steps.
#include "GlyphPath.h"

#include <algorithm>
#include <limits>

#include "GlyphOutline.h"

namespace letterforge {
namespace {

std::uint16_t U16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t U32(const std::uint8_t* bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

struct FixedPoint {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const FixedPoint&) const = default;
};

FixedPoint ReadFixedPoint(const std::uint8_t* bytes) {
    return {static_cast<std::int32_t>(U32(bytes)), static_cast<std::int32_t>(U32(bytes + 4))};
}

}  // namespace

// Walks one polygon's records into steps. The pen tracks the last on-curve point as a record point, so
// that a polygon already back at its start gets no closing line.
class GlyphPathReader {
  public:
    explicit GlyphPathReader(GlyphPath& glyphPath) : path(glyphPath) {}

    void Read(const std::uint8_t* polygon, std::size_t size) {
        const FixedPoint start = ReadFixedPoint(polygon + 8);
        GlyphPath::Polygon added{AddPoint(start), static_cast<std::uint32_t>(path.steps.size()), 0};
        pen = start;
        for (std::size_t at = platform::kOutlinePolygonHeaderBytes;
             at + platform::kOutlineRecordHeaderBytes <= size;) {
            const std::uint16_t type = U16(polygon + at);
            const std::size_t count = U16(polygon + at + 2);
            at += platform::kOutlineRecordHeaderBytes;
            if (count > (size - at) / platform::kOutlinePointBytes) {
                break;
            }
            ReadRecord(type, polygon + at, count);
            at += count * platform::kOutlinePointBytes;
        }
        if (!(pen == start)) {
            AddStep(GlyphPath::StepKind::kLine, added.start);
        }
        added.stepCount = static_cast<std::uint32_t>(path.steps.size()) - added.firstStep;
        if (added.stepCount == 0) {
            path.points.resize(added.start);
            return;
        }
        path.polygons.push_back(added);
    }

  private:
    std::uint32_t AddPoint(FixedPoint point) {
        path.points.push_back(
            {point.x / 65536.0 * kLayoutUnitsPerOutlineUnit, point.y / 65536.0 * kLayoutUnitsPerOutlineUnit});
        return static_cast<std::uint32_t>(path.points.size() - 1);
    }

    void AddStep(GlyphPath::StepKind kind, std::uint32_t firstPoint) {
        path.steps.push_back({kind, firstPoint});
    }

    // Adds the points as the step's points, in order.
    template <typename PointAt>
    void AddStep(GlyphPath::StepKind kind, PointAt pointAt, std::size_t first, std::size_t count) {
        const std::uint32_t firstPoint = AddPoint(pointAt(first));
        for (std::size_t i = 1; i < count; ++i) {
            AddPoint(pointAt(first + i));
        }
        AddStep(kind, firstPoint);
    }

    void ReadRecord(std::uint16_t type, const std::uint8_t* points, std::size_t count) {
        auto pointAt = [&](std::size_t i) {
            return ReadFixedPoint(points + i * platform::kOutlinePointBytes);
        };
        std::size_t i = 0;
        if (type == platform::kOutlineQuadratic) {
            i = ReadQuadratic(pointAt, count);
        } else if (type == platform::kOutlineCubic) {
            for (; i + 3 <= count; i += 3) {
                AddStep(GlyphPath::StepKind::kCubic, pointAt, i, 3);
                pen = pointAt(i + 2);
            }
        } else if (type != platform::kOutlineLines) {
            return;
        }
        for (; i < count; ++i) {
            AddStep(GlyphPath::StepKind::kLine, pointAt, i, 1);
            pen = pointAt(i);
        }
    }

    // Between two off-curve points the on-curve point is their midpoint; the record's last point is on
    // it. Returns the index of a lone point left at the end.
    template <typename PointAt>
    std::size_t ReadQuadratic(PointAt pointAt, std::size_t count) {
        std::size_t i = 0;
        while (i + 1 < count) {
            if (i + 2 == count) {
                AddStep(GlyphPath::StepKind::kQuadratic, pointAt, i, 2);
                pen = pointAt(i + 1);
                i += 2;
            } else {
                AddStep(GlyphPath::StepKind::kQuadraticHalf, pointAt, i, 2);
                pen = {std::numeric_limits<std::int32_t>::min(), 0};  // not a point of the record
                i += 1;
            }
        }
        return i;
    }

    GlyphPath& path;
    FixedPoint pen{};
};

GlyphPath GlyphPath::FromRecords(const std::vector<std::uint8_t>& records) {
    GlyphPath path;
    GlyphPathReader reader(path);
    const std::uint8_t* bytes = records.data();
    for (std::size_t at = 0; records.size() - at >= platform::kOutlinePolygonHeaderBytes;) {
        const std::uint32_t polygonBytes = U32(bytes + at);
        if (polygonBytes < platform::kOutlinePolygonHeaderBytes || polygonBytes > records.size() - at) {
            break;
        }
        reader.Read(bytes + at, polygonBytes);
        at += polygonBytes;
    }
    if (!path.points.empty()) {
        path.lowest = path.points.front();
        for (const SDPoint& point : path.points) {
            path.lowest = {std::min(path.lowest.x, point.x), std::min(path.lowest.y, point.y)};
        }
    }
    return path;
}

}  // namespace letterforge
