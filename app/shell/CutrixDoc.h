// CCutrixDoc: the program's one document. The drawing itself lives in the drawing manager; the document
// frames it with a path, a title and a modified flag, writes and reads the document file (".lcx") and the
// undo form of the drawing, and asks whether to save a modified drawing before it is given up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Archive.h"
#include "MessageSink.h"

class CCadMgr;

// Where the user wants a document saved; the window side asks through a save-file dialog.
class SavePathChooser {
  public:
    virtual ~SavePathChooser() = default;
    // Nothing when the user cancels.
    virtual std::optional<std::filesystem::path> ChooseSavePath() = 0;
};

class CCutrixDoc {
  public:
    static constexpr std::uint32_t kMagic = 0xFF0600AB;

    // How an open or a load ended. Anything but kOpened leaves the drawing, its settings, the path and
    // the title as they were.
    enum class LoadResult {
        kOpened,
        kCannotRead,       // the file is missing or cannot be read
        kWrongVersion,     // a version string of this program's family, but not the one it reads
        kNotADocument,     // no version string of this program's family, or the file ends before it
        kSettingsRefused,  // the drawing settings are out of range or cut short
        kDrawingRefused,   // the layers or elements are damaged or cut short
    };

    explicit CCutrixDoc(CCadMgr& manager);

    // The document file: magic, version string, drawing settings, layers and elements.
    std::vector<std::uint8_t> StoreDocument() const;
    void StoreDocument(platform::Archive& ar) const;
    // Takes the whole file or nothing: every part is read once, into objects of its own, and only a
    // file that reads whole replaces the drawing and its settings.
    LoadResult LoadDocument(std::span<const std::uint8_t> bytes);

    // Open: a refused file shows the version message (a file that cannot be read at all, a message of
    // its own) and changes nothing else; an opened one becomes
    // the document's path and title and starts unmodified.
    LoadResult OpenDocument(const std::filesystem::path& file, platform::MessageSink& messages);
    // Save and Save As: written through a temporary file, so a failed write leaves any old file whole.
    // On success the file becomes the document's path and title and the document is unmodified.
    bool SaveDocument(const std::filesystem::path& file);
    // Writes the document without making the file its own (the save question's save).
    bool WriteDocumentTo(const std::filesystem::path& file) const;

    // The undo form: the elements alone. Loading replaces the elements only when the whole form reads;
    // layer parameters and drawing settings stay as they are.
    void StoreUndo(platform::Archive& ar) const;
    bool LoadUndo(std::span<const std::uint8_t> bytes);

    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    const std::filesystem::path& GetPathName() const { return path_; }
    // The file name of the path; empty for a new document.
    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // A new, unnamed and unmodified document (the drawing is the caller's to clear).
    void ResetToNew();

    CCadMgr& Manager() const { return manager_; }

  private:
    CCadMgr& manager_;
    std::filesystem::path path_;
    std::string title_;
    bool modified_ = false;
};

// "Early version,is not compatible with the software!" (Chinese for LanguageIndex 0).
std::string VersionMessageText();
// "File be modified,save or not?" (Chinese for LanguageIndex 0).
std::string SaveQuestionText();
// Shown when the document file could not be read at all.
std::string OpenFailedText();
// "The file is damaged or not a Cutrix document.": for every refusal but a real older version.
std::string DamagedDocumentText();
// Shown when the document could not be written.
std::string SaveFailedText();

// The save question before a modified drawing is given up (closing the frame, a hand-over replacing the
// drawing). True when the drawing may go: it was not modified, the user said No, or said Yes and the
// document was written to the chosen file. Cancel, cancelling the file dialog and a failed write keep
// it. The document's path and modified flag do not change.
bool CanCloseFrame(CCutrixDoc& doc, platform::MessageSink& messages, SavePathChooser& chooser);
