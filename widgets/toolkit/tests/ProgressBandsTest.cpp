#include "ProgressBands.h"

#include <gtest/gtest.h>

using platform::Rgb;

namespace {

constexpr platform::Size kBar{200, 20};

}  // namespace

TEST(ProgressBands, PositionsOutsideTheRangeShowTheEmptyFace) {
    struct Case {
        std::int32_t position;
        bool empty;
        const char* text;
    };
    const Case cases[] = {
        {0, true, ""}, {-5, true, ""}, {101, true, ""}, {100, false, "100.0   %"}, {50, false, "50.0   %"}, {1, false, "1.0   %"}};
    for (const Case& c : cases) {
        const ProgressPicture picture = ComputeProgressPicture({0, 100, c.position}, {}, kBar, false);
        EXPECT_EQ(picture.empty, c.empty) << c.position;
        EXPECT_EQ(picture.text, c.text) << c.position;
        if (c.empty) {
            EXPECT_TRUE(picture.bands.empty());
        }
    }
}

TEST(ProgressBands, HalfwayCoversTheLeftHalfRoundedUpToABandEdge) {
    const ProgressPicture picture = ComputeProgressPicture({0, 100, 50}, {}, kBar, false);
    ASSERT_FALSE(picture.bands.empty());
    const platform::Rect& last = picture.bands.back().bounds;
    EXPECT_GT(last.right, 100);
    EXPECT_LE(last.left, 100);
    EXPECT_EQ(picture.background, (platform::Rect{last.right, 0, 200, 21}));
    EXPECT_EQ(picture.bands.front().color, Rgb(255, 0, 0));
    // The colour of a band depends on its place in the whole bar: the middle is half way to blue.
    EXPECT_NEAR(platform::BlueOf(picture.bands.back().color), 127, 2);
}

TEST(ProgressBands, FullBarPaintsTheWholeGradientAndNoBackground) {
    const ProgressPicture picture = ComputeProgressPicture({0, 100, 100}, {}, kBar, false);
    EXPECT_EQ(picture.bands.size(), 255u);
    EXPECT_EQ(picture.bands.back().bounds.right, 200);
    EXPECT_EQ(picture.background, platform::Rect{});
}

TEST(ProgressBands, EqualEndColoursPaintOneSolidBand) {
    const ProgressColors green{Rgb(0, 160, 0), Rgb(0, 160, 0), Rgb(240, 240, 240)};
    const ProgressPicture picture = ComputeProgressPicture({0, 100, 30}, green, kBar, false);
    ASSERT_EQ(picture.bands.size(), 1u);
    EXPECT_EQ(picture.bands[0].bounds, (platform::Rect{0, 0, 200, 21}));
    EXPECT_EQ(picture.bands[0].color, Rgb(0, 160, 0));
}

TEST(ProgressBands, VerticalBarRunsTopToBottom) {
    const ProgressPicture picture = ComputeProgressPicture({0, 100, 50}, {}, {20, 200}, true);
    ASSERT_FALSE(picture.bands.empty());
    EXPECT_EQ(picture.bands.front().bounds.left, 0);
    EXPECT_EQ(picture.bands.front().bounds.right, 21);
    EXPECT_EQ(picture.background.bottom, 200);
}

TEST(ProgressBands, PercentUsesTheRangeWhileLengthUsesTheUpperEnd) {
    const ProgressPicture picture = ComputeProgressPicture({50, 150, 100}, {}, kBar, false);
    EXPECT_EQ(picture.text, "50.0   %");
    // 100 / 150 of 200 pixels is 133.
    EXPECT_GT(picture.bands.back().bounds.right, 133);
    EXPECT_LE(picture.bands.back().bounds.left, 133);
}
