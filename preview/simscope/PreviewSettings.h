// The preview's settings file "pfile" in the program folder: the Default speed and Simulate ratio slider
// positions, the seven colours and the anchor corner, 48 bytes little-endian without header.
#pragma once

#include <cstdint>
#include <filesystem>

#include "CornerCode.h"
#include "GdiTypes.h"

namespace simscope {

struct PreviewColors {
    platform::ColorRef background = platform::Rgb(0, 0, 0);
    platform::ColorRef text = platform::Rgb(0, 255, 0);
    platform::ColorRef draw0 = platform::Rgb(255, 255, 255);      // drawing at 0% power
    platform::ColorRef draw100 = platform::Rgb(0, 64, 0);         // drawing at 100% power
    platform::ColorRef simulate0 = platform::Rgb(255, 128, 128);  // playback at 0% power
    platform::ColorRef simulate100 = platform::Rgb(255, 0, 0);    // playback at 100% power
    platform::ColorRef idle = platform::Rgb(255, 128, 0);         // the travelling cross

    friend bool operator==(const PreviewColors&, const PreviewColors&) = default;
};

struct PreviewSettings {
    double defaultSpeed = 100.0;  // mm/s, Default speed slider 10..999
    double ratioPosition = 50.0;  // Simulate ratio slider 0..100
    PreviewColors colors;
    Corner anchorCorner = Corner::BottomLeft;

    friend bool operator==(const PreviewSettings&, const PreviewSettings&) = default;
};

constexpr std::size_t kSettingsFileSize = 48;
constexpr double kMinDefaultSpeed = 10.0;
constexpr double kMaxDefaultSpeed = 999.0;
constexpr double kMaxRatioPosition = 100.0;

// The settings of the file when it holds exactly 48 bytes with finite slider values in their ranges and
// a corner 0..3; otherwise the defaults with the anchor corner `fallbackCorner` (the caller's origin
// corner), so that a missing, short or damaged file never mirrors a job at random.
PreviewSettings ReadPreviewSettings(const std::filesystem::path& file, Corner fallbackCorner);

// Replaces the file whole, so that a failed write leaves the old one. False when it could not be written.
bool WritePreviewSettings(const std::filesystem::path& file, const PreviewSettings& settings);

}  // namespace simscope
