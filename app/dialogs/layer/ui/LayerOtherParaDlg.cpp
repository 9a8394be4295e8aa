#include "LayerOtherParaDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CadLayer.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "FormProblem.h"
#include "LayerEditState.h"
#include "LayerEntryRules.h"
#include "LayerPage.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "ZPositionRead.h"

namespace {

bool SpeedInMmPerS() {
    return gFileParaSettings.velocityUnit != 0;
}

void Show(QLineEdit* edit, double value) {
    edit->setText(QString::fromStdString(layer_entry::ShowStored(value)));
}

}  // namespace

CLayerOtherParaDlg::CLayerOtherParaDlg(QWidget* parent, LayerEditState& state,
                                       const CConnectSetting& connection)
    : QDialog(parent), state_(state), connection_(connection) {
    setWindowTitle(LayerText("N"));
    auto* grid = new QGridLayout(this);
    penUpDown_ = dialogkit::MakeCheck(this, kPenUpDownCheck, LayerText("J"));
    grid->addWidget(penUpDown_, 0, 0, 1, 4);
    penDown_ = dialogkit::MakeCheck(this, kPenDownCheck, LayerText("K"));
    downPosition_ = dialogkit::MakeEdit(this, kDownPositionEdit);
    readDown_ = dialogkit::MakeButton(this, kReadDownButton, LayerText("1V"));
    penUp_ = dialogkit::MakeCheck(this, kPenUpCheck, LayerText("L"));
    upPosition_ = dialogkit::MakeEdit(this, kUpPositionEdit);
    readUp_ = dialogkit::MakeButton(this, kReadUpButton, LayerText("1V"));
    int row = 1;
    for (auto [check, edit, read] :
         {std::tuple{penDown_, downPosition_, readDown_}, std::tuple{penUp_, upPosition_, readUp_}}) {
        grid->addWidget(check, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel("mm", this), row, 2);
        grid->addWidget(read, row, 3);
        ++row;
    }
    const QString unit = SpeedInMmPerS() ? "(mm/s):" : "(m/min):";
    grid->addWidget(dialogkit::MakeLabel(this, 1003, LayerText("M") + unit), 3, 0);
    zSpeed_ = dialogkit::MakeEdit(this, kZSpeedEdit);
    grid->addWidget(zSpeed_, 3, 1);

    QGroupBox* point = dialogkit::MakeGroup(this, 1022, LayerText("R"));
    auto* pointGrid = new QGridLayout(point);
    pointGrid->addWidget(dialogkit::MakeLabel(point, 1014, LayerText("H")), 0, 0);
    dotInterval_ = dialogkit::MakeEdit(point, kDotIntervalEdit);
    pointGrid->addWidget(dotInterval_, 0, 1);
    grid->addWidget(point, 4, 0, 1, 4);
    laser1_ = dialogkit::MakeCheck(this, kLaser1Check, LangText("DlgGeneral", "7"));
    laser2_ = dialogkit::MakeCheck(this, kLaser2Check, LangText("DlgGeneral", "8"));
    grid->addWidget(laser1_, 5, 0, 1, 2);
    grid->addWidget(laser2_, 5, 2, 1, 2);
    QGroupBox* extend = dialogkit::MakeGroup(this, 1162, LayerText("21"));
    auto* extendLayout = new QVBoxLayout(extend);
    extendIo_ = dialogkit::MakeCheck(extend, kExtendIoCheck, "IO1");
    extendLayout->addWidget(extendIo_);
    grid->addWidget(extend, 6, 0, 1, 4);

    QPushButton* ok = dialogkit::MakeOkButton(this);
    ok->setDefault(true);
    QPushButton* cancel = dialogkit::MakeCancelButton(this);
    grid->addWidget(ok, 7, 2);
    grid->addWidget(cancel, 7, 3);
    connect(ok, &QPushButton::clicked, this, &CLayerOtherParaDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLayerOtherParaDlg::reject);
    for (QCheckBox* box : {penUpDown_, penDown_, penUp_}) {
        connect(box, &QCheckBox::clicked, this, &CLayerOtherParaDlg::EnableZControls);
    }
    connect(readDown_, &QPushButton::clicked, this, [this] { ReadZInto(downPosition_); });
    connect(readUp_, &QPushButton::clicked, this, [this] { ReadZInto(upPosition_); });

    const LayerCommonParams& common = state_.Common();
    penUpDown_->setChecked(common.COM_EnZ != 0);
    penDown_->setChecked(common.COM_EnZDown != 0);
    penUp_->setChecked(common.COM_EnZUp != 0);
    Show(downPosition_, common.COM_ZDownPos);
    Show(upPosition_, common.COM_ZUpPos);
    Show(zSpeed_, layer_entry::ShownZSpeed(common.COM_ZSpeed, SpeedInMmPerS()));
    Show(dotInterval_, common.COM_DotInterval);
    laser1_->setChecked(common.COM_EnLaser1 != 0);
    laser2_->setChecked(common.COM_EnLaser2 != 0);
    extendIo_->setChecked(common.COM_EnExIO != 0);
    EnableZControls();
}

void CLayerOtherParaDlg::EnableZControls() {
    const bool zOn = penUpDown_->isChecked();
    penDown_->setEnabled(zOn);
    penUp_->setEnabled(zOn);
    zSpeed_->setEnabled(zOn);
    downPosition_->setEnabled(zOn && penDown_->isChecked());
    readDown_->setEnabled(zOn && penDown_->isChecked());
    upPosition_->setEnabled(zOn && penUp_->isChecked());
    readUp_->setEnabled(zOn && penUp_->isChecked());
}

void CLayerOtherParaDlg::ReadZInto(QLineEdit* positionEdit) {
    const std::optional<double> zMm = ReadControllerZMm(connection_);
    if (!zMm) {
        dialogkit::ShowDialogMessage(this, ZReadFailureText(LanguageIndex),
                                     platform::kOk | platform::kIconWarning);
        return;
    }
    Show(positionEdit, *zMm);
}

void CLayerOtherParaDlg::accept() {
    dialogkit::CommitFocusedEdit(*this);
    double numbers[4] = {};
    QLineEdit* const edits[4] = {downPosition_, upPosition_, zSpeed_, dotInterval_};
    for (int index = 0; index < 4; ++index) {
        const std::optional<double> number = dialogkit::ReadNumber(*edits[index]);
        if (!number) {
            dialogkit::ShowDialogMessage(this, dialogkit::ProblemText({0, dialogkit::kNoNumberMessage, ""}),
                                         platform::kOk | platform::kIconWarning);
            edits[index]->setFocus();
            edits[index]->selectAll();
            return;
        }
        numbers[index] = *number;
    }
    LayerCommonParams& common = state_.Common();
    common.COM_EnZ = penUpDown_->isChecked() ? 1 : 0;
    common.COM_EnZDown = penDown_->isChecked() ? 1 : 0;
    common.COM_EnZUp = penUp_->isChecked() ? 1 : 0;
    common.COM_ZDownPos = numbers[0];
    common.COM_ZUpPos = numbers[1];
    common.COM_EnExIO = extendIo_->isChecked() ? 1 : 0;
    common.COM_ZSpeed = layer_entry::StoredZSpeed(numbers[2], SpeedInMmPerS());
    common.COM_DotInterval = layer_entry::StoredDotIntervalS(numbers[3]);
    common.COM_EnLaser1 = laser1_->isChecked() ? 1 : 0;
    common.COM_EnLaser2 = laser2_->isChecked() ? 1 : 0;
    QDialog::accept();
}
