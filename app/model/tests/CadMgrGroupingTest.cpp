// CCadMgr: Group, UnGroup, the array copy, auto close and the clipboard, with the counters, names and
// layers that follow every element joining or leaving the top level.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "Progress.h"

namespace {

class Grouping : public CadMgrFixture {
  protected:
    // Counters equal the top-level elements of each type, and every leaf is on exactly one layer.
    void ExpectRegistered() const {
        std::array<int, 7> counts{};
        for (CCadElement* element : Elements()) {
            ++counts[element->typeCode];
            EXPECT_FALSE(element->name.empty());
        }
        for (std::uint16_t type = kCurveElement; type <= kArrayElement; ++type) {
            EXPECT_EQ(manager->ElementCount(type), counts[type]) << "type " << type;
        }
        int onLayers = 0;
        for (const LayerSummary& layer : Layers()) {
            onLayers += layer.elements;
        }
        EXPECT_EQ(onLayers, CountLeaves());
    }
    int CountLeaves() const {
        int leaves = 0;
        for (CCadElement* element : Elements()) {
            leaves += LeavesOf(element);
        }
        return leaves;
    }
    static int LeavesOf(CCadElement* element) {
        auto* composite = dynamic_cast<CCadGroup*>(element);
        if (composite == nullptr) {
            return 1;
        }
        int leaves = 0;
        for (auto* node = composite->children.head->next; node != composite->children.head;
             node = node->next) {
            leaves += LeavesOf(node->value);
        }
        return leaves;
    }
    CCadArray* AddArray(int columns, int rows) {
        auto array = std::make_unique<CCadArray>();
        array->children.AddTail(MakeSquare({0, 0}, 4).release());
        array->columnCount = columns;
        array->rowCount = rows;
        array->columnSpacing = 1;
        array->rowSpacing = 1;
        array->CalRect();
        return Add(std::move(array));
    }
};

TEST_F(Grouping, GroupFlattensAndRegistersTheNewGroup) {
    auto outer = std::make_unique<CCadGroup>();
    outer->children.AddTail(MakeText(2).release());
    CCadGroup* group = Add(std::move(outer));
    CCadArray* array = AddArray(2, 3);
    CCadCurve* curve = AddSquare(50, 0, 5);
    manager->AddToSelection(group);
    manager->AddToSelection(array);
    manager->AddToSelection(curve);
    owner.Clear();
    manager->GroupSelection();

    ASSERT_EQ(Elements().size(), 1u);
    auto* made = dynamic_cast<CCadGroup*>(Elements()[0]);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, "Group1");
    EXPECT_EQ(made->children.GetCount(), 2 + 6 + 1);  // glyphs, cell groups, the curve
    EXPECT_EQ(Selected(), std::vector<CCadElement*>{made});
    EXPECT_EQ(Layers(),
              (std::vector<LayerSummary>{{CCadLayer::kVectorLayer, 0, 9}}));  // every cell on a layer
    ExpectRegistered();
    EXPECT_EQ(PostedMessages(),
              (std::vector<std::uint32_t>{kDrawingModifiedMessage, kElementsLoadedMessage}));
}

TEST_F(Grouping, GroupingKeepsTheLayersAndTheirParameters) {
    CCadCurve* a = AddSquare(0, 0, 5, 0xFF0000);
    CCadCurve* b = AddSquare(10, 0, 5, 0xFF0000);
    a->layer->commonParams.COM_Speed = 3.5;
    manager->AddToSelection(a);
    manager->GroupSelection();  // one selected: nothing
    EXPECT_EQ(Elements().size(), 2u);
    manager->AddToSelection(b);
    manager->GroupSelection();
    EXPECT_EQ(a->layer->commonParams.COM_Speed, 3.5);
    manager->UngroupSelection();
    EXPECT_EQ(a->layer->commonParams.COM_Speed, 3.5);
    ExpectRegistered();
}

TEST_F(Grouping, UngroupPutsPartsInPlaceAndCellsAtTheEnd) {
    AddSquare(0, 0, 1);
    AddSquare(2, 0, 1);
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(MakeSquare({10, 0}, 1).release());
    group->children.AddTail(MakePoint(11, 0).release());
    CCadGroup* added = Add(std::move(group));
    AddSquare(4, 0, 1);
    CCadArray* array = AddArray(2, 1);
    manager->AddToSelection(added);
    manager->AddToSelection(array);
    owner.Clear();
    manager->UngroupSelection();

    std::vector<std::uint16_t> types;
    for (CCadElement* element : Elements()) {
        types.push_back(element->typeCode);
    }
    EXPECT_EQ(types, (std::vector<std::uint16_t>{kCurveElement, kCurveElement, kCurveElement, kPointElement,
                                                 kCurveElement, kGroupElement, kGroupElement}));
    EXPECT_EQ(Elements()[2]->orderNumber, 3u);
    EXPECT_EQ(Names()[2], "Curve4");
    EXPECT_TRUE(Selected().empty());
    ExpectRegistered();
    // Without its own change report an ungroup was no undo step: an undo after it took the step before.
    EXPECT_EQ(PostedMessages(),
              (std::vector<std::uint32_t>{kDrawingModifiedMessage, kElementsLoadedMessage}));

    owner.Clear();
    manager->AddToSelection(Elements()[0]);
    manager->UngroupSelection();  // only a curve: nothing dissolved, nothing posted
    EXPECT_TRUE(PostedMessages().empty());
    EXPECT_EQ(Selected().size(), 1u);
}

