#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PlugInExports.h"
#include "TempHome.h"

namespace fs = std::filesystem;

TEST(PlugInFolders, FolderHelpers) {
    const fs::path home = cutrix::testing::TempHome();
    std::ofstream(home / "file") << "x";
    EXPECT_EQ(IsFolderExist((home / "file").c_str()), 0) << "an existing file counts as well";
    EXPECT_EQ(IsFolderExist((home / "missing").c_str()), 1);
    EXPECT_EQ(IsFolderExist(nullptr), 1);

    EXPECT_EQ(CreateFolder((home / "a").c_str()), 0);
    EXPECT_EQ(CreateFolder((home / "b" / "c").c_str()), 0) << "failures are not reported";
    EXPECT_TRUE(fs::is_directory(home / "a"));
    EXPECT_FALSE(fs::exists(home / "b"));

    std::ofstream(home / "a" / "inside") << "x";
    EXPECT_EQ(RemoveFolder((home / "a").c_str()), 0);
    EXPECT_FALSE(fs::exists(home / "a"));
    EXPECT_EQ(RemoveFolder((home / "a").c_str()), 1);
}

TEST(PlugInFolders, PlugFolderIsMadeInTheUsersDataFolder) {
    const fs::path home = cutrix::testing::TempHome();
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    std::vector<char> buffer(260, 'x');
    ASSERT_EQ(GetPlugFolder(buffer.data(), buffer.size()), 0);
    const std::string expected = (home / "data" / "CutrixV6").string() + "/";
    EXPECT_STREQ(buffer.data(), expected.c_str());
    EXPECT_TRUE(fs::is_directory(expected));
}

TEST(PlugInFolders, PlugFolderRefusesABufferTooSmall) {
    const fs::path home = cutrix::testing::TempHome();
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    const std::size_t exact = (home / "data" / "CutrixV6").string().size() + 2;  // "/" and the zero

    std::vector<char> buffer(exact + 8, 'x');
    EXPECT_EQ(GetPlugFolder(buffer.data(), exact - 1), 1);
    EXPECT_STREQ(buffer.data(), "");
    EXPECT_EQ(buffer[exact - 1], 'x') << "nothing written past the capacity given";
    EXPECT_EQ(GetPlugFolder(buffer.data(), exact), 0);
    EXPECT_EQ(std::strlen(buffer.data()), exact - 1);
    EXPECT_EQ(GetPlugFolder(nullptr, 260), 1);
}

TEST(PlugInFolders, TemporaryFolderIsTheHandOverFolderAndResetEmptiesIt) {
    const fs::path handover = cutrix::testing::TempHome() / "ZintTemp";
    setenv("CUTRIX_HANDOVER", handover.c_str(), 1);
    EXPECT_EQ(ResetPlugTempFolder(), 0) << "a missing folder is just created";
    EXPECT_TRUE(fs::is_directory(handover));

    std::vector<char> buffer(260);
    ASSERT_EQ(GetPlugTempFolder(buffer.data(), buffer.size()), 0);
    EXPECT_EQ(std::string(buffer.data()), handover.string() + "/");
    char small[4];
    EXPECT_EQ(GetPlugTempFolder(small, sizeof small), 1);

    fs::create_directories(handover / "sub");
    std::ofstream(handover / "sub" / "dest.tmp") << "x";
    std::ofstream(handover / "zint.ai") << "x";
    EXPECT_EQ(ResetPlugTempFolder(), 0);
    EXPECT_TRUE(fs::is_directory(handover));
    EXPECT_TRUE(fs::is_empty(handover));
}
