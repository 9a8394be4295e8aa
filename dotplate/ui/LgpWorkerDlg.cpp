#include "LgpWorkerDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpControllerJobs.h"
#include "LgpWindowTexts.h"
#include "TextProgressCtrl.h"
#include "WaitDots.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

constexpr int kWaitTextId = 1070;
constexpr int kProgressId = 1071;
constexpr int kCancelButtonId = 1072;
constexpr int kTickMs = 100;
constexpr int kProgressSteps = 10000;

}  // namespace

CLgpWorkerDlg::CLgpWorkerDlg(QWidget* parent, bool withProgress) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    text_ = dialogkit::MakeLabel(this, kWaitTextId, QString());
    text_->setMinimumWidth(320);
    layout->addWidget(text_);
    if (withProgress) {
        bar_ = new CTextProgressCtrl(this);
        platform::SetControlId(*bar_, kProgressId);
        bar_->SetRange(0, kProgressSteps);
        bar_->SetPos(0);
        bar_->SetBarColors(platform::Rgb(0, 0, 255), platform::Rgb(0, 0, 0x28));
        bar_->setMinimumHeight(22);
        layout->addWidget(bar_);
    }
    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &CLgpWorkerDlg::Tick);
}

int CLgpWorkerDlg::exec() {
    worker_.Start(Work());
    timer_->start();
    return QDialog::exec();
}

void CLgpWorkerDlg::reject() {
    // Escape and the close box only ask: the dialog ends when the worker has stopped.
    if (worker_.IsRunning()) {
        RequestStop();
        return;
    }
    QDialog::reject();
}

void CLgpWorkerDlg::Tick() {
    if (bar_ != nullptr) {
        bar_->SetPos(static_cast<std::int32_t>(worker_.Status().progress.load() * kProgressSteps));
    }
    text_->setText(QString::fromStdString(WaitTextWithDots(worker_.Status().WaitText(), dotCounter_)));
    if (worker_.IsRunning()) {
        return;
    }
    timer_->stop();
    worker_.Join();
    if (worker_.Result() == 0) {
        accept();
    } else {
        QDialog::reject();
    }
}

LgpWorker::Body CLgpWaitDlg::Work() {
    return [this](std::stop_token, LgpWorkerStatus& status) {
        return ReadMachineState(Designer().link, Designer().languageIndex, state_, status);
    };
}

CLgpProcessingDlg::CLgpProcessingDlg(QWidget* parent, std::filesystem::path jobFile)
    : CLgpWorkerDlg(parent, true), jobFile_(std::move(jobFile)), job_(Designer().MakeDotJob()) {}

LgpWorker::Body CLgpProcessingDlg::Work() {
    return [this](std::stop_token, LgpWorkerStatus& status) {
        return ProcessDotJob(Designer().link, job_, jobFile_.empty() ? nullptr : &jobFile_,
                             Designer().languageIndex, status);
    };
}

bool CLgpDownloadDlg::SetTarget(const std::filesystem::path& jobFile, const std::string& documentName) {
    if (jobFile.empty() || documentName.empty()) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::exists(jobFile, error)) {
        dialogkit::ShowDialogMessage(parentWidget(), Text("MsgInfo", "O").toStdString());
        return false;
    }
    jobFile_ = jobFile;
    documentName_ = documentName;
    return true;
}

LgpWorker::Body CLgpDownloadDlg::Work() {
    return [this](std::stop_token stop, LgpWorkerStatus& status) {
        return DownloadJobFile(Designer().link, jobFile_, documentName_, Designer().languageIndex, stop,
                               status);
    };
}

CLgpDownFileDlg::CLgpDownFileDlg(QWidget* parent, std::filesystem::path jobFile)
    : CLgpWorkerDlg(parent, true), jobFile_(std::move(jobFile)) {
    QPushButton* cancel = dialogkit::MakeButton(this, kCancelButtonId, "取消(Cancel)");
    layout()->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, [this] { RequestStop(); });
}

int CLgpDownFileDlg::exec() {
    if (!IsJobFilePath(jobFile_)) {
        dialogkit::ShowDialogMessage(parentWidget(), Text("MsgInfo", "P").toStdString());
        return QDialog::Rejected;
    }
    return CLgpWorkerDlg::exec();
}

LgpWorker::Body CLgpDownFileDlg::Work() {
    return [this](std::stop_token stop, LgpWorkerStatus& status) {
        return SendJobFileToController(Designer().link, jobFile_, Designer().languageIndex, stop, status);
    };
}

CLgpSearchDlg::CLgpSearchDlg(QWidget* parent) : CLgpWorkerDlg(parent, false) {
    setWindowTitle(Text("ComDlg", "3"));
}

LgpWorker::Body CLgpSearchDlg::Work() {
    // The worker has no access to the texts, which belong to the window thread.
    return [waitText = Text("Process", "J").toStdString()](std::stop_token, LgpWorkerStatus& status) {
        status.SetWaitText(waitText);
        return Designer().link.Search();
    };
}

}  // namespace dotplate::ui
