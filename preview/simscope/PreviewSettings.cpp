// Reading and writing "pfile".
#include "PreviewSettings.h"

#include <bit>
#include <cmath>
#include <vector>

#include "AtomicFile.h"
#include "LittleEndian.h"

namespace simscope {
namespace {

constexpr platform::ColorRef kColorBits = 0x00FFFFFF;

double LoadF64(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint64_t low = platform::little_endian::LoadU32(bytes, offset);
    const std::uint64_t high = platform::little_endian::LoadU32(bytes, offset + 4);
    return std::bit_cast<double>(low | (high << 32));
}

void AppendF64(std::vector<std::uint8_t>& bytes, double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    platform::little_endian::AppendU32(bytes, static_cast<std::uint32_t>(bits));
    platform::little_endian::AppendU32(bytes, static_cast<std::uint32_t>(bits >> 32));
}

bool InRange(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

}  // namespace

PreviewSettings ReadPreviewSettings(const std::filesystem::path& file, Corner fallbackCorner) {
    PreviewSettings defaults;
    defaults.anchorCorner = fallbackCorner;
    const std::optional<std::vector<std::uint8_t>> content = platform::ReadWholeFile(file);
    if (!content || content->size() != kSettingsFileSize) {
        return defaults;
    }
    const std::span<const std::uint8_t> bytes(*content);
    PreviewSettings settings;
    settings.defaultSpeed = LoadF64(bytes, 0);
    settings.ratioPosition = LoadF64(bytes, 8);
    platform::ColorRef* colors[] = {&settings.colors.background, &settings.colors.text,
                                    &settings.colors.draw0,      &settings.colors.draw100,
                                    &settings.colors.simulate0,  &settings.colors.simulate100,
                                    &settings.colors.idle};
    std::size_t offset = 16;
    for (platform::ColorRef* color : colors) {
        *color = platform::little_endian::LoadU32(bytes, offset) & kColorBits;
        offset += 4;
    }
    const std::uint32_t corner = platform::little_endian::LoadU32(bytes, offset);
    if (!InRange(settings.defaultSpeed, kMinDefaultSpeed, kMaxDefaultSpeed) ||
        !InRange(settings.ratioPosition, 0.0, kMaxRatioPosition) || corner > 3) {
        return defaults;
    }
    settings.anchorCorner = static_cast<Corner>(corner);
    return settings;
}

bool WritePreviewSettings(const std::filesystem::path& file, const PreviewSettings& settings) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kSettingsFileSize);
    AppendF64(bytes, settings.defaultSpeed);
    AppendF64(bytes, settings.ratioPosition);
    for (platform::ColorRef color :
         {settings.colors.background, settings.colors.text, settings.colors.draw0, settings.colors.draw100,
          settings.colors.simulate0, settings.colors.simulate100, settings.colors.idle}) {
        platform::little_endian::AppendU32(bytes, color);
    }
    platform::little_endian::AppendU32(bytes, static_cast<std::uint32_t>(settings.anchorCorner));
    return platform::WriteFileAtomically(file, std::span<const std::uint8_t>(bytes));
}

}  // namespace simscope
