// The main window: menus from the command table, the drawing view, the status bar and the caption.
#include "MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "AboutDlg.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "CanvasMapping.h"
#include "CoolBar.h"
#include "CutrixView.h"
#include "DockPlatDlg.h"
#include "Filebridge.h"
#include "FrameTwain.h"
#include "ImportDialog.h"
#include "ImportDlg.h"
#include "ImportRules.h"
#include "LanguageTexts.h"
#include "LayerColorBar.h"
#include "MainToolBars.h"
#include "PlaceImportedData.h"
#include "PlaceOnPage.h"
#include "ProgramFolder.h"
#include "PropertyBar.h"
#include "RulerSplitterWnd.h"
#include "RulerView.h"
#include "ScanDlg.h"
#include "ScanMessages.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "ShellTexts.h"
#include "SplashWnd.h"
#include "StatusBarXP.h"
#include "ToolBarEx.h"
#include "VendorInfo.h"
#include "WindowMessage.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A language text, or its key while the language files lack it.
QString MenuText(std::string_view key) {
    const std::string text = GetLangText("Menu", std::string(key));
    return FromUtf8(text.empty() ? std::string(key) : text);
}

void FreeRecords(CDbList<CFileDraw*>& records) {
    for (auto* node = records.head->next; node != records.head; node = node->next) {
        delete node->value;
    }
    records.RemoveAll();
}

// What every import hands the file library: the layer colours, and the plotter precision and unit scale
// of the file settings (kept in range there).
struct ImportArguments {
    std::array<std::uint32_t, CCadMgr::kLayerTableSize> colours{};
    double precision = 0.0;
    double unitScale = 0.0;
};

ImportArguments ImportArgumentsOf(const CCadMgr& manager) {
    ImportArguments arguments;
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        arguments.colours[static_cast<std::size_t>(slot)] =
            manager.vectorLayerTable[slot].commonParams.COM_Color;
    }
    arguments.precision = ClampPltPrecision(gFileParaSettings);
    arguments.unitScale = ImportUnitScale(gFileParaSettings);
    return arguments;
}

// Lets the file chooser close and the window repaint before the import's own dialog comes up. Keys and
// clicks wait in the queue meanwhile: a command run now (a save typed right after choosing the file)
// would act on the drawing before the import has placed anything in it.
void SettleWithoutUserInput(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool HasBitmapSelected(const CCadMgr& manager) {
    for (auto* node = manager.selectionList.head->next; node != manager.selectionList.head;
         node = node->next) {
        if (node->value != nullptr && node->value->typeCode == kBitmapElement) {
            return true;
        }
    }
    return false;
}

}  // namespace

