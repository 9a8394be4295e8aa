// Sets of overlapping closed outlines for the combine: grids of circles, letters laid over moved
// copies of themselves, rows of rectangles and random star polygons.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "ContourTestKit.h"
#include "GlyphOutlines.h"

namespace pathsmith::testing {

// circleCount circles of 64 segments and radius 10 mm on a grid 15 mm apart, each overlapping its
// neighbours; every odd column sits 3 mm higher and every circle starts at a slightly turned angle.
inline std::vector<Points> OverlappingCircles(int circleCount) {
    const int columns = static_cast<int>(std::ceil(std::sqrt(circleCount)));
    std::vector<Points> circles;
    for (int index = 0; index < circleCount; ++index) {
        const int row = index / columns, column = index % columns;
        const SDPoint centre{column * 15.0, row * 15.0 + (column % 2) * 3.0};
        circles.push_back(RegularPolygon(centre, 10.0, 64, 0.01 * (row + column)));
    }
    return circles;
}

// The contours of `text` in DejaVu Sans at 20 mm.
inline std::vector<Points> LetterContours(const std::string& text) {
    std::vector<Points> contours;
    for (const GlyphContour& glyph : GlyphContours(kDejaVuSans, text, 20.0)) {
        contours.push_back(glyph.polygon);
    }
    return contours;
}

// Each outline followed by a copy of itself moved by (dx, dy).
inline std::vector<Points> WithMovedCopies(const std::vector<Points>& outlines, double dx, double dy) {
    std::vector<Points> result;
    for (const Points& outline : outlines) {
        result.push_back(outline);
        Points moved = outline;
        for (SDPoint& v : moved) {
            v.x += dx;
            v.y += dy;
        }
        result.push_back(moved);
    }
    return result;
}

// The outlines with every second one running the other way round.
inline std::vector<Points> EverySecondReversed(std::vector<Points> outlines) {
    for (std::size_t index = 1; index < outlines.size(); index += 2) {
        std::reverse(outlines[index].begin(), outlines[index].end());
    }
    return outlines;
}

// Rectangles in rows of ten 7 mm apart, lying ones 16 x 4 mm and standing ones 4 x 10 mm in turn, at
// three heights 1.5 mm apart, so that each crosses its neighbours.
inline std::vector<Points> CrossingRectangles(int count) {
    std::vector<Points> rectangles;
    for (int index = 0; index < count; ++index) {
        const double x = (index % 10) * 7.0, y = (index / 10) * 12.0 + (index % 3) * 1.5;
        rectangles.push_back(index % 2 == 0 ? Rectangle(x, y, x + 16.0, y + 4.0)
                                            : Rectangle(x - 1.0, y - 3.0, x + 3.0, y + 7.0));
    }
    return rectangles;
}

// Random star polygons of 6 to 40 corners scattered over a square, most of them overlapping others.
inline std::vector<Points> ScatteredStars(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(0.0, 80.0);
    std::vector<Points> stars;
    for (int index = 0; index < count; ++index) {
        Points star = RandomStarPolygon(random, 6 + index % 35, 4.0, 12.0);
        const double dx = place(random), dy = place(random);
        for (SDPoint& v : star) {
            v.x += dx;
            v.y += dy;
        }
        stars.push_back(star);
    }
    return stars;
}

}  // namespace pathsmith::testing
