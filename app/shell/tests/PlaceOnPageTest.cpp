#include "PlaceOnPage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "CadBitmap.h"
#include "RecordingOwnerWindow.h"
#include "ShellCoreFixture.h"

namespace {

class PlaceOnPageTest : public ShellCoreFixture {
  protected:
    void SetUp() override {
        ShellCoreFixture::SetUp();
        manager->SetOwnerHwnd(&owner);
        manager->drawColor = 0x0000FF;
    }

    // A blank picture of the size at the resolution.
    static platform::DibBlock Picture(int width, int height, std::uint16_t bitCount, double dpi) {
        platform::DibBlock dib = *platform::DibBlock::CreateBlank(width, height, bitCount);
        platform::BitmapInfoHeader header = *dib.InfoHeader();
        header.xPelsPerMeter = header.yPelsPerMeter = static_cast<std::int32_t>(std::lround(dpi / 0.0254));
        dib.ReplaceInfoHeader(header);
        return dib;
    }

    // The zoom and offset of the view, to tell which zoom a placement ended with.
    std::tuple<double, int, int> ViewState() const {
        return {manager->zoomFactor, manager->viewOffsetX, manager->viewOffsetY};
    }

    platform::RecordingOwnerWindow owner;
};

TEST_F(PlaceOnPageTest, AScannedPageIsTheOnlySelectionCentredInTheColourOfNewElementsAtEightBits) {
    ASSERT_EQ(PlaceScannedPicture(*manager, Picture(200, 100, 8, 100), messages), 1);
    ASSERT_EQ(PlaceScannedPicture(*manager, Picture(300, 150, 24, 100), messages), 1);
    ASSERT_EQ(manager->elementList.count, 2);
    ASSERT_EQ(manager->selectionList.count, 1);
    auto* bitmap = static_cast<CCadBitmap*>(manager->selectionList.head->next->value);
    ASSERT_EQ(bitmap->typeCode, kBitmapElement);
    EXPECT_EQ(bitmap->GetBitCount(), 8);
    EXPECT_EQ(bitmap->color, 0x0000FFu);
    EXPECT_NEAR(bitmap->rect.x2 - bitmap->rect.x1, 76.2, 0.01);  // 300 pixels at 100 dpi
    EXPECT_NEAR((bitmap->rect.x1 + bitmap->rect.x2) / 2, manager->pageWidth / 2, 1e-9);
    EXPECT_NEAR((bitmap->rect.y1 + bitmap->rect.y2) / 2, manager->pageHeight / 2, 1e-9);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(PlaceOnPageTest, OneBitPagesKeepTheirDepth) {
    ASSERT_EQ(PlaceScannedPicture(*manager, Picture(64, 64, 1, 300), messages), 1);
    EXPECT_EQ(static_cast<CCadBitmap*>(manager->elementList.head->next->value)->GetBitCount(), 1);
}

TEST_F(PlaceOnPageTest, TheViewZoomsToAPageThatFitsAndToThePageForOneThatDoesNot) {
    struct Case {
        const char* name;
        int width;  // pixels at 10 dpi: 2.54 mm each
        bool fits;
    };
    const Case cases[] = {{"small", 100, true}, {"wider than the page", 1000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->zoomFactor = 3.0;
        ASSERT_EQ(PlaceScannedPicture(*manager, Picture(c.width, 40, 8, 10), messages), 1);
        const auto placed = ViewState();
        if (c.fits) {
            manager->ZoomToSelection();
        } else {
            manager->ZoomToPage();
        }
        EXPECT_EQ(ViewState(), placed);
    }
}

TEST_F(PlaceOnPageTest, APictureThatCannotBecomeAnElementAddsNothingAndSaysSo) {
    ASSERT_EQ(PlaceScannedPicture(*manager, platform::DibBlock{}, messages), 0);
    EXPECT_EQ(manager->elementList.count, 0);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Create bitmap failure!"});
}

}  // namespace
