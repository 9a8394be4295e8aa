#include "ScanDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <system_error>

#include "FrameTwain.h"
#include "Progress.h"
#include "SettingsGlobals.h"
#include "WaitDots.h"
#include "WindowMessage.h"

namespace {

std::string ScanWaitText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? "正在扫描,请稍候" : "Scanning, please wait";
}

}  // namespace

CScanDlg::CScanDlg(CFrameTwain& twain, PageTaker takePage, QWidget* parent)
    : QDialog(parent), twain_(twain), takePage_(std::move(takePage)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(QString::fromStdString(ScanWaitText()), this);
    platform::SetControlId(*text_, kTextId);
    text_->setMinimumWidth(260);
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    if (LanguageIndex == kLanguageSimplifiedChinese) {
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &CScanDlg::reject);
    layout->addWidget(buttons);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CScanDlg::OnTimer);
}

CScanDlg::~CScanDlg() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

int CScanDlg::exec() {
    done_ = false;
    try {
        worker_ = std::jthread([this](std::stop_token stop) {
            twain_.TransferPages(stop);
            done_ = true;
        });
    } catch (const std::system_error&) {
        return 0;
    }
    timer_->start(kTickMs);
    QDialog::exec();
    return taken_;
}

void CScanDlg::reject() {
    // The box stays until the worker has stopped; the next tick after that ends it.
    if (worker_.joinable()) {
        worker_.request_stop();
        return;
    }
    QDialog::reject();
}

void CScanDlg::TakeArrivedPages() {
    for (const platform::DibBlock& page : twain_.TakePages()) {
        takePage_(page);
        ++taken_;
    }
}

void CScanDlg::OnTimer() {
    // Placing a page may show a message box; no tick may come in while it is open.
    timer_->stop();
    text_->setText(QString::fromStdString(WaitTextWithDots(ScanWaitText(), dotCounter_)));
    TakeArrivedPages();
    if (!done_.load()) {
        timer_->start(kTickMs);
        return;
    }
    worker_.join();
    TakeArrivedPages();
    accept();
}
