// The controller document page's operations: the list of the documents stored in the controller, and
// delete, delete all, start, work time, store a job file and copy a document back. Headless: its window
// shows `rows` and `selectedRow` after each operation and answers the questions through DlgFileMgrUi.
//
// Every operation opens the controller for itself and closes it before its last message; those that
// change or start something first make sure the machine is idle. A row stands for the document whose
// number is the row index plus 1; the list shows the store as it was at the last Read.
#pragma once

#include "DlgFileMgrUi.h"

#include <cstdint>
#include <string>
#include <vector>

class CDlgFileMgr {
  public:
    // The name offered when a job file's own name cannot name a document.
    static constexpr const char* kDefaultDocName = "DEFAULT";

    struct DocumentRow {
        std::string number;  // "%d"
        std::string name;    // as the controller gives it
        std::string time;    // FormatDocTime of the stored work time
        bool operator==(const DocumentRow&) const = default;
    };

    explicit CDlgFileMgr(DlgFileMgrUi& ui) : ui_(ui) {}

    // Read: fills the list from the controller and selects its first row. A name that cannot be read
    // keeps the rows read before it (the old rows when it is the first); a time that cannot be read
    // shows as 0.
    void ReadList();
    // Delete: the selected document; its row goes, the others keep their texts until the next Read.
    void DeleteDoc();
    // Delete All: every stored document, without a question.
    void DeleteAll();
    // Process: starts the selected document on the machine.
    void ProcessDoc();
    // Cal time: the controller computes the selected document's work time, shown after the next Read.
    void CalcDocTime();
    // Download: stores a chosen job file under its name in capitals, or under a name asked for when its
    // own cannot name a document. A name the store already holds, in any case, is refused before
    // anything is sent; the page never replaces a stored document. Reads the list again afterwards.
    void DownloadFile();
    // Upload: copies the selected document into a chosen job file.
    void UploadFile();

    // Milliseconds as "H:MM:SS:MS", the milliseconds in two digits at least: 3723004 -> "1:02:03:04".
    static std::string FormatDocTime(std::int32_t milliseconds);

    std::vector<DocumentRow> rows;
    int selectedRow = -1;  // -1: none

  private:
    // The selected row when it is a row of the list, else -1.
    int SelectedRow() const;
    // Reads the machine status; false after saying why the operation cannot go on.
    bool MachineIsIdle();
    // Starts or measures the selected document: Process and Cal time differ in the call alone.
    void RunOnSelected(std::uint16_t (*call)(std::uint32_t number));
    // The name the chosen file is stored under, asked for when the file's own is refused; empty when
    // the user cancelled.
    std::string DocumentNameFor(const std::string& path);
    // Looks through the stored names for `name`; false after the message that stops the download.
    bool NameIsFree(const std::string& name);
    void ShowPageMessage(const std::string& text);

    DlgFileMgrUi& ui_;
};
