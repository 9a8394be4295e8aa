#include "ToolbarStrip.h"

#include <gtest/gtest.h>

using platform::Rgb;

namespace {

// Ten buttons and two separators, as the main frame's file toolbar is laid out.
ToolbarResource TenButtonsTwoSeparators() {
    return {1, 16, 15, {101, 102, 0, 103, 104, 105, 0, 106, 107, 108, 109, 110}};
}

}  // namespace

TEST(ToolbarStrip, StripOf160PixelsForTenButtonsGivesSixteenPixelImages) {
    const auto metrics = ComputeToolbarMetrics(TenButtonsTwoSeparators(), {160, 16});
    ASSERT_TRUE(metrics);
    EXPECT_EQ(metrics->buttonCount, 10);
    EXPECT_EQ(metrics->separatorCount, 2);
    EXPECT_EQ(metrics->imageSize, (platform::Size{16, 16}));
    EXPECT_EQ(metrics->buttonSize, (platform::Size{23, 23}));
}

TEST(ToolbarStrip, TablesWithoutImageWidthAreRefused) {
    struct Case {
        const char* name;
        ToolbarResource resource;
        platform::Size strip;
    };
    const Case cases[] = {
        {"separators only", {1, 16, 15, {0, 0}}, {160, 16}},
        {"empty table", {1, 16, 15, {}}, {160, 16}},
        {"more buttons than pixels", {1, 16, 15, {1, 2, 3, 4}}, {3, 16}},
        {"strip without rows", {1, 16, 15, {1}}, {16, 0}},
    };
    for (const Case& c : cases) EXPECT_FALSE(ComputeToolbarMetrics(c.resource, c.strip)) << c.name;
}

TEST(ToolbarStrip, TableReadsBackAndEveryTruncationIsRefused) {
    const std::vector<std::uint8_t> bytes = EncodeToolbarResource(TenButtonsTwoSeparators());
    const auto parsed = ParseToolbarResource(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->commandIds, TenButtonsTwoSeparators().commandIds);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(ParseToolbarResource(std::span(bytes).first(length))) << length;
    }
}

TEST(ToolbarStrip, CountBeyondTheBytesIsRefused) {
    std::vector<std::uint8_t> bytes = EncodeToolbarResource({1, 16, 15, {1, 2}});
    bytes[6] = 0xFF;
    bytes[7] = 0xFF;
    EXPECT_FALSE(ParseToolbarResource(bytes));
}

TEST(ToolbarStrip, PixelRecipes) {
    struct Case {
        platform::ColorRef pixel;
        platform::ColorRef hot;
        platform::ColorRef disabled;
    };
    const Case cases[] = {
        {Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(204, 204, 204)},
        {Rgb(0, 0, 0), Rgb(15, 55, 15), Rgb(0, 0, 0)},
        {Rgb(241, 201, 240), Rgb(255, 255, 255), Rgb(176, 176, 176)},
        {Rgb(100, 100, 100), Rgb(115, 155, 115), Rgb(80, 80, 80)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HotLighten(c.pixel), c.hot) << std::hex << c.pixel;
        EXPECT_EQ(DisabledGrey(c.pixel), c.disabled) << std::hex << c.pixel;
    }
}
