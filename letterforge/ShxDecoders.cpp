// The SHX shape decoders: each walks a definition with a pen in shape units, collects the points of the
// stroke being drawn and hands finished strokes to the renderer. Every look-ahead is checked against
// the definition: one that would read past its end ends the walk, and the open stroke is dropped.
#include <cmath>
#include <numbers>

#include "ShxGeometry.h"
#include "ShxText.h"

namespace letterforge {
namespace {

constexpr double kDiagonal = 1.41421356;  // as the fonts were drawn: a hair short of the square root of 2
constexpr double kDegree = std::numbers::pi / 180.0;

enum class OddDirections {
    kTable,       // the single-byte decoder's half steps
    kUnitCircle,  // along the circle, L x 1.1180339
    kStretched,   // along the circle, L / cos 22.5 degrees
};

SDPoint VectorStep(int direction, OddDirections odd) {
    const int length = direction >> 4;
    const int d = direction & 0x0F;
    if (d % 4 == 0) {
        static constexpr SDPoint kAxes[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        return {kAxes[d / 4].x * length, kAxes[d / 4].y * length};
    }
    if (d % 2 == 0) {
        const double angle = d * 22.5 * kDegree;
        return {std::cos(angle) * length * kDiagonal, std::sin(angle) * length * kDiagonal};
    }
    if (odd != OddDirections::kTable) {
        const double angle = d * 22.5 * kDegree;
        const double scale = odd == OddDirections::kUnitCircle ? 1.1180339 : 1.0 / std::cos(22.5 * kDegree);
        return {std::cos(angle) * length * scale, std::sin(angle) * length * scale};
    }
    if (d == 1) {
        return {1.0 * length, 0.5 * length};
    }
    if (d == 3) {
        return {0.5 * length, 1.0 * length};
    }
    if (d == 5 || d == 9 || d == 13) {
        const double t = (d - 1) * 22.5 * kDegree;
        return {(std::cos(t) - 0.5 * std::sin(t)) * length, (0.5 * std::cos(t) + std::sin(t)) * length};
    }
    const double t = (d - 3) * 22.5 * kDegree;
    return {(0.5 * std::cos(t) - std::sin(t)) * length, (0.5 * std::sin(t) + std::cos(t)) * length};
}

// The walk state of one decoder call.
class ShapeWalk {
  public:
    ShapeWalk(const CShxText::ShapeCall& shapeCall, double unitPerShapeUnit, OddDirections oddDirections,
              std::vector<ShxPolyline>& output)
        : call(shapeCall), unit(unitPerShapeUnit), odd(oddDirections), out(output) {}

    std::size_t Size() const { return call.bytes.size(); }
    bool Has(std::size_t position) const { return position < call.bytes.size(); }
    std::uint8_t At(std::size_t position) const { return call.bytes[position]; }
    int Signed(std::size_t position) const { return static_cast<std::int8_t>(call.bytes[position]); }

    void MoveBy(double dx, double dy) {
        penX += dx;
        penY += dy;
    }
    void MoveBy(std::size_t operands) { MoveBy(Signed(operands), Signed(operands + 1)); }
    void MoveByVector(std::uint8_t vector) {
        const SDPoint step = VectorStep(vector, odd);
        MoveBy(step.x, step.y);
    }

    void Append() { AppendAt(penX, penY); }
    void AppendAt(double shapeX, double shapeY) {
        double offsetX = call.h * call.w * shapeX * unit;
        double offsetY = call.h * shapeY * unit - call.h;
        RotatePoint(0.0, 0.0, offsetX, offsetY, call.rotation);
        stroke.push_back({call.x + offsetX, call.y + offsetY});
    }

    // Every hand-over empties the stroke and the step count, so that no stroke is cut twice.
    void HandOver() {
        ShxPolyline polyline;
        polyline.AddVertices(static_cast<int>(stroke.size()), stroke.data(), nullptr);
        out.push_back(std::move(polyline));
        stroke.clear();
        steps = 0;
    }
    void HandOverIfDrawn() {
        if (steps > 0) {
            HandOver();
        }
        steps = 0;
    }

    // Moves by each vector byte (15 and above) from position on, appending each point when drawing.
    std::size_t VectorRun(std::size_t position, bool drawing) {
        while (Has(position) && At(position) >= 15) {
            MoveByVector(At(position++));
            if (drawing) {
                Append();
                ++steps;
            }
        }
        return position;
    }

    // A move by the two signed operands at i + operandOffset whose point is appended and counted; i
    // then points past them. False when the operands lie past the definition's end.
    bool DrawDisplacement(std::size_t& i, std::size_t operandOffset) {
        if (!Has(i + operandOffset + 1)) {
            return false;
        }
        MoveBy(i + operandOffset);
        Append();
        ++steps;
        i += operandOffset + 2;
        return true;
    }

    // Moves by each pair of signed operands from `pair` on, appending each point (and counting each
    // when countEach), up to the pair (0, 0), where `pair` then stands. False when the list runs past
    // the definition's end.
    bool DisplacementList(std::size_t& pair, bool countEach) {
        for (;; pair += 2) {
            if (!Has(pair + 1)) {
                return false;
            }
            if (At(pair) == 0 && At(pair + 1) == 0) {
                return true;
            }
            MoveBy(pair);
            Append();
            steps += countEach ? 1 : 0;
        }
    }

    // A double-byte pen-up at i: hands the stroke over, then starts the next one at the point of a
    // following displacement (8) or, when takeVector, of any following byte taken as a vector;
    // otherwise only the code is passed over. False when the look-ahead lies past the end.
    bool PenUp(std::size_t& i, bool takeVector) {
        HandOverIfDrawn();
        if (!Has(i + 1) || (At(i + 1) == 8 && !Has(i + 3))) {
            return false;
        }
        if (At(i + 1) == 8) {
            MoveBy(i + 2);
            i += 4;
        } else if (takeVector) {
            MoveByVector(At(i + 1));
            i += 2;
        } else {
            i += 1;
            return true;
        }
        Append();
        steps = 1;
        return true;
    }

    double PenX() const { return penX; }
    double PenY() const { return penY; }

    int steps = 0;

  private:
    const CShxText::ShapeCall& call;
    double unit;
    OddDirections odd;
    std::vector<ShxPolyline>& out;
    double penX = 0.0;
    double penY = 0.0;
    std::vector<SDPoint> stroke;
};

constexpr std::uint8_t kFirstVector = 16;  // a look-ahead takes 16 and above as a vector byte

// The decoder of font indices 1, 2 and 4; they differ in unit, odd directions and whether a pen-up
// takes any following byte as a vector.
void DecodeBigCommon(ShapeWalk& walk, bool penUpTakesVector) {
    std::size_t i = 1;
    while (i < walk.Size()) {
        const std::uint8_t code = walk.At(i);
        if (code == 1 || code == 5 || code == 6 || code == 14) {
            if (!walk.Has(i + 1) || (walk.At(i + 1) == 8 && !walk.Has(i + 3))) {
                return;
            }
            if (walk.At(i + 1) == 8) {
                walk.MoveBy(i + 2);
                i += 4;
            } else {
                walk.MoveByVector(walk.At(i + 1));
                i += 2;
            }
            walk.Append();
            ++walk.steps;
            i = walk.VectorRun(i, true);
        } else if (code == 2) {
            if (!walk.PenUp(i, penUpTakesVector)) {
                return;
            }
        } else if (code == 3 || code == 4 || code == 7 || code == 8) {
            if (!walk.DrawDisplacement(i, 1)) {
                return;
            }
            i = walk.VectorRun(i, true);
        } else {
            ++i;
        }
    }
}

}  // namespace

std::vector<SDPoint> CShxText::BulgeArcPoints(double px, double py, double dx, double dy, double bulge) {
    if (bulge == 0.0 || (dx == 0.0 && dy == 0.0)) {
        return {};
    }
    const double chordAngle = std::atan2(dy, dx);
    const double halfChord = std::hypot(dx, dy) / 2.0;
    // bulge / 127 = arc height / half chord = tan(sweep / 4); a positive bulge lies to the left of the
    // chord, so the arc turns clockwise from start to end.
    const double quarterSweep = std::atan(bulge / 127.0);
    const double sweep = -4.0 * quarterSweep;
    const double radius = halfChord / std::fabs(std::sin(2.0 * quarterSweep));
    // The centre lies on the chord's bisector, on the side away from the apex when the arc is shorter
    // than a half circle.
    const double toCentre = halfChord / std::tan(2.0 * quarterSweep);
    const double midX = px + dx / 2.0;
    const double midY = py + dy / 2.0;
    const double centreX = midX - std::sin(chordAngle) * -toCentre;
    const double centreY = midY + std::cos(chordAngle) * -toCentre;
    const double startAngle = std::atan2(py - centreY, px - centreX);
    std::vector<SDPoint> points;
    for (int k = 0; k < 16; ++k) {
        const double angle = startAngle + sweep * k / 16.0;
        points.push_back({centreX + radius * std::cos(angle), centreY + radius * std::sin(angle)});
    }
    return points;
}

void CShxText::DecodeShape(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 6.0, OddDirections::kTable, polylines);
    std::size_t i = 0;
    while (i < walk.Size()) {
        const std::uint8_t code = walk.At(i);
        if (code == 1) {
            walk.Append();
            if (!walk.Has(i + 1)) {
                return;
            }
            const std::uint8_t next = walk.At(i + 1);
            if (next == 8) {
                if (!walk.Has(i + 3)) {
                    return;
                }
                walk.Append();
                walk.MoveBy(i + 2);
                walk.Append();
                ++walk.steps;
                i += 4;
            } else if (next == 9) {
                i += 2;
                if (!walk.DisplacementList(i, true)) {
                    return;
                }
            } else if (next >= kFirstVector) {
                walk.Append();
                walk.MoveByVector(next);
                walk.Append();
                ++walk.steps;
                i += 2;
            } else {
                i += 1;
            }
            i = walk.VectorRun(i, true);
        } else if (code == 2) {
            walk.HandOverIfDrawn();
            if (!walk.Has(i + 1)) {
                return;
            }
            const std::uint8_t next = walk.At(i + 1);
            if (next == 14) {
                if (!walk.Has(i + 2)) {
                    return;
                }
                const std::uint8_t after = walk.At(i + 2);
                if (after == 8) {
                    for (i += 5; walk.Has(i) && walk.At(i) >= 15; ++i) {
                        walk.MoveByVector(walk.At(i));
                        ++walk.steps;
                    }
                } else if (after == 3) {
                    i += 4;
                } else if (after >= kFirstVector) {
                    i = walk.VectorRun(i + 3, true);
                } else {
                    i += 1;
                }
            } else if (next >= kFirstVector) {
                walk.MoveByVector(next);
                walk.Append();
                walk.steps = 1;
                i = walk.VectorRun(i + 2, true);
            } else {
                i += 1;
            }
        } else if (code == 3 || code == 4 || code == 7 || code == 8) {
            if (!walk.DrawDisplacement(i, 1)) {
                return;
            }
            i = walk.VectorRun(i, true);
        } else if (code == 5 || code == 6 || code == 14) {
            if (!walk.Has(i + 1)) {
                return;
            }
            const std::uint8_t next = walk.At(i + 1);
            if (next == 8) {
                i += 4;
            } else if (next == 3) {
                i += 3;
            } else if (next == 4) {
                i = walk.VectorRun(i + 3, false);
            } else if (next >= kFirstVector) {
                i += 2;
            } else {
                i += 1;
            }
        } else {
            i += 1;
        }
    }
}

void CShxText::DecodeBigShape0(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 96.0, OddDirections::kTable, polylines);
    auto arc = [&](std::size_t operands) {
        const double dx = walk.Signed(operands);
        const double dy = walk.Signed(operands + 1);
        for (const SDPoint& point : BulgeArcPoints(walk.PenX(), walk.PenY(), dx, dy, walk.Signed(operands + 2))) {
            walk.AppendAt(point.x, point.y);
        }
        walk.MoveBy(dx, dy);
        walk.Append();
        ++walk.steps;
    };
    std::size_t i = 3;
    while (i < walk.Size()) {
        const std::uint8_t code = walk.At(i);
        if (code == 0 || code == 1 || code == 5 || code == 6 || code == 14) {
            if (!walk.Has(i + 1)) {
                return;
            }
            const std::uint8_t next = walk.At(i + 1);
            if (next == 8) {
                if (!walk.DrawDisplacement(i, 2)) {
                    return;
                }
            } else if (next == 12) {
                if (!walk.Has(i + 4)) {
                    return;
                }
                arc(i + 2);
                i += 5;
            } else {
                i += 1;
            }
        } else if (code == 2) {
            if (!walk.PenUp(i, false)) {
                return;
            }
        } else if (code == 3 || code == 4 || code == 7) {
            if (!walk.Has(i + 2)) {
                return;
            }
            const std::uint8_t first = walk.At(i + 1);
            const std::uint8_t second = walk.At(i + 2);
            if (first == 0x8E && second == 2) {
                i += 2;  // the 2 is then taken as a pen-up
            } else if (first == 0x8F && second == 0) {
                i += 2;
                walk.HandOverIfDrawn();
            } else {
                i += 1;
            }
        } else if (code == 8) {
            if (!walk.DrawDisplacement(i, 1)) {
                return;
            }
        } else if (code >= 9 && code <= 12) {
            if (!walk.Has(i + 3)) {
                return;
            }
            arc(i + 1);
            i += 4;
        } else {
            i += 1;
        }
    }
}

