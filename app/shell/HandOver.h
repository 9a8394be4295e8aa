// The hand-over import: drawings that outside exporters leave in the hand-over folder ("dest.tmp" with
// pictures, "dest2.tmp" with "zint.ai", "zint.dxf" or "temp.ai"), taken into the drawing on a new
// document and when a second start of the program hands them over.
#pragma once

#include <filesystem>

#include "DbList.h"
#include "FileDraw.h"
#include "MessageSink.h"

class CCadMgr;
class CCutrixDoc;
class SavePathChooser;
struct FileParaSettings;

// What the hand-over import needs of the main window.
class HandOverFrame {
  public:
    virtual ~HandOverFrame() = default;
    // Turns the records into elements of the drawing and leaves them selected (select non-zero). Takes
    // the records out of the list; what it leaves there is freed by the caller.
    virtual void PlaceImportedData(CDbList<CFileDraw*>& records, int select) = 0;
    // Repaints the view and lets the panels read the drawing again.
    virtual void OnDataChanged() = 0;
    virtual void SetLastImportedPath(const std::filesystem::path& file) = 0;
    // Shows the window maximised, raised and active.
    virtual void BringToFront() = 0;
};

// The PLT precision held to 10..10000, leaving the setting as it is.
double ClampedPltPrecision(const FileParaSettings& settings);

// Imports what the hand-over folder holds, deleting each file once it is taken. A file that cannot be
// imported shows "Load data failure!" and ends the import; what was placed before stays. Sizes in
// "dest.tmp" or "dest2.tmp" that are not positive and finite leave the element at its own size.
void ImportHandOverFiles(const std::filesystem::path& folder, CCadMgr& manager, HandOverFrame& frame,
                         platform::MessageSink& messages);

// A new document while the program runs: the drawing is emptied and takes what the hand-over folder
// holds. During start-up, before the main window exists (no frame), the document only starts unnamed.
void StartNewDocument(const std::filesystem::path& folder, CCutrixDoc& doc, HandOverFrame* frame,
                      platform::MessageSink& messages);

enum class HandOverOutcome {
    kBroughtToFront,  // nothing was handed over: the window was only raised
    kImported,        // the drawing was replaced by what was handed over
    kKept,            // the user kept the modified drawing; the hand-over files stay for later
};

// A second start of the program asks this one to take the hand-over files. With none, the window comes
// to the front. Else a modified drawing is first offered for saving (the save question); Cancel keeps
// drawing and files. Then the drawing is emptied, the clamped PLT precision stored back, and the files
// imported.
HandOverOutcome OnHandOverMessage(const std::filesystem::path& folder, CCutrixDoc& doc, HandOverFrame& frame,
                                  platform::MessageSink& messages, SavePathChooser& chooser);
