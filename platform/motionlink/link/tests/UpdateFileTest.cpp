// Firmware update files: a built file is valid for its target, and any damage makes it invalid.
#include "UpdateFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace motionlink::link {
namespace {

std::vector<std::uint8_t> SampleImage() {
    std::vector<std::uint8_t> image(5000);
    for (std::size_t at = 0; at < image.size(); ++at) {
        image[at] = static_cast<std::uint8_t>(at * 7);
    }
    return image;
}

TEST(UpdateFileTest, BuiltFileIsValidForItsTargetAndCarriesItsVersion) {
    const std::vector<std::uint8_t> file = BuildUpdateFile(SampleImage(), "V2.10");
    EXPECT_EQ(file.size(), kUpdateHeaderBytes + 5000);
    EXPECT_TRUE(IsValidUpdateFile(file, kUpdateTargetMainboard));
    EXPECT_FALSE(IsValidUpdateFile(file, 2));
    EXPECT_EQ(UpdateFileVersion(file), "V2.10");
}

TEST(UpdateFileTest, EmptyImageIsAValidFile) {
    EXPECT_TRUE(IsValidUpdateFile(BuildUpdateFile({}, "V0"), kUpdateTargetMainboard));
}

TEST(UpdateFileTest, DamagedFilesAreInvalid) {
    const std::vector<std::pair<const char*, std::function<void(std::vector<std::uint8_t>&)>>> damages = {
        {"image byte changed", [](auto& f) { f[kUpdateHeaderBytes + 10] ^= 1; }},
        {"version byte changed", [](auto& f) { f[20] ^= 1; }},
        {"magic changed", [](auto& f) { f[0] = 'X'; }},
        {"truncated", [](auto& f) { f.pop_back(); }},
        {"byte appended", [](auto& f) { f.push_back(0); }},
        {"header only", [](auto& f) { f.resize(kUpdateHeaderBytes); }},
        {"shorter than a header", [](auto& f) { f.resize(10); }},
    };
    for (const auto& [name, damage] : damages) {
        std::vector<std::uint8_t> file = BuildUpdateFile(SampleImage(), "V2.10");
        damage(file);
        EXPECT_FALSE(IsValidUpdateFile(file, kUpdateTargetMainboard)) << name;
    }
}

}  // namespace
}  // namespace motionlink::link
