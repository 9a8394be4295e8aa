// The main window: menus from the command table, the drawing view, the status bar and the caption.
#include "MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

#include <algorithm>
#include <string>

#include "CadMgr.h"
#include "CanvasMapping.h"
#include "CoolBar.h"
#include "CutrixView.h"
#include "DockPlatDlg.h"
#include "FileCommands.h"
#include "FrameTwain.h"
#include "LanguageTexts.h"
#include "LayerColorBar.h"
#include "MainToolBars.h"
#include "PropertyBar.h"
#include "RulerSplitterWnd.h"
#include "RulerView.h"
#include "ShellCommands.h"
#include "SettingsGlobals.h"
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
    : QMainWindow(parent), manager_(manager), commands_(ShellCommandRegistry()), doc_(manager) {
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
    history_.Start(doc_);
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
    for (const CommandEntry& command : commands_.Entries()) {
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
    for (const CommandEntry& command : commands_.Entries()) {
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

void CMainFrame::UpdateCommandUi() {
    const CommandState state = CurrentCommandState();
    for (const CommandEntry& command : commands_.Entries()) {
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
    const CommandEntry* command = commands_.Find(id);
    if (command == nullptr || !CanRun(*command)) {
        return;
    }
    UpdateCommandUi();
    if (QAction* action = Action(id); action != nullptr && !action->isEnabled()) {
        return;
    }
    command->handler(*this, *command);
    UpdateCommandUi();
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
    if (command.check == CheckRule::kBarVisible && !barToggles_.Has(static_cast<Bar>(command.value))) {
        return false;
    }
    return command.handler != nullptr;
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

void CMainFrame::OpenFromAnotherCopy(const std::filesystem::path& file) {
    BringToFront();
    if (CanCloseFrame(doc_, *view_, *this)) {
        OpenDocumentFile(file);
    }
}

std::optional<std::filesystem::path> CMainFrame::ChooseSavePath() {
    return ChooseDocumentSavePath(this, doc_.GetTitle());
}

bool CMainFrame::OpenDocumentFile(const std::filesystem::path& file) {
    return ::OpenDocumentFile(*this, file);
}

bool CMainFrame::ImportFile(const std::filesystem::path& file) {
    return ::ImportFile(*this, file);
}

void CMainFrame::PlaceImportedData(CDbList<CFileDraw*>& records, int select) {
    PlaceImport(*this, records, select);
    OnDataChanged();
}

void CMainFrame::ToggleBar(Bar bar) {
    barToggles_.Toggle(bar);
}

void CMainFrame::CloseWindow() {
    close();
}

void CMainFrame::BuildRecentFileMenu() {
    QAction* first = Action(kFirstRecentFileId);
    recentFileActions_.push_back(first);
    QMenu* menu = PopupFor(*FindCommand(kFirstRecentFileId));
    QAction* after = menu->actions().value(menu->actions().indexOf(first) + 1);
    for (std::size_t index = 1; index < CRecentFileList::kMaxEntries; ++index) {
        auto* action = new QAction(this);
        platform::SetCommandId(*action, static_cast<int>(kFirstRecentFileId + index));
        connect(action, &QAction::triggered, this, [this, index] { OpenRecentFile(*this, index); });
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

void CMainFrame::RecentFilesChanged() {
    UpdateRecentFileMenu();
}

void CMainFrame::UseScannerLibrary(const std::string& name) {
    twain_ = std::make_unique<CFrameTwain>(this, name);
}

void CMainFrame::OnHandOverMessage() {
    if (::OnHandOverMessage(platform::HandoverFolder(), doc_, *this, *view_, *this) ==
        HandOverOutcome::kImported) {
        history_.Start(doc_);
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
    // A menu tells the status bar about enabled items only; a disabled one says why it is off too. The
    // menu clears the status bar itself when the pointer leaves an enabled item for a disabled one, after
    // this filter has seen the move: the prompt is shown once the menu has handled it.
    if (auto* menu = qobject_cast<QMenu*>(watched); menu != nullptr && event->type() == QEvent::MouseMove) {
        const QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (action != nullptr && !action->isEnabled() && !action->statusTip().isEmpty()) {
            QMetaObject::invokeMethod(
                statusBar(), [bar = statusBar(), tip = action->statusTip()] { bar->showMessage(tip); },
                Qt::QueuedConnection);
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
