#include "ImportDlg.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <system_error>

#include "PlaceImportedData.h"
#include "Progress.h"
#include "SettingsGlobals.h"
#include "WaitDots.h"
#include "TextProgressCtrl.h"
#include "WindowMessage.h"

namespace {

constexpr std::int32_t kProgressSteps = 10000;

}  // namespace

int CImportDlg::dotCounter_ = 0;

CImportDlg::CImportDlg(ImportWorkerJob& job, platform::MessageSink& messages, QWidget* parent)
    : QDialog(parent), job_(job), messages_(messages) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(WaitText(), this);
    platform::SetControlId(*text_, kTextId);
    text_->setMinimumWidth(260);
    layout->addWidget(text_);
    progress_ = new CTextProgressCtrl(this);
    platform::SetControlId(*progress_, kProgressId);
    progress_->SetRange(0, kProgressSteps);
    progress_->setMinimumHeight(18);
    layout->addWidget(progress_);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CImportDlg::OnTimer);
}

CImportDlg::~CImportDlg() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

QString CImportDlg::WaitText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? QStringLiteral("正导入文件处理,请稍侯")
                                                       : QStringLiteral("Please wait");
}

int CImportDlg::exec() {
    ImportDone = 0;
    ProgressRatio = 0.0;
    try {
        worker_ = std::thread([this] { ImportWorker(job_); });
    } catch (const std::system_error&) {
        ImportDone = 1;
        messages_.ShowMessageBox(ImportWorkerStartFailedText(), "", platform::kOk | platform::kIconError);
        return QDialog::Rejected;
    }
    timer_->start(kTickMs);
    return QDialog::exec();
}

void CImportDlg::reject() {
    if (!worker_.joinable()) {
        QDialog::reject();
    }
}

void CImportDlg::OnTimer() {
    const std::string text = WaitText().toStdString();
    text_->setText(QString::fromStdString(WaitTextWithDots(text, dotCounter_)));
    progress_->SetPos(static_cast<std::int32_t>(ProgressRatio.load() * kProgressSteps));
    if (ImportDone.load() != 1) {
        return;
    }
    timer_->stop();
    worker_.join();
    accept();
}

void RunImportWorkerInDialog(ImportWorkerJob& job, platform::MessageSink& messages, QWidget* parent) {
    CImportDlg dialog(job, messages, parent);
    dialog.exec();
}
