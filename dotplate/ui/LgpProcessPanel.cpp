#include "LgpProcessPanel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ComDlg.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpControllerJobs.h"
#include "LgpMachineControl.h"
#include "LgpNameDocDlg.h"
#include "LgpScaleDlg.h"
#include "LgpWindowTexts.h"
#include "LgpWorkerDlg.h"
#include "Simscope.h"
#include "SysDlg.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

constexpr int kPositionLabel = 1203;
constexpr char kJobFilter[] = "Morvane Files (*.zint)";

QString ProcessText(const char* key) {
    return Text("Process", key);
}

}  // namespace

CLgpProcessPanel::CLgpProcessPanel(QWidget* parent) : QWidget(parent) {
    BuildControls();
    RefreshConnectionCaption();
}

void CLgpProcessPanel::BuildControls() {
    auto* grid = new QGridLayout(this);
    const auto add = [this, grid](int id, const QString& text, int row, int column, auto handler) {
        QPushButton* button = dialogkit::MakeButton(this, id, text);
        grid->addWidget(button, row, column);
        connect(button, &QPushButton::clicked, this, handler);
    };
    QPushButton* device = dialogkit::MakeButton(this, kFindDevice, ProcessText("1"));
    grid->addWidget(device, 0, 0, 1, 2);
    connect(device, &QPushButton::clicked, this, &CLgpProcessPanel::FindDevice);
    grid->addWidget(dialogkit::MakeLabel(this, kPositionLabel, ProcessText("3")), 1, 0);
    auto* position = new QComboBox(this);
    platform::SetControlId(*position, kPosition);
    for (const char* key : {"4", "5", "6"}) {
        position->addItem(ProcessText(key));
    }
    position->setCurrentIndex(std::clamp<int>(Designer().config.laser.referencePointMode, 0, 2));
    connect(position, &QComboBox::activated, this, [](int index) {
        Designer().config.laser.referencePointMode = static_cast<std::int16_t>(std::max(0, index));
    });
    grid->addWidget(position, 1, 1);
    add(kStart, ProcessText("7"), 2, 0, &CLgpProcessPanel::Start);
    add(kPauseContinue, ProcessText("8"), 2, 1, &CLgpProcessPanel::PauseContinue);
    add(kStop, ProcessText("9"), 3, 0, &CLgpProcessPanel::Stop);
    add(kSaveJob, ProcessText("A"), 3, 1, &CLgpProcessPanel::SaveJob);
    add(kSendJob, ProcessText("B"), 4, 0, &CLgpProcessPanel::SendJob);
    add(kDownload, ProcessText("C"), 4, 1, &CLgpProcessPanel::Download);
    add(kGoFrame, ProcessText("D"), 5, 0, [this] { RunFrame(false); });
    add(kCutFrame, ProcessText("E"), 5, 1, [this] { RunFrame(true); });
    add(kPreview, ProcessText("F"), 6, 0, &CLgpProcessPanel::Preview);
    add(kCreate, ProcessText("G"), 6, 1, &CLgpProcessPanel::Create);
    QPushButton* exportButton = dialogkit::MakeButton(this, kExport, ProcessText("H"));
    grid->addWidget(exportButton, 7, 0, 1, 2);
    connect(exportButton, &QPushButton::clicked, this, [this] { ExportDesignAndFinish(*this, false); });
}

void CLgpProcessPanel::RefreshConnectionCaption() {
    dialogkit::Find<QPushButton>(*this, kFindDevice)->setText(ConnectionCaption());
}

void CLgpProcessPanel::MessageInfo(const char* key) {
    dialogkit::ShowDialogMessage(this, Text("MsgInfo", key).toStdString());
}

std::optional<std::array<std::uint8_t, 5>> CLgpProcessPanel::CheckMachine() {
    CLgpWaitDlg wait(this);
    if (wait.exec() != QDialog::Accepted) {
        MessageInfo("4");
        return std::nullopt;
    }
    return wait.MachineState();
}

std::optional<std::array<std::uint8_t, 5>> CLgpProcessPanel::CheckMachineIdle() {
    const auto state = CheckMachine();
    if (state && (*state)[0] != 0) {
        MessageInfo("6");
        return std::nullopt;
    }
    return state;
}

void CLgpProcessPanel::FindDevice() {
    CComDlg dialog(this);
    dialog.exec();
    RefreshConnectionCaption();
}

