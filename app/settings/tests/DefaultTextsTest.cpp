#include "DefaultTexts.h"

#include "LanguageTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

class DefaultTextsTest : public ::testing::Test {
  protected:
    void SetUp() override { ClearLangStore(); }
    void TearDown() override { ClearLangStore(); }
};

}  // namespace

TEST_F(DefaultTextsTest, TheTablesHoldEveryKeyOnceInBothLanguages) {
    EXPECT_EQ(kMenuTexts.size(), 207u);
    EXPECT_EQ(kDialogTexts.size(), 552u);
    EXPECT_EQ(kMachineTexts.size(), 138u);
    std::set<std::pair<std::string_view, std::string_view>> keys;
    std::set<std::string_view> sections;
    for (auto table : {kMenuTexts, kDialogTexts, kMachineTexts}) {
        for (const DefaultText& entry : table) {
            EXPECT_TRUE(keys.emplace(entry.section, entry.key).second) << entry.section << "/" << entry.key;
            sections.insert(entry.section);
            EXPECT_FALSE(entry.english.empty()) << entry.section << "/" << entry.key;
            EXPECT_FALSE(entry.chinese.empty()) << entry.section << "/" << entry.key;
        }
    }
    EXPECT_EQ(keys.size(), 897u);
    EXPECT_EQ(sections.size(), 57u);
}

TEST_F(DefaultTextsTest, TextsAreKeptExactlyAsWritten) {
    SetDefaultTextsEng();
    EXPECT_EQ(GetLangText("Menu", "Ver"), " ");
    EXPECT_EQ(GetLangText("Menu", "MU11"), "New...\tCtrl+N");
    EXPECT_EQ(GetLangText("MenuPrompt", "MU11"), "Create a new document\\New");
    EXPECT_EQ(GetLangText("MenuPrompt", "MU2S"), "Transform the selected segment to curve\\ to line");
    EXPECT_EQ(GetLangText("MenuPrompt", "Welcome").find('\\'), std::string::npos);
    EXPECT_EQ(GetLangText("DlgSystemInfo", "a"), "Vendor password:");
    EXPECT_EQ(GetLangText("DlgSystemInfo", "A"), "");
    EXPECT_EQ(GetLangText("MsgInfo", "E"), "Software is not match the mainboard!");
    EXPECT_EQ(GetLangText("DlgMachine", "29"), "Motor");
    EXPECT_EQ(GetLangText("DocMsg", "2"), "File be modified,save or not?");
    EXPECT_EQ(GetLangText("DialogKit", "1"), "Please enter a number.");

    SetDefaultTextsChs();
    EXPECT_EQ(GetLangText("Menu", "Ver"), " ");
    EXPECT_EQ(GetLangText("Menu", "MU11"), "新建...\tCtrl+N");
    EXPECT_EQ(GetLangText("OtherDlg", "7"), "选择位置坐标基准 ");
    EXPECT_EQ(GetLangText("CadMgr", "A"), "阵列");
    EXPECT_EQ(GetLangText("Menu", "MU72"), "语言/Language");
    EXPECT_EQ(GetLangText("Menu", "MU75"), "English");
}