TEST_F(Grouping, ArrayCopyFillsTheGridInSerpentineOrder) {
    CCadCurve* source = AddSquare(0, 0, 1, 0xFF0000);
    manager->AddToSelection(source);
    manager->ArrayCopySelection(1, 1, 10, 10, 0, 0);
    manager->ArrayCopySelection(0, 3, 10, 10, 0, 0);
    EXPECT_EQ(Elements().size(), 1u);

    manager->ArrayCopySelection(3, 2, 10, 20, 5, 0);
    std::vector<std::pair<double, double>> places;
    for (CCadElement* element : Elements()) {
        places.emplace_back(element->rect.x1, element->rect.y1);
    }
    EXPECT_EQ(places, (std::vector<std::pair<double, double>>{
                          {0, 0}, {10, 0}, {20, 0}, {25, 20}, {15, 20}, {5, 20}}));
    EXPECT_EQ(Layers(), (std::vector<LayerSummary>{{CCadLayer::kVectorLayer, 0xFF0000, 6}}));
    EXPECT_EQ(Names().back(), "Curve6");
    ExpectRegistered();
}

TEST_F(Grouping, AutoCloseReportsProgressInSteps) {
    for (int index = 0; index < 4; ++index) {
        manager->AddToSelection(Add(MakeCurve({{0, 0}, {10, 0}, {10, 10}, {0, 0.05}})));
    }
    manager->AutoCloseSelection(0.1, 0, 0.2, 0.5);
    EXPECT_DOUBLE_EQ(ProgressRatio, 0.7);
    EXPECT_EQ(static_cast<CCadCurve*>(Elements()[0])->closed, 1);
    manager->ClearSelection();
    manager->AutoCloseSelection(0.1, 0, 0.1, 0.3);
    EXPECT_DOUBLE_EQ(ProgressRatio, 0.4);
}

TEST_F(Grouping, PasteCentresCopiesUnderThePointer) {
    CCadCurve* source = Add(MakeCurve({{10, 10}, {30, 10}, {30, 20}, {10, 20}}, true));
    manager->PasteAt(0, 0);  // nothing copied yet
    EXPECT_EQ(Elements().size(), 1u);
    manager->AddToSelection(source);
    manager->CopySelection();
    manager->ClearSelection();
    manager->CopySelection();  // nothing selected: the clipboard keeps its copy

    // 800 x 600 client, zoom 100: logical (50000, 50000) lies 500 pixels right and up of the centre.
    owner.Clear();
    manager->PasteAt(400 + 500, 300 - 500);
    manager->PasteAt(400, 300);
    ASSERT_EQ(Elements().size(), 3u);
    const CCadRect& pasted = Elements()[1]->rect;
    EXPECT_NEAR(pasted.x1, 40, 1e-9);
    EXPECT_NEAR(pasted.y1, 45, 1e-9);
    EXPECT_NEAR(pasted.x2, 60, 1e-9);
    EXPECT_NEAR(pasted.y2, 55, 1e-9);
    EXPECT_NEAR(Elements()[2]->rect.x1, -10, 1e-9);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve1", "Curve2", "Curve3"}));
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage, kElementsLoadedMessage}));
    EXPECT_EQ(manager->clipboardList.GetCount(), 1);
}

TEST_F(Grouping, CutThenPasteGivesTheDrawingBackAtTheEnd) {
    CCadCurve* first = AddSquare(0, 0, 10);
    AddSquare(20, 0, 10);
    manager->AddToSelection(first);
    manager->CutSelection();
    EXPECT_EQ(Elements().size(), 1u);
    manager->PasteAt(400 + 50, 300 - 50);  // logical (5000, 5000): the centre of the cut square
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_NEAR(Elements()[1]->rect.x1, 0, 1e-9);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve2", "Curve1"}));
    ExpectRegistered();
}

TEST(ClampZoom, KeepsTheZoomWithinItsRange) {
    EXPECT_EQ(CCadMgr::ClampZoom(0.05), 0.1);
    EXPECT_EQ(CCadMgr::ClampZoom(std::nan("")), 0.1);
    EXPECT_EQ(CCadMgr::ClampZoom(2e5), 100000.0);
    EXPECT_EQ(CCadMgr::ClampZoom(3.5), 3.5);
}

}  // namespace
