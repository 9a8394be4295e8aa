#include "VerCfgFile.h"

#include "SettingsTestSupport.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

std::vector<std::uint8_t> Words(std::initializer_list<std::uint16_t> words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

class VerCfgFileTest : public SettingsTest {
  protected:
    std::filesystem::path File() const { return cutrix::testing::TempHome() / "VerCFG"; }
};

}  // namespace

TEST_F(VerCfgFileTest, ReadsTheFlagsOrRecreatesTheFile) {
    struct Case {
        const char* name;
        std::optional<std::vector<std::uint8_t>> content;  // nothing: no file
        std::uint16_t flagA;
        std::uint16_t penMode;
        std::vector<std::uint8_t> fileAfter;
    };
    const std::vector<std::uint8_t> recreated = Words({320, 0, 0});
    const Case cases[] = {
        {"missing", std::nullopt, 0, 0, recreated},
        {"first word unchecked", Words({999, 1, 0}), 1, 0, Words({999, 1, 0})},
        {"pen mode on", Words({320, 0, 1}), 0, 1, Words({320, 0, 1})},
        {"second word not a flag", Words({320, 2, 0}), 0, 0, recreated},
        {"third word not a flag", Words({320, 1, 7}), 0, 0, recreated},
        {"shorter than three words", Words({320, 1}), 0, 0, recreated},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(File());
        if (c.content) {
            WriteFile(File(), *c.content);
        }
        VerFlagA = 1;
        PenModeFlag = 1;
        LoadVerCfg(cutrix::testing::TempHome());
        EXPECT_EQ(VerFlagA, c.flagA) << c.name;
        EXPECT_EQ(PenModeFlag, c.penMode) << c.name;
        EXPECT_EQ(FileBytes(File()), c.fileAfter) << c.name;
    }
}

TEST_F(VerCfgFileTest, AnExistingFileThatCannotBeReadIsLeftAlone) {
    std::filesystem::create_directory(File());
    VerFlagA = 1;
    PenModeFlag = 1;
    LoadVerCfg(cutrix::testing::TempHome());
    EXPECT_TRUE(std::filesystem::is_directory(File()));
    EXPECT_EQ(VerFlagA, 1);
    EXPECT_EQ(PenModeFlag, 1);
}
