#include "IconButtonLayout.h"

#include <gtest/gtest.h>

using platform::Rect;

TEST(IconButtonLayout, ImagePlacesByAlignmentAndCaption) {
    const Rect item{0, 0, 75, 23};
    struct Case {
        IconAlignment alignment;
        bool hasCaption;
        bool pressed;
        Rect image;
        Rect caption;
    };
    const Case cases[] = {
        // Alone, the 16-pixel icon is centred both ways; pressed it moves one pixel right and down.
        {kIconLeftOfCaption, false, false, {29, 3, 45, 19}, item},
        {kIconLeftOfCaption, false, true, {30, 4, 46, 20}, item},
        {kIconLeftOfCaption, true, false, {3, 3, 19, 19}, {19, 0, 75, 23}},
        {kIconAboveCaption, true, false, {29, 3, 45, 19}, {0, 16, 75, 23}},
        {kIconAboveCaption, false, false, {29, 3, 45, 19}, item},
        {kIconRightOfCaption, true, false, {56, 3, 72, 19}, {3, 0, 56, 23}},
        {kIconRightOfCaption, false, false, {29, 0, 45, 16}, item},
    };
    for (const Case& c : cases) {
        const ImagePlacement placement = PlaceImage(c.alignment, c.hasCaption, item, item, c.pressed, {16, 16});
        EXPECT_EQ(placement.image, c.image) << int{c.alignment} << c.hasCaption << c.pressed;
        EXPECT_EQ(placement.caption, c.caption) << int{c.alignment} << c.hasCaption << c.pressed;
    }
}

TEST(IconButtonLayout, OddDifferencesRoundTowardZero) {
    const ImagePlacement placement = PlaceImage(kIconLeftOfCaption, false, {0, 0, 10, 10}, {0, 0, 10, 10}, false, {13, 13});
    EXPECT_EQ(placement.image, (Rect{-1, -1, 12, 12}));
}

TEST(IconButtonLayout, GreyCopyKeepsBlackAndWeighsTheComponents) {
    EXPECT_EQ(GrayIconPixel(platform::Rgb(0, 0, 0)), platform::Rgb(0, 0, 0));
    EXPECT_EQ(GrayIconPixel(platform::Rgb(255, 255, 255)), platform::Rgb(255, 255, 255));
    EXPECT_EQ(GrayIconPixel(platform::Rgb(255, 0, 0)), platform::Rgb(76, 76, 76));
    EXPECT_EQ(GrayIconPixel(platform::Rgb(0, 0, 1)), platform::Rgb(0, 0, 0));
}

TEST(IconButtonLayout, LinkKeepsAtMost259BytesSoItsBufferStaysTerminated) {
    const std::string longLink(400, 'x');
    EXPECT_EQ(BoundedLink(longLink).size(), 259u);
    EXPECT_EQ(BoundedLink(std::string(260, 'y')).size(), 259u);
    EXPECT_EQ(BoundedLink("https://example.org/manual.pdf"), "https://example.org/manual.pdf");
    EXPECT_EQ(BoundedLink(""), "");
}
