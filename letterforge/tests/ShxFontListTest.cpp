// The SHX font list of the program's fonts/ folder.
#include "ShxFontList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ProgramFolder.h"
#include "ShxFontWriter.h"

namespace letterforge {
namespace {

using testing::IndexLayoutFont;
using testing::InstallFont;

TEST(ShxFontListTest, EmptyWithoutFontFolder) {
    EXPECT_TRUE(ListShxFonts().empty());
    EXPECT_TRUE(IsBigShxFontMissing());
}

TEST(ShxFontListTest, ListsShxFilesAsSpelledAndSkipsOtherFiles) {
    const std::vector<std::uint8_t> font = IndexLayoutFont({{65, {0x0}}});
    InstallFont("ROMANS.SHX", font);
    InstallFont("fs.shx", font);
    InstallFont("Txt.Shx", font);
    std::ofstream(platform::ProgramFolder() / "fonts" / "readme.txt") << "not a font";
    std::filesystem::create_directories(platform::ProgramFolder() / "fonts" / "OLD.SHX");
    EXPECT_EQ(ListShxFonts(), (std::vector<std::string>{"ROMANS.SHX", "Txt.Shx", "fs.shx"}));
}

TEST(ShxFontListTest, BigFontFoundIgnoringCase) {
    InstallFont("big.shx", testing::BigFont({{0x8140, {0x0}}}));
    EXPECT_FALSE(IsBigShxFontMissing());
}

}  // namespace
}  // namespace letterforge
