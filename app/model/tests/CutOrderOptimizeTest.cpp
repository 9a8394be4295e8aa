// CCutOrder: the whole order of a list (direction grid, serpentine, inner contours first, nearest
// neighbour, bitmaps last), the block pass of scan output, backlash origins, and the faults of the band
// passes and of Clear.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "CutOrder.h"
#include "CutOrderTestShapes.h"
#include "SettingsRecords.h"

namespace {

using XY = std::pair<double, double>;

XY At(SDPoint point) {
    return {point.x, point.y};
}

// Owns the elements of a list and restores the settings the order reads.
class CutOrderList : public ::testing::Test {
  protected:
    ~CutOrderList() override {
        gOptimSettings = savedOptim;
        gGeneralSettings.laserHeadPosition = savedHead;
    }
    template <typename Element>
    Element* Append(std::unique_ptr<Element> element) {
        list.AddTail(element.get());
        owned.emplace_back(element.release());
        return static_cast<Element*>(owned.back().get());
    }
    std::vector<CCadElement*> Order() const { return Elements(list); }
    // The centre of every element's rectangle, in list order.
    std::vector<XY> Centres() const {
        std::vector<XY> centres;
        for (CCadElement* element : Order()) {
            centres.push_back({std::round((element->rect.x1 + element->rect.x2) / 2),
                               std::round((element->rect.y1 + element->rect.y2) / 2)});
        }
        return centres;
    }

    OptimSettings savedOptim = gOptimSettings;
    std::uint16_t savedHead = gGeneralSettings.laserHeadPosition;
    std::vector<std::unique_ptr<CCadElement>> owned;
    CDbList<CCadElement*> list;
    CCutOrder order;
};

using CutOrderOptimize = CutOrderList;

TEST_F(CutOrderOptimize, DirectionCodesSweepTheGridInASerpentine) {
    // Circles on a 4 x 4 grid 60 mm apart (columns i, rows j), listed row by row from the bottom. Codes
    // 1..4 sweep columns, 5..8 rows; the cells of the first band start at the edge nearer the start
    // point, and each further band turns back.
    struct Case {
        std::uint16_t code;
        SDPoint start;
        bool columnsFirst;
        bool ascendingBands;
        bool ascendingCells;  // in the first band
    };
    const std::vector<Case> cases = {
        {1, {26, 26}, true, true, true},    {2, {214, 26}, true, false, true},
        {3, {26, 214}, true, true, false},  {4, {214, 214}, true, false, false},
        {5, {26, 26}, false, true, true},   {6, {26, 214}, false, false, true},
        {7, {214, 26}, false, true, false}, {8, {214, 214}, false, false, false},
        {0, {26, 26}, true, true, true},    {9, {26, 214}, true, true, false},
    };
    for (const Case& c : cases) {
        list.RemoveAll();
        owned.clear();
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                Append(MakeCircle(30 + 60 * column, 30 + 60 * row, 4));
            }
        }
        order.Optimize(list, 1, c.code, c.start.x, c.start.y);
        std::vector<XY> expected;
        bool ascending = c.ascendingCells;
        for (int band = 0; band < 4; ++band) {
            const int b = c.ascendingBands ? band : 3 - band;
            for (int cell = 0; cell < 4; ++cell) {
                const int k = ascending ? cell : 3 - cell;
                const int column = c.columnsFirst ? b : k;
                const int row = c.columnsFirst ? k : b;
                expected.push_back({30.0 + 60 * column, 30.0 + 60 * row});
            }
            ascending = !ascending;
        }
        EXPECT_EQ(Centres(), expected) << "code " << c.code;
    }
}

TEST_F(CutOrderOptimize, NestedSquaresAmongCirclesComeInnerFirstAndBitmapsLast) {
    auto* bitmap = Append(MakeBitmap(8, 8, {5, 5}));
    auto* outer = Append(MakeSquare({0, 0}, 40));
    auto* circleOutside = Append(MakeCircle(45, 5, 3));
    auto* middle = Append(MakeSquare({5, 5}, 30));
    auto* inner = Append(MakeSquare({10, 10}, 10));
    auto* circleInside = Append(MakeCircle(30, 30, 2));
    auto* otherBitmap = Append(MakeBitmap(4, 4, {100, 5}));
    order.Optimize(list, 1, 1, 0, 0);
    const std::vector<CCadElement*> result = Order();
    ASSERT_EQ(result.size(), 7u);
    const auto place = [&](const CCadElement* element) {
        return std::find(result.begin(), result.end(), element) - result.begin();
    };
    EXPECT_LT(place(inner), place(middle));
    EXPECT_LT(place(circleInside), place(middle));
    EXPECT_LT(place(middle), place(outer));
    EXPECT_EQ(result[5], bitmap);
    EXPECT_EQ(result[6], otherBitmap);
    EXPECT_NE(place(circleOutside), 7);

    // Without nesting the nearest item comes first whatever it holds: the outer square starts at (0, 0).
    list.RemoveAll();
    for (CCadElement* element : {static_cast<CCadElement*>(inner), static_cast<CCadElement*>(outer)}) {
        list.AddTail(element);
    }
    order.Optimize(list, 0, 1, 0, 0);
    EXPECT_EQ(Order(), (std::vector<CCadElement*>{outer, inner}));
}

