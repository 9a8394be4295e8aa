#include "VendorInfo.h"

#include "SettingsTestSupport.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace {

constexpr int kEnglish = 2;

class VendorInfoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(cutrix::testing::TempHome() / "Vendor");
        info.SetProgramFolder(cutrix::testing::TempHome());
    }
    std::filesystem::path EnglishFile() const {
        return cutrix::testing::TempHome() / "Vendor" / "Info_En.txt";
    }

    VendorInfo info;
};

}  // namespace

TEST_F(VendorInfoTest, AMissingFileGetsTheDefaultsOfItsLanguageWrittenToIt) {
    info.Load(kEnglish);
    EXPECT_EQ(info.entries[0], "Corp. Name:");
    EXPECT_EQ(info.entries[VendorInfo::kSoftwareTitle], "");
    EXPECT_EQ(FileText(EnglishFile()),
              "0=Corp. Name:\r\n1=.......\r\n2=Tel:\r\n3=.......\r\n4=Fax:\r\n5=......\r\n6=Addr:\r\n"
              "7=......\r\n8=Web:\r\n9=......\r\n10=soft title:\r\n11=\r\n");

    info.Load(3);
    EXPECT_EQ(info.entries[2], "Tel:");
    EXPECT_TRUE(std::filesystem::exists(cutrix::testing::TempHome() / "Vendor" / "Info_Other.txt"));

    info.Load(0);
    EXPECT_EQ(info.entries[0], "公司名称:");
    EXPECT_EQ(FileText(cutrix::testing::TempHome() / "Vendor" / "Info_SChe.txt").substr(0, 17),
              "0=公司名称:\r\n");

    info.Load(1);
    EXPECT_EQ(info.entries[2], "電話:");
    EXPECT_EQ(info.entries[7], "");
}

TEST_F(VendorInfoTest, LinesAreReadByTheirKeys) {
    struct Case {
        const char* name;
        const char* content;
        int key;
        const char* entry;
    };
    const Case cases[] = {
        {"split at the last equals sign", "3=a=b\r\n", 3, "b"},
        {"a key without digits counts as 0", "Tel=123\r\n", 0, "123"},
        {"a last line without CR LF", "1=x\r\n5=y", 5, "y"},
        {"lines in any order", "9=nine\r\n2=two\r\n", 2, "two"},
        {"a key named twice takes the last line", "4=first\r\n4=second\r\n", 4, "second"},
        {"an empty text", "6=\r\n", 6, ""},
        {"LF alone ends a line", "8=eight\n9=nine\n", 8, "eight"},
    };
    for (const Case& c : cases) {
        info.ApplyDefaults(kEnglish);
        WriteFile(EnglishFile(), c.content);
        info.Load(kEnglish);
        EXPECT_EQ(info.entries[c.key], c.entry) << c.name;
        EXPECT_EQ(FileText(EnglishFile()), c.content) << c.name;
    }
}

TEST_F(VendorInfoTest, OneBadLineNoLongerThrowsAwayTheGoodOnes) {
    const std::string content = "11=Laser Pro\r\n\r\n12=x\r\nno equals sign\r\n-1=y\r\n3=555-0100\r\n99=z";
    WriteFile(EnglishFile(), content);
    info.entries.fill("before");
    info.Load(kEnglish);
    EXPECT_EQ(info.entries[VendorInfo::kSoftwareTitle], "Laser Pro");
    EXPECT_EQ(info.entries[3], "555-0100");
    EXPECT_EQ(info.entries[0], "before");
    EXPECT_EQ(FileText(EnglishFile()), content);
}

TEST_F(VendorInfoTest, AnEmptyFileChangesNothingAndIsNotRewritten) {
    WriteFile(EnglishFile(), "");
    info.entries.fill("");
    info.Load(kEnglish);
    for (const std::string& entry : info.entries) {
        EXPECT_EQ(entry, "");
    }
    EXPECT_EQ(FileText(EnglishFile()), "");
}

TEST_F(VendorInfoTest, AFileThatExistsButCannotBeReadIsNotOverwritten) {
    std::filesystem::create_directory(EnglishFile());
    info.Load(kEnglish);
    EXPECT_EQ(info.entries[0], "Corp. Name:");
    EXPECT_TRUE(std::filesystem::is_directory(EnglishFile()));
}

TEST_F(VendorInfoTest, WithoutAProgramFolderTheDefaultsAreUsedAndNothingIsWritten) {
    info.SetProgramFolder({});
    info.Load(kEnglish);
    EXPECT_EQ(info.entries[4], "Fax:");
    EXPECT_FALSE(std::filesystem::exists(EnglishFile()));
}
