#include "LgpMainDlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpDotPage.h"
#include "LgpLaserPage.h"
#include "LgpPreviewArea.h"
#include "LgpProcessPanel.h"
#include "LgpWindowTexts.h"
#include "ProgramFolder.h"
#include "SysDlg.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

constexpr int kPreviewId = 1000;
constexpr int kColumnId = 1001;
constexpr int kTabsId = 1002;
constexpr int kPanelId = 1003;
constexpr int kColumnWidth = 340;

}  // namespace

CLgpMainDlg::CLgpMainDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text("Main", "1"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto* layout = new QHBoxLayout(this);
    preview_ = new CLgpPreviewArea(this);
    platform::SetControlId(*preview_, kPreviewId);
    layout->addWidget(preview_, 1);

    auto* column = new QFrame(this);
    platform::SetControlId(*column, kColumnId);
    column->setFixedWidth(kColumnWidth);
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget(column);
    platform::SetControlId(*tabs_, kTabsId);
    dotPage_ = new CLgpDotPage(tabs_);
    laserPage_ = new CLgpLaserPage(tabs_);
    sysPage_ = new CSysDlg(tabs_);
    tabs_->addTab(dotPage_, Text("Main", "2"));
    tabs_->addTab(laserPage_, Text("Main", "3"));
    tabs_->addTab(sysPage_, Text("Main", "4"));
    columnLayout->addWidget(tabs_, 1);
    panel_ = new CLgpProcessPanel(column);
    platform::SetControlId(*panel_, kPanelId);
    columnLayout->addWidget(panel_);
    layout->addWidget(column);
    SelectPage(0);

    connect(preview_, &CLgpPreviewArea::baselineDragged, dotPage_, &CLgpDotPage::SetBaseline);
    connect(dotPage_, &CLgpDotPage::previewChanged, preview_, qOverload<>(&QWidget::update));
    connect(laserPage_, &CLgpLaserPage::previewChanged, preview_, qOverload<>(&QWidget::update));
    connect(sysPage_, &CSysDlg::plateChanged, this, &CLgpMainDlg::PlateChanged);
    connect(panel_, &CLgpProcessPanel::plateChanged, this, &CLgpMainDlg::PlateChanged);
}

void CLgpMainDlg::SelectPage(int index) {
    tabs_->setCurrentIndex(index >= 0 && index <= 2 ? index : 0);
}

void CLgpMainDlg::PlateChanged(bool fit) {
    if (fit) {
        preview_->FitToPlate();
    }
    preview_->update();
}

bool CLgpMainDlg::event(QEvent* event) {
    if (event->type() == platform::WindowMessageEvent::EventType() &&
        static_cast<platform::WindowMessageEvent*>(event)->Message() == kExportDoneMessage) {
        accept();
        return true;
    }
    return QDialog::event(event);
}

void CLgpMainDlg::done(int result) {
    // The edit being typed in counts, as it would on losing the focus.
    if (QWidget* focused = focusWidget(); focused != nullptr) {
        focused->clearFocus();
    }
    if (!saved_) {
        Designer().CloseSession(platform::ProgramFolder());
        saved_ = true;
    }
    QDialog::done(result);
}

}  // namespace dotplate::ui