TEST_F(CutOrderOptimize, TiesKeepListOrderAndCurvesStartWhereTheHeadIs) {
    // Two open strokes equally far from the start: the earlier is taken, each reversed when its far end
    // is nearer; the closed square starts at its corner nearest to where the last stroke ended.
    auto* up = Append(MakeCurve({{0, 10}, {0, 23}}));
    auto* right = Append(MakeCurve({{10, 0}, {20, 0}}));
    auto* square = Append(MakeSquare({18, 18}, 4));
    auto* reversed = Append(MakeCurve({{30, 30}, {22, 25}}));
    order.Optimize(list, 1, 1, 0, 0);
    EXPECT_EQ(Order(), (std::vector<CCadElement*>{up, square, reversed, right}));
    EXPECT_EQ(At(square->pathList.head->next->value.start), (XY{18, 22}));
    EXPECT_EQ(At(reversed->pathList.head->next->value.start), (XY{22, 25}));

    gOptimSettings.autoStartPointAndDirection = 0;
    auto* keeps = Append(MakeCurve({{40, 40}, {30, 35}}));
    list.RemoveAll();
    list.AddTail(keeps);
    order.Optimize(list, 1, 1, 45, 40);
    EXPECT_EQ(At(keeps->pathList.head->next->value.start), (XY{40, 40}));
}

TEST_F(CutOrderOptimize, ABitmapOnlyListStaysAsItIs) {
    auto* first = Append(MakeBitmap(4, 4, {50, 5}));
    auto* second = Append(MakeBitmap(4, 4, {5, 5}));
    order.Optimize(list, 1, 1, 0, 0);
    EXPECT_EQ(Order(), (std::vector<CCadElement*>{first, second}));
}

TEST_F(CutOrderOptimize, CuttingPortsNeedInnerModeOneAndUseTheCallersStart) {
    // With the port mode every curve starts at its node nearest to the caller's start point, even for
    // curves cut after the head has moved far away.
    gOptimSettings.insideToOutside = 1;
    gOptimSettings.insideToOutsideMode = 1;
    auto* near = Append(MakeSquare({10, 10}, 5));
    auto* far = Append(MakeSquare({100, 100}, 5));
    order.Optimize(list, 1, 1, 0, 0);
    EXPECT_EQ(At(near->pathList.head->next->value.start), (XY{10, 10}));
    EXPECT_EQ(At(far->pathList.head->next->value.start), (XY{100, 100}));

    gOptimSettings.insideToOutside = 0;  // the nest flag alone does not find ports
    auto* rotated = Append(MakeSquare({200, 200}, 5));
    list.RemoveAll();
    list.AddTail(rotated);
    order.Optimize(list, 1, 1, 300, 300);
    EXPECT_EQ(At(rotated->pathList.head->next->value.start), (XY{205, 205}));
}

TEST_F(CutOrderOptimize, BandHeightNotPositiveStillEndsWithEveryItem) {
    for (double height : {0.0, -50.0, std::nan(""), 1e300}) {
        gOptimSettings.blockHeightMm = height;
        list.RemoveAll();
        owned.clear();
        for (int index = 0; index < 5; ++index) {
            Append(MakeSquare({index * 7.0, index * 3.0}, 2));
        }
        order.Optimize(list, 1, 2, 100, 0);
        EXPECT_EQ(list.GetCount(), 5) << height;
        SDPoint point{0, 0};
        order.ScanBlockOrder(list, 6, point);
        EXPECT_EQ(list.GetCount(), 5) << height;
    }
}

TEST_F(CutOrderOptimize, ARectangleThatIsNotANumberEndsTheBandsAndIsKept) {
    Append(MakeSquare({0, 0}, 2));
    auto* broken = Append(MakeSquare({200, 0}, 2));
    broken->rect.x2 = std::nan("");
    Append(MakeSquare({300, 0}, 2));
    order.Optimize(list, 1, 1, 0, 0);
    EXPECT_EQ(list.GetCount(), 3);
}