CMainFrame::CMainFrame(CCadMgr& manager, QWidget* parent)
    : QMainWindow(parent), manager_(manager), doc_(manager) {
    setCentralWidget(CreateRulerSplitter());
    view_->installEventFilter(this);
    CreateDockingPlat();

    statusBar_ = new CStatusBarXP(this);
    setStatusBar(statusBar_);
    static constexpr int kIndicators[] = {0, 32889, 32888};
    statusBar_->SetIndicators(kIndicators);
    ShowStatusPos(0.0, 0.0);
    statusBar()->showMessage(FromUtf8(CommandStatusPrompt(std::string(kIdlePromptKey))));

    BuildMenus();
    BuildRecentFileMenu();
    CreateBars();
    StartHistory();
    UpdateFrameTitle();
    ShowSelectionInfo();
    UpdateCommandUi();
    twain_ = std::make_unique<CFrameTwain>(this);
    CSplashWnd::ShowSplashScreen(this);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(std::uint32_t id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* CMainFrame::PopupFor(const CommandEntry& command) {
    const auto popup = popups_.find(command.popup);
    QMenu* menu = popup != popups_.end() ? popup->second : nullptr;
    if (menu == nullptr) {
        menu = menuBar()->addMenu(MenuText(command.popup));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
        menu->installEventFilter(this);
        popups_.emplace(std::string(command.popup), menu);
    }
    if (command.submenu.empty()) {
        return menu;
    }
    const std::string key = std::string(command.popup) + "/" + std::string(command.submenu);
    const auto submenu = popups_.find(key);
    if (submenu != popups_.end()) {
        return submenu->second;
    }
    QMenu* made = menu->addMenu(MenuText(command.submenu));
    made->installEventFilter(this);
    popups_.emplace(key, made);
    return made;
}

void CMainFrame::BuildMenus() {
    for (const CommandEntry& command : CommandTable()) {
        auto* action = new QAction(this);
        LabelAction(*action, command);
        platform::SetCommandId(*action, static_cast<int>(command.id));
        if (!command.shortcut.empty()) {
            action->setShortcut(QKeySequence(
                QString::fromUtf8(command.shortcut.data(), static_cast<qsizetype>(command.shortcut.size()))));
        }
        action->setCheckable(command.check != CheckRule::kNone);
        const std::uint32_t id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        if (!command.popup.empty()) {  // toolbar-only commands have an action for their buttons
            PopupFor(command)->addAction(action);
        }
        addAction(action);  // shortcuts work while the menus are closed
        actions_.emplace(command.id, action);
    }
}

void CMainFrame::LabelAction(QAction& action, const CommandEntry& command) {
    action.setText(MenuText(command.textKey));
    action.setStatusTip(FromUtf8(IsLaterCommand(command.id) ? LaterCommandStatusText()
                                                            : CommandStatusPrompt(std::string(command.key))));
}

void CMainFrame::RelabelMenu() {
    for (const auto& [key, menu] : popups_) {
        // Submenus are kept under "popup/submenu".
        const std::size_t slash = key.find('/');
        menu->setTitle(MenuText(slash == std::string::npos ? key : key.substr(slash + 1)));
    }
    for (const CommandEntry& command : CommandTable()) {
        if (QAction* action = Action(command.id)) {
            LabelAction(*action, command);
        }
    }
}

void CMainFrame::SetLanguage() {
    SelectLanguage();
    dockPanel_->UpdateTexts();
    propertyBar_->UpdateTexts();
    toolBars_->UpdateTexts();
    UpdateFrameTitle();
    RelabelMenu();
    statusBar()->showMessage(FromUtf8(CommandStatusPrompt(std::string(kIdlePromptKey))));
    ShowSelectionInfo();
    UpdateCommandUi();
}

QWidget* CMainFrame::CreateRulerSplitter() {
    splitter_ = new CRulerSplitterWnd(this);
    // Panes made as the splitter's children from the start, so that they paint before it is first shown.
    const CCreateContext panes{
        [this] { return std::make_unique<CRulerCornerView>(splitter_); },
        [this] {
            auto ruler = std::make_unique<CRulerView>(splitter_);
            ruler->SetStepSource([this] { return view_ != nullptr ? view_->RulerStep() : 0.0; });
            return ruler;
        },
        [this] {
            auto view = std::make_unique<CCutrixView>(manager_, splitter_);
            view_ = view.get();
            return view;
        },
    };
    splitter_->Create(panes);
    // The view tells of its mapping from within its paint; the rulers paint at once, so they hear later.
    connect(view_, &CCutrixView::RulersChanged, splitter_, &CRulerSplitterWnd::UpdateRulers,
            Qt::QueuedConnection);
    splitter_->ShowRulers(true, true);
    return splitter_;
}

void CMainFrame::CreateDockingPlat() {
    constexpr int kDockingPlatBarId = 123;
    dockingPlatBar_ = new CCoolBar(this);
    dockingPlatBar_->Create(QStringLiteral("DockingPlat"), this, QSize(300, 150), true, kDockingPlatBarId,
                            kSizeChild);
    dockPanel_ = new CDockPlatDlg(dockingPlatBar_);
    dockingPlatBar_->SetChild(dockPanel_);
    addDockWidget(Qt::RightDockWidgetArea, dockingPlatBar_);
}

CommandState CMainFrame::CurrentCommandState() const {
    CommandState state;
    state.toolMode = manager_.toolMode;
    state.elementCount = manager_.elementList.count;
    state.selectionCount = manager_.selectionList.count;
    state.bitmapSelected = HasBitmapSelected(manager_);
    state.nodeSelectionCount = manager_.nodeSelList.count;
    state.nodePointPending = manager_.pointMarkVisible != 0;
    state.nodesCombinable = manager_.CanCombineNodes();
    state.canUndo = history_.CanUndo();
    state.canRedo = history_.CanRedo();
    state.showPath = ShowPathOn != 0;
    state.fillDisplay = FillDisplayOn != 0;
    state.showArray = ShowArray != 0;
    state.languageIndex = LanguageIndex;
    state.barVisible = barToggles_.Visible();
    return state;
}

namespace {

// The handlers this window has so far, by the table's handler name.
using Handler = std::function<void(CCadMgr&)>;
const std::map<std::string_view, Handler>& ManagerHandlers() {
    static const std::map<std::string_view, Handler> handlers = {
        {"CCadMgr::CutSelection", &CCadMgr::CutSelection},
        {"CCadMgr::CopySelection", &CCadMgr::CopySelection},
        {"CMainFrame::OnEditDelete",
         [](CCadMgr& manager) {
             if (IsNodeEditMode(manager.toolMode)) {
                 manager.DeleteNodes();
             } else {
                 manager.DeleteSelection();
             }
         }},
        {"CCadMgr::ZoomToPage", &CCadMgr::ZoomToPage},
        {"CCadMgr::ZoomToSelection", &CCadMgr::ZoomToSelection},
        {"CCadMgr::ZoomToAll", &CCadMgr::ZoomToAll},
        {"CCadMgr::SelectAll", &CCadMgr::SelectAll},
        {"CCadMgr::GroupSelection", &CCadMgr::GroupSelection},
        {"CCadMgr::UngroupSelection", &CCadMgr::UngroupSelection},
        {"CCadMgr::DeleteNodes", &CCadMgr::DeleteNodes},
        {"CCadMgr::CombineNodes", &CCadMgr::CombineNodes},
        {"CCadMgr::BreakCurve", &CCadMgr::BreakCurve},
        {"CCadMgr::SegmentsToLines", &CCadMgr::SegmentsToLines},
        {"CCadMgr::SegmentsToBeziers", &CCadMgr::SegmentsToBeziers},
        {"CCadMgr::MirrorSelectionHorz", &CCadMgr::MirrorSelectionHorz},
        {"CCadMgr::MirrorSelectionVert", &CCadMgr::MirrorSelectionVert},
        {"CMainFrame::OnDataCenter", &CCadMgr::CenterSelectionOnPage},  // it reports the change itself
        {"CCadMgr::AlignLeft", &CCadMgr::AlignLeft},
        {"CCadMgr::AlignRight", &CCadMgr::AlignRight},
        {"CCadMgr::AlignTop", &CCadMgr::AlignTop},
        {"CCadMgr::AlignBottom", &CCadMgr::AlignBottom},
        {"CCadMgr::AlignHorzCenter", &CCadMgr::AlignHorzCenter},
        {"CCadMgr::AlignVertCenter", &CCadMgr::AlignVertCenter},
        {"CCadMgr::AlignPageCenter", &CCadMgr::AlignPageCenter},
        {"CCadMgr::SpaceHorizontally", &CCadMgr::SpaceHorizontally},
        {"CCadMgr::SpaceVertically", &CCadMgr::SpaceVertically},
        {"CCadMgr::SameWidth", &CCadMgr::SameWidth},
        {"CCadMgr::SameHeight", &CCadMgr::SameHeight},
        {"CCadMgr::SameSize", &CCadMgr::SameSize},
        {"CCadMgr::MoveSelectionToTopLeft", &CCadMgr::MoveSelectionToTopLeft},
        {"CCadMgr::MoveSelectionToTopRight", &CCadMgr::MoveSelectionToTopRight},
        {"CCadMgr::MoveSelectionToBottomRight", &CCadMgr::MoveSelectionToBottomRight},
        {"CCadMgr::MoveSelectionToBottomLeft", &CCadMgr::MoveSelectionToBottomLeft},
    };
    return handlers;
}

// The display switches the view commands flip, by handler name.
int* DisplaySwitch(std::string_view handler) {
    if (handler == "CMainFrame::OnShowPath") {
        return &ShowPathOn;
    }
    if (handler == "CMainFrame::OnGraphHatch") {
        return &FillDisplayOn;
    }
    if (handler == "CMainFrame::OnShowArray") {
        return &ShowArray;
    }
    return nullptr;
}

// The frame's own commands, by handler name.
bool IsFrameCommand(std::string_view handler) {
    static constexpr std::array<std::string_view, 12> kFrameHandlers = {
        "CCutrixApp::OnFileNew",   "CCutrixApp::OnFileOpen",   "CCutrixApp::OnOpenRecentFile",
        "CCutrixDoc::OnFileSave",  "CCutrixDoc::OnFileSaveAs", "CMainFrame::OnImport",
        "CMainFrame::OnExport",    "CCutrixApp::OnAppExit",    "CCutrixView::OnEditUndo",
        "CCutrixView::OnEditRedo", "CCutrixApp::OnAppAbout",   "CMainFrame::OnCapture",
    };
    return std::ranges::find(kFrameHandlers, handler) != kFrameHandlers.end();
}

// The edit and language commands the frame runs itself.
bool IsEditOrLanguageCommand(std::string_view handler) {
    static constexpr std::array<std::string_view, 3> kHandlers = {
        "CMainFrame::OnEditPaste", "CMainFrame::OnAddNodes", "CMainFrame::OnLanguage"};
    return std::ranges::find(kHandlers, handler) != kHandlers.end();
}

// True when this window can run the command now; the others wait with the later commands.
bool HasHandler(const CommandEntry& command) {
    return command.toolMode != 0 || DisplaySwitch(command.handler) != nullptr ||
           IsFrameCommand(command.handler) || IsEditOrLanguageCommand(command.handler) ||
           ManagerHandlers().contains(command.handler);
}

}  // namespace

void CMainFrame::UpdateCommandUi() {
    const CommandState state = CurrentCommandState();
    for (const CommandEntry& command : CommandTable()) {
        QAction* action = Action(command.id);
        if (action == nullptr) {
            continue;
        }
        const bool runnable = CanRun(command);
        action->setEnabled(runnable && IsCommandEnabled(command, state));
        if (!runnable) {
            action->setStatusTip(FromUtf8(LaterCommandStatusText()));
        }
        action->setChecked(IsCommandChecked(command, state));
    }
    UpdateRecentFileMenu();
    const std::string undoText = history_.StatusText();
    if (!undoText.empty()) {
        statusBar()->showMessage(FromUtf8(undoText));
    }
}

void CMainFrame::RunCommand(std::uint32_t id) {
    const CommandEntry* command = FindCommand(id);
    if (command == nullptr || !CanRun(*command)) {
        return;
    }
    UpdateCommandUi();
    if (QAction* action = Action(id); action != nullptr && !action->isEnabled()) {
        return;
    }
    const std::string_view handler = command->handler;
    if (command->toolMode != 0) {
        SetToolMode(ToolModeAfter(*command, manager_.toolMode));
        AfterToolCommand(command->toolMode);
    } else if (command->check == CheckRule::kBarVisible) {
        barToggles_.Toggle(static_cast<Bar>(command->value));
    } else if (handler == "CMainFrame::OnEditPaste") {
        OnEditPaste();
    } else if (handler == "CMainFrame::OnAddNodes") {
        OnAddNodes();
    } else if (handler == "CMainFrame::OnLanguage") {
        LanguageIndex = static_cast<std::uint16_t>(command->value);
        SetLanguage();
    } else if (handler == "CCutrixApp::OnFileNew") {
        OnFileNew();
    } else if (handler == "CCutrixApp::OnOpenRecentFile") {
        OpenRecentFile(0);
    } else if (handler == "CCutrixApp::OnFileOpen") {
        OnFileOpen();
    } else if (handler == "CCutrixDoc::OnFileSave") {
        OnFileSave();
    } else if (handler == "CCutrixDoc::OnFileSaveAs") {
        OnFileSaveAs();
    } else if (handler == "CMainFrame::OnImport") {
        OnImport();
    } else if (handler == "CMainFrame::OnExport") {
        OnExport();
    } else if (handler == "CCutrixApp::OnAppExit") {
        close();
    } else if (handler == "CCutrixView::OnEditUndo") {
        OnEditUndo();
    } else if (handler == "CCutrixView::OnEditRedo") {
        OnEditRedo();
    } else if (handler == "CCutrixApp::OnAppAbout") {
        CAboutDlg(this).exec();
    } else if (handler == "CMainFrame::OnCapture") {
        OnCapture();
    } else if (int* displaySwitch = DisplaySwitch(handler)) {
        *displaySwitch = *displaySwitch != 0 ? 0 : 1;
        view_->RequestRepaint();
    } else if (const auto found = ManagerHandlers().find(handler); found != ManagerHandlers().end()) {
        found->second(manager_);
        OnDataChanged();
    }
    UpdateCommandUi();
}

void CMainFrame::AfterToolCommand(std::uint32_t mode) {
    constexpr std::uint32_t kZoomOutTool = 0x1002;
    constexpr std::uint32_t kZoomInTool = 0x1004;
    constexpr std::uint16_t kZoomOut = 2;
    constexpr std::uint16_t kZoomIn = 4;
    const QPoint centre(view_->width() / 2, view_->height() / 2);
    if (mode == kZoomOutTool || mode == kZoomInTool) {
        manager_.ZoomAtPoint(mode == kZoomInTool ? kZoomIn : kZoomOut, centre.x(), centre.y());
    } else if (mode == CCadMgr::kCutPointPick || mode == CCadMgr::kCutDirectionPick) {
        manager_.ClearSelection();
        OnDataChanged();
    }
}

void CMainFrame::OnEditPaste() {
    const platform::Point cursor = view_->GetCursorPos();
    const int countBefore = manager_.elementList.count;
    if (view_->rect().contains(cursor.x, cursor.y)) {
        manager_.PasteAt(cursor.x, cursor.y);
    }
    // The pasted copies are a change of the drawing like any other: the document is modified and the
    // change can be undone.
    if (manager_.elementList.count != countBefore) {
        manager_.NotifyModified();
    }
    view_->RequestRepaint();
}

void CMainFrame::OnAddNodes() {
    if (manager_.pointMarkVisible == 0 || manager_.GetOwnerHwnd() == nullptr) {
        return;
    }
    constexpr int kPickPixels = 3;
    const double toleranceMm = manager_.PixelsToLogical(manager_.GetPreparedDC(), kPickPixels) * 0.001;
    for (auto* node = manager_.selectionList.head->next; node != manager_.selectionList.head;
         node = node->next) {
        if (node->value->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(node->value);
        if (curve->AddNode(manager_.pointMark.x, manager_.pointMark.y, toleranceMm) != 0) {
            curve->UpdateSmooth();
            manager_.pointMarkVisible = 0;
            manager_.Redraw(1, 0);
            return;
        }
    }
}

void CMainFrame::SetToolMode(std::uint32_t mode) {
    manager_.SetToolMode(mode);
    toolBars_->FollowToolMode(manager_.toolMode);
    view_->RequestRepaint();
}

void CMainFrame::UpdateFrameTitle() {
    const std::string& software = gVendorInfo.entries[VendorInfo::kSoftwareTitle];
    setWindowTitle(FromUtf8(FrameCaption(software, doc_.GetTitle())));
}

void CMainFrame::StartHistory() {
    history_.Start(doc_);
}

void CMainFrame::ShowSelectionInfo() {
    statusBar_->SetPaneText(kSelectionPane, FromUtf8(SelectionInfoText(SummarizeSelection(manager_))));
    propertyBar_->Refresh();
}

void CMainFrame::OnDataChanged() {
    view_->RequestRepaint();
    ShowSelectionInfo();
    UpdateCommandUi();
}

bool CMainFrame::CanRun(const CommandEntry& command) const {
    if (IsLaterCommand(command.id)) {
        return false;
    }
    if (command.check == CheckRule::kBarVisible) {
        return barToggles_.Has(static_cast<Bar>(command.value));
    }
    return HasHandler(command);
}

void CMainFrame::CreateBars() {
    toolBars_ = std::make_unique<CMainToolBars>(
        *this, [this](std::uint32_t id) { return Action(id); }, [this](std::uint32_t id) { RunCommand(id); });
    toolBars_->FollowToolMode(manager_.toolMode);

    propertyBar_ = new CPropertyBar(manager_, this);
    addToolBar(Qt::TopToolBarArea, propertyBar_);
    connect(propertyBar_, &CPropertyBar::DrawingChanged, this, &CMainFrame::OnDataChanged);
    connect(propertyBar_, &CPropertyBar::FieldsLeft, this, [this] { view_->setFocus(); });

    layerColorDock_ = new CCoolBar(this);
    layerColorDock_->Create(QStringLiteral("LayerColor"), this, QSize(50, 35), true, kLayerColorBarId,
                            kSizeChild);
    layerColorBar_ = new CLayerColorBar(manager_, layerColorDock_);
    layerColorDock_->SetChild(layerColorBar_);
    addDockWidget(Qt::BottomDockWidgetArea, layerColorDock_);
    connect(layerColorBar_, &CLayerColorBar::DrawingChanged, this, &CMainFrame::OnDataChanged);

    barToggles_.Register(Bar::kSystem, &toolBars_->Bar(CMainToolBars::Which::kSystem));
    barToggles_.Register(Bar::kDraw, &toolBars_->Bar(CMainToolBars::Which::kDraw));
    barToggles_.Register(Bar::kArrange, &toolBars_->Bar(CMainToolBars::Which::kArrange));
    barToggles_.Register(Bar::kProperty, propertyBar_);
    barToggles_.Register(Bar::kLayerColor, layerColorDock_);
    barToggles_.Register(Bar::kStatus, statusBar_);
    barToggles_.Register(Bar::kDockingPlat, dockingPlatBar_);
}

void CMainFrame::ShowStatusPos(double xMm, double yMm) {
    statusBar_->SetPaneText(kPositionPane, FromUtf8(StatusPositionText(xMm, yMm)));
}

void CMainFrame::ShowCursorPosition(QPoint viewPoint) {
    const SDPoint mm = view_->PageMm(viewPoint);
    ShowStatusPos(mm.x, mm.y);
}

void CMainFrame::SetLastImportedPath(const std::filesystem::path& file) {
    lastImportedPath_ = file;
}

void CMainFrame::BringToFront() {
    showMaximized();
    raise();
    activateWindow();
}

std::optional<std::filesystem::path> CMainFrame::ChooseSavePath() {
    const QString file =
        QFileDialog::getSaveFileName(this, {}, FromUtf8(doc_.GetTitle()), QStringLiteral("Cutrix (*.lcx)"));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    std::filesystem::path path = file.toStdString();
    if (path.extension().empty()) {
        path += ".lcx";
    }
    return path;
}

void CMainFrame::OnFileNew() {
    if (!CanCloseFrame(doc_, *view_, *this)) {
        return;
    }
    StartNewDocument(platform::HandoverFolder(), doc_, this, *view_);
    StartHistory();
    UpdateFrameTitle();
}

bool CMainFrame::OpenDocumentFile(const std::filesystem::path& file) {
    if (doc_.OpenDocument(file, *view_) != CCutrixDoc::LoadResult::kOpened) {
        return false;
    }
    StartHistory();
    manager_.ZoomToPage();
    OnDataChanged();
    UpdateFrameTitle();
    RememberRecentFile(file);
    return true;
}

void CMainFrame::OpenFromAnotherCopy(const std::filesystem::path& file) {
    BringToFront();
    if (CanCloseFrame(doc_, *view_, *this)) {
        OpenDocumentFile(file);
    }
}

void CMainFrame::OnFileOpen() {
    if (!CanCloseFrame(doc_, *view_, *this)) {
        return;
    }
    const QString file = QFileDialog::getOpenFileName(this, {}, {}, QStringLiteral("Cutrix (*.lcx)"));
    if (!file.isEmpty()) {
        OpenDocumentFile(file.toStdString());
    }
}

void CMainFrame::BuildRecentFileMenu() {
    QAction* first = Action(kFirstRecentFileId);
    recentFileActions_.push_back(first);
    QMenu* menu = PopupFor(*FindCommand(kFirstRecentFileId));
    QAction* after = menu->actions().value(menu->actions().indexOf(first) + 1);
    for (std::size_t index = 1; index < CRecentFileList::kMaxEntries; ++index) {
        auto* action = new QAction(this);
        platform::SetCommandId(*action, static_cast<int>(kFirstRecentFileId + index));
        connect(action, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
        menu->insertAction(after, action);
        recentFileActions_.push_back(action);
    }
    UpdateRecentFileMenu();
}

// The entries stand in the File menu numbered from 1; without any, the first item keeps its own text,
// greyed.
void CMainFrame::UpdateRecentFileMenu() {
    const auto& entries = recentFiles_.Entries();
    for (std::size_t index = 0; index < recentFileActions_.size(); ++index) {
        QAction* action = recentFileActions_[index];
        if (index < entries.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(index + 1).arg(QString::fromStdString(entries[index].string())));
            action->setStatusTip(QString::fromStdString(entries[index].string()));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (index == 0) {
            action->setText(MenuText(FindCommand(kFirstRecentFileId)->textKey));
            action->setEnabled(false);
        } else {
            action->setVisible(false);
        }
    }
}

void CMainFrame::RememberRecentFile(const std::filesystem::path& file) {
    recentFiles_.Add(file);
    recentFiles_.Save();
    UpdateRecentFileMenu();
}

// A file that no longer opens leaves the list, as it would only fail again.
void CMainFrame::OpenRecentFile(std::size_t index) {
    if (index >= recentFiles_.Entries().size() || !CanCloseFrame(doc_, *view_, *this)) {
        return;
    }
    const std::filesystem::path file = recentFiles_.Entries()[index];
    if (!OpenDocumentFile(file)) {
        recentFiles_.Remove(index);
        recentFiles_.Save();
        UpdateRecentFileMenu();
    }
}

bool CMainFrame::OnFileSave() {
    if (doc_.GetPathName().empty()) {
        return OnFileSaveAs();
    }
    if (!doc_.SaveDocument(doc_.GetPathName())) {
        view_->ShowMessageBox(SaveFailedText(), "", platform::kOk | platform::kIconWarning);
        return false;
    }
    UpdateFrameTitle();
    RememberRecentFile(doc_.GetPathName());
    return true;
}

bool CMainFrame::OnFileSaveAs() {
    const std::optional<std::filesystem::path> file = ChooseSavePath();
    if (!file) {
        return false;
    }
    if (!doc_.SaveDocument(*file)) {
        view_->ShowMessageBox(SaveFailedText(), "", platform::kOk | platform::kIconWarning);
        return false;
    }
    UpdateFrameTitle();
    RememberRecentFile(*file);
    return true;
}

void CMainFrame::PlaceImportedData(CDbList<CFileDraw*>& records, int select) {
    PlaceImport(records, select);
}

int CMainFrame::PlaceImport(CDbList<CFileDraw*>& records, int select) {
    ImportPlacement placement{manager_, staging_, gFileParaSettings, manager_.drawColor, *view_};
    placement.runWorker = [this](ImportWorkerJob& job) { RunImportWorkerInDialog(job, *view_, this); };
    const int placed = ::PlaceImportedData(records, select, placement);
    OnDataChanged();
    return placed;
}

bool CMainFrame::FinishImport(CDbList<CFileDraw*>& records, const std::filesystem::path& file) {
    constexpr std::chrono::milliseconds kSettleTime(100);
    SettleWithoutUserInput(kSettleTime);
    manager_.ClearSelection();
    const bool placed = PlaceImport(records, 1) != 0;
    // What the reader saw but could not draw is named once, after the rest is in place: an operator
    // must not cut a job that silently lacks part of the file.
    if (const std::string leftOut = _file_LastLeftOut(); !leftOut.empty()) {
        view_->ShowMessageBox(GetLangText("Prompt", "LeftOut") + "\n" + leftOut, "",
                              platform::kOk | platform::kIconWarning);
    }
    if (placed) {
        // Plotter and embroidery files are offered smoothing once its prompt exists.
        CentreSelectionAndZoom(manager_);
        SetLastImportedPath(file);
        OnDataChanged();
    }
    FreeRecords(records);
    return placed;
}

void CMainFrame::OnImport() {
    const bool chinese = LanguageIndex == kLanguageSimplifiedChinese;
    const ImportArguments arguments = ImportArgumentsOf(manager_);
    CDbList<CFileDraw*> records;
    std::string chosen;
    const short result =
        _file_Import(ImportFilter().c_str(), chinese ? "导入" : "Import", LanguageIndex, 1, &chosen,
                     arguments.colours.data(), manager_.drawColor, arguments.precision, arguments.unitScale,
                     static_cast<std::int32_t>(gFileParaSettings.importDxfText), 1, &records);
    if (result == 2) {
        FinishImport(records, chosen);
        return;
    }
    if (result != 0) {
        view_->ShowMessageBox(NoImportDataText(), "", platform::kOk | platform::kIconWarning);
    }
    FreeRecords(records);
}

bool CMainFrame::ImportFile(const std::filesystem::path& file) {
    const ImportArguments arguments = ImportArgumentsOf(manager_);
    CDbList<CFileDraw*> records;
    const std::string path = file.string();
    const short result = _file_ImportFile(
        path.c_str(), LanguageIndex, arguments.precision, arguments.unitScale, arguments.colours.data(),
        manager_.drawColor, static_cast<std::int32_t>(gFileParaSettings.importDxfText), 1, &records);
    if (result != 0) {
        view_->ShowMessageBox(GetLangText("Prompt", "3"), "", platform::kOk | platform::kIconWarning);
        FreeRecords(records);
        return false;
    }
    return FinishImport(records, file);
}

void CMainFrame::UseScannerLibrary(const std::string& name) {
    twain_ = std::make_unique<CFrameTwain>(this, name);
}

void CMainFrame::OnCapture() {
    twain_->Release();
    const bool enabled =
        twain_->OpenSourceManager() && twain_->SelectSource() && twain_->Acquire(CTwain::kAnyCount);
    if (enabled) {
        CScanDlg dialog(
            *twain_,
            [this](const platform::DibBlock& page) {
                if (PlaceScannedPicture(manager_, page, *view_) != 0) {
                    view_->PostMessage(kElementsLoadedMessage, 0, 0);
                    OnDataChanged();
                }
            },
            this);
        dialog.exec();
    }
    const std::string failure = ScanFailureText(twain_->LastError(), twain_->LastStatus());
    if (!failure.empty()) {
        view_->ShowMessageBox(failure, "", platform::kOk | platform::kIconWarning);
    }
}

void CMainFrame::OnExport() {
    if (manager_.elementList.IsEmpty() != 0) {
        view_->ShowMessageBox(GetLangText("Prompt", "NothingToExport"), "",
                              platform::kOk | platform::kIconWarning);
        return;
    }
    const QString pltFilter = QStringLiteral("PLT (*.plt)");
    QString chosenFilter;
    const QString file =
        QFileDialog::getSaveFileName(this, {}, {}, pltFilter + QStringLiteral(";;AI (*.ai)"), &chosenFilter);
    if (file.isEmpty()) {
        return;
    }
    // A name typed without an extension gets the chosen kind's: the file was written without one, where
    // nobody looked for it.
    std::string path = file.toStdString();
    if (std::filesystem::path(path).extension().empty()) {
        path += chosenFilter == pltFilter ? ".plt" : ".ai";
    }
    if (ExportKindOf(path) == ExportKind::kPlt) {
        manager_.ExportPlt(path);
    } else {
        manager_.ExportAI(path);
    }
}

void CMainFrame::OnEditUndo() {
    if (history_.Undo(doc_)) {
        OnDataChanged();
    }
}

void CMainFrame::OnEditRedo() {
    if (history_.Redo(doc_)) {
        OnDataChanged();
    }
}

void CMainFrame::OnHandOverMessage() {
    if (::OnHandOverMessage(platform::HandoverFolder(), doc_, *this, *view_, *this) ==
        HandOverOutcome::kImported) {
        StartHistory();
        UpdateFrameTitle();
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == platform::WindowMessageEvent::EventType()) {
        const auto* message = static_cast<platform::WindowMessageEvent*>(event);
        if (message->Message() == kDrawingModifiedMessage) {
            history_.OnDrawingModified(doc_);
            UpdateFrameTitle();
            UpdateCommandUi();
        }
        if (message->Message() == kDrawingModifiedMessage ||
            message->Message() == CCadMgr::kSelectionReleasedMessage) {
            ShowSelectionInfo();
        }
        if (message->Message() == CCadMgr::kSelectionReleasedMessage) {
            UpdateCommandUi();  // the buttons follow the selection as the menus do when opened
        }
    }
    if (watched == view_ && event->type() == QEvent::MouseMove) {
        ShowCursorPosition(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
    // A menu tells the status bar about enabled items only; a disabled one says why it is off too.
    if (auto* menu = qobject_cast<QMenu*>(watched); menu != nullptr && event->type() == QEvent::MouseMove) {
        const QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (action != nullptr && !action->isEnabled() && !action->statusTip().isEmpty()) {
            statusBar()->showMessage(action->statusTip());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    twain_->Release();
    if (CanCloseFrame(doc_, *view_, *this)) {
        event->accept();
    } else {
        event->ignore();
    }
}
