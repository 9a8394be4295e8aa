// CShxText's font readers and line layout, and the line loop of the five double-byte fonts.
#include "ShxText.h"

#include <algorithm>
#include <cstring>

#include "EngineSettings.h"

namespace letterforge {
namespace {

// The first ten bytes of every shape file and big font.
constexpr std::string_view kShapeFileSignature = "AutoCAD-86";
constexpr std::size_t kShapeRecordsStart = 77;
constexpr int kShapeRecordLimit = 177;
constexpr std::size_t kBigHeaderWordOffset = 25;
constexpr std::uint16_t kBigHeaderWord = 8;
constexpr std::size_t kBigRangesStart = 31;
constexpr std::size_t kBigDefinitionLimit = 768;
constexpr double kLineStepPerHeight = 1.66667;
constexpr const char* kMissingFontMessage = "SHX文件没有发现！";

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(U16At(bytes, at)) | static_cast<std::uint32_t>(U16At(bytes, at + 2)) << 16;
}

bool HasSignature(std::span<const std::uint8_t> file) {
    return file.size() >= kShapeFileSignature.size() &&
           std::memcmp(file.data(), kShapeFileSignature.data(), kShapeFileSignature.size()) == 0;
}

bool IsPunctuation(std::uint8_t byte) {
    return (byte >= 0x21 && byte <= 0x2F) || (byte >= 0x3A && byte <= 0x3F);
}

// Correction of a single-byte character's advance, in widths (w x h); positive widens.
double AdvanceCorrection(std::uint8_t byte) {
    switch (byte) {
        case '0': case 'j': return -0.1668;
        case '1': case 'I': return -0.3334;
        case 'V': return 0.3325;
        case 'W': return 0.3353;
        case 'b': return -0.0045;
        case 'i': return -0.6668;
        case 'l': return -0.5005;
        case '|': return -0.6745;
        case '!': return -0.1736;
        case '"': return 0.1608;
        case '#': return 0.5002;
        case '$': return 0.498;
        case '%': return 0.4948;
        case '&': return 0.5028;
        case '*': return 0.4916;
        case '+': return 0.5048;
        case '-': return 0.4988;
        case '.': case ':': return -0.1663;
        case '<': case '>': case '?': return 0.3328;
        case '[': case ']': case '{': case '}': return -0.3412;
        case '`': return -0.5076;
        case '~': return -0.0084;
        default: return 0.0;
    }
}

bool IsWhitespaceOnly(std::string_view line) {
    return line.find_first_not_of(std::string_view("\0\b\t\n\r ", 6)) == std::string_view::npos;
}

}  // namespace

int ShxFontIndexOf(std::string_view upperName) {
    if (upperName == "GBCBIG.SHX") return kGbcBig;
    if (upperName == "KHZ.SHX") return kKhz;
    if (upperName == "HT.SHX") return kHt;
    if (upperName == "FS.SHX") return kFs;
    if (upperName == "HZTXT.SHX") return kHzTxt;
    return -1;
}

int CShxText::ReadShape(std::uint8_t code) {
    shape = {};
    if (!fonts.font) {
        if (!fonts.missingFontReported) {
            fonts.missingFontReported = true;
            ReportMessage(kMissingFontMessage);
        }
        return -2;
    }
    const std::span<const std::uint8_t> file = *fonts.font;
    if (!HasSignature(file)) {
        return -3;
    }
    std::size_t at = kShapeRecordsStart;
    for (int record = 0; record < kShapeRecordLimit && file.size() >= 4 && at <= file.size() - 4; ++record) {
        const std::uint16_t recordCode = U16At(file, at);
        const std::size_t length = U16At(file, at + 2);
        at += 4;
        if (length > file.size() - at) {
            return 0;
        }
        if (recordCode == code) {
            shape = file.subspan(at, length);
            return static_cast<int>(length);
        }
        at += length;
    }
    return 0;
}

int CShxText::ReadBigShape(std::uint16_t code) {
    shape = {};
    if (!fonts.bigFont) {
        return -2;
    }
    const std::span<const std::uint8_t> file = *fonts.bigFont;
    if (!HasSignature(file)) {
        return -3;
    }
    if (file.size() < kBigRangesStart || U16At(file, kBigHeaderWordOffset) != kBigHeaderWord) {
        return -4;
    }
    const std::size_t count = U16At(file, kBigHeaderWordOffset + 2);
    const std::size_t ranges = U16At(file, kBigHeaderWordOffset + 4);
    std::size_t at = kBigRangesStart + 4 * ranges;
    for (std::size_t entry = 0; entry < count && at <= file.size() && file.size() - at >= 8; ++entry, at += 8) {
        const std::size_t length = U16At(file, at + 2);
        const std::size_t offset = U32At(file, at + 4);
        if (U16At(file, at) != code || length == 0 || length >= kBigDefinitionLimit) {
            continue;
        }
        if (offset > file.size() || length > file.size() - offset) {
            return -1;
        }
        shape = file.subspan(offset, length);
        return static_cast<int>(length);
    }
    return -1;
}

