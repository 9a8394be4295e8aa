// The TrueType branch of text creation and its glyph-outline reader.
#include "TrueTypeText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "FontFace.h"

namespace letterforge {
namespace {

using platform::FontFace;

constexpr double kLayoutUnitsPerOutlineUnit = 0.01;
// Layout units to mm: height / 0.0072 / 16384 per mm of height.
constexpr double kScalePerMm = 138.8888888888889 / 16384.0;
constexpr int kTabSpaces = 4;
constexpr const char* kFallbackFamily = "Tahoma";

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

// Walks one polygon's records into a curve; point (u, v) of the outline lands at
// (u x 0.01 + penX, v x 0.01 + penY).
class PolygonReader {
  public:
    PolygonReader(double x, double y) : penX(x), penY(y) {}

    std::unique_ptr<CFileCurve> Read(const std::uint8_t* polygon, std::size_t size) {
        curve = std::make_unique<CFileCurve>();
        const FixedPoint start = ReadFixedPoint(polygon + 8);
        currentFixed = start;
        current = Map(start);
        for (std::size_t at = platform::kOutlinePolygonHeaderBytes; at + platform::kOutlineRecordHeaderBytes <= size;) {
            const std::uint16_t type = U16(polygon + at);
            const std::size_t count = U16(polygon + at + 2);
            at += platform::kOutlineRecordHeaderBytes;
            if (count > (size - at) / platform::kOutlinePointBytes) {
                break;
            }
            ReadRecord(type, polygon + at, count);
            at += count * platform::kOutlinePointBytes;
        }
        if (!(currentFixed == start)) {
            AppendLine(*curve, current, Map(start));
        }
        return std::move(curve);
    }

  private:
    SDPoint Map(FixedPoint point) const {
        return {point.x / 65536.0 * kLayoutUnitsPerOutlineUnit + penX,
                point.y / 65536.0 * kLayoutUnitsPerOutlineUnit + penY};
    }

    void LineTo(FixedPoint point) {
        const SDPoint end = Map(point);
        AppendLine(*curve, current, end);
        current = end;
        currentFixed = point;
    }

    void ReadRecord(std::uint16_t type, const std::uint8_t* points, std::size_t count) {
        auto pointAt = [&](std::size_t i) { return ReadFixedPoint(points + i * platform::kOutlinePointBytes); };
        if (type == platform::kOutlineLines) {
            for (std::size_t i = 0; i < count; ++i) {
                LineTo(pointAt(i));
            }
        } else if (type == platform::kOutlineQuadratic) {
            ReadQuadratic(pointAt, count);
        } else if (type == platform::kOutlineCubic) {
            std::size_t i = 0;
            for (; i + 3 <= count; i += 3) {
                const SDPoint end = Map(pointAt(i + 2));
                AppendBezier(*curve, current, Map(pointAt(i)), Map(pointAt(i + 1)), end);
                current = end;
                currentFixed = pointAt(i + 2);
            }
            for (; i < count; ++i) {
                LineTo(pointAt(i));
            }
        }
    }

    // Between two off-curve points the on-curve point is their midpoint; the record's last point is on it.
    template <typename PointAt>
    void ReadQuadratic(PointAt pointAt, std::size_t count) {
        std::size_t i = 0;
        while (i + 1 < count) {
            const SDPoint control = Map(pointAt(i));
            SDPoint end;
            if (i + 2 == count) {
                end = Map(pointAt(i + 1));
                currentFixed = pointAt(i + 1);
                i += 2;
            } else {
                const SDPoint next = Map(pointAt(i + 1));
                end = {(control.x + next.x) / 2.0, (control.y + next.y) / 2.0};
                currentFixed = {std::numeric_limits<std::int32_t>::min(), 0};  // not a point of the record
                i += 1;
            }
            AppendBezier(*curve, current,
                         {current.x + (control.x - current.x) * 2.0 / 3.0, current.y + (control.y - current.y) * 2.0 / 3.0},
                         {control.x + (end.x - control.x) / 3.0, control.y + (end.y - control.y) / 3.0}, end);
            current = end;
        }
        if (i < count) {  // a lone point ends the record with a straight segment
            LineTo(pointAt(i));
        }
    }

    double penX;
    double penY;
    std::unique_ptr<CFileCurve> curve;
    SDPoint current;
    FixedPoint currentFixed{};
};

void StretchX(CFileCurve& curve, double penX, double widthRatio) {
    auto stretch = [&](SDPoint& point) { point.x = penX + widthRatio * (point.x - penX); };
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        stretch(node->value.start);
        stretch(node->value.end);
        if (node->value.IsBezier()) {
            stretch(node->value.ctrl1);
            stretch(node->value.ctrl2);
        }
    }
}

void ScaleAbout(CurveList& curves, SDPoint origin, double scale) {
    auto apply = [&](SDPoint& point) {
        point = {origin.x + scale * (point.x - origin.x), origin.y + scale * (point.y - origin.y)};
    };
    for (const auto& curve : curves) {
        for (auto* node = curve->segments.head->next; node != curve->segments.head; node = node->next) {
            apply(node->value.start);
            apply(node->value.end);
            if (node->value.IsBezier()) {
                apply(node->value.ctrl1);
                apply(node->value.ctrl2);
            }
        }
    }
}

// The faces of one call: the named face and the fallback last used for a character it lacks.
class FaceChoice {
  public:
    explicit FaceChoice(std::unique_ptr<FontFace> mainFace) : main(std::move(mainFace)) {}

