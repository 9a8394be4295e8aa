#include "ToolbarArt.h"

#include <gtest/gtest.h>

#include <vector>

#include "CommandTable.h"
#include "MainToolBars.h"

namespace {

constexpr CMainToolBars::Which kBars[] = {CMainToolBars::Which::kSystem, CMainToolBars::Which::kNodeEdit,
                                          CMainToolBars::Which::kDraw, CMainToolBars::Which::kArrange};

std::vector<std::uint16_t> AllButtons() {
    std::vector<std::uint16_t> ids;
    for (const CMainToolBars::Which bar : kBars) {
        for (const std::uint16_t id : CMainToolBars::Buttons(bar)) {
            if (id != 0) {
                ids.push_back(id);
            }
        }
    }
    return ids;
}

TEST(ToolbarArtTest, EveryButtonIsACommandOfTheTableWithAPictureOfItsOwn) {
    for (const std::uint16_t id : AllButtons()) {
        EXPECT_NE(FindCommand(id), nullptr) << id;
        EXPECT_TRUE(HasButtonPicture(id)) << id;
    }
    // A command without a menu item can only be reached by its button.
    const std::vector<std::uint16_t> buttons = AllButtons();
    for (const CommandEntry& command : CommandTable()) {
        if (command.popup.empty()) {
            EXPECT_NE(std::ranges::find(buttons, command.id), buttons.end()) << command.id;
        }
    }
}

TEST(ToolbarArtTest, EveryPictureDrawsSomethingAndTheCornerStaysTransparent) {
    const std::vector<std::uint16_t> ids = AllButtons();
    const QImage strip = PaintToolbarStrip(ids);
    ASSERT_EQ(strip.size(), QSize(static_cast<int>(ids.size()) * kButtonImageSize, kButtonImageSize));
    EXPECT_EQ(strip.pixel(0, 0), kStripTransparent);
    for (std::size_t index = 0; index < ids.size(); ++index) {
        int drawn = 0;
        for (int y = 0; y < kButtonImageSize; ++y) {
            for (int x = 0; x < kButtonImageSize; ++x) {
                drawn += strip.pixel(static_cast<int>(index) * kButtonImageSize + x, y) != kStripTransparent;
            }
        }
        EXPECT_GT(drawn, 4) << ids[index];
    }
}

TEST(ToolbarArtTest, ProgramsWithUnknownWordsOrMissingNumbersAreRefused) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(kStripTransparent);
    EXPECT_TRUE(DrawPicture(image, {}, "k M1 1 L14 14 r F2 2 3 3 T1 1 5 1 3 4 P7 7 E2 2 8 8 R1 1 5 5"));
    EXPECT_FALSE(DrawPicture(image, {}, "k Q1 2"));
    EXPECT_FALSE(DrawPicture(image, {}, "k L 1"));
    EXPECT_FALSE(DrawPicture(image, {}, "k L1 x"));
    EXPECT_FALSE(DrawPicture(image, {}, "k R1 1 2"));
}

}  // namespace
