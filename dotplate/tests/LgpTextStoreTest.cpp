#include "LgpTextStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ProgramFolder.h"

namespace dotplate {
namespace {

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path FreshFolder(const char* name) {
    const auto folder = platform::ProgramFolder() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

TEST(LgpTextStoreTest, TheLanguageIndexChoosesTheFileAndAMissingOneIsWrittenFromTheTable) {
    struct Case {
        std::uint16_t index;
        const char* file;
        const char* caption;
    } cases[] = {
        {0, "LGP_chs.ini", "导光板设计及加工系统"}, {1, "LGP_cht.ini", "LGP CAD&CAM System"},
        {2, "LGP_eng.ini", "LGP CAD&CAM System"},   {3, "LGP_other.ini", "LGP CAD&CAM System"},
        {7, "LGP_chs.ini", "导光板设计及加工系统"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const auto folder = FreshFolder("language");
        CLgpTextStore store;
        LoadLanguage(store, folder, c.index);
        EXPECT_EQ(store.GetText("Main", "1"), c.caption);
        ASSERT_TRUE(std::filesystem::exists(folder / c.file));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

        CLgpTextStore reread;
        ASSERT_EQ(reread.LoadIni(folder / c.file), 0);
        EXPECT_EQ(reread.GetText("Main", "1"), c.caption);
        EXPECT_EQ(reread.GetText("ComDlg", "7"), store.GetText("ComDlg", "7"));
    }
}

TEST(LgpTextStoreTest, BothTablesHoldTheSamePairsAndTheirOwnScanOrder) {
    const auto folder = FreshFolder("tables");
    CLgpTextStore english, chinese;
    english.LoadDefaultEng();
    chinese.LoadDefaultChs();
    english.SaveIni(folder / "eng.ini");
    chinese.SaveIni(folder / "chs.ini");
    const std::string englishText = FileText(folder / "eng.ini");
    const std::string chineseText = FileText(folder / "chs.ini");
    auto keyLines = [](const std::string& text) {
        std::multiset<std::string> keys;
        std::string section;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("[")) {
                section = line;
            } else if (auto equals = line.find('='); equals != std::string::npos) {
                keys.insert(section + line.substr(0, equals));
            }
        }
        return keys;
    };
    EXPECT_EQ(keyLines(englishText).size(), 158u);
    EXPECT_EQ(keyLines(englishText), keyLines(chineseText));
    EXPECT_NE(englishText.find("7=X_unilaterlism\r\n8=X_swing\r\n9=Y_unilaterlism\r\nA=Y_swing\r\n"), std::string::npos);
    EXPECT_NE(chineseText.find("7=水平双向\r\n8=水平单向\r\n9=垂直双向\r\nA=垂直单向\r\n"), std::string::npos);
    EXPECT_LT(chineseText.find("[ScaleSetting]"), chineseText.find("[ItemCommon]"));
    EXPECT_GT(englishText.find("[ScaleSetting]"), englishText.find("[ItemCommon]"));
    EXPECT_EQ(chinese.GetText("NameDocDlg", "1"), "文档名为最长8位数字或英文字母");
}

TEST(LgpTextStoreTest, AnExistingFileIsUsedAsItIsWithoutCompletion) {
    const auto folder = FreshFolder("partial");
    std::ofstream(folder / "LGP_eng.ini", std::ios::binary) << "[Main]\r\n1=My caption\r\n";
    CLgpTextStore store;
    store.SetText("left over", "4", "MsgInfo");
    LoadLanguage(store, folder, 2);
    EXPECT_EQ(store.GetText("Main", "1"), "My caption");
    EXPECT_EQ(store.GetText("MsgInfo", "4"), "");
    EXPECT_EQ(store.GetText("main", "1"), "");  // names compare exactly
    EXPECT_EQ(FileText(folder / "LGP_eng.ini"), "[Main]\r\n1=My caption\r\n");
}

TEST(LgpTextStoreTest, AKeyMissingFromAnOlderFileHasTheBuiltInTextOfItsLanguage) {
    struct Case {
        std::uint16_t languageIndex;
        const char* text;
    };
    for (const Case& c : {Case{0, "缺少导光板数据!"}, Case{1, "Lack LGP data!"}, Case{2, "Lack LGP data!"},
                          Case{7, "缺少导光板数据!"}}) {
        EXPECT_EQ(BuiltInText(c.languageIndex, "MsgInfo", "Q"), c.text) << c.languageIndex;
    }
    EXPECT_EQ(BuiltInText(2, "MsgInfo", "no such key"), "");
}

TEST(LgpTextStoreTest, AnUnwritableFolderStillGivesTheBuiltInTexts) {
    CLgpTextStore store;
    LoadLanguage(store, platform::ProgramFolder() / "no such folder", 1);
    EXPECT_EQ(store.GetText("Process", "F"), "Preview");
    EXPECT_FALSE(std::filesystem::exists(platform::ProgramFolder() / "no such folder"));

    CLgpTextStore untouched;
    untouched.SetText("kept", "1", "Main");
    EXPECT_EQ(untouched.LoadIni(platform::ProgramFolder() / "missing.ini"), 1);
    EXPECT_EQ(untouched.GetText("Main", "1"), "kept");
    LoadLanguage(untouched, {}, 2);
    EXPECT_EQ(untouched.GetText("Main", "1"), "kept");
}

}  // namespace
}  // namespace dotplate
