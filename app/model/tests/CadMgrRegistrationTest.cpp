// CCadMgr: elements entering and leaving the drawing, their names and the layers of their colours.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "CadPoint.h"
#include "CurrentEditLayer.h"

namespace {

using Registration = CadMgrFixture;
using Layer = LayerSummary;
constexpr std::uint32_t kBlue = 0xFF0000;  // slot 1

TEST_F(Registration, OneLayerPerColourLivesAsLongAsItsElements) {
    CCadCurve* first = AddSquare(0, 0, 10, kBlue);
    CCadCurve* second = AddSquare(20, 0, 10, kBlue);
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kVectorLayer, kBlue, 2}}));
    EXPECT_EQ(first->layer, second->layer);

    manager->DeleteElement(first);
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kVectorLayer, kBlue, 1}}));
    manager->DeleteElement(second);
    EXPECT_TRUE(Layers().empty());
    EXPECT_EQ(manager->ElementCount(kCurveElement), 0);
}

TEST_F(Registration, NewLayerTakesTheParametersOfItsSlot) {
    manager->vectorLayerTable[1].commonParams.COM_Speed = 42.0;
    CCadCurve* curve = AddSquare(0, 0, 10, kBlue);
    EXPECT_EQ(curve->layer->commonParams.COM_Speed, 42.0);
}

TEST_F(Registration, NewColourClaimsTheFirstFreeSlotOfBothTables) {
    constexpr std::uint32_t kNewColour = 0x123456;
    Add(MakeBitmap(8, 8, {0, 0}), kNewColour);
    EXPECT_EQ(manager->vectorLayerTable[20].commonParams.COM_Color, kNewColour);
    EXPECT_EQ(manager->bitmapLayerTable[20].commonParams.COM_Color, kNewColour);
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kBitmapLayer, kNewColour, 1}}));
    EXPECT_EQ(manager->GetVectorTableIndex(kNewColour), 20);
}

// With every slot claimed a new colour borrows slot 0's parameters, yet its layer keeps its own colour,
// so that the colour still finds the layer and deleting the element leaves no layer behind.
TEST_F(Registration, FullTableStillGivesTheElementsColour) {
    for (int slot = 20; slot < CCadMgr::kLayerTableSize; ++slot) {
        manager->vectorLayerTable[slot].commonParams.COM_Color = 0x10000 + slot;
    }
    constexpr std::uint32_t kUnslotted = 0xABCDEF;
    CCadCurve* first = AddSquare(0, 0, 10, kUnslotted);
    CCadCurve* second = AddSquare(0, 0, 10, kUnslotted);
    EXPECT_EQ(manager->GetVectorTableIndex(kUnslotted), 0);
    EXPECT_EQ(manager->vectorLayerTable[0].commonParams.COM_Color, 0u);
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kVectorLayer, kUnslotted, 2}}));
    manager->DeleteElement(first);
    manager->DeleteElement(second);
    EXPECT_TRUE(Layers().empty());
}

TEST_F(Registration, CompositesLayTheirLeavesOnLayersAndStayOffThem) {
    auto group = std::make_unique<CCadGroup>();
    auto curve = MakeSquare({0, 0}, 5);
    curve->color = kBlue;
    auto bitmap = MakeBitmap(4, 4, {0, 0});
    bitmap->color = kBlue;
    group->children.AddTail(curve.release());
    group->children.AddTail(bitmap.release());
    auto text = MakeText(2);
    auto inner = std::make_unique<CCadGroup>();
    inner->children.AddTail(MakeText(3).release());
    group->children.AddTail(inner.release());
    CCadGroup* added = Add(std::move(group));
    Add(std::move(text));
    EXPECT_EQ(added->layer, nullptr);
    // The text nested in the group lays its glyphs on a layer too: output meets every leaf.
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kVectorLayer, kBlue, 1},
                                            {CCadLayer::kBitmapLayer, kBlue, 1},
                                            {CCadLayer::kVectorLayer, 0, 5}}));
    manager->DeleteAll();
    EXPECT_TRUE(Layers().empty());
}

