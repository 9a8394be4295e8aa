#include "LoaderHolder.h"

#include "SettingsTestSupport.h"
#include "TempHome.h"

#include <gtest/gtest.h>

namespace {

class LoaderHolderTest : public ::testing::Test {
  protected:
    void SetUp() override { items.ClearItemStore(); }
    CLoaderHolder items;
};

}  // namespace

TEST_F(LoaderHolderTest, NumbersAreStoredAsTextWhateverTheLocale) {
    CommaLocale comma;
    items.SetItemDouble("Cut 3mm", "Cut_Speed", 2.5);
    items.SetItemInt("Cut 3mm", "COM_Color", -255);

    EXPECT_EQ(items.GetItemText("Cut 3mm", "Cut_Speed"), "2.500000");
    EXPECT_EQ(items.GetItemDouble("Cut 3mm", "Cut_Speed"), 2.5);
    EXPECT_EQ(items.GetItemInt("Cut 3mm", "Cut_Speed"), 2);
    EXPECT_EQ(items.GetItemText("Cut 3mm", "COM_Color"), "-255");
    EXPECT_EQ(items.GetItemInt("Cut 3mm", "COM_Color"), -255);
}

TEST_F(LoaderHolderTest, TextIsReadAsItsLeadingNumber) {
    struct Case {
        const char* text;
        double asDouble;
        std::int32_t asInt;
    };
    const Case cases[] = {
        {"12abc", 12.0, 12},
        {"abc", 0.0, 0},
        {"  -3.5e1x", -35.0, -3},
        {"+4.25", 4.25, 4},
        {"--5", 0.0, 0},
        {"", 0.0, 0},
        {"1,5", 1.0, 1},
        {"99999999999", 99999999999.0, 2147483647},
        {"-99999999999", -99999999999.0, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        items.SetItemText("S", "K", c.text);
        EXPECT_EQ(items.GetItemDouble("S", "K"), c.asDouble) << c.text;
        EXPECT_EQ(items.GetItemInt("S", "K"), c.asInt) << c.text;
    }
    EXPECT_EQ(items.GetItemText("S", "missing"), "");
    EXPECT_EQ(items.GetItemDouble("S", "missing"), 0.0);
    EXPECT_EQ(items.GetItemInt("missing", "K"), 0);
}

TEST_F(LoaderHolderTest, SectionsAreFoundAndAddedIgnoringCaseButDeletedAndReadExactly) {
    EXPECT_EQ(items.AddItemSection("Wood"), 0);
    items.SetItemText("Wood", "Note", "birch");
    EXPECT_EQ(items.AddItemSection("WOOD"), 2);
    EXPECT_EQ(items.AddItemSection(""), 1);
    EXPECT_EQ(items.FindItemSection("wood"), 1);
    EXPECT_EQ(items.FindItemSection(""), 0);
    EXPECT_EQ(items.GetItemText("wood", "Note"), "");
    EXPECT_EQ(items.DeleteItemSection("WOOD"), 0);
    EXPECT_EQ(items.GetItemText("Wood", "Note"), "birch");
    EXPECT_EQ(items.DeleteItemSection("Wood"), 0);
    EXPECT_EQ(items.FindItemSection("Wood"), 0);
}

TEST_F(LoaderHolderTest, TheSectionListOfAnEmptyStoreLeavesTheListAlone) {
    std::vector<std::string> sections = {"kept"};
    EXPECT_EQ(items.GetItemSectionList(&sections), 1);
    EXPECT_EQ(sections, (std::vector<std::string>{"kept"}));
    EXPECT_EQ(items.GetItemSectionList(nullptr), 1);

    items.AddItemSection("B");
    items.AddItemSection("A");
    EXPECT_EQ(items.GetItemSectionList(&sections), 0);
    EXPECT_EQ(sections, (std::vector<std::string>{"kept", "B", "A"}));
}

TEST_F(LoaderHolderTest, TheLibraryFileRoundTripsAndTheHolderEmptiesTheStoreWhenDestroyed) {
    const std::filesystem::path file = cutrix::testing::TempHome() / "Param.lib";
    items.SetItemDouble("Acrylic", "Cut_Speed", 15.0);
    items.SetItemText("Acrylic", "Note", "3 mm clear");
    EXPECT_EQ(items.SaveItemFile(file), 0);
    EXPECT_EQ(items.SaveItemFile(""), 1);

    {
        CLoaderHolder dialogMember;
        dialogMember.ClearItemStore();
        EXPECT_EQ(dialogMember.LoadItemFile(file), 0);
        EXPECT_EQ(dialogMember.GetItemDouble("Acrylic", "Cut_Speed"), 15.0);
        EXPECT_EQ(dialogMember.GetItemText("Acrylic", "Note"), "3 mm clear");
    }
    EXPECT_EQ(items.FindItemSection("Acrylic"), 0);
    EXPECT_EQ(items.LoadItemFile(cutrix::testing::TempHome() / "missing.lib"), 1);
    EXPECT_EQ(items.LoadItemFile(""), 1);
}
