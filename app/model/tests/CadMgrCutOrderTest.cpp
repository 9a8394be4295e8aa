// CCadMgr: the start corner and start point from the settings, and ordering the drawing by layer, across
// layers and inside groups.
#include <gtest/gtest.h>

#include <utility>

#include "CadMgrFixture.h"
#include "SettingsRecords.h"

namespace {

class CutOrderCommands : public CadMgrFixture {
  protected:
    ~CutOrderCommands() override {
        gOptimSettings = savedOptim;
        gGeneralSettings.laserHeadPosition = savedHead;
    }
    OptimSettings savedOptim = gOptimSettings;
    std::uint16_t savedHead = gGeneralSettings.laserHeadPosition;
};

TEST_F(CutOrderCommands, DirectionAndHeadPositionGiveCodeAndStartCorner) {
    struct Case {
        std::uint16_t direction, head;
        std::uint16_t code;
        double x, y;  // start point on (0, 0)-(100, 50)
    };
    const std::vector<Case> cases = {
        {2, 1, 3, 0, 50},   {2, 4, 1, 0, 0},   {2, 8, 1, 0, 0},    {0, 5, 8, 100, 50},
        {0, 3, 6, 0, 50},   {0, 4, 6, 0, 50},  {1, 2, 7, 100, 0},  {1, 6, 5, 0, 0},
        {3, 0, 4, 100, 50}, {3, 7, 2, 100, 0}, {7, 2, 4, 100, 50},  // a direction above 3 is right to left
        {0, 9, 8, 100, 50},  // a head position above 8 is the bottom right
    };
    for (const Case& c : cases) {
        gOptimSettings.blockDirection = c.direction;
        gGeneralSettings.laserHeadPosition = c.head;
        EXPECT_EQ(CCadMgr::GetStartCorner(), c.code) << c.direction << "/" << c.head;
        double x = -1;
        double y = -1;
        CCadMgr::GetStartPoint(0, 0, 100, 50, x, y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.x, c.y)) << c.direction << "/" << c.head;
    }
}

TEST_F(CutOrderCommands, OrderOfLayerPutsGroupsFirstThenLayerByLayer) {
    CCadCurve* blueFar = AddSquare(100, 0, 5, 0xFF0000);
    CCadCurve* redFar = AddSquare(60, 0, 5, 0x0000FF);
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(MakeSquare({30, 0}, 5).release());
    group->children.AddTail(MakeSquare({20, 0}, 5).release());
    group->CalRect();
    CCadGroup* grouped = Add(std::move(group));
    const std::vector<CCadElement*> members = Children(*grouped);
    CCadCurve* blueNear = AddSquare(10, 0, 5, 0xFF0000);
    CCadCurve* redNear = AddSquare(0, 0, 5, 0x0000FF);
    CCadBitmap* bitmap = Add(MakeBitmap(4, 4, {200, 5}), 0x00FF00);
    ASSERT_EQ(manager->layerList.head->next->value->commonParams.COM_Color, 0xFF0000u);

    gOptimSettings.blockDirection = 2;
    gGeneralSettings.laserHeadPosition = 6;
    manager->OptimizeCutOrder(0, 0, 200, 10);
    EXPECT_EQ(Elements(), (std::vector<CCadElement*>{grouped, blueNear, blueFar, redNear, redFar, bitmap}));
    EXPECT_EQ(Children(*grouped), (std::vector<CCadElement*>{members[1], members[0]}));
    std::uint32_t place = 0;
    for (CCadElement* element : Elements()) {
        EXPECT_EQ(element->orderNumber, ++place);
    }
    // The drawing's own nodes were relinked: deleting an element leaves a sound list.
    manager->DeleteElement(redNear);
    EXPECT_EQ(Elements().size(), 5u);
}

TEST_F(CutOrderCommands, AnElementOnNoListedLayerIsKeptAfterTheLayers) {
    CCadCurve* listed = AddSquare(50, 0, 5, 0xFF0000);
    auto stray = MakeSquare({0, 0}, 5);
    CCadVectorLayer elsewhere;
    stray->layer = &elsewhere;
    CDbList<CCadElement*> list;
    list.AddTail(stray.get());
    list.AddTail(listed);
    manager->OptimizeListByLayer(list, 1, 1, 0, 0);
    EXPECT_EQ(Collect(list), (std::vector<CCadElement*>{listed, stray.get()}));
}

TEST_F(CutOrderCommands, OrderElementListOrdersAcrossLayersAndKeepsTheDrawingSound) {
    CCadCurve* far = AddSquare(100, 0, 5, 0xFF0000);
    CCadCurve* middle = AddSquare(50, 0, 5, 0x0000FF);
    CCadCurve* near = AddSquare(0, 0, 5, 0xFF0000);
    manager->OrderElementList(&manager->elementList, 0, 0, 1);
    EXPECT_EQ(Elements(), (std::vector<CCadElement*>{near, middle, far}));
    EXPECT_EQ(near->orderNumber, 1u);
    manager->DeleteElement(middle);
    EXPECT_EQ(Elements(), (std::vector<CCadElement*>{near, far}));
    manager->OrderElementList(nullptr, 0, 0, 1);

    // A list of output objects may hold one element twice: both entries stay.
    CDbList<CCadElement*> twice;
    twice.AddTail(far);
    twice.AddTail(near);
    twice.AddTail(far);
    manager->OrderElementList(&twice, 0, 0, 1);
    EXPECT_EQ(Collect(twice), (std::vector<CCadElement*>{near, far, far}));
}

TEST_F(CutOrderCommands, GroupChildrenStartFromTheCornerNearestTheirFirstCurve) {
    // The first curve starts at the top right, so the children are ordered from there, right to left
    // with direction 3; a group of points alone keeps its order.
    gOptimSettings.blockDirection = 3;
    auto group = std::make_unique<CCadGroup>();
    CCadCurve* topRight = MakeCurve({{100, 10}, {90, 10}}).release();
    CCadCurve* left = MakeCurve({{0, 0}, {0, 10}}).release();
    CCadCurve* middle = MakeCurve({{50, 0}, {50, 10}}).release();
    for (CCadCurve* child : {topRight, left, middle}) {
        group->children.AddTail(child);
    }
    group->CalRect();
    manager->OrderGroupChildren(group.get());
    EXPECT_EQ(Children(*group), (std::vector<CCadElement*>{topRight, middle, left}));

    auto points = std::make_unique<CCadGroup>();
    auto* second = MakePoint(50, 0).release();
    auto* first = MakePoint(0, 0).release();
    points->children.AddTail(second);
    points->children.AddTail(first);
    points->CalRect();
    manager->OrderGroupChildren(points.get());
    EXPECT_EQ(Children(*points), (std::vector<CCadElement*>{second, first}));
    manager->OrderGroupChildren(nullptr);
}

}  // namespace