void CLgpProcessPanel::Start() {
    if (!CheckMachineIdle()) {
        return;
    }
    CLgpProcessingDlg processing(this, {});
    if (processing.exec() != QDialog::Accepted) {
        MessageInfo("F");
    }
}

void CLgpProcessPanel::PauseContinue() {
    const auto state = CheckMachine();
    if (!state || (*state)[0] == 0) {
        return;
    }
    const bool paused = (*state)[1] != 0;
    switch (PauseOrResume(Designer().link, paused)) {
        case LgpControlResult::kCommunicationError:
            MessageInfo("4");
            break;
        case LgpControlResult::kFailed:
            MessageInfo(paused ? "7" : "8");
            break;
        case LgpControlResult::kDone:
            break;
    }
}

void CLgpProcessPanel::Stop() {
    const auto state = CheckMachine();
    if (!state || (*state)[0] == 0) {
        return;
    }
    switch (StopProcessing(Designer().link)) {
        case LgpControlResult::kCommunicationError:
            MessageInfo("4");
            break;
        case LgpControlResult::kFailed:
            MessageInfo("9");
            break;
        case LgpControlResult::kDone:
            break;
    }
}

void CLgpProcessPanel::SaveJob() {
    QString path = QFileDialog::getSaveFileName(this, "Save as...", "default.zint", kJobFilter);
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(".zint", Qt::CaseInsensitive)) {
        path += ".zint";
    }
    CLgpProcessingDlg processing(this, path.toStdString());
    if (processing.exec() == QDialog::Accepted) {
        MessageInfo("G");
    } else {
        MessageInfo("H");
    }
}

void CLgpProcessPanel::SendJob() {
    const QString path = QFileDialog::getOpenFileName(this, ProcessText("I"), QString(), kJobFilter);
    if (path.isEmpty() || !CheckMachineIdle()) {
        return;
    }
    CLgpDownFileDlg sending(this, path.toStdString());
    if (sending.exec() == QDialog::Accepted) {
        MessageInfo("I");
    } else {
        MessageInfo("J");
    }
}

void CLgpProcessPanel::Download() {
    if (!CheckMachineIdle()) {
        return;
    }
    CLgpNameDocDlg naming(this, "DEFAULT");
    if (naming.exec() != QDialog::Accepted) {
        return;
    }
    const std::string name = naming.Name();
    switch (CheckNewDocumentName(Designer().link, name)) {
        case LgpDocumentNameCheck::kCommunicationError:
            MessageInfo("4");
            return;
        case LgpDocumentNameCheck::kReadNameFailure:
            MessageInfo("K");
            return;
        case LgpDocumentNameCheck::kDuplicate:
            MessageInfo("L");
            return;
        case LgpDocumentNameCheck::kFree:
            break;
    }
    // The job is written to a file of its own, so that no name typed here can replace another file.
    const LgpTemporaryJob job;
    CLgpProcessingDlg processing(this, job.Path());
    if (job.Path().empty() || processing.exec() != QDialog::Accepted) {
        MessageInfo("H");
        return;
    }
    CLgpDownloadDlg download(this);
    if (!download.SetTarget(job.Path(), name)) {
        return;
    }
    if (download.exec() == QDialog::Accepted) {
        MessageInfo("M");
    } else {
        MessageInfo("N");
    }
}

void CLgpProcessPanel::RunFrame(bool cut) {
    if (!CheckMachineIdle()) {
        return;
    }
    LgpDesigner& designer = Designer();
    CLgpScaleDlg settings(this, designer.frameSettings, cut);
    if (settings.exec() != QDialog::Accepted) {
        return;
    }
    designer.frameSettings = settings.Settings();
    if (dotplate::RunFrame(designer.link, designer.plate.OutlineBox(), designer.frameSettings,
                           designer.originCorner, designer.headPosition,
                           cut) == LgpControlResult::kCommunicationError) {
        MessageInfo("4");
    }
}

void CLgpProcessPanel::Preview() {
    const LgpTemporaryJob job;
    if (job.Path().empty()) {
        return;
    }
    CLgpProcessingDlg processing(this, job.Path());
    const bool written = processing.exec() == QDialog::Accepted;
    Zint_SimuDlg(written ? job.Path().c_str() : "", Designer().languageIndex, Designer().originCorner, 1);
}

void CLgpProcessPanel::Create() {
    LgpDesigner& designer = Designer();
    designer.plate.Generate(designer.config.dot, designer.config.shape);
    emit plateChanged(false);
}

}  // namespace dotplate::ui
