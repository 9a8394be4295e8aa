#include "WorkerDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "Progress.h"
#include "TextProgressCtrl.h"
#include "WaitDots.h"

namespace {

// The bar's two colours, as colour references (0x00BBGGRR).
constexpr platform::ColorRef kBarStartColor = 0xFF0000;
constexpr platform::ColorRef kBarEndColor = 0x280000;

}  // namespace

CWorkerDlg::CWorkerDlg(WorkerTask& task, QWidget* parent) : QDialog(parent), task_(task) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const WorkerBoxLayout layout = task.Layout();
    setWindowTitle(QString::fromStdString(layout.caption));
    auto* column = new QVBoxLayout(this);
    text_ = dialogkit::MakeLabel(this, layout.textId, QString());
    text_->setMinimumWidth(260);
    column->addWidget(text_);
    if (layout.progressId != 0) {
        progress_ = new CTextProgressCtrl(this);
        progress_->setObjectName(QString::number(layout.progressId));
        progress_->SetRange(0, kProgressSteps);
        progress_->SetBarColors(kBarStartColor, kBarEndColor);
        progress_->setMinimumHeight(18);
        column->addWidget(progress_);
    }
    if (layout.stopButtonId != 0) {
        stop_ = dialogkit::MakeButton(this, layout.stopButtonId, QString::fromStdString(layout.stopText));
        connect(stop_, &QPushButton::clicked, this, [this] { task_.RequestStop(); });
        column->addWidget(stop_, 0, Qt::AlignRight);
    }
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CWorkerDlg::OnTimer);
}

int CWorkerDlg::exec() {
    task_.Start();
    timer_->start(kTickMs);
    return QDialog::exec();
}

void CWorkerDlg::reject() {
    if (!task_.threadHandle) {
        Finish();
        return;
    }
    if (stop_ != nullptr) {
        task_.RequestStop();
    }
}

void CWorkerDlg::OnTimer() {
    if (progress_ != nullptr) {
        // Truncated, so that 0.99999 never shows as done.
        progress_->SetPos(static_cast<std::int32_t>(ProgressRatio.load() * kProgressSteps));
    }
    text_->setText(QString::fromStdString(WaitTextWithDots(WaitText.Get(), task_.DotCounter())));
    if (!task_.threadHandle) {
        Finish();
    }
}

void CWorkerDlg::Finish() {
    timer_->stop();
    task_.Join();
    done(task_.Result());
}

int WorkerDlgRunner::Run(WorkerTask& task) {
    CWorkerDlg box(task, parent_);
    return box.exec();
}