void CShxText::DecodeBigShape1(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 64.0, OddDirections::kUnitCircle, polylines);
    DecodeBigCommon(walk, true);
}

void CShxText::DecodeBigShape2(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 64.0, OddDirections::kStretched, polylines);
    DecodeBigCommon(walk, false);
}

void CShxText::DecodeBigShape3(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 100.0, OddDirections::kTable, polylines);
    std::size_t i = 1;
    while (i < walk.Size()) {
        const std::uint8_t code = walk.At(i);
        const bool pairTwoEight = walk.Has(i + 2) && walk.At(i + 1) == 2 && walk.At(i + 2) == 8;
        if (code == 0 || code == 1 || code == 14) {
            if (!walk.Has(i + 1)) {
                return;
            }
            const std::uint8_t next = walk.At(i + 1);
            if (next == 8) {
                if (!walk.DrawDisplacement(i, 2)) {
                    return;
                }
            } else if (next == 9) {
                std::size_t pair = i + 2;
                if (!walk.DisplacementList(pair, false)) {
                    return;
                }
                ++walk.steps;
                i = pair + 2;
            } else {
                i += 1;
            }
        } else if (code == 2) {
            if (!walk.PenUp(i, false)) {
                return;
            }
        } else if (code == 3 || code == 4 || code == 5) {
            i += pairTwoEight ? 2 : 1;  // the 8 is then taken as a drawn displacement
        } else if (code == 6 || (code >= 9 && code <= 12)) {
            if (pairTwoEight) {
                i += 6;
                walk.HandOverIfDrawn();
            } else {
                i += 1;
            }
        } else if (code == 8) {
            if (!walk.DrawDisplacement(i, 1)) {
                return;
            }
        } else {
            i += 1;
        }
    }
}

void CShxText::DecodeBigShape4(const ShapeCall& call) {
    ShapeWalk walk(call, 1.0 / 15.0, OddDirections::kTable, polylines);
    DecodeBigCommon(walk, true);
}

}  // namespace letterforge
