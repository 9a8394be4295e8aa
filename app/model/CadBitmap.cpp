// CCadBitmap: the bitmap record with its BMP image part, the rectangle from the image, the copy and the
// move.
#include "CadBitmap.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr std::size_t kHeadersBytes = platform::BitmapFileHeader::kEncodedSize + platform::BitmapInfoHeader::kEncodedSize;
constexpr double kMmPerMetre = 1000.0;

std::int32_t PelsPerMetreOrDefault(std::int32_t pels) {
    return pels > 0 ? pels : platform::DibBlock::kDefaultPelsPerMeter;
}

// The image as a BMP file: file header, the info header with its image size recomputed for uncompressed
// rows, then the colour table and the rows as held.
void StoreImagePart(platform::Archive& ar, const platform::DibBlock& dib) {
    const std::optional<platform::BitmapInfoHeader> info = dib.InfoHeader();
    if (!info || dib.Layout().headerSize != platform::BitmapInfoHeader::kEncodedSize) {
        throw platform::ArchiveError("bitmap element without an image that can be stored");
    }
    const platform::DibLayout& layout = dib.Layout();
    platform::BitmapFileHeader fileHeader;
    fileHeader.fileSize = static_cast<std::uint32_t>(platform::BitmapFileHeader::kEncodedSize + layout.totalBytes);
    fileHeader.pixelOffset = static_cast<std::uint32_t>(platform::BitmapFileHeader::kEncodedSize + layout.pixelOffset);
    platform::BitmapInfoHeader header = *info;
    if (layout.IsUncompressed()) {
        header.imageSize = static_cast<std::uint32_t>(layout.stride * static_cast<std::uint64_t>(layout.height));
    }
    ar.WriteBytes(platform::Encode(fileHeader));
    ar.WriteBytes(platform::Encode(header));
    ar.WriteBytes(dib.Bytes().subspan(platform::BitmapInfoHeader::kEncodedSize,
                                      layout.totalBytes - platform::BitmapInfoHeader::kEncodedSize));
}

platform::DibBlock LoadImagePart(platform::Archive& ar) {
    std::array<std::uint8_t, platform::BitmapFileHeader::kEncodedSize> headerBytes{};
    ar.ReadBytes(headerBytes);
    const std::optional<platform::BitmapFileHeader> fileHeader = platform::DecodeBitmapFileHeader(headerBytes);
    if (!fileHeader || fileHeader->signature != platform::BitmapFileHeader::kSignature) {
        throw platform::ArchiveError("bitmap image part without its signature");
    }
    if (fileHeader->fileSize < kHeadersBytes ||
        fileHeader->fileSize - platform::BitmapFileHeader::kEncodedSize > ar.Remaining()) {
        throw platform::ArchiveError("bitmap image part of an impossible size");
    }
    const std::vector<std::uint8_t> packed = ar.ReadBytes(fileHeader->fileSize - platform::BitmapFileHeader::kEncodedSize);
    const std::optional<platform::BitmapInfoHeader> info = platform::DecodeBitmapInfoHeader(packed);
    if (!info || info->headerSize != platform::BitmapInfoHeader::kEncodedSize) {
        throw platform::ArchiveError("bitmap image part with an unknown header");
    }
    std::optional<platform::DibBlock> dib = platform::DibBlock::FromPackedBytes(packed);
    if (!dib || fileHeader->pixelOffset != platform::BitmapFileHeader::kEncodedSize + dib->Layout().pixelOffset) {
        throw platform::ArchiveError("bitmap image part that is not a sound bitmap");
    }
    return std::move(*dib);
}

}  // namespace

CCadBitmap::CCadBitmap() : CCadElement(kBitmapElement) {}

void CCadBitmap::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreBaseRecord(ar);
        StoreImagePart(ar, dib);
        ar << centre.x << centre.y << reserved;
        return;
    }
    BaseRecord base = LoadBaseRecord(ar);
    platform::DibBlock loadedDib = LoadImagePart(ar);
    const double centreX = ar.ReadDouble();
    const double centreY = ar.ReadDouble();
    const std::uint32_t loadedReserved = ar.ReadU32();
    if (!std::isfinite(centreX) || !std::isfinite(centreY)) {
        throw platform::ArchiveError("bitmap centre with a non-finite coordinate");
    }
    ApplyBaseRecord(std::move(base));
    dib = std::move(loadedDib);
    centre = {centreX, centreY};
    reserved = loadedReserved;
    CalRect();
}

void CCadBitmap::CalRect() {
    double width = 0.0, height = 0.0;
    if (const std::optional<platform::BitmapInfoHeader> info = dib.InfoHeader()) {
        width = dib.Layout().width * kMmPerMetre / PelsPerMetreOrDefault(info->xPelsPerMeter);
        height = dib.Layout().height * kMmPerMetre / PelsPerMetreOrDefault(info->yPelsPerMeter);
    }
    rect = {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2, centre.y + height / 2, 0};
}

void CCadBitmap::TransMove(double dx, double dy) {
    centre.x += dx;
    centre.y += dy;
    rect.Offset(dx, dy);
}

int CCadBitmap::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* bitmap = dynamic_cast<const CCadBitmap*>(source);
    if (bitmap == nullptr || bitmap->typeCode != kBitmapElement || bitmap->dib.IsEmpty()) {
        return 0;
    }
    platform::DibBlock copy = bitmap->dib.Clone();
    if (copy.IsEmpty()) {
        dib = {};
        return 0;
    }
    dib = std::move(copy);
    color = bitmap->color;
    layer = bitmap->layer;
    reserved = bitmap->reserved;
    centre = {bitmap->centre.x + dx, bitmap->centre.y + dy};
    rect = bitmap->rect;
    rect.Offset(dx, dy);
    return 1;
}
