#include "ScanCutAdvDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "FormProblem.h"
#include "LayerEditState.h"
#include "LayerEntryRules.h"
#include "LayerPage.h"
#include "SettingsRecords.h"
#include "WindowMessage.h"

namespace {

enum EditIndex { kSpeed, kMin1, kMax1, kMin2, kMax2, kSeal, kOnDelay, kOffDelay };
constexpr double kLargestSealMm = 5.0;

bool SpeedInMmPerS() {
    return gFileParaSettings.velocityUnit != 0;
}

}  // namespace

CScanCutAdvDlg::CScanCutAdvDlg(QWidget* parent, LayerEditState& state) : QDialog(parent), state_(state) {
    setWindowTitle(LayerText("19"));
    auto* grid = new QGridLayout(this);
    cutAfterScan_ = dialogkit::MakeCheck(this, kCutAfterScanCheck, LayerText("1A"));
    grid->addWidget(cutAfterScan_, 0, 0, 1, 4);
    QGroupBox* group = dialogkit::MakeGroup(this, 1213, LayerText("1B"));
    auto* inner = new QGridLayout(group);
    const QString unit = SpeedInMmPerS() ? "(mm/s):" : "(m/min):";
    inner->addWidget(dialogkit::MakeLabel(group, 1214, LayerText("1C") + unit), 0, 0);
    edits_[kSpeed] = dialogkit::MakeEdit(group, kSpeedEdit);
    inner->addWidget(edits_[kSpeed], 0, 1);
    speedDefault_ = dialogkit::MakeCheck(group, kSpeedDefaultCheck, LayerText("O"));
    inner->addWidget(speedDefault_, 0, 2);
    inner->addWidget(dialogkit::MakeLabel(group, 1216, LayerText("7")), 1, 1);
    inner->addWidget(dialogkit::MakeLabel(group, 1218, LayerText("8")), 1, 2);
    inner->addWidget(dialogkit::MakeLabel(group, 1068, LayerText("P")), 2, 0);
    inner->addWidget(dialogkit::MakeLabel(group, 1017, LayerText("Q")), 3, 0);
    const int powerIds[] = {kMinPower1Edit, kMaxPower1Edit, kMinPower2Edit, kMaxPower2Edit};
    for (int index = 0; index < 4; ++index) {
        edits_[kMin1 + index] = dialogkit::MakeEdit(group, powerIds[index]);
        inner->addWidget(edits_[kMin1 + index], 2 + index / 2, 1 + index % 2);
    }
    powerDefault_ = dialogkit::MakeCheck(group, kPowerDefaultCheck, LayerText("O"));
    inner->addWidget(powerDefault_, 2, 3);
    inner->addWidget(dialogkit::MakeLabel(group, 1226, LayerText("1H")), 4, 0);
    blow_ = new QComboBox(group);
    platform::SetControlId(*blow_, kBlowList);
    blow_->addItems({LayerText("1I"), LayerText("1J")});
    inner->addWidget(blow_, 4, 1);
    const int rowIds[][2] = {{1220, kSealEdit}, {1222, kOnDelayEdit}, {1224, kOffDelayEdit}};
    const char* rowKeys[] = {"1K", "1L", "1M"};
    for (int index = 0; index < 3; ++index) {
        inner->addWidget(dialogkit::MakeLabel(group, rowIds[index][0], LayerText(rowKeys[index])), 5 + index,
                         0);
        edits_[kSeal + index] = dialogkit::MakeEdit(group, rowIds[index][1]);
        inner->addWidget(edits_[kSeal + index], 5 + index, 1);
    }
    grid->addWidget(group, 1, 0, 1, 4);

    QPushButton* ok = dialogkit::MakeOkButton(this);
    ok->setDefault(true);
    QPushButton* cancel = dialogkit::MakeCancelButton(this);
    grid->addWidget(ok, 2, 2);
    grid->addWidget(cancel, 2, 3);
    connect(ok, &QPushButton::clicked, this, &CScanCutAdvDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CScanCutAdvDlg::reject);
    for (QCheckBox* box : {cutAfterScan_, speedDefault_, powerDefault_}) {
        connect(box, &QCheckBox::clicked, this, &CScanCutAdvDlg::EnableByChecks);
    }

    if (const VectorLayerParams* vector = state_.Vector()) {
        Fill(*vector);
    } else if (const BitmapLayerParams* bitmap = state_.Bitmap()) {
        Fill(*bitmap);
    }
    EnableByChecks();
}

