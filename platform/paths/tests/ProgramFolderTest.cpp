#include "ProgramFolder.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

using cutrix::testing::TempHome;

namespace {

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream stream(file);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// Points $CUTRIX_RESOURCES at a fresh folder for one test.
class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resources_ = TempHome() / "shipped";
        setenv("CUTRIX_RESOURCES", resources_.c_str(), 1);
        home_ = TempHome() / "home";
        setenv("CUTRIX_HOME", home_.c_str(), 1);
    }
    void TearDown() override { unsetenv("CUTRIX_RESOURCES"); }

    std::filesystem::path resources_;
    std::filesystem::path home_;
};

}  // namespace

TEST_F(ProgramFolderTest, IsCreatedWithItsSubfoldersAndSeededOnFirstUse) {
    WriteText(resources_ / "Lang_eng.ini", "[Main]\r\n");
    WriteText(resources_ / "Vendor" / "Info_En.txt", "vendor");
    EXPECT_EQ(platform::ProgramFolder(), home_);
    EXPECT_TRUE(std::filesystem::is_directory(home_ / "temp"));
    EXPECT_EQ(ReadText(home_ / "Lang_eng.ini"), "[Main]\r\n");
    EXPECT_EQ(ReadText(home_ / "Vendor" / "Info_En.txt"), "vendor");
}

TEST_F(ProgramFolderTest, SeedingNeverReplacesTheUsersFiles) {
    WriteText(resources_ / "config", "shipped");
    WriteText(home_ / "config", "edited by the user");
    EXPECT_EQ(platform::ProgramFile("config"), home_ / "config");
    EXPECT_EQ(ReadText(home_ / "config"), "edited by the user");
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeCreatedGivesNothing) {
    WriteText(TempHome() / "a-file", "x");
    setenv("CUTRIX_HOME", (TempHome() / "a-file" / "below").c_str(), 1);
    EXPECT_TRUE(platform::ProgramFolder().empty());
    EXPECT_TRUE(platform::ProgramFile("config").empty());
}

TEST(HandoverFolder, FollowsTheEnvironmentAndIsCreated) {
    const auto folder = TempHome() / "handover";
    setenv("CUTRIX_HANDOVER", folder.c_str(), 1);
    EXPECT_EQ(platform::HandoverFolder(), folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    unsetenv("CUTRIX_HANDOVER");
}
