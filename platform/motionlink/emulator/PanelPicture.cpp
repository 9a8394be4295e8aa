// Checking a colour panel picture.
#include "PanelPicture.h"

#include "Archive.h"

namespace motionlink::emulator {
namespace {

constexpr std::uint32_t kInfoHeaderBytes = 40;

struct PanelSize {
    std::int32_t width;
    std::int32_t height;
};

constexpr PanelSize kPanelSizes[] = {{640, 480}, {320, 240}, {800, 480}};

}  // namespace

bool IsPanelPicture(std::span<const std::uint8_t> packedDib) {
    if (packedDib.size() < kInfoHeaderBytes) {
        return false;
    }
    platform::Archive header =
        platform::Archive::ForLoading({packedDib.begin(), packedDib.begin() + kInfoHeaderBytes});
    const std::uint32_t headerBytes = header.ReadU32();
    const std::int32_t width = header.ReadI32();
    const std::int32_t height = header.ReadI32();  // negative for rows stored top-down
    const std::uint16_t planes = header.ReadU16();
    const std::uint16_t bitsPerPixel = header.ReadU16();
    const std::uint32_t compression = header.ReadU32();
    const PanelSize* panel = nullptr;
    for (const PanelSize& size : kPanelSizes) {
        if (size.width == width && (size.height == height || -size.height == height)) {
            panel = &size;
        }
    }
    if (headerBytes != kInfoHeaderBytes || planes != 1 || bitsPerPixel != 24 || compression != 0 ||
        panel == nullptr) {
        return false;
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(panel->width) * 3 + 3) / 4 * 4;
    return packedDib.size() >= kInfoHeaderBytes + rowBytes * static_cast<std::size_t>(panel->height);
}

}  // namespace motionlink::emulator