template <typename Block>
void CScanCutAdvDlg::Fill(const Block& block) {
    const double shownSpeed =
        SpeedInMmPerS() ? block.EngCut_Speed : block.EngCut_Speed * layer_entry::kMPerMinPerMmPerS;
    const std::array<double, 8> values{shownSpeed,           block.EngCut_Pmin1,   block.EngCut_Pmax1,
                                       block.EngCut_Pmin2,   block.EngCut_Pmax2,   block.EngCut_Close,
                                       block.EngCut_OnDelay, block.EngCut_OffDelay};
    for (std::size_t index = 0; index < edits_.size(); ++index) {
        edits_[index]->setText(QString::fromStdString(layer_entry::ShowStored(values[index])));
    }
    blow_->setCurrentIndex(block.EngCut_Blow != 0 ? 1 : 0);
    speedDefault_->setChecked(block.EngCut_DefaultSpeed != 0);
    powerDefault_->setChecked(block.EngCut_DefaultPower != 0);
    cutAfterScan_->setChecked(block.Eng_EnCut != 0);
}

void CScanCutAdvDlg::EnableByChecks() {
    const bool on = cutAfterScan_->isChecked();
    for (QLineEdit* edit : edits_) {
        edit->setEnabled(on);
    }
    blow_->setEnabled(on);
    speedDefault_->setEnabled(on);
    powerDefault_->setEnabled(on);
    edits_[kSpeed]->setEnabled(on && !speedDefault_->isChecked());
    for (int index = kMin1; index <= kMax2; ++index) {
        edits_[index]->setEnabled(on && !powerDefault_->isChecked());
    }
}

template <typename Block>
void CScanCutAdvDlg::Store(Block& block, const std::array<double, 8>& numbers) const {
    using namespace layer_entry;
    block.EngCut_Speed = StoredLayerSpeed(numbers[kSpeed], SpeedInMmPerS());
    block.EngCut_Pmin1 = ApplyRounded(kPowerPercent, numbers[kMin1]);
    block.EngCut_Pmax1 = ApplyRounded(kPowerPercent, numbers[kMax1]);
    block.EngCut_Pmin2 = ApplyRounded(kPowerPercent, numbers[kMin2]);
    block.EngCut_Pmax2 = ApplyRounded(kPowerPercent, numbers[kMax2]);
    block.EngCut_Close = numbers[kSeal];
    block.EngCut_OnDelay = ApplyRounded(kDelayMs, numbers[kOnDelay]);
    block.EngCut_OffDelay = ApplyRounded(kDelayMs, numbers[kOffDelay]);
    block.EngCut_Blow = blow_->currentIndex() > 0 ? 1 : 0;
    block.Eng_EnCut = cutAfterScan_->isChecked() ? 1 : 0;
    block.EngCut_DefaultSpeed = speedDefault_->isChecked() ? 1 : 0;
    block.EngCut_DefaultPower = powerDefault_->isChecked() ? 1 : 0;
}

void CScanCutAdvDlg::accept() {
    dialogkit::CommitFocusedEdit(*this);
    std::array<double, 8> numbers{};
    for (std::size_t index = 0; index < edits_.size(); ++index) {
        const std::optional<double> number = dialogkit::ReadNumber(*edits_[index]);
        const bool sealOutOfRange = index == kSeal && number && (*number < 0.0 || *number > kLargestSealMm);
        if (!number || sealOutOfRange) {
            const dialogkit::FormProblem problem{
                0, number ? dialogkit::kOutOfRangeMessage : dialogkit::kNoNumberMessage,
                number ? "0 - 5 mm" : ""};
            dialogkit::ShowDialogMessage(this, dialogkit::ProblemText(problem),
                                         platform::kOk | platform::kIconWarning);
            edits_[index]->setFocus();
            edits_[index]->selectAll();
            return;
        }
        numbers[index] = *number;
    }
    if (VectorLayerParams* vector = state_.Vector()) {
        Store(*vector, numbers);
    } else if (BitmapLayerParams* bitmap = state_.Bitmap()) {
        Store(*bitmap, numbers);
    }
    QDialog::accept();
}
