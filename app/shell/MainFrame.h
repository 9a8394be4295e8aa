// CMainFrame: the program's one top-level window. It holds the drawing view, builds its menus from the
// command table, keeps the status bar and caption, and runs the file, edit, tool and zoom commands on
// the document and the drawing manager.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

#include "CommandTable.h"
#include "CutrixDoc.h"
#include "HandOver.h"
#include "ImportStaging.h"
#include "UndoStore.h"

class CCadMgr;
class CCoolBar;
class CCutrixView;
class CDockPlatDlg;
class CRulerSplitterWnd;
class QAction;
class QLabel;
class QMenu;

class CMainFrame : public QMainWindow, public HandOverFrame, public SavePathChooser {
    Q_OBJECT

  public:
    explicit CMainFrame(CCadMgr& manager, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCutrixView& View() const { return *view_; }
    CRulerSplitterWnd& Splitter() const { return *splitter_; }
    CDockPlatDlg& DockPanel() const { return *dockPanel_; }
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

    // Reloads the texts of LanguageIndex and relabels the menus, status texts, panels and caption.
    void SetLanguage();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    QWidget* CreateRulerSplitter();
    void CreateDockingPlat();
    void LabelAction(QAction& action, const CommandEntry& command);
    void RelabelMenu();
    void OnEditPaste();
    void OnAddNodes();
    void AfterToolCommand(std::uint32_t mode);
    QMenu* PopupFor(const CommandEntry& command);
    void ShowCommandPrompt(const CommandEntry& command);

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnImport();
    void OnExport();
    void OnEditUndo();
    void OnEditRedo();
    void OnZoom(std::uint32_t id);
    void StartHistory();
    void ShowSelectionInfo();

    CCadMgr& manager_;
    CCutrixDoc doc_;
    UndoHistory history_;
    CImportStaging staging_;
    CCutrixView* view_ = nullptr;
    CRulerSplitterWnd* splitter_ = nullptr;
    CCoolBar* dockingPlatBar_ = nullptr;
    CDockPlatDlg* dockPanel_ = nullptr;
    QLabel* selectionPane_ = nullptr;
    QLabel* positionPane_ = nullptr;
    std::map<std::uint32_t, QAction*> actions_;
    std::map<std::string, QMenu*, std::less<>> popups_;
    std::filesystem::path lastImportedPath_;
};