TEST_F(Registration, NamesTakeTheSmallestFreeNumber) {
    CCadCurve* first = AddSquare(0, 0, 1);
    AddSquare(0, 0, 1);
    AddSquare(0, 0, 1);
    Add(MakePoint(1, 1));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve1", "Curve2", "Curve3", "Point1"}));
    manager->DeleteElement(first);
    AddSquare(0, 0, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve2", "Curve3", "Point1", "Curve1"}));
    manager->DeleteAll();
    AddSquare(0, 0, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve1"}));
}

// Against the plain rule (smallest k up to the count that no element of the type holds, else count + 1)
// over a long random run of additions and deletions.
TEST_F(Registration, NamingFollowsThePlainRuleOverARandomRun) {
    std::uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1103515245u + 12345u; };
    for (int step = 0; step < 400; ++step) {
        const std::vector<CCadElement*> elements = Elements();
        if (!elements.empty() && next() % 3 == 0) {
            manager->DeleteElement(elements[(next() >> 8) % elements.size()]);
            continue;
        }
        const int count = manager->ElementCount(kCurveElement);
        const std::vector<std::string> names = Names();
        std::string expected;
        for (int k = 1; k <= count + 1 && expected.empty(); ++k) {
            const std::string candidate = "Curve" + std::to_string(k);
            if (k == count + 1 || std::find(names.begin(), names.end(), candidate) == names.end()) {
                expected = candidate;
            }
        }
        EXPECT_EQ(AddSquare(0, 0, 1)->name, expected) << "step " << step;
    }
}

TEST_F(Registration, RefusesWhatItCannotHold) {
    struct Unknown : CCadElement {
        Unknown() : CCadElement(7) {}
    };
    Unknown unknown;
    EXPECT_EQ(manager->AddElement(nullptr), 0);
    EXPECT_EQ(manager->AddElement(&unknown), 0);
    CCadCurve* curve = AddSquare(0, 0, 1);
    EXPECT_EQ(manager->AddElement(curve), 0);  // already in the drawing
    EXPECT_EQ(Elements().size(), 1u);
    EXPECT_EQ(manager->ElementCount(kCurveElement), 1);
}

TEST_F(Registration, SelectionMovesToAnotherColour) {
    CCadCurve* curve = AddSquare(0, 0, 1, kBlue);
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(MakePoint(1, 1).release());
    CCadGroup* added = Add(std::move(group), kBlue);
    manager->SetSelectionLayer(0x0000FF);
    EXPECT_EQ(manager->drawColor, 0x0000FFu);
    EXPECT_TRUE(PostedMessages().empty());  // empty selection: only the colour

    manager->AddToSelection(curve);
    manager->AddToSelection(added);
    manager->SetSelectionLayer(0x0000FF);
    EXPECT_EQ(curve->color, 0x0000FFu);
    EXPECT_EQ(Layers(), (std::vector<Layer>{{CCadLayer::kVectorLayer, 0x0000FF, 2}}));
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage, kDrawingModifiedMessage}));
}

TEST_F(Registration, EditedLayerParametersGoBackToTheirSlot) {
    CCadCurve* curve = AddSquare(0, 0, 1, kBlue);
    Add(MakeBitmap(4, 4, {0, 0}), kBlue);
    curve->layer->commonParams.COM_Speed = 7.0;
    manager->CopyLayersToTables();
    EXPECT_EQ(manager->vectorLayerTable[1].commonParams.COM_Speed, 7.0);
    EXPECT_NE(manager->bitmapLayerTable[1].commonParams.COM_Speed, 7.0);
}

TEST_F(Registration, FreedLayerIsNoLongerTheEditedOne) {
    CCadCurve* kept = AddSquare(0, 0, 1, kBlue);
    CCadCurve* dropped = AddSquare(5, 0, 1, 0x00FF00);
    CurrentEditLayer = kept->layer;
    manager->DeleteElement(dropped);
    EXPECT_EQ(CurrentEditLayer, kept->layer);
    manager->DeleteElement(kept);
    EXPECT_EQ(CurrentEditLayer, nullptr);
}

}  // namespace
