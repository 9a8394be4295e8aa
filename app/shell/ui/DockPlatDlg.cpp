#include "DockPlatDlg.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "CommandTable.h"
#include "LanguageTexts.h"
#include "WindowMessage.h"

namespace {

bool IsLaterPage(int index) {
    return IsLaterCommand(CDockPlatDlg::kPages[static_cast<std::size_t>(index)].dialogTemplate);
}

}  // namespace

CDockPlatDlg::CDockPlatDlg(QWidget* parent) : QWidget(parent), tabs_(new QTabWidget(this)) {
    platform::SetControlId(*tabs_, kTabControlId);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    for (int index = 0; index < kPageCount; ++index) {
        auto* page = new QLabel(tabs_);
        page->setAlignment(Qt::AlignCenter);
        page->setWordWrap(true);
        pages_[static_cast<std::size_t>(index)] = page;
        tabs_->addTab(page, QString::fromUtf8(kPages[static_cast<std::size_t>(index)].builtInCaption));
        tabs_->setTabEnabled(index, !IsLaterPage(index));
    }
    UpdateTexts();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0) {
            ShowPage(index);
        }
    });
    ShowPage(0);
}

void CDockPlatDlg::UpdateTexts() {
    const QString later = QString::fromStdString(LaterCommandStatusText());
    for (int index = 0; index < kPageCount; ++index) {
        const std::string caption =
            GetLangText("DockPlat", kPages[static_cast<std::size_t>(index)].captionKey);
        if (!caption.empty()) {
            tabs_->setTabText(index, QString::fromStdString(caption));
        }
        QLabel* page = pages_[static_cast<std::size_t>(index)];
        if (IsLaterPage(index)) {
            page->setText(later);
            page->setStatusTip(later);
            tabs_->setTabToolTip(index, later);
        }
    }
}

void CDockPlatDlg::ShowPage(int index) {
    index = std::clamp(index, 0, kPageCount - 1);
    for (int other = 0; other < kPageCount; ++other) {
        Page(other)->setEnabled(other == index && !IsLaterPage(other));
    }
    tabs_->setCurrentIndex(index);
    Page(index)->setFocus();
}

int CDockPlatDlg::CurrentPage() const {
    return tabs_->currentIndex();
}

QWidget* CDockPlatDlg::Page(int index) const {
    return index >= 0 && index < kPageCount ? pages_[static_cast<std::size_t>(index)] : nullptr;
}