std::vector<ShxPolyline> CShxText::DrawString(const ShxTextEntity& entity) {
    std::span<const ShxChar> text = entity.text;
    // A text in braces carries a five-character code before its characters; one too short to hold
    // them is drawn as it stands.
    if (text.size() >= 6 && text.front().IsByte('{')) {
        text = text.subspan(5, text.size() - 6);
    }
    const double h = entity.height;
    const double w = entity.widthFactor;
    const double lineStartX = entity.x;
    double x = entity.x;
    double y = entity.y;
    double pending = 0.0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        ShxChar character = text[k];
        const bool hasNext = k + 1 < text.size();
        if (character.IsByte('\\') && hasNext) {
            const ShxChar next = text[k + 1];
            if (next.IsByte('P')) {
                x = lineStartX;
                y -= kLineStepPerHeight * h;
                pending = 0.0;
                ++k;
                continue;
            }
            if (next.IsByte('{') || next.IsByte('}') || next.IsByte('\\')) {
                character = next;
                ++k;
            }
        } else if (character.IsByte(' ') && hasNext && text[k + 1].IsByte('&')) {
            continue;
        }
        const bool punctuation = character.byteCount == 1 && IsPunctuation(character.first);
        if (k > 0 && pending != 0.0) {
            x += punctuation ? pending - 0.0075 * w * h : pending;
        }
        pending = 0.0;
        const double missingAdvance = (w + 0.00785) * h;
        if (character.byteCount == 2) {
            if (ReadBigShape(character.BigFontCode()) > 0) {
                DecodeBig({x, y, h, w, entity.rotation, shape});
            }
            static constexpr double kExtra[] = {0.0, 0.015605, 0.012467, 0.0, 0.13335};
            pending = index == kGbcBig ? w * h - 0.27095 * h : (w + kExtra[index]) * h;
            continue;
        }
        if (character.byteCount == 0 || ReadShape(character.first) <= 0) {
            pending = missingAdvance;
            continue;
        }
        DecodeShape({x, y, h, w, entity.rotation, shape});
        pending = index == kFs ? w * h : missingAdvance;
        if (punctuation) {
            pending -= 0.5008 * w * h;
        }
        pending += AdvanceCorrection(character.first) * w * h;
    }
    return std::exchange(polylines, {});
}

void CShxText::DecodeBig(const ShapeCall& call) {
    switch (index) {
        case kGbcBig: DecodeBigShape0(call); break;
        case kKhz: DecodeBigShape1(call); break;
        case kHt: DecodeBigShape2(call); break;
        case kFs: DecodeBigShape3(call); break;
        default: DecodeBigShape4(call); break;
    }
}

void ShxVerticesToCurves(CurveList& out, const std::vector<ShxPolyline>& polylines) {
    for (const ShxPolyline& polyline : polylines) {
        if (polyline.vertices.size() < 2) {
            continue;
        }
        auto curve = std::make_unique<CFileCurve>();
        for (std::size_t i = 1; i < polyline.vertices.size(); ++i) {
            AppendLine(*curve, polyline.vertices[i - 1], polyline.vertices[i]);
        }
        out.push_back(std::move(curve));
    }
}

void ShxTextDraw(CurveList& out, std::string_view text, double x0, double y0, double height, double widthRatio,
                 double lineSpace, std::string_view upperName, ShxFontFiles& files) {
    const double lineStep = height * kLineStepPerHeight + lineSpace;
    const int fontIndex = std::max(ShxFontIndexOf(upperName), 0);
    double y = y0;
    while (!text.empty()) {
        const std::string_view line = TakeLastLine(text);
        if (!IsWhitespaceOnly(line)) {
            ShxTextEntity entity{x0, y, height, widthRatio, 0.0, ToShxCharacters(line), "STANDARD", fontIndex};
            CShxText renderer(files, fontIndex);
            ShxVerticesToCurves(out, renderer.DrawString(entity));
        }
        y += lineStep;
    }
}

}  // namespace letterforge
