#include "LanguageTexts.h"

#include "DefaultTexts.h"
#include "SettingsTestSupport.h"
#include "TempHome.h"
#include "VendorInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FileEntry {
    std::string section;
    std::string key;
    std::string text;
    bool operator==(const FileEntry&) const = default;
};

// The entries of a saved language file, in file order.
std::vector<FileEntry> ParseLanguageFile(const std::string& content) {
    std::vector<FileEntry> entries;
    std::istringstream lines(content);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        entries.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
    return entries;
}

// What a file saved right after the built-in texts must hold: sections in the order the English set
// creates them, keys in the order they are set, with the texts of the language.
std::vector<FileEntry> ExpectedEntries(bool chinese) {
    std::vector<std::string> sectionOrder;
    std::vector<FileEntry> all;
    for (auto table : {kMenuTexts, kDialogTexts, kMachineTexts}) {
        for (const DefaultText& entry : table) {
            const std::string section(entry.section);
            if (std::find(sectionOrder.begin(), sectionOrder.end(), section) == sectionOrder.end()) {
                sectionOrder.push_back(section);
            }
            all.push_back(
                {section, std::string(entry.key), std::string(chinese ? entry.chinese : entry.english)});
        }
    }
    std::vector<FileEntry> ordered;
    for (const std::string& section : sectionOrder) {
        for (const FileEntry& entry : all) {
            if (entry.section == section) {
                ordered.push_back(entry);
            }
        }
    }
    return ordered;
}

std::vector<std::string> SectionsOf(const std::vector<FileEntry>& entries) {
    std::vector<std::string> sections;
    for (const FileEntry& entry : entries) {
        if (sections.empty() || sections.back() != entry.section) {
            sections.push_back(entry.section);
        }
    }
    return sections;
}

class LanguageTextsTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ClearLangStore();
    }
    void TearDown() override {
        ClearLangStore();
        SettingsTest::TearDown();
    }
    std::filesystem::path File(std::string_view name) const { return cutrix::testing::TempHome() / name; }
};

}  // namespace

TEST_F(LanguageTextsTest, AFirstChineseStartWritesEveryEntryInTableOrder) {
    LanguageIndex = kLanguageSimplifiedChinese;
    SelectLanguage();
    const std::vector<FileEntry> saved = ParseLanguageFile(FileText(File("Lang_chs.ini")));
    EXPECT_EQ(saved.size(), 883u);
    EXPECT_TRUE(saved == ExpectedEntries(true));

    const std::vector<std::string> sections = SectionsOf(saved);
    ASSERT_EQ(sections.size(), 54u);
    EXPECT_EQ(sections.front(), "Menu");
    EXPECT_EQ(sections.back(), "OtherParaDlg");
    const auto at = [&](const char* name) { return std::find(sections.begin(), sections.end(), name); };
    EXPECT_EQ(at("DlgLayerPara") - at("WorkPlatDlg"), 1);
    EXPECT_EQ(at("BmpDlg") - at("DlgLayerPara"), 1);
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "通讯错误!");
}

TEST_F(LanguageTextsTest, EveryBuiltInTextSurvivesTheLanguageFileUnchanged) {
    for (std::uint16_t index : {kLanguageSimplifiedChinese, kLanguageEnglish}) {
        ClearLangStore();
        LanguageIndex = index;
        SelectLanguage();
        ClearLangStore();
        const std::filesystem::path file = File(LanguageFileName(index));
        ASSERT_EQ(LoadLangFile(file), 0);
        for (auto table : {kMenuTexts, kDialogTexts, kMachineTexts}) {
            for (const DefaultText& entry : table) {
                const std::string_view expected = index == kLanguageEnglish ? entry.english : entry.chinese;
                EXPECT_EQ(GetLangText(std::string(entry.section), std::string(entry.key)), expected)
                    << entry.section << "/" << entry.key;
            }
        }
    }
}

