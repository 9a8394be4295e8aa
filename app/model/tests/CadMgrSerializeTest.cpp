// CCadMgr: the drawing and undo forms, stored and loaded back, and every refused load leaving the drawing
// as it was.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "CadPoint.h"
#include "RecordBytes.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // slot 2
constexpr std::uint32_t kLayerMarker = 0xAABBCCDD;

// An element of a type no reader knows; its record is the base record.
struct AlienElement : CCadElement {
    AlienElement() : CCadElement(9) {}
};

class DrawingForms : public CadMgrFixture {
  protected:
    // Two curves, a group, a text and an array of one colour, and a bitmap.
    void BuildDrawing() {
        AddSquare(0, 0, 10, kRed);
        AddSquare(20, 0, 10, kRed);
        auto group = std::make_unique<CCadGroup>();
        auto member = MakeSquare({40, 0}, 5);
        member->color = kRed;
        group->children.AddTail(member.release());
        Add(std::move(group), kRed);
        auto text = MakeText(2);
        ForEachChild(*text, [](CCadElement& glyph) { glyph.color = kRed; });
        Add(std::move(text), kRed);
        auto array = std::make_unique<CCadArray>();
        auto cell = MakeSquare({0, 50}, 4);
        cell->color = kRed;
        array->children.AddTail(cell.release());
        array->columnCount = 3;
        array->CalRect();
        Add(std::move(array), kRed);
        Add(MakeBitmap(8, 8, {100, 100}), kRed);
    }
    static void ForEachChild(CCadGroup& group, void (*action)(CCadElement&)) {
        for (auto* node = group.children.head->next; node != group.children.head; node = node->next) {
            action(*node->value);
        }
    }

    std::vector<std::uint8_t> Stored(int (CCadMgr::*form)(platform::Archive&)) {
        platform::Archive ar = platform::Archive::ForStoring();
        EXPECT_EQ((manager.get()->*form)(ar), 1);
        return ar.Bytes();
    }
    int Load(int (CCadMgr::*form)(platform::Archive&), std::vector<std::uint8_t> bytes) {
        platform::Archive ar = platform::Archive::ForLoading(std::move(bytes));
        return (manager.get()->*form)(ar);
    }

    std::vector<std::uint16_t> Types() const {
        std::vector<std::uint16_t> types;
        for (CCadElement* element : Elements()) {
            types.push_back(element->typeCode);
        }
        return types;
    }
    // What a refused load must leave as it was.
    struct Snapshot {
        std::vector<std::string> names;
        std::vector<LayerSummary> layers;
        std::vector<CCadElement*> elements;
        std::vector<CCadElement*> selected;
        int curves;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() const {
        return {Names(), Layers(), Elements(), Selected(), manager->ElementCount(kCurveElement)};
    }
};

const std::vector<std::uint16_t> kBuiltTypes = {kCurveElement, kCurveElement, kGroupElement,
                                                kTextElement,  kArrayElement, kBitmapElement};

TEST_F(DrawingForms, DrawingComesBackWithItsLayersOrderAndFreshNames) {
    BuildDrawing();
    manager->DeleteElement(Elements()[0]);  // names now start at Curve2
    AddSquare(0, 0, 10, kRed);
    const std::vector<std::uint8_t> bytes = Stored(&CCadMgr::SerializeDrawing);
    const std::vector<std::uint16_t> types = Types();
    manager->DeleteAll();
    owner.Clear();

    EXPECT_EQ(Load(&CCadMgr::SerializeDrawing, bytes), 1);
    EXPECT_EQ(Types(), types);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Curve1", "Group1", "Text1", "Array1", "Bitmap1", "Curve2"}));
    EXPECT_EQ(Layers(), (std::vector<LayerSummary>{{CCadLayer::kVectorLayer, kRed, 6},
                                                   {CCadLayer::kBitmapLayer, kRed, 1}}));
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage}));
}

// Loaded layers keep their stored parameters: elements join them rather than fresh ones from the tables.
TEST_F(DrawingForms, ElementsJoinTheLoadedLayers) {
    BuildDrawing();
    Elements()[0]->layer->commonParams.COM_Speed = 12.5;
    const std::vector<std::uint8_t> bytes = Stored(&CCadMgr::SerializeDrawing);
    manager->DeleteAll();
    ASSERT_EQ(Load(&CCadMgr::SerializeDrawing, bytes), 1);
    EXPECT_EQ(Elements()[0]->layer->commonParams.COM_Speed, 12.5);
}

