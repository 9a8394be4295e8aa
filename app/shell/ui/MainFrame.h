// CMainFrame: the program's one top-level window. It holds the drawing view and the bars, builds its
// menus and toolbars from the command table, enables and checks them, keeps the status bar and caption,
// and routes each command to the handler its family registered, as the shell context of that handler.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "BarToggles.h"
#include "CommandTable.h"
#include "CutrixDoc.h"
#include "CutrixView.h"
#include "HandOver.h"
#include "ImportStaging.h"
#include "ProgramFolder.h"
#include "RecentFileList.h"
#include "ShellContext.h"
#include "UndoStore.h"

class CCadMgr;
class CCoolBar;
class CDockPlatDlg;
class CFrameTwain;
class CLayerColorBar;
class CMainToolBars;
class CPropertyBar;
class CRulerSplitterWnd;
class CStatusBarXP;
class QAction;
class QMenu;

class CMainFrame : public QMainWindow, public ShellContext {
    Q_OBJECT

  public:
    explicit CMainFrame(CCadMgr& manager, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CRulerSplitterWnd& Splitter() const { return *splitter_; }
    CDockPlatDlg& DockPanel() const { return *dockPanel_; }
    const UndoHistory& History() const { return history_; }
    // The action of the command id; null when no menu holds it.
    QAction* Action(std::uint32_t id) const;

    // Runs the command of the id as its menu item would.
    void RunCommand(std::uint32_t id);
    // The commands with the handlers of every family.
    const CommandRegistry& Commands() const { return commands_; }
    // Opens the document file; false when it was refused or could not be read.
    bool OpenDocumentFile(const std::filesystem::path& file);
    // Imports the drawing file and leaves what it placed selected; false after the failure message.
    bool ImportFile(const std::filesystem::path& file);
    // The state the enable and check rules look at, read from the manager and the history.
    CommandState CurrentCommandState() const;
    // Enables and checks every action from the current state.
    void UpdateCommandUi();

    // ShellContext.
    CCadMgr& Manager() override { return manager_; }
    CCutrixDoc& Document() override { return doc_; }
    UndoHistory& History() override { return history_; }
    CCutrixView& View() override { return *view_; }
    void SetToolMode(std::uint32_t mode) override;
    void ToggleBar(Bar bar) override;
    // Reloads the texts of LanguageIndex and relabels the menus, status texts, panels and caption.
    void SetLanguage() override;
    void UpdateFrameTitle() override;
    CRecentFileList& RecentFiles() override { return recentFiles_; }
    void RecentFilesChanged() override;
    CImportStaging& ImportStaging() override { return staging_; }
    void CloseWindow() override;
    QWidget* DialogParent() override { return this; }
    CFrameTwain& Scanner() override { return *twain_; }

    // HandOverFrame.
    void PlaceImportedData(CDbList<CFileDraw*>& records, int select) override;
    void OnDataChanged() override;
    void SetLastImportedPath(const std::filesystem::path& file) override;
    void BringToFront() override;

    // SavePathChooser: the save-file dialog.
    std::optional<std::filesystem::path> ChooseSavePath() override;

    // The program's second copy asked this one to take the hand-over files.
    void OnHandOverMessage();
    // The program's second copy was started with this document: it opens as File > Open opens one, after
    // the question about unsaved changes, and the window comes to the front.
    void OpenFromAnotherCopy(const std::filesystem::path& file);

    // The scanner library Capture loads (tests name one that is missing).
    void UseScannerLibrary(const std::string& name);
    // The bars around the view. Panels made elsewhere join the View menu's switches through Toggles().
    CMainToolBars& ToolBars() const { return *toolBars_; }
    CPropertyBar& PropertyBar() const { return *propertyBar_; }
    CLayerColorBar& LayerColorBar() const { return *layerColorBar_; }
    CCoolBar& LayerColorDock() const { return *layerColorDock_; }
    CCoolBar& DockingPlatBar() const { return *dockingPlatBar_; }
    CStatusBarXP& StatusBarXP() const { return *statusBar_; }
    CBarToggles& Toggles() { return barToggles_; }
    // The status bar's panes after the message pane: the selection summary, then the cursor position.
    static constexpr int kSelectionPane = 1;
    static constexpr int kPositionPane = 2;
    static constexpr int kLayerColorBarId = 125;
    // "X:%.3lfmm,Y:%.3lfmm" in the position pane.
    void ShowStatusPos(double xMm, double yMm);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    QWidget* CreateRulerSplitter();
    void CreateDockingPlat();
    void LabelAction(QAction& action, const CommandEntry& command);
    void RelabelMenu();
    QMenu* PopupFor(const CommandEntry& command);

    void BuildRecentFileMenu();
    void UpdateRecentFileMenu();
    void ShowSelectionInfo();
    void CreateBars();
    // The command has a handler now (a bar switch needs its bar as well).
    bool CanRun(const CommandEntry& command) const;
    void ShowCursorPosition(QPoint viewPoint);

    CCadMgr& manager_;
    const CommandRegistry commands_;
    CCutrixDoc doc_;
    UndoHistory history_;
    CImportStaging staging_;
    CCutrixView* view_ = nullptr;
    CRulerSplitterWnd* splitter_ = nullptr;
    CCoolBar* dockingPlatBar_ = nullptr;
    CDockPlatDlg* dockPanel_ = nullptr;
    std::map<std::uint32_t, QAction*> actions_;
    std::map<std::string, QMenu*, std::less<>> popups_;
    std::filesystem::path lastImportedPath_;
    std::unique_ptr<CFrameTwain> twain_;
    static constexpr std::uint32_t kFirstRecentFileId = 57616;
    CRecentFileList recentFiles_{platform::ProgramFile(CRecentFileList::kStoreName)};
    std::vector<QAction*> recentFileActions_;
    CStatusBarXP* statusBar_ = nullptr;
    std::unique_ptr<CMainToolBars> toolBars_;
    CPropertyBar* propertyBar_ = nullptr;
    CCoolBar* layerColorDock_ = nullptr;
    CLayerColorBar* layerColorBar_ = nullptr;
    // Last, so that it goes first: no bar switch reaches the frame while it is taken down.
    CBarToggles barToggles_{[this] { UpdateCommandUi(); }};
};
