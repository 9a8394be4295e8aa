#include "MenuItems.h"
#include "MenuTemplate.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string TranslateMenuKey(std::string_view key) {
    if (key == "MU_FILE_OPEN") return "&Open...\tCtrl+O";
    return "?";
}

std::vector<MenuTemplateItem> FileMenu() {
    MenuTemplateItem open{0, 0xE101, "&Open...\tCtrl+O", {}};
    MenuTemplateItem separator{0, 0, "", {}};
    MenuTemplateItem exit{0, 0xE141, "E&xit", {}};
    MenuTemplateItem file{kMenuPopup, 0, "&File", {open, separator, exit}};
    MenuTemplateItem help{0, 0xE140, "&Help", {}};
    return {file, help};
}

}  // namespace

TEST(MenuItems, LanguageKeysAreLookedUpAndOtherTextsKept) {
    struct Case {
        const char* text;
        const char* label;
        const char* shortcut;
    };
    const Case cases[] = {{"MU_FILE_OPEN", "&Open...", "Ctrl+O"},
                          {"&Save\tCtrl+S", "&Save", "Ctrl+S"},
                          {"Mute", "Mute", ""},
                          {"", "", ""},
                          {"A\tB\tC", "A", "B\tC"}};
    for (const Case& c : cases) {
        const MenuItemText text = SplitMenuItemText(c.text, TranslateMenuKey);
        EXPECT_EQ(text.label, c.label) << c.text;
        EXPECT_EQ(text.shortcut, c.shortcut) << c.text;
    }
}

TEST(MenuItems, MnemonicsFollowTheAmpersandRules) {
    const std::vector<std::string> labels{"Save &As", "Fish && Chips", "Trailing&", "&Bold", "&&x"};
    struct Case {
        char32_t character;
        std::uint32_t answer;
    };
    const Case cases[] = {{'a', 0x20000}, {'A', 0x20000}, {'b', 0x20003}, {'c', 0}, {'x', 0}, {'q', 0}, {'&', 0}};
    for (const Case& c : cases) EXPECT_EQ(MenuCharAnswer(labels, c.character), c.answer) << static_cast<char>(c.character);
    EXPECT_EQ(LabelWithoutMnemonic("Save &As"), "Save As");
}

TEST(MenuItems, ItemDataPacksAndMeasures) {
    const std::uint32_t popup = PackMenuItemData(MenuXPItemHeight(14), 40, 300);
    EXPECT_EQ(popup & 0xFF, 20u);
    EXPECT_EQ(MeasureMenuXPItem(popup), (platform::Size{300 + 40 + 78, 20}));
    EXPECT_EQ(MeasureMenuXPItem(PackMenuItemData(0, 0, 50)), (platform::Size{93, 0}));
    EXPECT_EQ(MenuXPItemHeight(8), 20);
    // Only the low 8 bits of the shortcut width fit.
    EXPECT_EQ((PackMenuItemData(20, 0x1FF, 1) >> 8) & 0xFF, 0xFFu);
}

TEST(MenuItems, GlyphMenuShortcutAndMeasures) {
    const std::vector<std::string> texts{"&Copy", "Paste &Special", "Delete"};
    EXPECT_EQ(GlyphMenuFindShortcut(texts, 'S'), 0x20001u);
    EXPECT_EQ(GlyphMenuFindShortcut(texts, 'c'), 0x20000u);
    EXPECT_EQ(GlyphMenuFindShortcut(texts, 'd'), 0u);
    GlyphMenuMetrics classic;
    EXPECT_EQ(MeasureGlyphItem(classic, 60), (platform::Size{93, 19}));
    EXPECT_EQ(MeasureGlyphSeparator(classic), (platform::Size{0, 9}));
    GlyphMenuMetrics xp;
    xp.xpLook = true;
    EXPECT_EQ(MeasureGlyphItem(xp, 60), (platform::Size{91, 22}));
    EXPECT_EQ(WindowsClass(), 1);
    EXPECT_FALSE(IsClassicTheme());
    EXPECT_EQ(LightenColor(platform::Rgb(0, 100, 255), 0.5), platform::Rgb(127, 177, 255));
    EXPECT_EQ(LightenColor(platform::Rgb(0, 100, 255), 1.5), platform::Rgb(0, 100, 255));
}

TEST(MenuTemplate, TemplateReadsBackWithNestingAndTexts) {
    const std::vector<std::uint8_t> bytes = EncodeMenuTemplate(FileMenu());
    const auto parsed = ParseMenuTemplate(bytes);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_TRUE((*parsed)[0].IsPopup());
    EXPECT_EQ((*parsed)[0].text, "&File");
    ASSERT_EQ((*parsed)[0].children.size(), 3u);
    EXPECT_EQ((*parsed)[0].children[0].commandId, 0xE101);
    EXPECT_TRUE((*parsed)[0].children[1].IsSeparator());
    EXPECT_EQ((*parsed)[1].commandId, 0xE140);
}

TEST(MenuTemplate, EveryTruncationAndRunawayNestingIsRefused) {
    const std::vector<std::uint8_t> bytes = EncodeMenuTemplate(FileMenu());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(ParseMenuTemplate(std::span(bytes).first(length))) << length;
    }
    // Pop-up after pop-up with no end: refused at the depth limit, not by running out of stack.
    std::vector<std::uint8_t> nested{0, 0, 0, 0};
    for (int level = 0; level < 10000; ++level) {
        nested.insert(nested.end(), {kMenuPopup, 0, 'P', 0, 0, 0});
    }
    EXPECT_FALSE(ParseMenuTemplate(nested));
    // A header size past the end.
    EXPECT_FALSE(ParseMenuTemplate(std::vector<std::uint8_t>{0, 0, 0xFF, 0xFF, 0, 0}));
}

TEST(MenuTemplate, Utf16TextsBecomeUtf8) {
    // "宋" (U+5B8B) and an unpaired surrogate.
    const std::vector<std::uint8_t> bytes{0, 0, 0, 0, kMenuEnd, 0, 1, 0, 0x8B, 0x5B, 0x00, 0xD8, 0, 0};
    const auto parsed = ParseMenuTemplate(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)[0].text, "\xE5\xAE\x8B\xEF\xBF\xBD");

    // Texts beyond the basic plane travel as surrogate pairs and read back the same.
    const std::string wide = "\xE5\xAE\x8B\xE4\xBD\x93 \xF0\x9F\x94\xA5 \xC3\xA9";
    const auto roundTrip = ParseMenuTemplate(EncodeMenuTemplate({MenuTemplateItem{0, 7, wide, {}}}));
    ASSERT_TRUE(roundTrip);
    EXPECT_EQ((*roundTrip)[0].text, wide);
}
