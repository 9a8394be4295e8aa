#include "DxfText.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "FontFace.h"
#include "GlyphOutline.h"

namespace filebridge {

namespace {

// Capital letters of common sans-serif faces stand about this fraction of the em.
constexpr double kCapitalPerEm = 0.72;
constexpr double kLineSpacing = 1.6;  // capital heights from one baseline to the next
constexpr std::size_t kMaxCharacters = 65536;

struct FontAccess {
    std::mutex mutex;
    std::unique_ptr<platform::FontFace> face = platform::FontFace::OpenFamily("sans-serif");
};

FontAccess& Font() {
    static FontAccess font;
    return font;
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    std::uint32_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

std::uint16_t ReadU16(const std::uint8_t* p) {
    std::uint16_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

SDPoint ReadPoint(const std::uint8_t* p) {
    return {static_cast<std::int32_t>(ReadU32(p)) / 65536.0, static_cast<std::int32_t>(ReadU32(p + 4)) / 65536.0};
}

// Glyph outline records into segments, each point mapped by `map`.
void AppendOutline(const std::vector<std::uint8_t>& records, const Affine& map, std::vector<CFileLine>& segments) {
    const auto line = [&](SDPoint a, SDPoint b) { AppendLine(segments, map.Apply(a), map.Apply(b)); };
    const auto cubic = [&](SDPoint a, SDPoint c1, SDPoint c2, SDPoint b) {
        CFileLine curve;
        curve.type = CFileLine::kBezier;
        curve.start = map.Apply(a);
        curve.ctrl1 = map.Apply(c1);
        curve.ctrl2 = map.Apply(c2);
        curve.end = map.Apply(b);
        segments.push_back(curve);
    };
    std::size_t at = 0;
    while (at + platform::kOutlinePolygonHeaderBytes <= records.size()) {
        const std::size_t polygonBytes = ReadU32(&records[at]);
        if (polygonBytes < platform::kOutlinePolygonHeaderBytes || polygonBytes > records.size() - at) {
            return;
        }
        const std::size_t end = at + polygonBytes;
        const SDPoint start = ReadPoint(&records[at + 8]);
        SDPoint pen = start;
        std::size_t record = at + platform::kOutlinePolygonHeaderBytes;
        while (record + platform::kOutlineRecordHeaderBytes <= end) {
            const std::uint16_t type = ReadU16(&records[record]);
            const std::size_t count = ReadU16(&records[record + 2]);
            const std::size_t first = record + platform::kOutlineRecordHeaderBytes;
            if (count * platform::kOutlinePointBytes > end - first) {
                return;
            }
            const auto point = [&](std::size_t i) { return ReadPoint(&records[first + i * platform::kOutlinePointBytes]); };
            if (type == platform::kOutlineLines) {
                for (std::size_t i = 0; i < count; ++i) {
                    line(pen, point(i));
                    pen = point(i);
                }
            } else if (type == platform::kOutlineQuadratic) {
                for (std::size_t i = 0; i + 1 < count; ++i) {
                    const SDPoint control = point(i);
                    const SDPoint next = point(i + 1);
                    const SDPoint to = i + 2 == count ? next : SDPoint{(control.x + next.x) / 2, (control.y + next.y) / 2};
                    cubic(pen, {pen.x + 2.0 / 3.0 * (control.x - pen.x), pen.y + 2.0 / 3.0 * (control.y - pen.y)},
                          {to.x + 2.0 / 3.0 * (control.x - to.x), to.y + 2.0 / 3.0 * (control.y - to.y)}, to);
                    pen = to;
                }
            } else if (type == platform::kOutlineCubic) {
                for (std::size_t i = 0; i + 2 < count; i += 3) {
                    cubic(pen, point(i), point(i + 1), point(i + 2));
                    pen = point(i + 2);
                }
            }
            record = first + count * platform::kOutlinePointBytes;
        }
        if (pen.x != start.x || pen.y != start.y) {
            line(pen, start);
        }
        at = end;
    }
}

// Decodes one UTF-8 character; malformed bytes stand for themselves.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at++]);
    int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    char32_t value = extra == 3 ? byte & 0x07u : extra == 2 ? byte & 0x0Fu : extra == 1 ? byte & 0x1Fu : byte;
    for (; extra > 0 && at < text.size(); --extra) {
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3Fu);
    }
    return value;
}

// MTEXT inline codes: "\P" breaks the line, braces and other backslash codes up to ";" are dropped.
std::string PlainText(std::string_view text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '{' || c == '}') {
            continue;
        }
        if (c != '\\' || at + 1 >= text.size()) {
            plain += c;
            continue;
        }
        const char code = text[++at];
        if (code == 'P') {
            plain += '\n';
        } else if (code == '\\' || code == '{' || code == '}') {
            plain += code;
        } else if (std::strchr("ACFHQTWfcpl", code) != nullptr) {
            const std::size_t end = text.find(';', at);
            at = end == std::string_view::npos ? text.size() : end;
        }
    }
    return plain;
}

}  // namespace

void AppendDxfText(std::string_view utf8, double height, double widthFactor, double radians, const Affine& plane,
                   SDPoint insertion, std::vector<CFileLine>& segments) {
    if (!(height > 0.0) || !std::isfinite(height)) {
        return;
    }
    FontAccess& font = Font();
    std::lock_guard lock(font.mutex);
    if (font.face == nullptr) {
        return;
    }
    const double scale = height / (platform::kOutlineUnitsPerEm * kCapitalPerEm);
    const double width = widthFactor > 0.0 && std::isfinite(widthFactor) ? widthFactor : 1.0;
    const Affine place = plane.After(Affine::Translation(insertion.x, insertion.y))
                             .After(Affine::Rotation(radians))
                             .After(Affine::Scaling(scale * width, scale));
    const std::string text = PlainText(utf8);
    double penX = 0.0, baseline = 0.0;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size() && characters < kMaxCharacters; ++characters) {
        const char32_t character = NextCharacter(text, at);
        if (character == U'\n') {
            penX = 0.0;
            baseline -= kLineSpacing * kCapitalPerEm * platform::kOutlineUnitsPerEm;
            continue;
        }
        platform::GlyphOutline outline;
        if (!font.face->LoadOutline(character, outline)) {
            continue;
        }
        AppendOutline(outline.records, place.After(Affine::Translation(penX, baseline)), segments);
        penX += outline.advanceX;
    }
}

}  // namespace filebridge
