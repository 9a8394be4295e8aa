// CCadMgr: the processing order and the two extents of the drawing.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "SettingsRecords.h"

namespace {

using Order = CadMgrFixture;

TEST_F(Order, MovingOnePlaceRenumbersAndTellsTheOwner) {
    struct Case {
        std::uint32_t from, to;
        std::vector<int> expected;  // the first x of each square, in processing order
    };
    const std::vector<Case> cases = {
        {3, 1, {2, 0, 1, 3, 4}}, {1, 5, {1, 2, 3, 4, 0}}, {0, 2, {0, 1, 2, 3, 4}}, {2, 6, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        manager->DeleteAll();
        for (int index = 0; index < 5; ++index) {
            AddSquare(index, 0, 1);
        }
        owner.Clear();
        manager->MoveElementOrder(c.from, c.to);
        std::vector<int> places;
        std::uint32_t order = 0;
        for (CCadElement* element : Elements()) {
            places.push_back(static_cast<int>(element->rect.x1));
            EXPECT_EQ(element->orderNumber, ++order);
        }
        EXPECT_EQ(places, c.expected) << c.from << " to " << c.to;
        EXPECT_EQ(PostedMessages(), std::vector<std::uint32_t>{kDrawingModifiedMessage});
        EXPECT_EQ(owner.Repaints(), 1);
    }
    // The moved element's node stays indexed: deleting it leaves a sound list.
    manager->DeleteElement(Elements()[1]);
    EXPECT_EQ(Elements().size(), 4u);
}

TEST_F(Order, ExtentsMeetArraysByFrameAndPenLayersShifted) {
    CCadRect extent;
    EXPECT_EQ(manager->GetDataRect(extent), 0);
    EXPECT_EQ(manager->GetLayerDataRect(extent), 0);
    EXPECT_EQ(extent.x2, 0.0);

    auto array = std::make_unique<CCadArray>();
    array->children.AddTail(MakeSquare({0, 0}, 10).release());
    array->columnCount = 3;
    array->CalRect();
    Add(std::move(array));
    CCadCurve* pen = AddSquare(100, 100, 10, 0xFF0000);
    static_cast<CCadVectorLayer*>(pen->layer)->vectorParams.COM_WorkType = VectorLayerParams::kPen;
    gOutputOptions.laser2OffsetXMm = 5;
    gOutputOptions.laser2OffsetYMm = -3;

    EXPECT_EQ(manager->GetDataRect(extent), 1);
    EXPECT_DOUBLE_EQ(extent.x1, 0.0);
    EXPECT_DOUBLE_EQ(extent.y2, 110.0);
    EXPECT_EQ(manager->GetLayerDataRect(extent), 1);
    EXPECT_DOUBLE_EQ(extent.x2, 115.0);
    EXPECT_DOUBLE_EQ(extent.y2, 107.0);
    gOutputOptions.laser2OffsetXMm = 0;
    gOutputOptions.laser2OffsetYMm = 0;
}

}  // namespace
