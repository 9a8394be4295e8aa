// Letter outlines read straight from a font file through FreeType and flattened into closed
// polygons in millimetres, so that offsets can be tried on the curves a user actually cuts.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <string>
#include <vector>

#include "SDPoint.h"

namespace pathsmith::testing {

inline constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kDejaVuSerif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";

struct GlyphContour {
    char letter;
    std::vector<SDPoint> polygon;  // closed: the last vertex joins back to the first
};

namespace glyph_detail {

struct Flattener {
    double scale;      // mm per font unit
    double offsetX;    // mm, where the letter's origin sits on the line
    double tolerance;  // largest distance between a curve and its chords, mm
    std::vector<std::vector<SDPoint>> contours;
    SDPoint last{0, 0};

    SDPoint ToMm(const FT_Vector* v) const { return {offsetX + v->x * scale, v->y * scale}; }
    void LineTo(SDPoint p) {
        contours.back().push_back(p);
        last = p;
    }
    // A curve of control-polygon length L stays within tolerance of about sqrt(L / tolerance) chords.
    int StepsFor(double controlLength) const {
        return std::max(1, static_cast<int>(std::ceil(std::sqrt(controlLength / (8.0 * tolerance)))) * 2);
    }
    void Conic(SDPoint c, SDPoint e) {
        const SDPoint s = last;
        const int steps = StepsFor(std::hypot(c.x - s.x, c.y - s.y) + std::hypot(e.x - c.x, e.y - c.y));
        for (int k = 1; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps, u = 1.0 - t;
            LineTo({u * u * s.x + 2 * u * t * c.x + t * t * e.x, u * u * s.y + 2 * u * t * c.y + t * t * e.y});
        }
    }
    void Cubic(SDPoint c1, SDPoint c2, SDPoint e) {
        const SDPoint s = last;
        const int steps = StepsFor(std::hypot(c1.x - s.x, c1.y - s.y) + std::hypot(c2.x - c1.x, c2.y - c1.y) +
                                   std::hypot(e.x - c2.x, e.y - c2.y));
        for (int k = 1; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps, u = 1.0 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            LineTo({a * s.x + b * c1.x + c * c2.x + d * e.x, a * s.y + b * c1.y + c * c2.y + d * e.y});
        }
    }
};

inline int MoveTo(const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->contours.emplace_back();
    f->LineTo(f->ToMm(to));
    return 0;
}
inline int LineTo(const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->LineTo(f->ToMm(to));
    return 0;
}
inline int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->Conic(f->ToMm(control), f->ToMm(to));
    return 0;
}
inline int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* f = static_cast<Flattener*>(user);
    f->Cubic(f->ToMm(c1), f->ToMm(c2), f->ToMm(to));
    return 0;
}

// Drops the repeated closing vertex and any vertex that repeats its predecessor.
inline std::vector<SDPoint> Cleaned(const std::vector<SDPoint>& contour) {
    std::vector<SDPoint> kept;
    for (const SDPoint& p : contour) {
        if (kept.empty() || std::hypot(p.x - kept.back().x, p.y - kept.back().y) > 1e-6) {
            kept.push_back(p);
        }
    }
    while (kept.size() > 1 && std::hypot(kept.back().x - kept.front().x, kept.back().y - kept.front().y) <= 1e-6) {
        kept.pop_back();
    }
    return kept;
}

}  // namespace glyph_detail

// The contours of every letter of `text` set in one line at an em of emMm millimetres, curves flattened
// to within tolerance. Empty when the font cannot be read.
inline std::vector<GlyphContour> GlyphContours(const char* fontPath, const std::string& text, double emMm,
                                               double tolerance = 0.005) {
    std::vector<GlyphContour> result;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return result;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath, 0, &face) == 0) {
        const double scale = emMm / face->units_per_EM;
        double penX = 0.0;
        for (const char letter : text) {
            if (FT_Load_Char(face, static_cast<unsigned char>(letter), FT_LOAD_NO_SCALE) != 0) {
                continue;
            }
            glyph_detail::Flattener flattener{scale, penX, tolerance, {}, {0, 0}};
            const FT_Outline_Funcs funcs{glyph_detail::MoveTo, glyph_detail::LineTo, glyph_detail::ConicTo,
                                         glyph_detail::CubicTo, 0, 0};
            FT_Outline_Decompose(&face->glyph->outline, &funcs, &flattener);
            for (const std::vector<SDPoint>& contour : flattener.contours) {
                std::vector<SDPoint> polygon = glyph_detail::Cleaned(contour);
                if (polygon.size() >= 3) {
                    result.push_back({letter, std::move(polygon)});
                }
            }
            penX += face->glyph->advance.x * scale;
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return result;
}

}  // namespace pathsmith::testing
