#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PathExports.h"
#include "TempHome.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

}  // namespace

TEST(ShortCut, WritesAnExecutableDesktopEntry) {
    const fs::path home = cutrix::testing::TempHome();
    std::ofstream(home / "icon.png") << "png";
    const std::string link = (home / "Cutrix.desktop").string();
    ASSERT_EQ(_path_CreateShortCut("/opt/cutrix/bin/CutrixV5", (home / "icon.png").string(), link), 0);
    EXPECT_EQ(Read(link),
              "[Desktop Entry]\nType=Application\nName=Cutrix\nExec=\"/opt/cutrix/bin/CutrixV5\"\n"
              "Path=/opt/cutrix/bin\nIcon=" +
                  (home / "icon.png").string() + "\n");
    EXPECT_NE(fs::status(link).permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST(ShortCut, MissingIconIsLeftOutAndSpecialCharactersAreEscaped) {
    const fs::path link = cutrix::testing::TempHome() / "odd.desktop";
    ASSERT_EQ(_path_CreateShortCut("/opt/my \"app\" 100%/run$\\x", "/no/such/icon.png", link.string()), 0);
    EXPECT_EQ(Read(link),
              "[Desktop Entry]\nType=Application\nName=odd\n"
              "Exec=\"/opt/my \\\\\"app\\\\\" 100%%/run\\\\$\\\\\\\\x\"\n"
              "Path=/opt/my \"app\" 100%\n");
}

TEST(ShortCut, RefusesLineBreaksAndUnwritablePlaces) {
    const fs::path home = cutrix::testing::TempHome();
    EXPECT_EQ(_path_CreateShortCut("/opt/a\nExec=evil", "", (home / "a.desktop").string()), 1);
    EXPECT_EQ(_path_CreateShortCut("/opt/a", "", (home / "missing" / "a.desktop").string()), 1);
    EXPECT_EQ(_path_CreateShortCut("", "", (home / "a.desktop").string()), 1);
    EXPECT_FALSE(fs::exists(home / "a.desktop"));
}

TEST(ShortCut, DesktopShortCutGoesToTheDesktopFolder) {
    const fs::path home = cutrix::testing::TempHome();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    fs::create_directories(home / "Desktop");
    EXPECT_EQ(_path_CreateDesktopShortCut("/opt/cutrix/CutrixV5", "", "CutrixV5.desktop"), 0);
    EXPECT_TRUE(fs::exists(home / "Desktop" / "CutrixV5.desktop"));
}
