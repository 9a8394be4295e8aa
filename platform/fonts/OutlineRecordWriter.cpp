// Glyph-outline records from a FreeType outline.
#include "OutlineRecordWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "GlyphOutline.h"

namespace platform {
namespace {

struct FixedPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const FixedPoint&) const = default;
};

// 16.16 fixed; a coordinate beyond its range (two em and more) is held at the range's end.
std::int32_t ToFixed(double units) {
    const double fixed = std::round(units * 65536.0);
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(fixed, kMin, kMax));
}

FixedPoint Midpoint(FixedPoint a, FixedPoint b) {
    return {static_cast<std::int32_t>((std::int64_t{a.x} + b.x) / 2),
            static_cast<std::int32_t>((std::int64_t{a.y} + b.y) / 2)};
}

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
        out[at + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
}

void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.resize(out.size() + 4);
    PutU32(out, out.size() - 4, value);
}

void AppendPoint(std::vector<std::uint8_t>& out, FixedPoint point) {
    AppendU32(out, static_cast<std::uint32_t>(point.x));
    AppendU32(out, static_cast<std::uint32_t>(point.y));
}

enum class PointKind { kOn, kQuadratic, kCubic };

struct ContourPoint {
    FixedPoint point;
    PointKind kind;
};

PointKind KindOf(char tag) {
    switch (FT_CURVE_TAG(tag)) {
        case FT_CURVE_TAG_ON:
            return PointKind::kOn;
        case FT_CURVE_TAG_CUBIC:
            return PointKind::kCubic;
        default:
            return PointKind::kQuadratic;
    }
}

// One contour's points in outline units, read in place, beginning at an on-curve point where
// FreeType's own decomposition begins: the first point when it is on the curve, else the last when that
// is, else the implied point between them, which then comes first.
class Contour {
  public:
    Contour(const FT_Outline& glyph, int firstPoint, int lastPoint, double outlineScale)
        : outline(glyph), first(firstPoint), count(lastPoint - firstPoint + 1), scale(outlineScale) {
        if (KindOf(outline.tags[first]) == PointKind::kOn) {
            return;
        }
        if (KindOf(outline.tags[lastPoint]) == PointKind::kOn) {
            rotation = count - 1;
            return;
        }
        implied = true;
    }

    std::size_t Size() const { return static_cast<std::size_t>(count) + (implied ? 1 : 0); }

    ContourPoint operator[](std::size_t index) const {
        if (!implied) {
            return Raw((static_cast<int>(index) + rotation) % count);
        }
        if (index == 0) {
            return {Midpoint(Raw(count - 1).point, Raw(0).point), PointKind::kOn};
        }
        return Raw(static_cast<int>(index) - 1);
    }

  private:
    ContourPoint Raw(int offset) const {
        const FT_Vector& point = outline.points[first + offset];
        return {{ToFixed(point.x * scale), ToFixed(point.y * scale)}, KindOf(outline.tags[first + offset])};
    }

    const FT_Outline& outline;
    int first;
    int count;
    double scale;
    int rotation = 0;
    bool implied = false;
};

// Writes one polygon. Records grow while points of one kind follow each other; a record header is
// patched with its count when the record ends.
class PolygonWriter {
  public:
    explicit PolygonWriter(std::vector<std::uint8_t>& output) : out(output) {}

    void Write(const Contour& points) {
        polygonStart = out.size();
        out.resize(out.size() + 8);
        PutU32(out, polygonStart + 4, kOutlinePolygonType);
        AppendPoint(out, points[0].point);
        std::size_t index = 1;
        while (index <= points.Size()) {
            index = WriteSegment(points, index);
        }
        EndRecord();
        PutU32(out, polygonStart, static_cast<std::uint32_t>(out.size() - polygonStart));
    }

  private:
    // Writes the segment that starts after the on-curve point before `index` and returns the index
    // after its end point; the index equal to the point count stands for the start point again.
    std::size_t WriteSegment(const Contour& points, std::size_t index) {
        auto at = [&](std::size_t i) { return points[i % points.Size()]; };
        const ContourPoint first = at(index);
        if (first.kind == PointKind::kOn) {
            if (index < points.Size()) {
                Add(kOutlineLines, first.point);
            }
            return index + 1;
        }
        const OutlineRecordType type = first.kind == PointKind::kCubic ? kOutlineCubic : kOutlineQuadratic;
        while (at(index).kind != PointKind::kOn && index < points.Size()) {
            Add(type, at(index).point);
            ++index;
        }
        Add(type, at(index).point);
        if (type == kOutlineQuadratic) {
            EndRecord();  // only a quadratic record's last point lies on the curve
        }
        return index + 1;
    }

    void Add(OutlineRecordType type, FixedPoint point) {
        if (recordStart == 0 || type != recordType) {
            EndRecord();
            recordStart = out.size();
            recordType = type;
            out.resize(out.size() + kOutlineRecordHeaderBytes);
        }
        AppendPoint(out, point);
        ++recordCount;
    }

    void EndRecord() {
        if (recordStart == 0) {
            return;
        }
        PutU16(out, recordStart, recordType);
        PutU16(out, recordStart + 2, recordCount);
        recordStart = 0;
        recordCount = 0;
    }

    std::vector<std::uint8_t>& out;
    std::size_t polygonStart = 0;
    std::size_t recordStart = 0;  // 0: no record open (a record never starts at byte 0)
    OutlineRecordType recordType = kOutlineLines;
    std::uint16_t recordCount = 0;
};

}  // namespace

void WriteOutlineRecords(const FT_Outline& outline, double scale, std::vector<std::uint8_t>& records) {
    records.clear();
    // Every point once, a record header at most per point, a polygon header and an implied start each.
    records.reserve(static_cast<std::size_t>(outline.n_points) * (kOutlinePointBytes + kOutlineRecordHeaderBytes) +
                    static_cast<std::size_t>(outline.n_contours) * (kOutlinePolygonHeaderBytes + kOutlinePointBytes));
    int first = 0;
    for (int contour = 0; contour < outline.n_contours; ++contour) {
        const int last = outline.contours[contour];
        if (last < first || last >= outline.n_points) {
            return;
        }
        PolygonWriter(records).Write(Contour(outline, first, last, scale));
        first = last + 1;
    }
}

}  // namespace platform