// A curve that fails when it is reversed, so that a run stops half way.
class FailingCurve : public CCadCurve {
  public:
    void TransDir() override { throw std::runtime_error("reversal failed"); }
};

TEST_F(CutOrderOptimize, ClearAfterAFailedRunDeletesOnlyItsOwnGroups) {
    // The elements belong to the caller (and are freed by it below); a run that stops half way leaves
    // cells and nesting groups in the order, which Clear frees without touching what they hold.
    Append(MakeSquare({0, 0}, 20));
    Append(MakeSquare({5, 5}, 5));
    auto failing = std::make_unique<FailingCurve>();
    cutrix::testing::AddPolyline(failing->pathList, {{30, 1}, {10, 1}}, false);
    failing->CalRect();
    Append(std::move(failing));
    EXPECT_THROW(order.Optimize(list, 1, 1, 9, 0), std::runtime_error);
    order.Clear();
    for (const auto& element : owned) {
        EXPECT_GT(element->rect.x2, element->rect.x1);  // still alive under the address checker
    }
}

TEST_F(CutOrderOptimize, NestingFollowsContoursNotRectangles) {
    // A square in the L's notch lies within its rectangle but outside its outline; one in its foot nests.
    auto* l = Append(MakeL());
    auto* inNotch = Append(MakeSquare({6, 6}, 3));
    auto* inFoot = Append(MakeSquare({1, 1}, 3));
    order.NestByContainment(list);
    ASSERT_EQ(list.GetCount(), 2);
    auto* group = dynamic_cast<CCadOrderGroup*>(list.head->next->value);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->reference, l);
    EXPECT_EQ(Elements(group->children), std::vector<CCadElement*>{inFoot});
    EXPECT_EQ(list.head->prev->value, inNotch);
    order.Clear();  // the group is the order's; the curves stay the test's
}

TEST_F(CutOrderOptimize, CrowdedBlocksNarrowTheBand) {
    // 1000 items across a box 100 mm wide with a band height of 50: f = 0.5, f·n = 500, so the band
    // narrows to 50·200/500 = 20 mm and the first block holds the items starting within 20 mm.
    list.AddTail(Append(MakeSquare({0, 0}, 100)));
    order.SortByDirection(list, 1, 0, 0, 1);  // stores the box
    list.RemoveAll();
    for (int index = 0; index < 1000; ++index) {
        Append(MakeSquare({index * 0.1, 0}, 0.05));
    }
    list.RemoveAll();
    for (std::size_t index = 1; index < owned.size(); ++index) {
        list.AddTail(owned[index].get());
    }
    order.BlockPass(list, 1);
    auto* first = dynamic_cast<CCadOrderGroup*>(list.head->next->value);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->children.GetCount(), 201);
    EXPECT_EQ(list.GetCount(), 5);
    order.Clear();
}

TEST_F(CutOrderOptimize, ScanBlocksComeInBandOrderAndItemsByNearestCorner) {
    // Two bands of 50 mm from the top (code 6): the lower pair forms the second block. Inside a block the
    // head goes to the nearest rectangle corner; a single item is no block.
    auto* lowLeft = Append(MakeSquare({0, 0}, 10));
    auto* highRight = Append(MakeSquare({60, 90}, 10));
    auto* highLeft = Append(MakeSquare({0, 90}, 10));
    auto* lowRight = Append(MakeSquare({60, 0}, 10));
    SDPoint point{100, 100};
    order.ScanBlockOrder(list, 6, point);
    EXPECT_EQ(Order(), (std::vector<CCadElement*>{highRight, highLeft, lowLeft, lowRight}));
    EXPECT_EQ(At(point), (XY{60, 10}));
}

// A curve that records the origin its backlash is computed from.
class BacklashProbe : public CCadCurve {
  public:
    int Backlash(SDPoint* position, int* started) override {
        origin = *position;
        flag = *started;
        return 1;
    }
    SDPoint origin;
    int flag = 0;
};

TEST_F(CutOrderOptimize, BacklashOriginFollowsTheHeadPosition) {
    const std::vector<SDPoint> origins = {{0, 20},  {5, 20}, {10, 20}, {0, 10}, {5, 10},
                                          {10, 10}, {0, 0},  {5, 0},   {10, 0}, {10, 0}};
    auto* probe = Append(std::make_unique<BacklashProbe>());
    for (std::uint16_t position = 0; position < origins.size(); ++position) {
        gGeneralSettings.laserHeadPosition = position;
        CCutOrder::ApplyBacklash(list, CCadRect(0, 0, 10, 20, 0));
        EXPECT_EQ(At(probe->origin), At(origins[position])) << position;
        EXPECT_EQ(probe->flag, 1);
    }
}

}  // namespace
