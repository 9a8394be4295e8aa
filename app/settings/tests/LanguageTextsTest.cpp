#include "LanguageTexts.h"

#include "DefaultTexts.h"
#include "SettingsTestSupport.h"
#include "TempHome.h"
#include "VendorInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
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

// Every section in the order in which the English set creates it, with its keys in the order in which
// they are set: the order that every language file saved from the built-in texts keeps. "x-y" stands for
// every key from x to y, counted in base 36 (lower-case keys by letter).
struct FixedSection {
    const char* section;
    const char* keys;
};
constexpr FixedSection kFixedOrder[] = {
    {"Menu",
     "Ver MU1 MU11 MU12 MU13 MU14 MU15 MU16 MU19 MU18 MU17 MU2 MU21 MU22 MU23 MU24 MU25 MU27 "
     "MU28 MU29 MU2E MU2F MU2G MU2H MU2I MU2A MU2B MU2C MU26 MU2J MU2K MU2L MU2D MU2M MU2N "
     "MU2O MU2P MU2Q MU2R MU2S MU2T MU2U MU3 MU31 MU32 MU33 MU36 MU37 MU34 MU38 MU39 MU35 MU3A "
     "MENUDRAWSIZE MU3B MU3C MU3D MU3E MU3F MU3G MU3H MU3I MU3J MU3K MU3L MU3M MU3N MU3O MU3P "
     "MU3Q MU3R MU3S MU3T MU3U MU3V MU4 MU41 MU42 MU43 MU45 MU46 MU5 MU53 MU52 MU54 MU51 MU55 "
     "MU56 MU57 MU58 MU59 MU6 MU61 MU63 MU64 MU65 MU66 MU67 MU62 MU68 MU7 MU71 MU72 MU73 MU74 "
     "MU75 MU76"},
    {"MenuPrompt",
     "MU11 MU12 MU13 MU14 MU15 MU16 MU19 MU18 MU17 MU21 MU22 MU23 MU24 MU25 MU27 MU28 MU29 "
     "MU2E MU2F MU2H MU2I MU2G MU2A MU2B MU2C MU26 MU2J MU2K MU2L MU2D MU2M MU2N MU2O MU2P "
     "MU2Q MU2R MU2S MU2T MU2U MU31 MU32 MU33 MU36 MU37 MU34 MU38 MU39 MU35 MU3A MENUDRAWSIZE "
     "MU3B MU3C MU3D MU3E MU3F MU3G MU3H MU3I MU3J MU3K MU3L MU3M MU3N MU3O MU3P MU3Q MU3R "
     "MU3S MU3T MU3U MU3V MU41 MU42 MU43 MU45 MU46 MU53 MU52 MU54 MU51 MU55 MU56 MU57 MU58 "
     "MU59 MU61 MU63 MU64 MU65 MU66 MU67 MU62 MU68 MU71 MU72 MU73 MU74 MU75 MU76 Welcome"},
    {"MainDlg", "1, 8, 2-6"},
    {"DlgLaserOpt", "1-4, L, M, 5-9, A, B, J, C-I, K, N, O"},
    {"DlgGeneral", "1-3, 7, 8, 4-6, 9, A-I"},
    {"DlgFileMgr", "1-7, A, 8, 9, B-K"},
    {"DlgSystemInfo", "1-9, a-c"},
    {"FileParaDlg", "1-6, G, 7-9, A-F"},
    {"ItemCommon", "1-3"},
    {"ScaleSetting", "1-4"},
    {"MsgInfo", "1-9, A-E"},
    {"OtherDlg", "1-7"},
    {"MatrixCopyDlg", "1-9, A-H"},
    {"PageDlg", "1-9, A-E"},
    {"TextDlg", "1-4"},
    {"WorkPlatDlg", "1-9, A-P, W-Z, V, Q, 10-17, 19, 1A-1C"},
    {"DlgLayerPara",
     "O, 1-9, A-G, 1W-1Y, I-N, R, H, 1V, P, Q, S-Z, 1U, 1Z, 10-16, 19, 1A-1P, 20, 1Q-1T, 21-24"},
    {"BmpDlg", "1-6, 8, 9, A, B, 7, C-N, U, O-T, V-Y"},
    {"CutInDlg", "1, 2, 8, 3, 9, A, 4, E-J, 5, B, 6, C, D, 7, K-P"},
    {"SmoothDlg", "1-5"},
    {"NameDocDlg", "1-3"},
    {"OptimDlg", "1-9, A-G"},
    {"CombineErrDlg", "1, 2"},
    {"CloseCurveDlg", "1-3"},
    {"DlgSetOrder", "1-6"},
    {"DockPlat", "1-6"},
    {"TransMirror", "1-7"},
    {"TransMove", "1-6"},
    {"TransRotate", "1-9"},
    {"TransSize", "1-6"},
    {"TransSkew", "1-7"},
    {"VenTool", "1-4"},
    {"ClearInfoDlg", "1, 3, 8, 4, 2, 7, 5, 6, 9, A-C"},
    {"CutExDlg", "1-6"},
    {"OffsetDlg", "1-6"},
    {"Logo", "1-4"},
    {"OverLapDlg", "1-3"},
    {"ParamLib", "1-8"},
    {"DataCheckDlg", "1-9, A-E"},
    {"DataCheck", "1-9, A-K"},
    {"MatrixDlg", "1-6"},
    {"ComSelDlg", "1-9"},
    {"HatchDlg", "1, 2"},
    {"SmoothTypeDlg", "1-7"},
    {"DownFileDlg", "1, 2"},
    {"ProcessCtrlDlg", "1"},
    {"Prompt", "2, 3, LeftOut, Damaged, NothingToExport"},
    {"WaitText", "Process, Download, Upload, Search"},
    {"ParaLib", "1"},
    {"CadMgr", "1-9, A-D"},
    {"UserCutDlg", "1-7"},
    {"DocMsg", "1-4"},
    {"DialogKit", "1-2"},
    {"DlgMachine",
     "1-9, A-D, 4A, E-G, 50-54, H-Q, 1B, 1C, 1F, 1D, 1E, 1I, 1G, 1H, 1L, 1J, 1K, 1O, 1M, 1N, "
     "1P, 1T, 1Q-1S, 1U-1Y, 21, 1Z, 20, 4B, 22-28, 48, 49, 4C-4F, 29, 30, 31, 44-46"},
    {"AxisParaDlg", "1, E, F, 2, I, J, 6, G, H, 3, 4, 8, A, 5, 7, 9, B, D, K-N, C"},
    {"LaserParaDlg", "1-9, A-G"},
    {"OtherParaDlg", "1-9, A-K"},
};

