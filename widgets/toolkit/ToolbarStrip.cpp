// Reading the toolbar table with bounds, and the colour recipes of the image lists.
#include "ToolbarStrip.h"

#include <cmath>

namespace {

constexpr std::size_t kHeaderWords = 4;
constexpr int kButtonPadding = 7;

std::uint16_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t wordIndex) {
    return static_cast<std::uint16_t>(bytes[wordIndex * 2] | (bytes[wordIndex * 2 + 1] << 8));
}

void AppendWord(std::vector<std::uint8_t>& bytes, std::uint16_t word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

std::uint8_t Lightened(std::uint8_t component, int step, int ceiling) {
    return component > ceiling ? 255 : static_cast<std::uint8_t>(component + step);
}

}  // namespace

std::optional<ToolbarResource> ParseToolbarResource(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderWords * 2) return std::nullopt;
    ToolbarResource resource;
    resource.version = ReadWord(bytes, 0);
    resource.width = ReadWord(bytes, 1);
    resource.height = ReadWord(bytes, 2);
    const std::size_t count = ReadWord(bytes, 3);
    if (bytes.size() < (kHeaderWords + count) * 2) return std::nullopt;
    for (std::size_t index = 0; index < count; ++index) {
        resource.commandIds.push_back(ReadWord(bytes, kHeaderWords + index));
    }
    return resource;
}

std::vector<std::uint8_t> EncodeToolbarResource(const ToolbarResource& resource) {
    std::vector<std::uint8_t> bytes;
    AppendWord(bytes, resource.version);
    AppendWord(bytes, resource.width);
    AppendWord(bytes, resource.height);
    AppendWord(bytes, static_cast<std::uint16_t>(resource.commandIds.size()));
    for (const std::uint16_t id : resource.commandIds) AppendWord(bytes, id);
    return bytes;
}

std::optional<ToolbarMetrics> ComputeToolbarMetrics(const ToolbarResource& resource, platform::Size stripSize) {
    ToolbarMetrics metrics;
    for (const std::uint16_t id : resource.commandIds) {
        if (id == 0) {
            ++metrics.separatorCount;
        } else {
            ++metrics.buttonCount;
        }
    }
    if (metrics.buttonCount == 0 || metrics.buttonCount > stripSize.width || stripSize.height <= 0) {
        return std::nullopt;
    }
    metrics.imageSize = {stripSize.width / metrics.buttonCount, stripSize.height};
    metrics.buttonSize = {metrics.imageSize.width + kButtonPadding, metrics.imageSize.height + kButtonPadding};
    return metrics;
}

platform::ColorRef DisabledGrey(platform::ColorRef color) {
    const double grey = 0.2 * (platform::RedOf(color) + platform::BlueOf(color)) + 0.4 * platform::GreenOf(color);
    const auto level = static_cast<std::uint8_t>(std::floor(grey));
    return platform::Rgb(level, level, level);
}

platform::ColorRef HotLighten(platform::ColorRef color) {
    return platform::Rgb(Lightened(platform::RedOf(color), 15, 240), Lightened(platform::GreenOf(color), 55, 200),
                         Lightened(platform::BlueOf(color), 15, 240));
}
