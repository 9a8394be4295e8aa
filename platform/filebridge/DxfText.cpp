#include "DxfText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>

#include "PathGeometry.h"
#include "TrueTypeText.h"

namespace filebridge {

namespace {

constexpr std::size_t kMaxCharacters = 65536;
constexpr double kBoxTolerance = 1e-4;  // drawing units, for the ink box of Bezier segments

struct InkBox {
    double x1 = std::numeric_limits<double>::infinity(), y1 = x1;
    double x2 = -std::numeric_limits<double>::infinity(), y2 = x2;

    void Add(SDPoint p) {
        x1 = std::min(x1, p.x), y1 = std::min(y1, p.y);
        x2 = std::max(x2, p.x), y2 = std::max(y2, p.y);
    }
    bool IsEmpty() const { return !(x1 <= x2); }
};

InkBox BoxOf(const std::vector<std::vector<CFileLine>>& curves) {
    InkBox box;
    for (const std::vector<CFileLine>& curve : curves) {
        for (const CFileLine& segment : curve) {
            box.Add(segment.start);
            box.Add(segment.end);
            if (segment.IsBezier()) {
                FlattenBezier(segment, kBoxTolerance, [&box](SDPoint p) { box.Add(p); });
            }
        }
    }
    return box;
}

// The point of the text, as laid out, that goes onto the entity's anchor.
SDPoint LayoutAnchor(const DxfTextEntity& entity, const InkBox& box, SDPoint baselineStart) {
    SDPoint at = baselineStart;
    switch (entity.alignX) {
        case TextAlignX::kLeft:
        case TextAlignX::kFit:
            break;
        case TextAlignX::kCentre:
            at.x = (box.x1 + box.x2) / 2;
            break;
        case TextAlignX::kRight:
            at.x = box.x2;
            break;
    }
    switch (entity.alignY) {
        case TextAlignY::kBaseline:
            break;
        case TextAlignY::kBottom:
            at.y = box.y1;
            break;
        case TextAlignY::kMiddle:
            at.y = (box.y1 + box.y2) / 2;
            break;
        case TextAlignY::kTop:
            at.y = box.y2;
            break;
    }
    return at;
}

// A fitted text is stretched along its baseline to reach the second point, and turned towards it.
Affine Placement(const DxfTextEntity& entity, const InkBox& box, SDPoint baselineStart) {
    const SDPoint from = LayoutAnchor(entity, box, baselineStart);
    double radians = entity.radians, stretch = 1.0;
    if (entity.alignX == TextAlignX::kFit) {
        const double dx = entity.fitEnd.x - entity.anchor.x, dy = entity.fitEnd.y - entity.anchor.y;
        const double length = std::hypot(dx, dy), inkEnd = box.x2 - baselineStart.x;
        if (length > 0.0 && inkEnd > 0.0) {
            radians = std::atan2(dy, dx);
            stretch = length / inkEnd;
        }
    }
    return Affine::Translation(entity.anchor.x, entity.anchor.y)
        .After(Affine::Rotation(radians))
        .After(Affine::Scaling(stretch, 1.0))
        .After(Affine::Translation(-from.x, -from.y));
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

bool MakeDxfTextCurves(const DxfTextEntity& entity, std::vector<std::vector<CFileLine>>& curves) {
    if (!(entity.height > 0.0) || !std::isfinite(entity.height) ||
        CharacterCount(entity.text) > kMaxCharacters) {
        return false;
    }
    const double width =
        entity.widthFactor > 0.0 && std::isfinite(entity.widthFactor) ? entity.widthFactor : 1.0;
    letterforge::CurveList made;
    SDPoint baselineStart{};
    if (letterforge::TextCreateTrueType(entity.text, entity.height, 0.0, 0.0, width, entity.fontFamily, 0.0,
                                        0.0, made, &baselineStart) != 0) {
        return false;
    }
    std::vector<std::vector<CFileLine>> laidOut;
    laidOut.reserve(made.size());
    for (const auto& curve : made) {
        std::vector<CFileLine>& segments = laidOut.emplace_back();
        for (auto* node = curve->segments.head->next; node != curve->segments.head; node = node->next) {
            segments.push_back(node->value);
        }
    }
    const InkBox box = BoxOf(laidOut);
    if (box.IsEmpty()) {
        return true;  // only spaces: nothing to draw, and nothing lost
    }
    const Affine place = Placement(entity, box, baselineStart);
    for (std::vector<CFileLine>& segments : laidOut) {
        TransformSegments(segments, place);
        curves.push_back(std::move(segments));
    }
    return true;
}

std::string MtextPlainText(std::string_view text) {
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
        if (code == 'P' || code == 'n') {
            plain += '\n';
        } else if (code == '~') {
            plain += ' ';
        } else if (code == '\\' || code == '{' || code == '}') {
            plain += code;
        } else if (code == 'S') {
            // A stacked fraction "\S1/2;" or "\S1^2;" reads as its parts side by side.
            const std::size_t end = text.find(';', at);
            const std::string_view stacked =
                text.substr(at + 1, end == std::string_view::npos ? end : end - at - 1);
            for (const char part : stacked) {
                plain += part == '^' || part == '#' ? '/' : part;
            }
            at = end == std::string_view::npos ? text.size() : end;
        } else if (std::strchr("LlOoKk", code) != nullptr) {
            continue;  // underline, overline and strike switches
        } else if (std::strchr("ACFHQTWfcp", code) != nullptr) {
            const std::size_t end = text.find(';', at);
            at = end == std::string_view::npos ? text.size() : end;
        }
    }
    return plain;
}

std::string StyleFontFamily(std::string_view styleName, std::string_view fontFile) {
    const std::size_t slash = fontFile.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? fontFile : fontFile.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot != std::string_view::npos && dot > 0) {
        base = base.substr(0, dot);
    }
    return std::string(base.empty() ? styleName : base);
}

}  // namespace filebridge
