#include "PictureEndCheck.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "CutShort.h"

namespace filebridge {

namespace {

// Reads little- and big-endian fields at an offset; nothing past the end is ever read.
class Bytes {
  public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::optional<std::uint8_t> U8(std::size_t at) const {
        return at < bytes_.size() ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(bytes_[at])) : std::nullopt;
    }
    std::optional<std::uint32_t> Le(std::size_t at, int size) const {
        if (at > bytes_.size() || bytes_.size() - at < static_cast<std::size_t>(size)) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | static_cast<std::uint8_t>(bytes_[at + static_cast<std::size_t>(i)]);
        }
        return value;
    }
    std::optional<std::uint32_t> Be16(std::size_t at) const {
        const auto high = U8(at), low = U8(at + 1);
        return high && low ? std::optional<std::uint32_t>(*high << 8 | *low) : std::nullopt;
    }

  private:
    std::string_view bytes_;
};

constexpr std::uint32_t kBmpRgb = 0, kBmpBitFields = 3, kBmpAlphaBitFields = 6;
constexpr std::uint32_t kBmpCoreHeaderBytes = 12;
constexpr std::size_t kBmpFileHeaderBytes = 14;

// The bytes a BMP must hold: its pixel array, placed by the file header, sized by the info header
// (rows padded to 4 bytes) or, for compressed pixels, by the size the header states.
std::string CheckBmp(const Bytes& file) {
    const auto pixelsAt = file.Le(10, 4), infoBytes = file.Le(14, 4);
    if (!pixelsAt || !infoBytes || file.Size() < kBmpFileHeaderBytes + *infoBytes) {
        return CutShortReason("the bitmap header is incomplete");
    }
    const bool core = *infoBytes == kBmpCoreHeaderBytes;
    const auto width = core ? file.Le(18, 2) : file.Le(18, 4);
    const auto height = core ? file.Le(20, 2) : file.Le(22, 4);
    const auto bitCount = core ? file.Le(24, 2) : file.Le(28, 2);
    const auto compression = core ? std::optional<std::uint32_t>(kBmpRgb) : file.Le(30, 4);
    const auto imageBytes = core ? std::optional<std::uint32_t>(0) : file.Le(34, 4);
    if (!width || !height || !bitCount || !compression || !imageBytes) {
        return CutShortReason("the bitmap header is incomplete");
    }
    std::uint64_t pixelBytes = *imageBytes;
    if (*compression == kBmpRgb || *compression == kBmpBitFields || *compression == kBmpAlphaBitFields) {
        const auto signedHeight = core ? static_cast<std::int16_t>(*height) : static_cast<std::int32_t>(*height);
        const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(signedHeight));
        const std::uint64_t stride = (static_cast<std::uint64_t>(*width) * *bitCount + 31) / 32 * 4;
        pixelBytes = stride * rows;
    }
    if (file.Size() < *pixelsAt + pixelBytes) {
        return CutShortReason("the pixel array reaches beyond the end of the file");
    }
    return {};
}

constexpr std::uint8_t kGifExtension = 0x21, kGifImage = 0x2C, kGifTrailer = 0x3B;
constexpr std::uint8_t kGifHasColourTable = 0x80;

std::size_t GifColourTableBytes(std::uint8_t packed) {
    return (packed & kGifHasColourTable) != 0 ? 3u << ((packed & 7) + 1) : 0;
}

// Skips a chain of data sub-blocks; nullopt when the file ends inside it.
std::optional<std::size_t> SkipGifSubBlocks(const Bytes& file, std::size_t at) {
    for (auto size = file.U8(at); size; size = file.U8(at)) {
        at += 1 + *size;
        if (*size == 0) {
            return at;
        }
    }
    return std::nullopt;
}

std::string CheckGif(const Bytes& file) {
    const auto screenPacked = file.U8(10);
    std::optional<std::size_t> at = screenPacked ? std::optional<std::size_t>(13 + GifColourTableBytes(*screenPacked))
                                                 : std::nullopt;
    while (at) {
        const auto block = file.U8(*at);
        if (!block) {
            break;
        }
        if (*block == kGifTrailer) {
            return {};
        }
        if (*block == kGifExtension) {
            at = SkipGifSubBlocks(file, *at + 2);
        } else if (*block == kGifImage) {
            const auto packed = file.U8(*at + 9);
            // Descriptor (10 bytes), local colour table, the LZW code size, then the image data.
            at = packed ? SkipGifSubBlocks(file, *at + 10 + GifColourTableBytes(*packed) + 1) : std::nullopt;
        } else {
            return {};  // not a block this walk knows: the decoder judges the rest
        }
    }
    return CutShortReason("the picture ends before its trailer");
}

constexpr std::uint8_t kJpegMarker = 0xFF, kJpegEnd = 0xD9, kJpegScan = 0xDA, kJpegTem = 0x01;
constexpr std::uint8_t kJpegRestartFirst = 0xD0, kJpegRestartLast = 0xD7;

bool IsStandaloneJpegMarker(std::uint8_t marker) {
    return marker == kJpegTem || (marker >= kJpegRestartFirst && marker <= kJpegRestartLast);
}

// After a scan's header: the entropy-coded data runs to the next marker that is neither a stuffed
// zero, a fill byte nor a restart.
std::size_t SkipJpegScanData(const Bytes& file, std::size_t at) {
    while (at + 1 < file.Size()) {
        const std::uint8_t next = *file.U8(at + 1);
        if (*file.U8(at) == kJpegMarker && next != 0 && next != kJpegMarker && !IsStandaloneJpegMarker(next)) {
            return at;
        }
        ++at;
    }
    return file.Size();
}

std::string CheckJpeg(const Bytes& file) {
    std::size_t at = 2;
    while (file.U8(at) == kJpegMarker) {
        while (file.U8(at + 1) == kJpegMarker) {
            ++at;
        }
        const auto marker = file.U8(at + 1);
        if (!marker) {
            break;
        }
        if (*marker == kJpegEnd) {
            return {};
        }
        if (IsStandaloneJpegMarker(*marker)) {
            at += 2;
            continue;
        }
        const auto length = file.Be16(at + 2);
        if (!length || *length < 2) {
            break;
        }
        at += 2 + *length;
        if (*marker == kJpegScan) {
            at = SkipJpegScanData(file, at);
        }
    }
    return CutShortReason("the picture ends before its end marker");
}

}  // namespace

std::string CheckPictureEnd(std::string_view bytes) {
    const Bytes file(bytes);
    if (bytes.substr(0, 2) == "BM") {
        return CheckBmp(file);
    }
    if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a") {
        return CheckGif(file);
    }
    if (bytes.substr(0, 2) == "\xFF\xD8") {
        return CheckJpeg(file);
    }
    return {};
}

}  // namespace filebridge
