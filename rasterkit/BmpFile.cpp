// BMP reading and writing.
#include "BmpFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "BitmapRecords.h"
#include "DibLayout.h"
#include "Raster.h"
#include "RunLengthDecoder.h"

namespace rasterkit {
namespace {

using platform::BitmapFileHeader;
using platform::BitmapInfoHeader;

// The largest bitmap block, as a 32-bit program's global memory could hold.
constexpr std::uint64_t kMaxBlockBytes = std::numeric_limits<std::int32_t>::max();

// Header values that files may leave at 0, filled in.
void FillMissingFields(BitmapInfoHeader& header) {
    if (header.colorsUsed == 0 && header.bitCount <= 8) {
        header.colorsUsed = 1u << header.bitCount;
    }
    header.xPelsPerMeter = UsablePelsPerMetre(header.xPelsPerMeter);
    header.yPelsPerMeter = UsablePelsPerMetre(header.yPelsPerMeter);
}

// Writes the header over the front of the bytes.
void PutHeader(std::vector<std::uint8_t>& bytes, const BitmapInfoHeader& header) {
    const auto encoded = platform::Encode(header);
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
}

std::optional<platform::DibBlock> BlockOf(const std::vector<std::uint8_t>& bytes) {
    std::optional<platform::DibBlock> dib = platform::DibBlock::FromPackedBytes(bytes);
    if (!dib || dib->Bytes().size() > kMaxBlockBytes) {
        return std::nullopt;
    }
    return dib;
}

std::optional<platform::DibBlock> PlainBitmap(std::vector<std::uint8_t> bytes, BitmapInfoHeader header,
                                              bool topDown) {
    const std::uint64_t imageSize = platform::DibRowStride(header.width, header.bitCount) *
                                    static_cast<std::uint64_t>(header.height);
    if (imageSize > kMaxBlockBytes) {
        return std::nullopt;
    }
    header.imageSize = static_cast<std::uint32_t>(imageSize);
    PutHeader(bytes, header);
    const std::optional<platform::DibLayout> layout = platform::ValidatePackedDib(bytes);
    if (!layout) {
        return std::nullopt;
    }
    if (topDown) {
        TurnRowsOver(std::span(bytes).subspan(layout->pixelOffset, layout->pixelBytes), layout->stride);
    }
    return BlockOf(bytes);
}

std::optional<platform::DibBlock> DecodedBitmap(const std::vector<std::uint8_t>& bytes, BitmapInfoHeader header) {
    // Checks the header and that the stored image size is present.
    const std::optional<platform::DibLayout> encodedLayout = platform::LayoutOfInfoHeader(header, bytes.size());
    if (!encodedLayout) {
        return std::nullopt;
    }
    const std::uint64_t imageSize = encodedLayout->stride * static_cast<std::uint64_t>(header.height);
    if (encodedLayout->pixelOffset + imageSize > kMaxBlockBytes) {
        return std::nullopt;
    }
    BitmapInfoHeader plain = header;
    plain.compression = 0;
    plain.imageSize = static_cast<std::uint32_t>(imageSize);
    std::vector<std::uint8_t> decoded(static_cast<std::size_t>(encodedLayout->pixelOffset + imageSize), 0);
    std::copy_n(bytes.begin(), encodedLayout->pixelOffset, decoded.begin());
    PutHeader(decoded, plain);
    DecodeRunLength(std::span(bytes).subspan(encodedLayout->pixelOffset, encodedLayout->pixelBytes),
                    header.bitCount, header.width, encodedLayout->stride,
                    std::span(decoded).subspan(encodedLayout->pixelOffset));
    return BlockOf(decoded);
}

}  // namespace

std::optional<platform::DibBlock> ReadBmp(platform::Archive& file) {
    const std::optional<BitmapFileHeader> fileHeader =
        platform::DecodeBitmapFileHeader(file.ReadBytes(BitmapFileHeader::kEncodedSize));
    if (!fileHeader || fileHeader->signature != BitmapFileHeader::kSignature ||
        fileHeader->fileSize < BitmapFileHeader::kEncodedSize + BitmapInfoHeader::kEncodedSize) {
        return std::nullopt;
    }
    const std::size_t promised = fileHeader->fileSize - BitmapFileHeader::kEncodedSize;
    std::vector<std::uint8_t> bytes = file.ReadBytes(std::min(promised, file.Remaining()));
    std::optional<BitmapInfoHeader> header = platform::DecodeBitmapInfoHeader(bytes);
    if (!header || header->headerSize != BitmapInfoHeader::kEncodedSize) {
        return std::nullopt;
    }
    const bool topDown = header->height < 0;
    if (topDown) {
        if (header->height == std::numeric_limits<std::int32_t>::min() || header->compression != 0) {
            return std::nullopt;
        }
        header->height = -header->height;
    }
    FillMissingFields(*header);
    if (header->compression == 0) {
        return PlainBitmap(std::move(bytes), *header, topDown);
    }
    return DecodedBitmap(bytes, *header);
}

bool WriteBmp(platform::Archive& file, platform::DibBlock& dib) {
    std::optional<BitmapInfoHeader> header = dib.InfoHeader();
    if (!header) {
        return false;
    }
    const platform::DibLayout& layout = dib.Layout();
    if (layout.IsUncompressed()) {
        header->imageSize = static_cast<std::uint32_t>(layout.pixelBytes);
        dib.ReplaceInfoHeader(*header);
    }
    BitmapFileHeader fileHeader;
    fileHeader.fileSize = static_cast<std::uint32_t>(BitmapFileHeader::kEncodedSize + layout.totalBytes);
    fileHeader.pixelOffset = static_cast<std::uint32_t>(BitmapFileHeader::kEncodedSize + layout.pixelOffset);
    file.WriteBytes(platform::Encode(fileHeader));
    file.WriteBytes(dib.Bytes().first(static_cast<std::size_t>(layout.totalBytes)));
    return true;
}

}  // namespace rasterkit
