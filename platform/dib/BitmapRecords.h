// The bitmap header records of the device-independent bitmap format (file header, info header, core
// header, colour-table entries), each with an explicit little-endian encoding: no record is ever copied
// to or from bytes as a struct, so padding and host byte order never reach a file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// The 14 bytes in front of a bitmap file: "BM", the file size, two reserved words and the offset of the
// pixel rows from the start of the file.
struct BitmapFileHeader {
    static constexpr std::size_t kEncodedSize = 14;
    static constexpr std::uint16_t kSignature = 0x4D42;  // "BM" read as a little-endian word

    std::uint16_t signature = kSignature;
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;
};

// Compression values of the info header. Only uncompressed rows can be read pixel by pixel; the two
// run-length forms are carried along with the stored image size.
enum class DibCompression : std::uint32_t { None = 0, RunLength8 = 1, RunLength4 = 2 };

// The 40-byte info header. A positive height means the rows are stored bottom-up.
struct BitmapInfoHeader {
    static constexpr std::size_t kEncodedSize = 40;

    std::uint32_t headerSize = kEncodedSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

// The older 12-byte header with 16-bit sizes; its colour table has 3-byte entries.
struct BitmapCoreHeader {
    static constexpr std::size_t kEncodedSize = 12;

    std::uint32_t headerSize = kEncodedSize;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
};

// One colour-table entry of an info-header bitmap, stored blue, green, red, reserved.
struct RgbQuad {
    static constexpr std::size_t kEncodedSize = 4;

    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

// One colour-table entry of a core-header bitmap, stored blue, green, red.
struct RgbTriple {
    static constexpr std::size_t kEncodedSize = 3;

    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

// Each Encode writes exactly kEncodedSize bytes; each Decode reads the record from the front of the
// bytes and gives nothing when there are fewer than kEncodedSize of them. Decoding does not judge the
// values: ValidatePackedDib (DibLayout.h) does.
std::array<std::uint8_t, BitmapFileHeader::kEncodedSize> Encode(const BitmapFileHeader& header);
std::array<std::uint8_t, BitmapInfoHeader::kEncodedSize> Encode(const BitmapInfoHeader& header);
std::array<std::uint8_t, BitmapCoreHeader::kEncodedSize> Encode(const BitmapCoreHeader& header);
std::array<std::uint8_t, RgbQuad::kEncodedSize> Encode(const RgbQuad& entry);
std::array<std::uint8_t, RgbTriple::kEncodedSize> Encode(const RgbTriple& entry);

std::optional<BitmapFileHeader> DecodeBitmapFileHeader(std::span<const std::uint8_t> bytes);
std::optional<BitmapInfoHeader> DecodeBitmapInfoHeader(std::span<const std::uint8_t> bytes);
std::optional<BitmapCoreHeader> DecodeBitmapCoreHeader(std::span<const std::uint8_t> bytes);
std::optional<RgbQuad> DecodeRgbQuad(std::span<const std::uint8_t> bytes);
std::optional<RgbTriple> DecodeRgbTriple(std::span<const std::uint8_t> bytes);

}  // namespace platform
