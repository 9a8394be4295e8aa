// CMainFrame: the program's one top-level window. It holds the drawing view, builds its menus from the
// command table, keeps the status bar and caption, and runs the file, edit, tool and zoom commands on
// the document and the drawing manager.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "CommandTable.h"
#include "CutrixDoc.h"
#include "HandOver.h"
#include "ImportStaging.h"
#include "UndoStore.h"

class CCadMgr;
class CCutrixView;
class CFrameTwain;
class QAction;
class QLabel;
class QMenu;

class CMainFrame : public QMainWindow, public HandOverFrame, public SavePathChooser {
    Q_OBJECT

  public:
    explicit CMainFrame(CCadMgr& manager, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCutrixView& View() const { return *view_; }
    CCutrixDoc& Document() { return doc_; }
    const UndoHistory& History() const { return history_; }
    // The action of the command id; null when no menu holds it.
    QAction* Action(std::uint32_t id) const;

    // Runs the command of the id as its menu item would.
    void RunCommand(std::uint32_t id);
    // Opens the document file; false when it was refused or could not be read.
    bool OpenDocumentFile(const std::filesystem::path& file);
    // Imports the drawing file and leaves what it placed selected; false after the failure message.
    bool ImportFile(const std::filesystem::path& file);
    // The state the enable and check rules look at, read from the manager and the history.
    CommandState CurrentCommandState() const;
    // Enables and checks every action from the current state.
    void UpdateCommandUi();
    void SetToolMode(std::uint32_t mode);
    void UpdateFrameTitle();

    // HandOverFrame.
    void PlaceImportedData(CDbList<CFileDraw*>& records, int select) override;
    void OnDataChanged() override;
    void SetLastImportedPath(const std::filesystem::path& file) override;
    void BringToFront() override;

    // SavePathChooser: the save-file dialog.
    std::optional<std::filesystem::path> ChooseSavePath() override;

    // The program's second copy asked this one to take the hand-over files.
    void OnHandOverMessage();

    // The scanner library Capture loads (tests name one that is missing).
    void UseScannerLibrary(const std::string& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    QMenu* PopupFor(const CommandEntry& command);
    void ShowCommandPrompt(const CommandEntry& command);

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnImport();
    void OnExport();
    void OnCapture();
    void OnEditUndo();
    void OnEditRedo();
    void OnZoom(std::uint32_t id);
    void StartHistory();
    void ShowSelectionInfo();
    // Places the records through the import dialog; the placement's result.
    int PlaceImport(CDbList<CFileDraw*>& records, int select);
    // After a file was read: the records placed and centred on the page with the view zoomed to them.
    bool FinishImport(CDbList<CFileDraw*>& records, const std::filesystem::path& file);

    CCadMgr& manager_;
    CCutrixDoc doc_;
    UndoHistory history_;
    CImportStaging staging_;
    CCutrixView* view_ = nullptr;
    QLabel* selectionPane_ = nullptr;
    QLabel* positionPane_ = nullptr;
    std::map<std::uint32_t, QAction*> actions_;
    std::map<std::string, QMenu*, std::less<>> popups_;
    std::filesystem::path lastImportedPath_;
    std::unique_ptr<CFrameTwain> twain_;
};