constexpr std::string_view kBase36Digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string NextKey(std::string key) {
    if (std::islower(static_cast<unsigned char>(key.back()))) {
        ++key.back();
        return key;
    }
    for (std::size_t at = key.size(); at-- > 0;) {
        const std::size_t digit = kBase36Digits.find(key[at]);
        if (digit + 1 < kBase36Digits.size()) {
            key[at] = kBase36Digits[digit + 1];
            return key;
        }
        key[at] = '0';
    }
    return "1" + key;
}

std::vector<std::string> ExpandKeys(std::string_view compact) {
    std::vector<std::string> keys;
    std::istringstream tokens{std::string(compact)};
    std::string token;
    while (tokens >> token) {
        if (token.ends_with(',')) {
            token.pop_back();
        }
        const std::size_t dash = token.find('-');
        if (dash == std::string::npos) {
            keys.push_back(token);
            continue;
        }
        const std::string last = token.substr(dash + 1);
        for (std::string key = token.substr(0, dash); keys.size() < 1000; key = NextKey(key)) {
            keys.push_back(key);
            if (key == last) {
                break;
            }
        }
    }
    return keys;
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
    EXPECT_EQ(saved.size(), 897u);
    EXPECT_TRUE(saved == ExpectedEntries(true));

    const std::vector<std::string> sections = SectionsOf(saved);
    ASSERT_EQ(sections.size(), 57u);
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

TEST_F(LanguageTextsTest, AFirstStartWritesEverySectionAndKeyInTheirFixedOrder) {
    std::vector<FileEntry> expected;
    for (const FixedSection& section : kFixedOrder) {
        for (const std::string& key : ExpandKeys(section.keys)) {
            expected.push_back({section.section, key, ""});
        }
    }
    ASSERT_EQ(expected.size(), 897u);

    for (std::uint16_t index : {kLanguageSimplifiedChinese, kLanguageEnglish}) {
        ClearLangStore();
        LanguageIndex = index;
        SelectLanguage();
        std::vector<FileEntry> saved = ParseLanguageFile(FileText(File(LanguageFileName(index))));
        for (FileEntry& entry : saved) {
            entry.text.clear();
        }
        EXPECT_TRUE(saved == expected) << LanguageFileName(index);
    }
}
