// Undo snapshots: the history's counts through changes, undos and redos, what a snapshot restores, and
// snapshots that cannot be written or read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