TEST_F(DrawingForms, OlderDrawingWithoutLayersAndUndoFormReadElementsAlone) {
    BuildDrawing();
    const std::vector<std::uint8_t> undo = Stored(&CCadMgr::SerializeUndo);
    manager->DeleteAll();
    AddSquare(0, 0, 1, 0xFF0000);  // its layer stays: neither form replaces layers
    owner.Clear();

    EXPECT_EQ(Load(&CCadMgr::SerializeDrawing, undo), 1);
    EXPECT_EQ(Layers().front(), (LayerSummary{CCadLayer::kVectorLayer, 0xFF0000, 1}));
    manager->DeleteAll();
    EXPECT_EQ(Load(&CCadMgr::SerializeUndo, undo), 1);
    EXPECT_EQ(Types(), kBuiltTypes);
    EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage, kElementsLoadedMessage}));
}

TEST_F(DrawingForms, EmptyDrawingStillTellsTheOwner) {
    for (auto form : {&CCadMgr::SerializeDrawing, &CCadMgr::SerializeUndo}) {
        owner.Clear();
        EXPECT_EQ(Load(form, RecordBytes().U32(0).Bytes()), 1);
        EXPECT_EQ(PostedMessages(), (std::vector<std::uint32_t>{kElementsLoadedMessage}));
    }
}

TEST_F(DrawingForms, RefusedLoadsChangeNothing) {
    BuildDrawing();
    const std::vector<std::uint8_t> whole = Stored(&CCadMgr::SerializeDrawing);
    manager->AddToSelection(Elements()[1]);

    platform::Archive topLevel = platform::Archive::ForStoring();
    topLevel << kLayerMarker << std::uint32_t{0} << std::uint32_t{2};
    topLevel << std::uint16_t{kCurveElement};
    Elements()[0]->Serialize(topLevel);
    AlienElement alien;
    topLevel << std::uint16_t{9};
    alien.Serialize(topLevel);

    platform::Archive nested = platform::Archive::ForStoring();
    CCadGroup group;
    group.children.AddTail(new AlienElement);
    nested << kLayerMarker << std::uint32_t{0} << std::uint32_t{1} << std::uint16_t{kGroupElement};
    group.Serialize(nested);

    platform::Archive layerType = platform::Archive::ForStoring();
    layerType << kLayerMarker << std::uint32_t{1} << std::uint16_t{5} << std::uint32_t{0};

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::size_t messageBoxes;
    };
    const std::vector<Case> cases = {
        {"unknown element type", topLevel.Bytes(), 1},
        {"unknown type inside a group", nested.Bytes(), 1},
        {"unknown layer type", layerType.Bytes(), 0},
        {"cut by one byte", {whole.begin(), whole.end() - 1}, 0},
        {"element count beyond the end", RecordBytes().U32(1000).U16(1).Bytes(), 0},
    };
    const Snapshot before = Take();
    for (const Case& c : cases) {
        owner.Clear();
        EXPECT_EQ(Load(&CCadMgr::SerializeDrawing, c.bytes), 0) << c.name;
        EXPECT_EQ(Take(), before) << c.name;
        EXPECT_TRUE(owner.Posted().empty()) << c.name;
        ASSERT_EQ(owner.Shown().size(), c.messageBoxes) << c.name;
        if (c.messageBoxes == 1) {
            EXPECT_EQ(owner.Shown()[0].text, "Unknown element exists!");
        }
    }
}

// Every cut of a real drawing is refused whole, under the sanitizers.
TEST_F(DrawingForms, EveryTruncationIsRefused) {
    BuildDrawing();
    const std::vector<std::uint8_t> whole = Stored(&CCadMgr::SerializeDrawing);
    const std::vector<std::uint8_t> undo = Stored(&CCadMgr::SerializeUndo);
    manager->DeleteAll();
    for (std::size_t length = 0; length < whole.size(); length += 1 + length / 16) {
        EXPECT_EQ(Load(&CCadMgr::SerializeDrawing, {whole.begin(), whole.begin() + length}), 0) << length;
        EXPECT_EQ(Load(&CCadMgr::SerializeUndo, {undo.begin(), undo.begin() + std::min(length, undo.size() - 1)}), 0)
            << length;
        ASSERT_TRUE(Elements().empty()) << length;
        ASSERT_TRUE(Layers().empty()) << length;
    }
}

TEST_F(DrawingForms, SettingsBlockStartsANewDrawingUnlessRefused) {
    BuildDrawing();
    platform::Archive stored = platform::Archive::ForStoring();
    manager->Serialize(stored);
    std::vector<std::uint8_t> refused = stored.Bytes();
    refused[0] = 0;  // a work width of almost nothing
    refused[7] = 0;

    platform::Archive refusedBlock = platform::Archive::ForLoading(refused);
    EXPECT_EQ(manager->Serialize(refusedBlock), 0);
    EXPECT_EQ(Types(), kBuiltTypes);

    platform::Archive block = platform::Archive::ForLoading(stored.Bytes());
    EXPECT_EQ(manager->Serialize(block), 1);
    EXPECT_TRUE(Elements().empty());
    EXPECT_TRUE(Layers().empty());
    EXPECT_EQ(AddSquare(0, 0, 1)->name, "Curve1");
}

}  // namespace
