// The index-layout shape font reader and its line renderer.
#include "ShapeFontText.h"

#include <algorithm>
#include <cmath>

#include "ShxCharacters.h"

namespace letterforge {
namespace {

constexpr std::size_t kIndexStart = 30;
constexpr std::size_t kCountOffset = 28;
constexpr double kShapeUnitsPerHeight = 6.0;
constexpr double kJoinTolerance = 0.1;  // mm

// Vector directions, anticlockwise from +x, in half units.
constexpr int kDirection[16][2] = {{2, 0},  {2, 1},   {2, 2},   {1, 2},  {0, 2},  {-1, 2}, {-2, 2}, {-2, 1},
                                   {-2, 0}, {-2, -1}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {2, -1}};

enum ShapeCode : std::uint8_t {
    kEnd = 0,
    kPenDown = 1,
    kPenUp = 2,
    kDisplacement = 8,
    kDisplacements = 9,
    kSkipNext = 14,
};

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The pen of one line, in shape units.
class ShapePen {
  public:
    ShapePen(CurveList& curves, double textHeight, double lineY) : out(curves), height(textHeight), y(lineY) {
        baseY = std::trunc(lineY);
        topY = lineY;
    }

    void Advance(double shapeUnits) { x += shapeUnits; }

    void Draw(std::span<const std::uint8_t> definition) {
        penDown = false;
        skipNext = false;
        previous = {x, y};
        for (std::size_t at = 1; at < definition.size() && definition[at] != kEnd;) {
            const std::uint8_t code = definition[at++];
            if (code == kPenDown || code == kPenUp) {
                penDown = code == kPenDown;
                skipNext = skipNext && code == kPenUp;
            } else if (code >= 3 && code <= 6) {
                skipNext = false;
            } else if (code == kSkipNext) {
                skipNext = true;
            } else if (code == kDisplacement || code == kDisplacements) {
                if (!Displacements(definition, at, code == kDisplacements)) {
                    break;
                }
            } else {
                const int length = code >> 4;
                const int* step = kDirection[code & 0x0F];
                Move(step[0] * 16 * length / 32, step[1] * 16 * length / 32);
            }
        }
        if (curve) {
            out.push_back(std::move(curve));
        }
    }

    bool DrewSomething() const { return drawn; }
    double Top() const { return topY; }

  private:
    // Returns false when the operands run past the definition's end.
    bool Displacements(std::span<const std::uint8_t> definition, std::size_t& at, bool list) {
        do {
            if (definition.size() - at < 2) {
                return false;
            }
            const auto dx = static_cast<std::int8_t>(definition[at]);
            const auto dy = static_cast<std::int8_t>(definition[at + 1]);
            at += 2;
            if (list && dx == 0 && dy == 0) {
                return true;
            }
            Move(dx, dy);
        } while (list);
        return true;
    }

    void Move(int dx, int dy) {
        if (skipNext) {
            skipNext = false;
            return;
        }
        x += dx;
        y += dy;
        if (penDown) {
            if (!curve) {
                curve = std::make_unique<CFileCurve>();
            }
            topY = std::max({topY, previous.y, y});
            ShapeFontLine(curve, out, height, previous.x, previous.y, x, y, 0.0, baseY);
            drawn = true;
        }
        previous = {x, y};
    }

    CurveList& out;
    double height;
    double x = 0.0;
    double y;
    double baseY;
    double topY;
    SDPoint previous;
    bool penDown = false;
    bool skipNext = false;
    bool drawn = false;
    std::unique_ptr<CFileCurve> curve;
};

}  // namespace

std::span<const std::uint8_t> ReadShapeBytes(int code, std::span<const std::uint8_t> font) {
    if (font.size() < kIndexStart) {
        return {};
    }
    const std::size_t count = U16At(font, kCountOffset);
    const std::size_t definitionsStart = kIndexStart + 4 * count;
    if (count == 0 || definitionsStart > font.size()) {
        return {};
    }
    // The file must hold at least the first definition.
    if (U16At(font, kIndexStart + 2) > font.size() - definitionsStart) {
        return {};
    }
    std::size_t offset = definitionsStart;
    for (std::size_t entry = 0; entry < count; ++entry) {
        const std::size_t at = kIndexStart + 4 * entry;
        const std::uint16_t entryCode = U16At(font, at);
        const std::size_t length = U16At(font, at + 2);
        if (entryCode > code || offset > font.size()) {
            return {};
        }
        if (entryCode == code) {
            return length <= font.size() - offset ? font.subspan(offset, length) : std::span<const std::uint8_t>();
        }
        offset += length;
    }
    return {};
}

void ShapeFontLine(std::unique_ptr<CFileCurve>& current, CurveList& out, double height, double xa, double ya,
                   double xb, double yb, double ox, double oy) {
    if (!current) {
        return;
    }
    auto map = [&](double x, double y) {
        return SDPoint{(10.0 * ox + 10.0 * height * x) / 60.0, (10.0 * oy + 10.0 * height * y) / 60.0};
    };
    const SDPoint start = map(xa, ya);
    const SDPoint end = map(xb, yb);
    if (current->segments.IsEmpty() == 0) {
        const SDPoint last = current->segments.head->prev->value.end;
        if (std::hypot(start.x - last.x, start.y - last.y) >= kJoinTolerance) {
            out.push_back(std::move(current));
            current = std::make_unique<CFileCurve>();
        }
    }
    AppendLine(*current, start, end);
}

void ShapeFontText(CurveList& out, std::string_view text, double height, double charSpace, double lineSpace,
                   std::span<const std::uint8_t> font) {
    const double space = (height + charSpace) * kShapeUnitsPerHeight / height;
    const double lineStep = (height + lineSpace) * kShapeUnitsPerHeight / height;
    double y = 0.0;
    while (!text.empty()) {
        const std::string_view line = TakeLastLine(text);
        ShapePen pen(out, height, y);
        for (const ShxChar& character : ToShxCharacters(line)) {
            if (character.byteCount != 1) {
                pen.Advance(space * std::max<int>(character.byteCount, 1));
                continue;
            }
            const std::uint8_t byte = character.first;
            if (byte == '\b' || byte == '\r') {
                continue;
            }
            if (byte == '\t') {
                pen.Advance(4 * space);
                continue;
            }
            const std::span<const std::uint8_t> definition = byte == ' ' || byte >= 0x7F
                                                                 ? std::span<const std::uint8_t>()
                                                                 : ReadShapeBytes(byte, font);
            if (definition.empty()) {
                pen.Advance(space);
                continue;
            }
            pen.Draw(definition);
            pen.Advance(charSpace * kShapeUnitsPerHeight / height);
        }
        y = pen.DrewSomething() ? pen.Top() + lineSpace * kShapeUnitsPerHeight / height : y + lineStep;
    }
}

}  // namespace letterforge
