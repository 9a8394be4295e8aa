// The TrueType branch of text creation.
#include "TrueTypeText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

#include "FontFace.h"
#include "GlyphPath.h"

namespace letterforge {
namespace {

using platform::FontFace;

// Layout units to mm: height / 0.0072 / 16384 per mm of height.
constexpr double kScalePerMm = 138.8888888888889 / 16384.0;
constexpr int kTabSpaces = 4;
constexpr const char* kFallbackFamily = "Tahoma";

// Opening a face maps and reads its file, which costs more than laying out a line of text, so the faces
// last asked for on this thread stay open for the texts that follow. fontconfig's answer for a family
// does not change while the program runs: a kept face is the face a new lookup would open. Null when
// nothing usable is installed.
const FontFace* KeptFace(const std::string& family) {
    constexpr std::size_t kKeptFaces = 4;
    thread_local std::vector<std::pair<std::string, std::unique_ptr<FontFace>>> kept;  // last used first
    const auto known =
        std::find_if(kept.begin(), kept.end(), [&](const auto& entry) { return entry.first == family; });
    if (known != kept.end()) {
        std::rotate(kept.begin(), known, known + 1);
        return kept.front().second.get();
    }
    std::unique_ptr<FontFace> opened = FontFace::OpenFamily(family);
    if (!opened) {
        return nullptr;
    }
    if (kept.size() == kKeptFaces) {
        kept.pop_back();
    }
    kept.emplace(kept.begin(), family, std::move(opened));
    return kept.front().second.get();
}

// The faces of one call: the named face and the fallback last used for a character it lacks. Each
// fallback opened is a new generation, so that glyphs read from an earlier one are not taken for its.
class FaceChoice {
  public:
    explicit FaceChoice(const FontFace& mainFace) : main(mainFace) {}

    const FontFace& For(char32_t character) {
        if (main.HasGlyph(character)) {
            return main;
        }
        if (!fallback || !fallback->HasGlyph(character)) {
            ReplaceFallback(character);
        }
        return fallback ? *fallback : main;
    }

    const FontFace& Main() const { return main; }
    // 0 for the main face.
    std::uint32_t Generation(const FontFace& face) const { return &face == &main ? 0 : generation; }

  private:
    using FaceFile = std::pair<std::string, int>;

    static FaceFile FileOf(const FontFace& face) { return {face.FilePath(), face.FaceIndex()}; }

    // fontconfig's answer depends on the character alone: a character no face holds asks once, and
    // the face it was given, while still in use, is not opened again for each further copy.
    void ReplaceFallback(char32_t character) {
        const auto known = answers.find(character);
        if (fallback && known != answers.end() && known->second == FileOf(*fallback)) {
            return;
        }
        std::unique_ptr<FontFace> found = FontFace::OpenFallback(kFallbackFamily, character);
        if (found) {
            answers[character] = FileOf(*found);
            fallback = std::move(found);
            ++generation;
        }
    }

    const FontFace& main;
    std::unique_ptr<FontFace> fallback;
    std::uint32_t generation = 0;
    std::unordered_map<char32_t, FaceFile> answers;
};

struct Glyph {
    GlyphPath path;
    double advanceX = 0.0;  // outline units
    double advanceY = 0.0;
};

// The glyphs of one call, each read from its face once.
class GlyphCache {
  public:
    explicit GlyphCache(FaceChoice& faceChoice) : faces(faceChoice) {}

    // Null when FreeType cannot load the glyph.
    const Glyph* For(char32_t character) {
        if (character < ascii.size() && ascii[character] != nullptr) {
            return ascii[character];
        }
        const Glyph* glyph = nullptr;
        if (faces.Main().HasGlyph(character)) {
            glyph = Find(mainGlyphs, character, faces.Main());
            if (glyph != nullptr && character < ascii.size()) {
                ascii[character] = glyph;
            }
        } else {
            const FontFace& face = faces.For(character);
            const std::uint64_t key = std::uint64_t{faces.Generation(face)} << 32 | character;
            glyph = Find(otherGlyphs, key, face);
        }
        return glyph;
    }

  private:
    template <typename Key>
    const Glyph* Find(std::unordered_map<Key, Glyph>& glyphs, Key key, const FontFace& face) {
        const auto known = glyphs.find(key);
        if (known != glyphs.end()) {
            return &known->second;
        }
        const char32_t character = static_cast<char32_t>(key & 0xFFFFFFFFu);
        if (!face.LoadOutline(character, outline)) {
            return nullptr;
        }
        Glyph& added = glyphs[key];
        added = {GlyphPath::FromRecords(outline.records), outline.advanceX, outline.advanceY};
        return &added;
    }

    FaceChoice& faces;
    platform::GlyphOutline outline;
    std::array<const Glyph*, 128> ascii{};
    std::unordered_map<char32_t, Glyph> mainGlyphs;        // characters the main face holds
    std::unordered_map<std::uint64_t, Glyph> otherGlyphs;  // by face generation and character
};

struct PlacedGlyph {
    const Glyph* glyph;
    double penX;
    double penY;
};

// The lower-left corner of the traced segments' box: segment ends, and points at t = 0.01 .. 0.99 of
// Beziers.
class LowerLeft {
  public:
    void BeginCurve() {}
    void EndCurve() {}

