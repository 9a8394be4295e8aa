// Field-by-field little-endian encoding of the bitmap header records.
#include "BitmapRecords.h"

#include "LittleEndian.h"

namespace platform {

using namespace little_endian;

std::array<std::uint8_t, BitmapFileHeader::kEncodedSize> Encode(const BitmapFileHeader& header) {
    std::array<std::uint8_t, BitmapFileHeader::kEncodedSize> bytes{};
    StoreU16(bytes, 0, header.signature);
    StoreU32(bytes, 2, header.fileSize);
    StoreU16(bytes, 6, header.reserved1);
    StoreU16(bytes, 8, header.reserved2);
    StoreU32(bytes, 10, header.pixelOffset);
    return bytes;
}

std::array<std::uint8_t, BitmapInfoHeader::kEncodedSize> Encode(const BitmapInfoHeader& header) {
    std::array<std::uint8_t, BitmapInfoHeader::kEncodedSize> bytes{};
    StoreU32(bytes, 0, header.headerSize);
    StoreI32(bytes, 4, header.width);
    StoreI32(bytes, 8, header.height);
    StoreU16(bytes, 12, header.planes);
    StoreU16(bytes, 14, header.bitCount);
    StoreU32(bytes, 16, header.compression);
    StoreU32(bytes, 20, header.imageSize);
    StoreI32(bytes, 24, header.xPelsPerMeter);
    StoreI32(bytes, 28, header.yPelsPerMeter);
    StoreU32(bytes, 32, header.colorsUsed);
    StoreU32(bytes, 36, header.colorsImportant);
    return bytes;
}

std::array<std::uint8_t, BitmapCoreHeader::kEncodedSize> Encode(const BitmapCoreHeader& header) {
    std::array<std::uint8_t, BitmapCoreHeader::kEncodedSize> bytes{};
    StoreU32(bytes, 0, header.headerSize);
    StoreU16(bytes, 4, header.width);
    StoreU16(bytes, 6, header.height);
    StoreU16(bytes, 8, header.planes);
    StoreU16(bytes, 10, header.bitCount);
    return bytes;
}

std::array<std::uint8_t, RgbQuad::kEncodedSize> Encode(const RgbQuad& entry) {
    return {entry.blue, entry.green, entry.red, entry.reserved};
}

std::array<std::uint8_t, RgbTriple::kEncodedSize> Encode(const RgbTriple& entry) {
    return {entry.blue, entry.green, entry.red};
}

std::optional<BitmapFileHeader> DecodeBitmapFileHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < BitmapFileHeader::kEncodedSize) {
        return std::nullopt;
    }
    BitmapFileHeader header;
    header.signature = LoadU16(bytes, 0);
    header.fileSize = LoadU32(bytes, 2);
    header.reserved1 = LoadU16(bytes, 6);
    header.reserved2 = LoadU16(bytes, 8);
    header.pixelOffset = LoadU32(bytes, 10);
    return header;
}

std::optional<BitmapInfoHeader> DecodeBitmapInfoHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < BitmapInfoHeader::kEncodedSize) {
        return std::nullopt;
    }
    BitmapInfoHeader header;
    header.headerSize = LoadU32(bytes, 0);
    header.width = LoadI32(bytes, 4);
    header.height = LoadI32(bytes, 8);
    header.planes = LoadU16(bytes, 12);
    header.bitCount = LoadU16(bytes, 14);
    header.compression = LoadU32(bytes, 16);
    header.imageSize = LoadU32(bytes, 20);
    header.xPelsPerMeter = LoadI32(bytes, 24);
    header.yPelsPerMeter = LoadI32(bytes, 28);
    header.colorsUsed = LoadU32(bytes, 32);
    header.colorsImportant = LoadU32(bytes, 36);
    return header;
}

std::optional<BitmapCoreHeader> DecodeBitmapCoreHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < BitmapCoreHeader::kEncodedSize) {
        return std::nullopt;
    }
    BitmapCoreHeader header;
    header.headerSize = LoadU32(bytes, 0);
    header.width = LoadU16(bytes, 4);
    header.height = LoadU16(bytes, 6);
    header.planes = LoadU16(bytes, 8);
    header.bitCount = LoadU16(bytes, 10);
    return header;
}

std::optional<RgbQuad> DecodeRgbQuad(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < RgbQuad::kEncodedSize) {
        return std::nullopt;
    }
    return RgbQuad{bytes[0], bytes[1], bytes[2], bytes[3]};
}

std::optional<RgbTriple> DecodeRgbTriple(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < RgbTriple::kEncodedSize) {
        return std::nullopt;
    }
    return RgbTriple{bytes[0], bytes[1], bytes[2]};
}

}  // namespace platform
