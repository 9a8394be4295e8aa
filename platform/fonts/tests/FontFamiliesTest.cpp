// ListFontFamilies over the tests' own font configuration.
#include "FontFamilies.h"

#include <gtest/gtest.h>

#include "FontFace.h"
#include "TestFontConfig.h"

namespace platform {
namespace {

class FontFamiliesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing::UseTestFontConfig(); }
};

TEST_F(FontFamiliesTest, ListsEachConfiguredFamilyOnceSortedAndFlagsTrueTypeAndOpenType) {
    const std::vector<FontFamily> families = ListFontFamilies();
    ASSERT_EQ(families.size(), 3u);
    EXPECT_EQ(families[0].name, "Cantarell");
    EXPECT_EQ(families[1].name, "DejaVu Sans");
    EXPECT_EQ(families[2].name, "DejaVu Serif");
    for (const FontFamily& family : families) {
        EXPECT_TRUE(family.trueType) << family.name;
    }
}

TEST_F(FontFamiliesTest, EveryListedNameOpensAFaceOfThatFamily) {
    for (const FontFamily& family : ListFontFamilies()) {
        const std::unique_ptr<FontFace> face = FontFace::OpenFamily(family.name);
        ASSERT_NE(face, nullptr) << family.name;
        EXPECT_EQ(face->FamilyName(), family.name);
    }
}

}  // namespace
}  // namespace platform
