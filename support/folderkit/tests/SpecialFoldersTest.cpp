#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "PathExports.h"
#include "TempHome.h"

namespace fs = std::filesystem;

TEST(SpecialFolders, ProgramFolderEndsWithASlash) {
    std::string folder;
    ASSERT_EQ(_path_GetCurrentPath(&folder), 0);
    EXPECT_EQ(folder, cutrix::testing::TempHome().string() + "/");
    EXPECT_EQ(_path_GetCurrentPath(nullptr), 1);
}

TEST(SpecialFolders, UserFoldersFollowTheXdgSettings) {
    const fs::path home = cutrix::testing::TempHome();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    fs::create_directories(home / "config");
    fs::create_directories(home / "Schreibtisch");
    std::ofstream(home / "config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";

    std::string appData, startMenu, desktop;
    EXPECT_EQ(_path_GetAppDataFolder(&appData), 0);
    EXPECT_EQ(_path_GetStartMenuFolder(&startMenu), 0);
    EXPECT_EQ(_path_GetDesktopFolder(&desktop), 0);
    EXPECT_EQ(appData, (home / "data").string() + "/");
    EXPECT_EQ(startMenu, (home / "data" / "applications").string() + "/");
    EXPECT_EQ(desktop, (home / "Schreibtisch").string() + "/");
}
