// A scanned page as the scanner delivered it (its reported layout and the bytes read) turned into a
// device-independent bitmap: grey pages of 1 bit stay 1 bit, other grey pages become 8-bit grey, colour
// pages 24-bit. The scanner's layout is not trusted: a layout that does not fit its bytes gives nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "DibBlock.h"

namespace platform {

// The page layout a scanner reports.
struct ScanLayout {
    enum class Format { kGrey, kColour, kOther };
    Format format = Format::kOther;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = 0;  // -1 while the scanner does not know (hand scanners): the bytes read tell
    int depth = 0;  // bits per sample: 1, 8 or 16
};

// The bitmap of the page at `dpi` (its resolution in the header; 72 dpi when not positive). Lines
// beyond the bytes read are left out; nothing when not one whole line arrived, the format or depth is
// not one of the above, or a line's pixels do not fit its bytes.
std::optional<DibBlock> DibFromScan(const ScanLayout& layout, std::span<const std::uint8_t> bytes,
                                    double dpi);

}  // namespace platform
