#include "ScanPage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

constexpr double kMetresPerInch = 0.0254;

int ChannelsOf(ScanLayout::Format format) {
    return format == ScanLayout::Format::kColour ? 3 : 1;
}

bool IsSupported(const ScanLayout& layout) {
    const bool knownDepth = layout.depth == 1 || layout.depth == 8 || layout.depth == 16;
    return layout.format != ScanLayout::Format::kOther && knownDepth && layout.pixelsPerLine > 0 &&
           layout.bytesPerLine > 0;
}

// Sample `index` of a line as 0..255: one bit is on (255) or off, 16 bits keep their high byte.
std::uint8_t SampleOf(std::span<const std::uint8_t> line, std::int64_t index, int depth) {
    switch (depth) {
        case 1:
            return (line[static_cast<std::size_t>(index / 8)] >> (7 - index % 8)) & 1 ? 255 : 0;
        case 16: {
            std::uint16_t sample = 0;
            const auto at = static_cast<std::size_t>(index * 2);
            std::memcpy(&sample, &line[at], sizeof sample);  // the scanner's samples are in host order
            return static_cast<std::uint8_t>(sample >> 8);
        }
        default:
            return line[static_cast<std::size_t>(index)];
    }
}

void SetGreyPalette(DibBlock& dib, int entries) {
    std::span<std::uint8_t> palette = dib.MutablePalette();
    for (int entry = 0; entry < entries; ++entry) {
        const auto level = static_cast<std::uint8_t>(entry * 255 / (entries - 1));
        const auto at = static_cast<std::size_t>(entry) * 4;
        palette[at] = palette[at + 1] = palette[at + 2] = level;
        palette[at + 3] = 0;
    }
}

// One bit per pixel; a scanner's 1 is black, the bitmap's 1 is white (palette entry 1).
void CopyLineArt(std::span<const std::uint8_t> line, std::span<std::uint8_t> row, int pixels) {
    for (int x = 0; x < pixels; ++x) {
        if (SampleOf(line, x, 1) == 0) {
            row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
}

void CopyLine(const ScanLayout& layout, std::span<const std::uint8_t> line, std::span<std::uint8_t> row) {
    if (layout.format == ScanLayout::Format::kGrey) {
        if (layout.depth == 1) {
            CopyLineArt(line, row, layout.pixelsPerLine);
            return;
        }
        for (int x = 0; x < layout.pixelsPerLine; ++x) {
            row[static_cast<std::size_t>(x)] = SampleOf(line, x, layout.depth);
        }
        return;
    }
    for (int x = 0; x < layout.pixelsPerLine; ++x) {
        const auto pixel = static_cast<std::size_t>(x) * 3;
        const std::int64_t sample = static_cast<std::int64_t>(x) * 3;
        row[pixel + 2] = SampleOf(line, sample, layout.depth);  // bitmaps keep blue, green, red
        row[pixel + 1] = SampleOf(line, sample + 1, layout.depth);
        row[pixel] = SampleOf(line, sample + 2, layout.depth);
    }
}

std::int32_t PelsPerMetre(double dpi) {
    if (!std::isfinite(dpi) || dpi <= 0.0 || dpi / kMetresPerInch > 2147483647.0) {
        return DibBlock::kDefaultPelsPerMeter;
    }
    return static_cast<std::int32_t>(std::lround(dpi / kMetresPerInch));
}

}  // namespace

std::optional<DibBlock> DibFromScan(const ScanLayout& layout, std::span<const std::uint8_t> bytes,
                                    double dpi) {
    if (!IsSupported(layout)) {
        return std::nullopt;
    }
    const std::int64_t bitsPerLine =
        static_cast<std::int64_t>(layout.pixelsPerLine) * ChannelsOf(layout.format) * layout.depth;
    if ((bitsPerLine + 7) / 8 > layout.bytesPerLine) {
        return std::nullopt;
    }
    const std::int64_t whole = static_cast<std::int64_t>(bytes.size()) / layout.bytesPerLine;
    const std::int64_t lines = layout.lines < 0 ? whole : std::min<std::int64_t>(layout.lines, whole);
    if (lines < 1 || lines > INT32_MAX) {
        return std::nullopt;
    }
    const bool lineArt = layout.format == ScanLayout::Format::kGrey && layout.depth == 1;
    const std::uint16_t bitCount = lineArt ? 1 : layout.format == ScanLayout::Format::kGrey ? 8 : 24;
    std::optional<DibBlock> dib =
        DibBlock::CreateBlank(layout.pixelsPerLine, static_cast<std::int32_t>(lines), bitCount);
    if (!dib) {
        return std::nullopt;
    }
    if (bitCount <= 8) {
        SetGreyPalette(*dib, bitCount == 1 ? 2 : 256);
    }
    const auto stride = static_cast<std::size_t>(dib->Layout().stride);
    std::span<std::uint8_t> pixels = dib->MutablePixels();
    for (std::int64_t y = 0; y < lines; ++y) {
        const auto line = bytes.subspan(static_cast<std::size_t>(y * layout.bytesPerLine),
                                        static_cast<std::size_t>(layout.bytesPerLine));
        const auto stored = static_cast<std::size_t>(lines - 1 - y);  // bitmaps store the bottom row first
        CopyLine(layout, line, pixels.subspan(stored * stride, stride));
    }
    BitmapInfoHeader header = *dib->InfoHeader();
    header.xPelsPerMeter = header.yPelsPerMeter = PelsPerMetre(dpi);
    dib->ReplaceInfoHeader(header);
    return dib;
}

}  // namespace platform
