// Line cutting, UTF-8 walking and curve building shared by the renderers.
#include "TextLines.h"

namespace letterforge {

std::string_view TakeLastLine(std::string_view& remaining) {
    const std::size_t newline = remaining.rfind('\n');
    if (newline == std::string_view::npos) {
        return std::exchange(remaining, std::string_view());
    }
    const std::string_view line = remaining.substr(newline + 1);
    remaining = remaining.substr(0, newline);
    return line;
}

char32_t NextCharacter(std::string_view text, std::size_t& position) {
    constexpr char32_t kReplacement = 0xFFFD;
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) {
        return lead;
    }
    int continuation = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3, value = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - position < static_cast<std::size_t>(continuation)) {
        return kReplacement;
    }
    for (int i = 0; i < continuation; ++i) {
        const auto next = static_cast<unsigned char>(text[position + i]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        value = value << 6 | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return kReplacement;
    }
    position += continuation;
    return value;
}

void AppendLine(CFileCurve& curve, SDPoint start, SDPoint end) {
    CFileLine segment;
    segment.start = start;
    segment.end = end;
    curve.segments.AddTail(segment);
}

void AppendBezier(CFileCurve& curve, SDPoint start, SDPoint ctrl1, SDPoint ctrl2, SDPoint end) {
    CFileLine segment;
    segment.type = CFileLine::kBezier;
    segment.start = start;
    segment.ctrl1 = ctrl1;
    segment.ctrl2 = ctrl2;
    segment.end = end;
    curve.segments.AddTail(segment);
}

void HandOver(CurveList& curves, CDbList<CFileCurve*>& out) {
    for (std::unique_ptr<CFileCurve>& curve : curves) {
        out.AddTail(curve.release());
    }
    curves.clear();
}

}  // namespace letterforge
