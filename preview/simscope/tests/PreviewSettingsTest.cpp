// "pfile": round trip, and every unusable file falls back to the defaults with the caller's corner.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <fstream>
#include <limits>
#include <vector>

#include "AtomicFile.h"
#include "PreviewSettings.h"
#include "TempHome.h"

namespace simscope {
namespace {

std::filesystem::path SettingsPath() {
    return cutrix::testing::TempHome() / "pfile";
}

PreviewSettings Custom() {
    PreviewSettings settings;
    settings.defaultSpeed = 250.0;
    settings.ratioPosition = 80.0;
    settings.colors.background = platform::Rgb(1, 2, 3);
    settings.colors.idle = platform::Rgb(9, 8, 7);
    settings.anchorCorner = Corner::TopRight;
    return settings;
}

std::vector<std::uint8_t> BytesOf(const PreviewSettings& settings) {
    EXPECT_TRUE(WritePreviewSettings(SettingsPath(), settings));
    return *platform::ReadWholeFile(SettingsPath());
}

void WriteBytes(const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomically(SettingsPath(), std::span<const std::uint8_t>(bytes)));
}

void PutDouble(std::vector<std::uint8_t>& bytes, std::size_t offset, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int index = 0; index < 8; ++index) {
        bytes[offset + index] = static_cast<std::uint8_t>(bits >> (8 * index));
    }
}

TEST(PreviewSettings, RoundTripKeepsEveryFieldInTheDocumentedLayout) {
    const std::vector<std::uint8_t> bytes = BytesOf(Custom());
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(bytes[16], 1);  // background red in the lowest byte
    EXPECT_EQ(bytes[44], 1);  // corner
    EXPECT_EQ(ReadPreviewSettings(SettingsPath(), Corner::BottomLeft), Custom());
}

TEST(PreviewSettings, MissingFileGivesDefaultsWithTheCallersCorner) {
    PreviewSettings expected;
    expected.anchorCorner = Corner::TopLeft;
    EXPECT_EQ(ReadPreviewSettings(SettingsPath(), Corner::TopLeft), expected);
}

TEST(PreviewSettings, DamagedFilesGiveDefaults) {
    const std::vector<std::uint8_t> good = BytesOf(Custom());
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    const Case cases[] = {
        {"cut by one byte", [](auto& bytes) { bytes.pop_back(); }},
        {"one byte longer", [](auto& bytes) { bytes.push_back(0); }},
        {"empty", [](auto& bytes) { bytes.clear(); }},
        {"speed NaN", [](auto& bytes) { PutDouble(bytes, 0, std::numeric_limits<double>::quiet_NaN()); }},
        {"speed below the slider", [](auto& bytes) { PutDouble(bytes, 0, 9.5); }},
        {"speed above the slider", [](auto& bytes) { PutDouble(bytes, 0, 1000.0); }},
        {"ratio infinite", [](auto& bytes) { PutDouble(bytes, 8, std::numeric_limits<double>::infinity()); }},
        {"ratio negative", [](auto& bytes) { PutDouble(bytes, 8, -1.0); }},
        {"corner 4", [](auto& bytes) { bytes[44] = 4; }},
        {"corner in a high byte", [](auto& bytes) { bytes[47] = 1; }},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        c.damage(bytes);
        WriteBytes(bytes);
        PreviewSettings expected;
        expected.anchorCorner = Corner::BottomRight;
        EXPECT_EQ(ReadPreviewSettings(SettingsPath(), Corner::BottomRight), expected) << c.name;
    }
}

TEST(PreviewSettings, FolderInTheWayIsNotWrittenAndNotReported) {
    std::filesystem::create_directory(SettingsPath());
    EXPECT_FALSE(WritePreviewSettings(SettingsPath(), Custom()));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
}

}  // namespace
}  // namespace simscope
