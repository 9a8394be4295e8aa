// The winding counter against a plain count over every piece: the banding, the order along the ray and
// the count of the pieces ahead from those behind must change no winding, on chains that cross
// themselves everywhere, run on top of themselves, or pass exactly through each other's junctions.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "WindingCounter.h"

namespace pathsmith {
namespace {

using Points = std::vector<SDPoint>;

std::vector<Chord> ClosedChain(const Points& points) {
    std::vector<Chord> chain;
    for (std::size_t index = 0; index < points.size(); ++index) {
        chain.push_back({points[index], points[(index + 1) % points.size()]});
    }
    return chain;
}

// Points anywhere in a 10 mm square: the chain crosses itself all over, and every band is crowded.
Points Tangle(int count) {
    std::mt19937 random(77);
    std::uniform_real_distribution<double> coordinate(0.0, 10.0);
    Points points;
    for (int index = 0; index < count; ++index) {
        points.push_back({coordinate(random), coordinate(random)});
    }
    return points;
}

// A circle walked twice round: every piece lies on top of another.
Points CircleWoundTwice(int sides) {
    Points points;
    for (int index = 0; index < 2 * sides; ++index) {
        const double angle = 2.0 * M_PI * index / sides;
        points.push_back({20.0 * std::cos(angle), 20.0 * std::sin(angle)});
    }
    return points;
}

// Level and upright steps on a grid of half millimetres, so that rays from the pieces' middles run
// exactly through other pieces' corners and along their level pieces.
Points GridWalk(int steps) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> step(-4, 4);
    Points points{{0.0, 0.0}};
    for (int index = 1; index < steps; ++index) {
        SDPoint next = points.back();
        (index % 2 == 0 ? next.x : next.y) += 0.5 * step(random);
        points.push_back(next);
    }
    points.push_back({0.0, points.back().y});
    return points;
}

// A scanned-looking outline: radius 40 mm wandering by 0.05 mm.
Points NoisyRing(int count) {
    std::mt19937 random(1312);
    std::uniform_real_distribution<double> wobble(-0.05, 0.05);
    Points points;
    for (int index = 0; index < count; ++index) {
        const double angle = 2.0 * M_PI * index / count;
        const double radius = 40.0 + wobble(random);
        points.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return points;
}

// The rule of the ray, applied to every other piece.
SideWindings PlainWindings(const std::vector<Chord>& pieces, int piece) {
    constexpr double kOnTopReach = 1e-9;
    const Chord& own = pieces[piece];
    const SDPoint middle = PointAtParameter(own, 0.5);
    const bool alongY = std::fabs(own.end.y - own.start.y) < std::fabs(own.end.x - own.start.x);
    auto along = [&](SDPoint p) { return alongY ? p.y : p.x; };
    auto across = [&](SDPoint p) { return alongY ? p.x : p.y; };
    auto sign = [&](const Chord& c) {
        return alongY ? (c.end.x < c.start.x ? 1 : -1) : (c.end.y > c.start.y ? 1 : -1);
    };
    int ahead = 0, onTop = sign(own);
    const double at = across(middle);
    for (int index = 0; index < static_cast<int>(pieces.size()); ++index) {
        const Chord& c = pieces[index];
        const double a0 = across(c.start), a1 = across(c.end);
        if (index == piece || (a0 > at) == (a1 > at)) {
            continue;
        }
        const double meeting =
            along(c.start) + (at - a0) * (along(c.end) - along(c.start)) / (a1 - a0) - along(middle);
        if (std::fabs(meeting) <= kOnTopReach) {
            onTop += sign(c);
        } else if (meeting > 0.0) {
            ahead += sign(c);
        }
    }
    const bool behindIsLeft = sign(own) > 0;
    return {behindIsLeft ? ahead + onTop : ahead, behindIsLeft ? ahead : ahead + onTop};
}

struct ChainCase {
    const char* name;
    std::vector<Chord> pieces;
};

TEST(WindingCounterTest, WindingsBesideEveryPieceMatchAPlainCountOverAllPieces) {
    std::vector<Chord> opened = ClosedChain(Tangle(1500));
    opened.back().end.x += 1e-6;  // no longer closed: the pieces ahead must be counted themselves
    const ChainCase cases[] = {
        {"tangle", ClosedChain(Tangle(1500))},
        {"circle wound twice", ClosedChain(CircleWoundTwice(300))},
        {"grid walk", ClosedChain(GridWalk(1200))},
        {"noisy ring", ClosedChain(NoisyRing(3000))},
        {"tangle left open", opened},
    };
    for (const ChainCase& c : cases) {
        const WindingCounter windings(c.pieces);
        int mismatches = 0;
        for (int piece = 0; piece < static_cast<int>(c.pieces.size()); ++piece) {
            const SideWindings fast = windings.BesideMiddleOf(piece);
            const SideWindings plain = PlainWindings(c.pieces, piece);
            if (fast.left != plain.left || fast.right != plain.right) {
                ADD_FAILURE() << c.name << " piece " << piece << ": " << fast.left << "/" << fast.right
                              << " where every piece counted gives " << plain.left << "/" << plain.right;
                if (++mismatches == 5) {
                    break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pathsmith
