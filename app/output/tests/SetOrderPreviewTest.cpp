// The cutting-order preview's mapping and picture: fitting, zooming about the cursor, picking an element
// under a pixel, and what a paint puts into the picture.
#include <gtest/gtest.h>

#include <cmath>

#include "CadMgrFixture.h"
#include "DlgSetOrder.h"
#include "LogicalUnits.h"
#include "QImageBackend.h"
#include "SetOrderPreview.h"
#include "SettingsRecords.h"

namespace {

using List = CDlgSetOrder::OrderList;

constexpr platform::Size kArea{200, 100};

void ExpectNear(SDPoint actual, SDPoint expected, double toleranceMm) {
    EXPECT_NEAR(actual.x, expected.x, toleranceMm);
    EXPECT_NEAR(actual.y, expected.y, toleranceMm);
}

TEST(SetOrderPreview, FitPutsTheCentreInTheMiddleWithAMargin) {
    SetOrderPreview preview;
    preview.SetAreaSize(kArea);
    preview.Fit(CCadRect(0, 0, 100, 50, 0));
    const double mmPerPixel = preview.Scale() / 1000.0;
    EXPECT_NEAR(preview.Scale(), 100000.0 / (0.95 * 200), 1e-9);
    ExpectNear(preview.ToMm({100, 50}), {50, 25}, mmPerPixel);
    // y grows upward: the top row of pixels lies above the drawing's top.
    EXPECT_GT(preview.ToMm({100, 0}).y, 50.0);
    EXPECT_LT(preview.ToMm({0, 50}).x, 0.0);
}

TEST(SetOrderPreview, AnEmptyExtentKeepsTheSmallestScale) {
    SetOrderPreview preview;
    preview.SetAreaSize(kArea);
    preview.Fit(CCadRect(7, 7, 7, 7, 0));
    EXPECT_EQ(preview.Scale(), SetOrderPreview::kMinScale);
}

TEST(SetOrderPreview, ZoomKeepsThePointUnderTheCursor) {
    SetOrderPreview preview;
    preview.SetAreaSize(kArea);
    preview.Fit(CCadRect(0, 0, 100, 50, 0));
    const double fitted = preview.Scale();
    const platform::Point cursor{30, 70};
    const SDPoint before = preview.ToMm(cursor);

    preview.ZoomAt(120, cursor);
    EXPECT_NEAR(preview.Scale(), fitted * 2 / 3, 1e-9);
    ExpectNear(preview.ToMm(cursor), before, preview.Scale() / 1000.0);

    preview.ZoomAt(-120, cursor);
    EXPECT_NEAR(preview.Scale(), fitted, 1e-9);
    ExpectNear(preview.ToMm(cursor), before, preview.Scale() / 1000.0);
}

class SetOrderPreviewDrawing : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        left = AddSquare(0, 0, 40);
        right = AddSquare(60, 0, 40);
        lists.OnInitDialog();
        preview.SetAreaSize(kArea);
        preview.Fit(lists.UnionRect());
    }
    void TearDown() override { lists.OnCancel(); }

    platform::Point PixelOf(SDPoint mm) const {
        platform::DeviceContext mapping(std::make_unique<platform::QImageBackend>(kArea));
        preview.PrepareDC(mapping);
        return mapping.LPtoDP(ToLogicalUnits(mm));
    }

    CCadCurve* left = nullptr;
    CCadCurve* right = nullptr;
    CDlgSetOrder lists{*manager};
    SetOrderPreview preview;
};

TEST_F(SetOrderPreviewDrawing, APressOnAnOutlinePicksItsElementInItsList) {
    lists.SelectRows(List::kRemaining, {0});
    lists.OnMoveSelected();  // left is ordered, right remains
    platform::DeviceContext mapping(std::make_unique<platform::QImageBackend>(kArea));
    preview.PrepareDC(mapping);

    lists.PickAt(ToLogicalUnits(SDPoint{60, 20}), mapping);

    EXPECT_EQ(lists.Selection(List::kRemaining), std::vector<CCadElement*>{right});
    EXPECT_TRUE(lists.Selection(List::kOrdered).empty());
    EXPECT_EQ(left->selected, 0);
    EXPECT_EQ(right->selected, 1);
}

TEST_F(SetOrderPreviewDrawing, PaintDrawsTheBackgroundTheExtentAndTheElements) {
    auto surface = std::make_unique<platform::QImageBackend>(kArea);
    const platform::QImageBackend& image = *surface;
    platform::DeviceContext picture(std::move(surface));
    preview.Paint(picture, lists);

    const auto colourAt = [&image](platform::Point at) { return image.Image().pixel(at.x, at.y) & 0xFFFFFF; };
    EXPECT_EQ(colourAt({2, 2}), 0xFFFFFFu);  // outside the drawing
    // The frame of the extent is grey along the top edge, away from the squares' outlines.
    const platform::Point topMiddle = PixelOf({50, 40});
    EXPECT_EQ(colourAt(topMiddle), 0xC0C0C0u);
    // The squares' outlines are drawn over it.
    const platform::Point leftEdge = PixelOf({0, 20});
    bool outlined = false;
    for (int dx = -1; dx <= 1; ++dx) {
        outlined = outlined || (colourAt({leftEdge.x + dx, leftEdge.y}) != 0xFFFFFFu &&
                                colourAt({leftEdge.x + dx, leftEdge.y}) != 0xC0C0C0u);
    }
    EXPECT_TRUE(outlined);
}

TEST_F(SetOrderPreviewDrawing, ShowPathMarksTheJobOrigin) {
    const std::uint16_t savedHead = gGeneralSettings.laserHeadPosition;
    gGeneralSettings.laserHeadPosition = 4;  // the centre of the extent
    lists.OnShowPath();
    auto surface = std::make_unique<platform::QImageBackend>(kArea);
    const platform::QImageBackend& image = *surface;
    platform::DeviceContext picture(std::move(surface));
    preview.Paint(picture, lists);
    gGeneralSettings.laserHeadPosition = savedHead;

    const platform::Point centre = PixelOf({50, 20});
    // The mark's edge, four pixels left of the centre, in its blue.
    EXPECT_EQ(image.Image().pixel(centre.x - 4, centre.y) & 0xFFFFFF, 0x0000C8u);
}

}  // namespace
