// Building and checking firmware update files.
#include "UpdateFile.h"

#include "Archive.h"
#include "Crc32.h"

#include <algorithm>

namespace motionlink::link {
namespace {

constexpr std::uint8_t kMagic[4] = {'C', 'X', 'F', 'W'};
constexpr std::uint16_t kFormatVersion = 1;
constexpr std::size_t kHeaderCrcOffset = 32;

}  // namespace

std::vector<std::uint8_t> BuildUpdateFile(std::span<const std::uint8_t> image, std::string_view version,
                                          std::uint16_t target) {
    platform::Archive file = platform::Archive::ForStoring();
    file.WriteBytes(kMagic);
    file.WriteU16(kFormatVersion);
    file.WriteU16(target);
    file.WriteU32(static_cast<std::uint32_t>(image.size()));
    file.WriteU32(Crc32(image));
    std::uint8_t versionField[kUpdateVersionBytes] = {};
    std::copy_n(version.begin(), std::min(version.size(), kUpdateVersionBytes), versionField);
    file.WriteBytes(versionField);
    file.WriteU32(Crc32(file.Bytes()));
    file.WriteBytes(image);
    return file.Bytes();
}

bool IsValidUpdateFile(std::span<const std::uint8_t> file, std::uint16_t target) {
    if (file.size() < kUpdateHeaderBytes) {
        return false;
    }
    platform::Archive header = platform::Archive::ForLoading(
        {file.begin(), file.begin() + static_cast<std::ptrdiff_t>(kUpdateHeaderBytes)});
    std::uint8_t magic[4];
    header.ReadBytes(magic);
    const std::uint16_t format = header.ReadU16();
    const std::uint16_t fileTarget = header.ReadU16();
    const std::uint32_t imageBytes = header.ReadU32();
    const std::uint32_t imageCrc = header.ReadU32();
    header.ReadBytes(kUpdateVersionBytes);
    const std::uint32_t headerCrc = header.ReadU32();
    return std::equal(std::begin(magic), std::end(magic), std::begin(kMagic)) && format == kFormatVersion &&
           fileTarget == target && headerCrc == Crc32(file.first(kHeaderCrcOffset)) &&
           imageBytes <= kMaxUpdateImageBytes && file.size() == kUpdateHeaderBytes + imageBytes &&
           imageCrc == Crc32(file.subspan(kUpdateHeaderBytes));
}

std::string UpdateFileVersion(std::span<const std::uint8_t> file) {
    if (file.size() < kUpdateHeaderBytes) {
        return {};
    }
    const auto field = file.subspan(16, kUpdateVersionBytes);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

}  // namespace motionlink::link