TEST_F(LanguageTextsTest, EachLanguageWritesItsOwnFile) {
    struct Case {
        std::uint16_t index;
        const char* file;
    };
    for (const Case& c : {Case{kLanguageTraditionalChinese, "Lang_cht.ini"},
                          Case{kLanguageEnglish, "Lang_eng.ini"}, Case{kLanguageOther, "Lang_other.ini"}}) {
        ClearLangStore();
        LanguageIndex = c.index;
        SelectLanguage();
        EXPECT_TRUE(ParseLanguageFile(FileText(File(c.file))) == ExpectedEntries(false)) << c.file;
        EXPECT_EQ(GetLangText("MsgInfo", "4"), "Communication Error!") << c.file;
    }
}

TEST_F(LanguageTextsTest, ASecondStartReadsTheFileWithoutRewritingIt) {
    LanguageIndex = kLanguageEnglish;
    SelectLanguage();
    std::string content = FileText(File("Lang_eng.ini"));
    const std::string original = "4=Communication Error!";
    content.replace(content.find(original), original.size(), "4=The link is down");
    WriteFile(File("Lang_eng.ini"), content);

    ClearLangStore();
    SelectLanguage();
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "The link is down");
    EXPECT_EQ(GetLangText("MsgInfo", "5"), "Connection Established");
    EXPECT_EQ(FileText(File("Lang_eng.ini")), content);
}

TEST_F(LanguageTextsTest, AKeyThatTheFileLacksShowsItsEnglishText) {
    WriteFile(File("Lang_chs.ini"), "[MsgInfo]\r\n4=通讯错误!\r\n");
    LanguageIndex = kLanguageSimplifiedChinese;
    SelectLanguage();
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "通讯错误!");
    EXPECT_EQ(GetLangText("MsgInfo", "5"), "Connection Established");
}

TEST_F(LanguageTextsTest, SwitchingToEnglishKeepsAKeyThatOnlyTheEarlierFileHad) {
    WriteFile(File("Lang_chs.ini"), "[MsgInfo]\r\n4=通讯错误!\r\nZ9=额外\r\n");
    LanguageIndex = kLanguageSimplifiedChinese;
    SelectLanguage();
    LanguageIndex = kLanguageEnglish;
    SelectLanguage();
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "Communication Error!");
    EXPECT_EQ(GetLangText("MsgInfo", "Z9"), "额外");
}

TEST_F(LanguageTextsTest, ALanguageFileThatExistsButCannotBeReadIsNotOverwritten) {
    std::filesystem::create_directory(File("Lang_chs.ini"));
    LanguageIndex = kLanguageSimplifiedChinese;
    SelectLanguage();
    EXPECT_TRUE(std::filesystem::is_directory(File("Lang_chs.ini")));
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "通讯错误!");
}

TEST_F(LanguageTextsTest, LookupsAreExactAndMissingOnesAreEmpty) {
    SetDefaultTextsEng();
    SetLangText("Extra", "a", "lower");
    SetLangText("Extra", "A", "upper");
    EXPECT_EQ(GetLangText("MsgInfo", "Z"), "");
    EXPECT_EQ(GetLangText("NoSuchSection", "1"), "");
    EXPECT_EQ(GetLangText("menu", "MU1"), "");
    EXPECT_EQ(GetLangText("Extra", "a"), "lower");
    EXPECT_EQ(GetLangText("Extra", "A"), "upper");
}

TEST_F(LanguageTextsTest, AnEmptyPathIsRefused) {
    EXPECT_EQ(LoadLangFile(""), 1);
    EXPECT_EQ(SaveLangFile(""), 1);
}

TEST_F(LanguageTextsTest, SelectingALanguageLoadsItsVendorInformation) {
    LanguageIndex = kLanguageEnglish;
    SelectLanguage();
    EXPECT_EQ(gVendorInfo.entries[0], "Corp. Name:");
    EXPECT_TRUE(std::filesystem::exists(File("Vendor/Info_En.txt")));
}
