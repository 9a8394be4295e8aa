// Undo snapshots: the history's counts through changes, undos and redos, what a snapshot restores, and
// snapshots that cannot be written or read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Archive.h"
#include "AtomicFile.h"
#include "ShellDocumentFixture.h"
#include "UndoStore.h"

namespace {

class UndoStoreTest : public ShellDocumentFixture {
  protected:
    void SetUp() override {
        ShellDocumentFixture::SetUp();
        history.Start(doc);
    }

    // One change: a square at x = next left edge, as the view reports it.
    void Change() {
        AddSquare(10.0 * changes++, 0, 5);
        history.OnDrawingModified(doc);
    }

    // The undo folder made unwritable: a plain file stands where the folder was.
    void BlockTheUndoFolder() {
        std::filesystem::remove_all(CUndoStore::Folder());
        std::ofstream(CUndoStore::Folder()) << "x";
    }

    UndoHistory history;
    int changes = 0;
};

TEST_F(UndoStoreTest, StartFillsEverySlotWithTheDrawing) {
    for (int index = 0; index <= CUndoStore::kLastSlot; ++index) {
        EXPECT_TRUE(std::filesystem::exists(CUndoStore::SlotPath(index))) << index;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(UndoStoreTest, TwentyFiveChangesKeepTwentySteps) {
    for (int i = 0; i < 25; ++i) {
        Change();
    }
    EXPECT_EQ(history.Count(), 20);
    for (int step = 1; step <= 20; ++step) {
        ASSERT_TRUE(history.CanUndo()) << step;
        ASSERT_TRUE(history.Undo(doc)) << step;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(ElementLefts().size(), 5u);  // the drawing after change 5
    EXPECT_TRUE(history.IsWorking());
}

TEST_F(UndoStoreTest, ChangeAfterTwoUndosDropsTheNewerSnapshots) {
    for (int i = 0; i < 5; ++i) {
        Change();
    }
    ASSERT_TRUE(history.Undo(doc));
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(ElementLefts().size(), 3u);
    Change();
    EXPECT_EQ(history.Count(), 4);  // 5 + 1 - 2
    EXPECT_EQ(history.Position(), 0);
    EXPECT_FALSE(history.CanRedo());
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(ElementLefts().size(), 3u);
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(ElementLefts().size(), 2u);
}

TEST_F(UndoStoreTest, UndoRedoThenChangeDropsNothing) {
    for (int i = 0; i < 5; ++i) {
        Change();
    }
    ASSERT_TRUE(history.Undo(doc));
    ASSERT_TRUE(history.Redo(doc));
    EXPECT_EQ(ElementLefts().size(), 5u);
    Change();
    EXPECT_EQ(history.Count(), 5);
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(ElementLefts().size(), 5u);
}

TEST_F(UndoStoreTest, UndoRestoresElementsButNotLayerParametersOrSettings) {
    Change();
    Change();
    manager->workWidth = 321.0;
    manager->vectorLayerTable[0].commonParams.COM_Speed = 42.0;

    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(ElementLefts(), std::vector<double>{0.0});
    EXPECT_EQ(manager->workWidth, 321.0);
    EXPECT_EQ(manager->vectorLayerTable[0].commonParams.COM_Speed, 42.0);
}

TEST_F(UndoStoreTest, ChangeMarksTheDocumentModified) {
    Change();
    EXPECT_TRUE(doc.IsModified());
}

// Loading used to delete the drawing before reading the snapshot, so a short slot left an empty drawing.
TEST_F(UndoStoreTest, TruncatedSlotLeavesTheDrawing) {
    Change();
    Change();
    const std::filesystem::path slot = CUndoStore::SlotPath(1);
    std::vector<std::uint8_t> bytes = *platform::ReadWholeFile(slot);
    bytes.pop_back();
    ASSERT_TRUE(platform::WriteFileAtomically(slot, bytes));

    EXPECT_FALSE(history.Undo(doc));
    EXPECT_EQ(ElementLefts(), (std::vector<double>{0.0, 10.0}));
    EXPECT_EQ(history.Position(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.StatusText().empty());
}

// A failed snapshot write used to go unnoticed, and Undo then loaded whatever the slots held.
TEST_F(UndoStoreTest, FailedWriteTurnsUndoAndRedoOffWithAStatusText) {
    Change();
    Change();
    BlockTheUndoFolder();
    Change();
    EXPECT_FALSE(history.IsWorking());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Undo(doc));
    EXPECT_EQ(ElementLefts().size(), 3u);
    EXPECT_EQ(history.StatusText(),
              "Undo and Redo are off: a snapshot in the temp folder could not be written or read");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(UndoStoreTest, NewDocumentStartsTheHistoryAgainAfterAFailure) {
    BlockTheUndoFolder();
    Change();
    ASSERT_FALSE(history.IsWorking());
    std::filesystem::remove(CUndoStore::Folder());
    history.Start(doc);
    EXPECT_TRUE(history.IsWorking());
    EXPECT_TRUE(history.StatusText().empty());
    Change();
    EXPECT_TRUE(history.CanUndo());
}

// The undo form of the drawing as it stands: equal bytes are an equal state.
std::vector<std::uint8_t> UndoBytes(const CCutrixDoc& doc) {
    platform::Archive ar = platform::Archive::ForStoring();
    doc.StoreUndo(ar);
    return ar.TakeBytes();
}

// A large drawing changed twenty times: every Undo gives back the state before its change, byte for
// byte, and every Redo the state after it, through all 21 states.
TEST_F(UndoStoreTest, LargeDrawingComesBackExactlyThroughAllTwentyOneStates) {
    constexpr int kCurves = 10000;
    for (int index = 0; index < kCurves; ++index) {
        AddSquare((index % 100) * 3.0, (index / 100) * 3.0, 2.0 + (index % 7) * 0.125);
    }
    history.Start(doc);
    std::vector<std::vector<std::uint8_t>> states{UndoBytes(doc)};
    for (int change = 1; change <= CUndoStore::kLastSlot; ++change) {
        // Each change moves one curve and deletes another, so that states differ in content and count.
        CCadElement* moved = manager->elementList.head->next->next->value;
        moved->TransMove(0.5 * change, -0.25);
        manager->DeleteElement(manager->elementList.head->prev->value);
        history.OnDrawingModified(doc);
        states.push_back(UndoBytes(doc));
    }
    ASSERT_TRUE(history.IsWorking());
    for (int step = CUndoStore::kLastSlot - 1; step >= 0; --step) {
        ASSERT_TRUE(history.Undo(doc)) << step;
        ASSERT_EQ(UndoBytes(doc), states[static_cast<std::size_t>(step)]) << "undo to state " << step;
    }
    EXPECT_FALSE(history.CanUndo());
    for (int step = 1; step <= CUndoStore::kLastSlot; ++step) {
        ASSERT_TRUE(history.Redo(doc)) << step;
        ASSERT_EQ(UndoBytes(doc), states[static_cast<std::size_t>(step)]) << "redo to state " << step;
    }
    EXPECT_FALSE(history.CanRedo());
}

// A snapshot that cannot be written must not cost the older ones: they stay in their slots.
TEST_F(UndoStoreTest, FailedPushLeavesTheOlderSnapshotsInTheirSlots) {
    Change();
    Change();
    const std::vector<std::uint8_t> older = *platform::ReadWholeFile(CUndoStore::SlotPath(1));
    const std::vector<std::uint8_t> oldest = *platform::ReadWholeFile(CUndoStore::SlotPath(2));
    std::filesystem::remove(CUndoStore::SlotPath(0));
    std::filesystem::create_directory(CUndoStore::SlotPath(0));  // no file can replace a folder

    EXPECT_FALSE(CUndoStore::Push(doc));
    EXPECT_TRUE(std::filesystem::is_directory(CUndoStore::SlotPath(0)));
    EXPECT_EQ(*platform::ReadWholeFile(CUndoStore::SlotPath(1)), older);
    EXPECT_EQ(*platform::ReadWholeFile(CUndoStore::SlotPath(2)), oldest);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(CUndoStore::Folder())) {
        ++entries;
    }
    EXPECT_EQ(entries, static_cast<std::size_t>(CUndoStore::kLastSlot + 1));  // no temporary left behind
}

// The history starts from one snapshot: the other slots name the same file instead of copies of it.
TEST_F(UndoStoreTest, StartWritesTheDrawingOnce) {
    AddSquare(0, 0, 5);
    history.Start(doc);
    const auto first = std::filesystem::status(CUndoStore::SlotPath(0));
    ASSERT_TRUE(std::filesystem::is_regular_file(first));
    EXPECT_EQ(std::filesystem::hard_link_count(CUndoStore::SlotPath(0)),
              static_cast<std::uintmax_t>(CUndoStore::kLastSlot + 1));
    for (int index = 1; index <= CUndoStore::kLastSlot; ++index) {
        EXPECT_TRUE(std::filesystem::equivalent(CUndoStore::SlotPath(0), CUndoStore::SlotPath(index))) << index;
    }
    Change();  // a new slot 0 never writes over the shared file
    ASSERT_TRUE(CUndoStore::Load(doc, 1));
    EXPECT_EQ(ElementLefts(), std::vector<double>{0.0});
}

TEST_F(UndoStoreTest, LoadHoldsTheIndexToTheSlots) {
    Change();
    EXPECT_TRUE(CUndoStore::Load(doc, -3));  // slot 0: the drawing as it is
    EXPECT_EQ(ElementLefts(), std::vector<double>{0.0});
    EXPECT_TRUE(CUndoStore::Load(doc, 99));  // slot 20: the starting drawing
    EXPECT_TRUE(ElementLefts().empty());
}

TEST_F(UndoStoreTest, DropRedoShiftsTheSlotsDown) {
    for (int i = 0; i < 3; ++i) {
        Change();
    }
    int count = 3;
    ASSERT_TRUE(CUndoStore::DropRedo(2, count));
    EXPECT_EQ(count, 2);
    ASSERT_TRUE(CUndoStore::Load(doc, 0));
    EXPECT_EQ(ElementLefts().size(), 1u);  // slot 2 before the drop
    EXPECT_EQ(std::filesystem::file_size(CUndoStore::SlotPath(20)), 0u);
    EXPECT_EQ(std::filesystem::file_size(CUndoStore::SlotPath(19)), 0u);

    int unchanged = 7;
    EXPECT_TRUE(CUndoStore::DropRedo(0, unchanged));
    EXPECT_TRUE(CUndoStore::DropRedo(21, unchanged));
    EXPECT_EQ(unchanged, 7);
}

}  // namespace