    const FontFace& For(char32_t character) {
        if (main->HasGlyph(character)) {
            return *main;
        }
        if (!fallback || !fallback->HasGlyph(character)) {
            std::unique_ptr<FontFace> found = FontFace::OpenFallback(kFallbackFamily, character);
            if (found) {
                fallback = std::move(found);
            }
        }
        return fallback ? *fallback : *main;
    }

    const FontFace& Main() const { return *main; }

  private:
    std::unique_ptr<FontFace> main;
    std::unique_ptr<FontFace> fallback;
};

}  // namespace

void GlyphOutlineToCurves(const std::vector<std::uint8_t>& records, double penX, double penY, double widthRatio,
                          CurveList& out) {
    const std::uint8_t* bytes = records.data();
    for (std::size_t at = 0; records.size() - at >= platform::kOutlinePolygonHeaderBytes;) {
        const std::uint32_t polygonBytes = U32(bytes + at);
        if (polygonBytes < platform::kOutlinePolygonHeaderBytes || polygonBytes > records.size() - at) {
            return;
        }
        std::unique_ptr<CFileCurve> curve = PolygonReader(penX, penY).Read(bytes + at, polygonBytes);
        if (curve->segments.IsEmpty() == 0) {
            if (widthRatio != 1.0) {
                StretchX(*curve, penX, widthRatio);
            }
            out.push_back(std::move(curve));
        }
        at += polygonBytes;
    }
}

SDPoint CurveListLowerLeft(const CurveList& curves) {
    SDPoint lowest{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    auto include = [&](SDPoint point) {
        lowest = {std::min(lowest.x, point.x), std::min(lowest.y, point.y)};
    };
    for (const auto& curve : curves) {
        for (auto* node = curve->segments.head->next; node != curve->segments.head; node = node->next) {
            const CFileLine& segment = node->value;
            include(segment.start);
            include(segment.end);
            // A Bezier lies within its control points' hull: when none of them is lower, no sample is.
            if (!segment.IsBezier() ||
                (std::min({segment.ctrl1.x, segment.ctrl2.x}) >= lowest.x &&
                 std::min({segment.ctrl1.y, segment.ctrl2.y}) >= lowest.y)) {
                continue;
            }
            for (int step = 1; step < 100; ++step) {
                include(segment.GetPoint(step / 100.0));
            }
        }
    }
    return lowest;
}

int TextCreateTrueType(const std::string& text, double height, double charSpace, double lineSpace, double widthRatio,
                       const std::string& faceName, double x0, double y0, CurveList& out) {
    const double roundedHeight = std::floor(height * 1000.0 + 0.5) * 0.001;
    const double scale = roundedHeight * kScalePerMm;
    const double ratio = widthRatio > 0.0 ? widthRatio : 1.0;
    std::unique_ptr<FontFace> face = FontFace::OpenFamily(faceName);
    if (!face) {
        return 1;
    }
    FaceChoice faces(std::move(face));
    const double spaceWidth = faces.Main().AdvanceX(U' ') * kLayoutUnitsPerOutlineUnit * ratio;
    const double lineHeight = faces.Main().Height() * kLayoutUnitsPerOutlineUnit;

    CurveList curves;
    curves.reserve(text.size() * 2);  // most glyphs have one or two contours
    platform::GlyphOutline outline;
    double y = y0;
    std::string_view remaining = text;
    while (!remaining.empty()) {
        const std::string_view line = TakeLastLine(remaining);
        double x = x0;
        for (std::size_t position = 0; position < line.size();) {
            const char32_t character = NextCharacter(line, position);
            if (character == U'\b' || character == U'\r') {
                continue;
            }
            if (character == U'\t' || character == U' ') {
                x += (character == U'\t' ? kTabSpaces : 1) * spaceWidth;
                continue;
            }
            if (!faces.For(character).LoadOutline(character, outline)) {
                return 1;
            }
            GlyphOutlineToCurves(outline.records, x, y, ratio, curves);
            x += outline.advanceX * ratio * kLayoutUnitsPerOutlineUnit + charSpace / scale;
            y += outline.advanceY * kLayoutUnitsPerOutlineUnit;
        }
        y += lineHeight + lineSpace;
    }
    if (!curves.empty() && scale != 1.0) {
        ScaleAbout(curves, CurveListLowerLeft(curves), scale);
    }
    std::move(curves.begin(), curves.end(), std::back_inserter(out));
    return 0;
}

}  // namespace letterforge
