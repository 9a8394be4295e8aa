// CUndoStore and UndoHistory: the snapshot files and the view's place among them.
#include "UndoStore.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>

#include "Archive.h"
#include "AtomicFileStream.h"
#include "CutrixDoc.h"
#include "MappedFile.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A slot that holds no snapshot.
bool WriteEmptyFile(const std::filesystem::path& file) {
    std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(file.c_str(), "wb"));
    return stream && std::fclose(stream.release()) == 0;
}

// A missing source is not an error: the slots behind a fresh history may not exist yet.
bool RenameIfPresent(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    if (!std::filesystem::exists(from, error)) {
        return true;
    }
    std::filesystem::rename(from, to, error);
    return !error;
}

bool RemoveIfPresent(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::remove(file, error);
    return !error;
}

// The snapshot goes into a temporary sibling of slot 0 first; only once it is written whole do the slots
// shift and it become slot 0, so a failed write leaves every older snapshot where it was. Snapshots live
// for one run only, so the file is not made to wait for the disk.
template <typename BeforePublishing>
bool WriteSnapshot(const CCutrixDoc& doc, BeforePublishing&& beforePublishing) {
    platform::AtomicFileStream stream(CUndoStore::SlotPath(0),
                                      platform::AtomicFileStream::Durability::kWhileRunning);
    platform::Archive ar = platform::Archive::ForStoringInto(stream.File());
    doc.StoreUndo(ar);
    if (!ar.Flush() || std::fflush(stream.File()) != 0) {
        return false;  // a full disk shows here, before any slot has moved
    }
    const bool shifted = beforePublishing();
    return stream.Commit() && shifted;
}

}  // namespace

std::filesystem::path CUndoStore::Folder() {
    return platform::ProgramFolder() / "temp";
}

std::filesystem::path CUndoStore::SlotPath(int index) {
    return Folder() / (std::to_string(index) + ".tmp");
}

bool CUndoStore::Init() {
    std::error_code error;
    std::filesystem::create_directories(Folder(), error);
    if (error) {
        return false;
    }
    bool ok = true;
    for (int index = 0; index <= kLastSlot; ++index) {
        ok = WriteEmptyFile(SlotPath(index)) && ok;
    }
    return ok;
}

// The starting drawing is written once; the other slots are further names of the same file. Every later
// write replaces a slot's name with a new file, so the shared content is never written over.
bool CUndoStore::ClearAll(const CCutrixDoc& doc) {
    if (!WriteSnapshot(doc, [] { return true; })) {
        return false;
    }
    bool ok = true;
    for (int index = 1; index <= kLastSlot; ++index) {
        std::error_code error;
        std::filesystem::remove(SlotPath(index), error);
        std::filesystem::create_hard_link(SlotPath(0), SlotPath(index), error);
        ok = !error && ok;
    }
    return ok;
}

bool CUndoStore::Push(const CCutrixDoc& doc) {
    return WriteSnapshot(doc, [] {
        bool ok = RemoveIfPresent(SlotPath(kLastSlot));
        for (int index = kLastSlot; index >= 1; --index) {
            ok = RenameIfPresent(SlotPath(index - 1), SlotPath(index)) && ok;
        }
        return ok;
    });
}

bool CUndoStore::Load(CCutrixDoc& doc, int index) {
    index = std::clamp(index, 0, kLastSlot);
    // Slots are only ever replaced by renaming, so a mapping of one is safe to read.
    const std::optional<platform::MappedFile> mapped = platform::MappedFile::Open(SlotPath(index));
    return mapped && doc.LoadUndo(mapped->Bytes());
}

bool CUndoStore::DropRedo(int position, int& count) {
    if (position <= 0 || position > kLastSlot) {
        return true;
    }
    bool ok = true;
    for (int index = 0; index < position; ++index) {
        ok = RemoveIfPresent(SlotPath(index)) && ok;
    }
    for (int index = 0; index <= kLastSlot - position; ++index) {
        ok = RenameIfPresent(SlotPath(position + index), SlotPath(index)) && ok;
    }
    for (int index = kLastSlot + 1 - position; index <= kLastSlot; ++index) {
        ok = WriteEmptyFile(SlotPath(index)) && ok;
    }
    count = std::min(count + 1 - position, kLastSlot);
    return ok;
}

void UndoHistory::Start(const CCutrixDoc& doc) {
    count_ = 0;
    position_ = 0;
    undone_ = false;
    working_ = CUndoStore::Init() && CUndoStore::ClearAll(doc);
}

void UndoHistory::OnDrawingModified(CCutrixDoc& doc) {
    doc.SetModifiedFlag();
    if (!working_) {
        return;
    }
    if (undone_) {
        working_ = CUndoStore::DropRedo(position_, count_);
        undone_ = false;
    } else if (count_ < CUndoStore::kLastSlot) {
        ++count_;
    }
    position_ = 0;
    working_ = CUndoStore::Push(doc) && working_;
}

bool UndoHistory::Undo(CCutrixDoc& doc) {
    return CanUndo() && position_ < CUndoStore::kLastSlot && Step(doc, position_ + 1);
}

bool UndoHistory::Redo(CCutrixDoc& doc) {
    return CanRedo() && Step(doc, position_ - 1);
}

bool UndoHistory::Step(CCutrixDoc& doc, int newPosition) {
    if (!CUndoStore::Load(doc, newPosition)) {
        working_ = false;
        return false;
    }
    position_ = newPosition;
    undone_ = true;
    return true;
}

std::string UndoHistory::StatusText() const {
    if (working_) {
        return {};
    }
    return LanguageIndex == kLanguageSimplifiedChinese
               ? "撤销和重做已停用：临时文件夹中的快照无法写入或读取"
               : "Undo and Redo are off: a snapshot in the temp folder could not be written or read";
}
