// The bytes of an undo snapshot are a format of their own: a faster way of writing them must give the
// same bytes. A drawing with every kind of element, long names, large counts and a picture larger than
// any write buffer is stored, and the bytes are compared with the size and hash they have always had.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "Archive.h"
#include "CadArray.h"
#include "ElementBuilders.h"
#include "ShellDocumentFixture.h"

namespace {

// FNV-1a, 64 bits: enough to tell two byte strings apart in a test.
std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 0x100000001B3ULL;
    }
    return hash;
}

class UndoSnapshotBytesTest : public ShellDocumentFixture {
  protected:
    void AddRichDrawing() {
        auto withLeads = MakeSquare({5, 5}, 20);
        withLeads->name = std::string(300, 'n');  // past the one-byte length prefix
        withLeads->color = 0x00FF8040;
        withLeads->leadIn.enabled = 1;
        withLeads->leadIn.kind = 1;
        withLeads->leadIn.length = 2.5;
        withLeads->leadIn.arcCentre = {3.25, -1.5};
        withLeads->leadOut.lineMode = 2;
        withLeads->leadOut.angle = 45;
        Add(std::move(withLeads));

        auto curved = std::make_unique<CCadCurve>();
        cutrix::testing::AddRecords(
            curved->pathList,
            {cutrix::testing::Bezier({0, 0}, {1, 3}, {4, 3}, {5, 0}), cutrix::testing::Line({5, 0}, {0, 0})});
        curved->closed = 1;
        curved->CalRect();
        Add(std::move(curved));

        // More segments than a 16-bit count holds.
        std::vector<SDPoint> zigzag;
        for (int index = 0; index < 70000; ++index) {
            zigzag.push_back({index * 0.01, (index % 2) * 0.5});
        }
        Add(MakeCurve(zigzag));

        Add(MakePoint(-3, 7));
        Add(MakeText(3));
        Add(MakeBitmap(640, 480, {50, 60}));

        auto group = std::make_unique<CCadGroup>();
        group->children.AddTail(MakeSquare({100, 0}, 3).release());
        group->children.AddTail(MakePoint(101, 1).release());
        group->CalRect();
        Add(std::move(group));

        auto array = std::make_unique<CCadArray>();
        array->children.AddTail(MakeSquare({0, 100}, 4).release());
        array->columnCount = 3;
        array->rowCount = 2;
        array->columnSpacing = 1.5;
        array->CalRect();
        Add(std::move(array));
    }

    void Add(std::unique_ptr<CCadElement> element) { ASSERT_EQ(manager->AddElement(element.release()), 1); }
};

TEST_F(UndoSnapshotBytesTest, RichDrawingStoresTheBytesItAlwaysHas) {
    AddRichDrawing();
    platform::Archive ar = platform::Archive::ForStoring();
    doc.StoreUndo(ar);
    EXPECT_EQ(ar.Bytes().size(), 5222508u);
    EXPECT_EQ(Fnv1a(ar.Bytes()), 15071929871617114560ULL);
}

// The store reuses one buffer from snapshot to snapshot: what a larger snapshot left there never shows.
TEST_F(UndoSnapshotBytesTest, ReusedBufferGivesTheSameBytesAsAFreshOne) {
    AddRichDrawing();
    platform::Archive first = platform::Archive::ForStoring();
    doc.StoreUndo(first);
    const std::vector<std::uint8_t> large = first.TakeBytes();

    manager->DeleteAll();
    Add(MakeSquare({1, 2}, 3));
    platform::Archive fresh = platform::Archive::ForStoring();
    doc.StoreUndo(fresh);
    platform::Archive reused = platform::Archive::ForStoring(large);
    doc.StoreUndo(reused);
    EXPECT_EQ(reused.Bytes(), fresh.Bytes());
}

}  // namespace
