// The text tool's placement: glyphs of the engine in the colour of new elements, at the click, as the
// only selection and one change of the drawing; a text without glyphs adds nothing.
#include "PlaceNewText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "CadCurve.h"
#include "CadMgrFixture.h"
#include "CadText.h"
#include "Letterforge.h"
#include "TestFontConfig.h"

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;

class PlaceNewTextTest : public CadMgrFixture {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }

    static CTextParam Letters(const std::string& text) {
        CTextParam params;
        params.trueTypeFont = "DejaVu Sans";
        params.text = text;
        params.height = 12.0;
        return params;
    }

    int ModifiedNotices() const {
        const std::vector<std::uint32_t> posted = PostedMessages();
        return static_cast<int>(std::count(posted.begin(), posted.end(), kDrawingModifiedMessage));
    }
};

TEST_F(PlaceNewTextTest, TextLandsWithItsLeftBottomAtTheClickAsTheOnlySelection) {
    manager->drawColor = kBlue;
    manager->toolMode = CCadMgr::kTextTool;
    AddSquare(0, 0, 5);
    ASSERT_TRUE(PlaceNewText(*manager, Letters("Ag"), {120.5, 80.25}));
    ASSERT_EQ(Elements().size(), 2u);
    ASSERT_EQ(Selected().size(), 1u);
    auto* text = dynamic_cast<CCadText*>(Selected()[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->rect.x1, 120.5, 1e-9);
    EXPECT_NEAR(text->rect.y1, 80.25, 1e-9);
    EXPECT_EQ(text->textParam.text, "Ag");
    EXPECT_EQ(text->color, kBlue);
    CDbList<CFileCurve*> glyphs;
    _text_create(nullptr, "Ag", 0, "DejaVu Sans", 12.0, 0.0, 0.0, 0.5, &glyphs);
    EXPECT_EQ(text->children.GetCount(), glyphs.GetCount());
    for (auto* node = glyphs.head->next; node != glyphs.head; node = node->next) {
        delete node->value;
    }
    for (auto* node = text->children.head->next; node != text->children.head; node = node->next) {
        EXPECT_EQ(node->value->color, kBlue);
    }
    EXPECT_EQ(ModifiedNotices(), 1);
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
}

TEST_F(PlaceNewTextTest, SpacesOnlyAddNothingAndReturnToTheSelectTool) {
    manager->toolMode = CCadMgr::kTextTool;
    EXPECT_FALSE(PlaceNewText(*manager, Letters("   "), {10, 10}));
    EXPECT_TRUE(Elements().empty());
    EXPECT_EQ(ModifiedNotices(), 0);
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
}

}  // namespace