    void Segment(const TracedSegment& segment) {
        Include(segment.start);
        Include(segment.end);
        // A Bezier lies within its control points' hull: when none of them is lower, no sample is.
        if (!segment.bezier || (std::min(segment.ctrl1.x, segment.ctrl2.x) >= lowest.x &&
                                std::min(segment.ctrl1.y, segment.ctrl2.y) >= lowest.y)) {
            return;
        }
        CFileLine bezier;
        bezier.type = CFileLine::kBezier;
        bezier.start = segment.start;
        bezier.ctrl1 = segment.ctrl1;
        bezier.ctrl2 = segment.ctrl2;
        bezier.end = segment.end;
        for (int step = 1; step < 100; ++step) {
            Include(bezier.GetPoint(step / 100.0));
        }
    }

    SDPoint Corner() const { return lowest; }

    // Whether a glyph none of whose points lies left of or below `bound` may move the corner, with room
    // for the rounding of the traced points. Tracing only those leaves the corner exactly as tracing all.
    bool MayMove(SDPoint bound) const {
        const double margin = kRoundingMargin * (1.0 + std::abs(bound.x) + std::abs(bound.y));
        return bound.x - margin <= lowest.x || bound.y - margin <= lowest.y;
    }

  private:
    static constexpr double kRoundingMargin = 1e-9;

    void Include(SDPoint point) { lowest = {std::min(lowest.x, point.x), std::min(lowest.y, point.y)}; }

    SDPoint lowest{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
};

// Builds one curve per traced polygon, every point scaled about the origin.
class CurveBuilder {
  public:
    CurveBuilder(CurveList& curves, SDPoint scaleOrigin, double scaleFactor)
        : out(curves), origin(scaleOrigin), scale(scaleFactor) {}

    void BeginCurve() { curve = std::make_unique<CFileCurve>(); }
    void EndCurve() { out.push_back(std::move(curve)); }

    void Segment(const TracedSegment& segment) {
        if (segment.bezier) {
            AppendBezier(*curve, Place(segment.start), Place(segment.ctrl1), Place(segment.ctrl2),
                         Place(segment.end));
        } else {
            AppendLine(*curve, Place(segment.start), Place(segment.end));
        }
    }

  private:
    SDPoint Place(SDPoint point) const {
        if (scale == 1.0) {
            return point;
        }
        return {origin.x + scale * (point.x - origin.x), origin.y + scale * (point.y - origin.y)};
    }

    CurveList& out;
    SDPoint origin;
    double scale;
    std::unique_ptr<CFileCurve> curve;
};

}  // namespace

void GlyphOutlineToCurves(const std::vector<std::uint8_t>& records, double penX, double penY,
                          double widthRatio, CurveList& out) {
    CurveBuilder builder(out, {}, 1.0);
    GlyphPath::FromRecords(records).Trace(penX, penY, widthRatio, builder);
}

int TextCreateTrueType(const std::string& text, double height, double charSpace, double lineSpace,
                       double widthRatio, const std::string& faceName, double x0, double y0, CurveList& out,
                       SDPoint* placedStart) {
    const double roundedHeight = std::floor(height * 1000.0 + 0.5) * 0.001;
    const double scale = roundedHeight * kScalePerMm;
    const double ratio = widthRatio > 0.0 ? widthRatio : 1.0;
    const FontFace* face = KeptFace(faceName);
    if (face == nullptr) {
        return 1;
    }
    FaceChoice faces(*face);
    GlyphCache glyphs(faces);
    const double spaceWidth = faces.Main().AdvanceX(U' ') * kLayoutUnitsPerOutlineUnit * ratio;
    const double lineHeight = faces.Main().Height() * kLayoutUnitsPerOutlineUnit;

    // Lay the glyphs out first: the scale's origin, the lower-left corner of them all, is known only
    // then, and each placed glyph is traced twice, for the corner and for the curves.
    std::vector<PlacedGlyph> placed;
    placed.reserve(text.size());
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
            const Glyph* glyph = glyphs.For(character);
            if (glyph == nullptr) {
                return 1;
            }
            if (!glyph->path.IsEmpty()) {
                placed.push_back({glyph, x, y});
            }
            x += glyph->advanceX * ratio * kLayoutUnitsPerOutlineUnit + charSpace / scale;
            y += glyph->advanceY * kLayoutUnitsPerOutlineUnit;
        }
        y += lineHeight + lineSpace;
    }

    LowerLeft lowerLeft;
    std::size_t curveCount = 0;
    for (const PlacedGlyph& glyph : placed) {
        const SDPoint least = glyph.glyph->path.LowestPoint();
        if (scale != 1.0 && lowerLeft.MayMove({glyph.penX + ratio * least.x, glyph.penY + least.y})) {
            glyph.glyph->path.Trace(glyph.penX, glyph.penY, ratio, lowerLeft);
        }
        curveCount += glyph.glyph->path.CurveCount();
    }
    // Every large block of the call is taken before the segments' many small ones.
    out.reserve(out.size() + curveCount);
    if (placedStart != nullptr) {
        const SDPoint corner = lowerLeft.Corner();
        *placedStart = std::isfinite(corner.x)
                           ? SDPoint{corner.x + scale * (x0 - corner.x), corner.y + scale * (y0 - corner.y)}
                           : SDPoint{x0, y0};
    }
    CurveBuilder builder(out, lowerLeft.Corner(), scale);
    for (const PlacedGlyph& glyph : placed) {
        glyph.glyph->path.Trace(glyph.penX, glyph.penY, ratio, builder);
    }
    return 0;
}

}  // namespace letterforge
