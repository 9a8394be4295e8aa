#include "BusyDlg.h"

#include <QTimer>
#include <QVBoxLayout>

#include "TextProgressCtrl.h"
#include "WindowMessage.h"

CBusyDlg::CBusyDlg(const std::atomic<int>& busy, QWidget* parent) : QDialog(parent), busy_(busy) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Cutrix"));
    auto* layout = new QVBoxLayout(this);
    progress_ = new CTextProgressCtrl(this);
    platform::SetControlId(*progress_, kProgressId);
    progress_->SetShowText(false);
    progress_->SetRange(0, kRangeEnd);
    progress_->SetPos(0);
    progress_->setMinimumSize(260, 18);
    layout->addWidget(progress_);

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CBusyDlg::OnTimer);
    timer_->start(kTickMs);
}

std::int32_t CBusyDlg::NextPosition(std::int32_t position) {
    const std::int32_t next = position + kStep;
    return next > kRangeEnd ? 0 : next;
}

void CBusyDlg::OnTimer() {
    counter_ = NextPosition(counter_);
    progress_->SetPos(counter_);
    if (busy_.load() != 1) {
        timer_->stop();
        done(0);
    }
}
