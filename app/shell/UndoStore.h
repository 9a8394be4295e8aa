// Undo and redo over whole snapshots of the drawing's elements, kept as the files "0.tmp" (newest) to
// "20.tmp" in the program folder's temp/ folder. CUndoStore moves and reads the files; UndoHistory is the
// view's place in them and decides what Undo and Redo may do.
//
// Each snapshot is written once, into a temporary file that becomes slot 0 only when it is whole; a slot
// is never written in place. Snapshots only live for one run, so they do not wait for the disk. Every
// write is checked, and a snapshot is read whole before it replaces anything.
#pragma once

#include <filesystem>
#include <string>

class CCutrixDoc;

class CUndoStore {
  public:
    static constexpr int kLastSlot = 20;

    static std::filesystem::path Folder();
    static std::filesystem::path SlotPath(int index);

    // Each returns false when a file could not be made, written, renamed or read.
    // Creates the folder when missing, and every slot empty.
    static bool Init();
    // The current drawing into every slot: written once, the other slots naming the same file.
    static bool ClearAll(const CCutrixDoc& doc);
    // Every slot one older (the oldest dropped), then the current drawing into slot 0. When the snapshot
    // cannot be written, the slots stay as they were.
    static bool Push(const CCutrixDoc& doc);
    // The snapshot of the slot (index held to 0..20) replaces the drawing's elements; a missing, short
    // or damaged one changes nothing.
    static bool Load(CCutrixDoc& doc, int index);
    // Drops the snapshots newer than the position: slot `position` becomes slot 0 and the freed slots at
    // the old end are empty; count becomes count + 1 - position, at most 20. Position 0 or above 20
    // changes nothing.
    static bool DropRedo(int position, int& count);
};

class UndoHistory {
  public:
    // A new or opened document: every slot holds the drawing of this moment.
    void Start(const CCutrixDoc& doc);
    // The drawing manager reported a change: the document is modified and the new state becomes slot 0,
    // dropping what had been undone.
    void OnDrawingModified(CCutrixDoc& doc);
    bool CanUndo() const { return working_ && position_ < count_; }
    bool CanRedo() const { return working_ && position_ >= 1; }
    // Each returns true when the drawing changed.
    bool Undo(CCutrixDoc& doc);
    bool Redo(CCutrixDoc& doc);

    int Count() const { return count_; }
    int Position() const { return position_; }
    // False once a snapshot could not be written or read: the slots no longer follow the drawing, so
    // Undo and Redo stay off until the next document starts the history again.
    bool IsWorking() const { return working_; }
    // Empty while working; else the status bar's text saying why Undo and Redo are off.
    std::string StatusText() const;

  private:
    bool Step(CCutrixDoc& doc, int newPosition);

    int count_ = 0;
    int position_ = 0;
    bool undone_ = false;
    bool working_ = true;
};
