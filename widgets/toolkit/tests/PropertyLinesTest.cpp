#include "PropertyLines.h"

#include <gtest/gtest.h>

using platform::Rect;

TEST(PropertyLines, OptionsAreTheTextsThatABarEnds) {
    struct Case {
        const char* options;
        std::vector<std::string> choices;
    };
    const Case cases[] = {
        {"Yes|No|", {"Yes", "No"}}, {"Yes|No", {"Yes"}}, {"", {}}, {"|", {""}}, {"Only", {}}, {"a||b|", {"a", "", "b"}}};
    for (const Case& c : cases) EXPECT_EQ(SplitPropertyOptions(c.options), c.choices) << c.options;
}

TEST(PropertyLines, EditorsByKindAndLock) {
    const Rect line{0, 40, 300, 60};
    const std::int32_t divider = 200;
    struct Case {
        std::int32_t kind;
        bool locked;
        bool dropDown;
        std::optional<Rect> edit;
        std::optional<Rect> button;
    };
    const Case cases[] = {
        {kPropertyChoice, false, true, std::nullopt, std::nullopt},
        {kPropertyText, false, false, Rect{200, 40, 300, 60}, std::nullopt},
        {kPropertyColor, false, false, std::nullopt, Rect{275, 40, 300, 57}},
        {kPropertyFile, false, false, std::nullopt, Rect{275, 40, 300, 57}},
        // Edit field to 0.52 of (divider + right), button narrowed from 0.5 of it.
        {kPropertyTextButton, false, false, Rect{200, 40, 260, 60}, Rect{275, 40, 300, 57}},
        {kPropertyButton, false, false, std::nullopt, Rect{200, 40, 300, 57}},
        {kPropertyButton, true, false, std::nullopt, Rect{200, 40, 300, 57}},
    };
    for (const Case& c : cases) {
        const CPropertyItem item("Name", "Value", c.kind, "", c.locked, false, -1);
        const PropertyEditorPlacement placement = PlacePropertyEditors(item, divider, line);
        EXPECT_EQ(placement.dropDown, c.dropDown) << c.kind;
        EXPECT_EQ(placement.edit, c.edit) << c.kind;
        EXPECT_EQ(placement.button, c.button) << c.kind;
    }
    for (std::int32_t kind = kPropertyChoice; kind <= kPropertyTextButton; ++kind) {
        const CPropertyItem locked("Name", "Value", kind, "a|", true, false, -1);
        const PropertyEditorPlacement placement = PlacePropertyEditors(locked, divider, line);
        EXPECT_FALSE(placement.dropDown || placement.edit || placement.button) << kind;
    }
}

TEST(PropertyLines, NarrowValueColumnKeepsTheWholeButton) {
    const CPropertyItem item("Name", "", kPropertyColor, "", false, false, -1);
    EXPECT_EQ(PlacePropertyEditors(item, 280, {0, 0, 300, 20}).button, (Rect{280, 0, 300, 17}));
}

TEST(PropertyLines, DividerStaysAwayFromTheEdgesAndColoursReadInHex) {
    EXPECT_EQ(ClampDivider(5, 300), 30);
    EXPECT_EQ(ClampDivider(295, 300), 290);
    EXPECT_EQ(ClampDivider(150, 300), 150);
    EXPECT_EQ(ClampDivider(150, 20), 30);
    EXPECT_EQ(PropertyColorText(0x00C80000), "C80000h");
    EXPECT_EQ(PropertyColorText(0), "0h");
}
