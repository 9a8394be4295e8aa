#include "DlgLayerPara.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>

#include "CadLayer.h"
#include "CadMgr.h"
#include "ColorListCtrl.h"
#include "ConnectSetting.h"
#include "CurrentEditLayer.h"
#include "DialogControls.h"
#include "DrawingChange.h"
#include "LayerCutPage.h"
#include "LayerDotPage.h"
#include "LayerEntryRules.h"
#include "LayerOtherParaDlg.h"
#include "LayerPenPage.h"
#include "LayerScanPage.h"
#include "ParamLibDlg.h"
#include "SettingsRecords.h"
#include "WindowMessage.h"

namespace {

bool SpeedInMmPerS() {
    return gFileParaSettings.velocityUnit != 0;
}

QComboBox* MakeList(QWidget* parent, int id, const QStringList& items) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    list->addItems(items);
    return list;
}

QColor ColourOf(std::uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

}  // namespace

CDlgLayerPara::CDlgLayerPara(QWidget* parent, CCadMgr& manager)
    : QDialog(parent), manager_(manager), state_(manager) {
    setWindowTitle(LayerText("1"));
    MakeControls();
    ConnectControls();
}

void CDlgLayerPara::MakeControls() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeLabel(this, 1016, LayerText("2")), 0, 0);
    layers_ = new CColorListCtrl(this);
    platform::SetControlId(*layers_, kLayerList);
    layers_->setColumnCount(1);
    layers_->setHorizontalHeaderLabels({"图层"});
    layers_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    layers_->setColumnWidth(0, 30);
    layers_->verticalHeader()->hide();
    layers_->setSelectionBehavior(QAbstractItemView::SelectRows);
    layers_->setSelectionMode(QAbstractItemView::SingleSelection);
    layers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layers_->ShowLayerColors(true);
    layers_->EnableDropMark(true);
    layers_->SetLayerColorSource([this](int position) -> std::optional<platform::ColorRef> {
        if (const CCadLayer* layer = state_.LayerAt(position)) {
            return layer->commonParams.COM_Color;
        }
        return std::nullopt;
    });
    grid->addWidget(layers_, 1, 0, 9, 1);
    grid->addWidget(dialogkit::MakeButton(this, kScrollDownButton, "▼"), 10, 0);
    grid->addWidget(dialogkit::MakeButton(this, kScrollUpButton, "▲"), 11, 0);

    swatch_ = dialogkit::MakeLabel(this, kColourSwatch, {});
    swatch_->setAutoFillBackground(true);
    swatch_->setMinimumSize(40, 16);
    grid->addWidget(swatch_, 0, 1);
    grid->addWidget(dialogkit::MakeLabel(this, 1173, LayerText("3")), 1, 1);
    output_ = MakeList(this, kOutputList, {LayerText("4"), LayerText("5")});
    grid->addWidget(output_, 1, 2);
    const QString unit = SpeedInMmPerS() ? "(mm/s):" : "(m/min):";
    grid->addWidget(dialogkit::MakeLabel(this, kSpeedLabel, LayerText("6") + unit), 2, 1);
    speed_ = dialogkit::MakeEdit(this, kSpeedEdit);
    grid->addWidget(speed_, 2, 2);
    speedDefault_ = dialogkit::MakeCheck(this, kSpeedDefaultCheck, LayerText("O"));
    grid->addWidget(speedDefault_, 2, 3);

    grid->addWidget(dialogkit::MakeLabel(this, 1177, LayerText("7")), 3, 2);
    grid->addWidget(dialogkit::MakeLabel(this, 1179, LayerText("8")), 3, 3);
    grid->addWidget(dialogkit::MakeLabel(this, 1068, LayerText("P")), 4, 1);
    grid->addWidget(dialogkit::MakeLabel(this, 1017, LayerText("Q")), 5, 1);
    const std::array<int, 4> powerIds{kMinPower1Edit, kMaxPower1Edit, kMinPower2Edit, kMaxPower2Edit};
    for (std::size_t index = 0; index < powers_.size(); ++index) {
        powers_[index] = dialogkit::MakeEdit(this, powerIds[index]);
        grid->addWidget(powers_[index], 4 + static_cast<int>(index / 2), 2 + static_cast<int>(index % 2));
    }
    powerDefault_ = dialogkit::MakeCheck(this, kPowerDefaultCheck, LayerText("O"));
    grid->addWidget(powerDefault_, 4, 4);

    grid->addWidget(dialogkit::MakeLabel(this, 1181, LayerText("9")), 6, 1);
    blow_ = MakeList(this, kBlowList, {LayerText("A"), LayerText("B")});
    grid->addWidget(blow_, 6, 2);
    grid->addWidget(dialogkit::MakeLabel(this, 1183, LayerText("C")), 7, 1);
    mode_ = MakeList(this, kModeList, {});
    grid->addWidget(mode_, 7, 2);

    pageFrame_ = new QStackedWidget(this);
    platform::SetControlId(*pageFrame_, kPageFrame);
    pageFrame_->setFrameShape(QFrame::StyledPanel);
    pages_ = {new CLayerScanPage(pageFrame_, state_), new CLayerCutPage(pageFrame_, state_),
              new CLayerDotPage(pageFrame_, state_), new CLayerPenPage(pageFrame_, state_)};
    for (CLayerPage* page : pages_) {
        pageFrame_->addWidget(page);
    }
    grid->addWidget(pageFrame_, 8, 1, 2, 4);
    advance_ = dialogkit::MakeButton(this, kAdvanceButton, LayerText("I"));
    grid->addWidget(advance_, 10, 1);
    grid->addWidget(dialogkit::MakeButton(this, kLibraryButton, LayerText("1W")), 10, 2, 1, 2);

    QPushButton* ok = dialogkit::MakeOkButton(this, kOkButton);
    ok->setDefault(true);
    grid->addWidget(ok, 11, 3);
    grid->addWidget(dialogkit::MakeCancelButton(this, kCancelButton), 11, 4);
}

void CDlgLayerPara::ConnectControls() {
    connect(dialogkit::Find<QPushButton>(*this, kOkButton), &QPushButton::clicked, this,
            &CDlgLayerPara::accept);
    connect(dialogkit::Find<QPushButton>(*this, kCancelButton), &QPushButton::clicked, this,
            &CDlgLayerPara::reject);
    connect(dialogkit::Find<QPushButton>(*this, kScrollDownButton), &QPushButton::clicked, this,
            [this] { ScrollList(1); });
    connect(dialogkit::Find<QPushButton>(*this, kScrollUpButton), &QPushButton::clicked, this,
            [this] { ScrollList(-1); });
    connect(advance_, &QPushButton::clicked, this, [this] {
        CLayerOtherParaDlg dialog(this, state_, ConnectSetting);
        dialog.exec();
    });
    connect(dialogkit::Find<QPushButton>(*this, kLibraryButton), &QPushButton::clicked, this, [this] {
        CParamLibDlg library(this);
        if (library.exec() == Accepted) {
            Refresh();
        }
    });
    connect(layers_, &QTableWidget::cellClicked, this, [this](int row, int) {
        state_.Select(row);
        Refresh();
    });
    connect(output_, &QComboBox::activated, this, [this](int index) { state_.Common().COM_Output = index; });
    connect(blow_, &QComboBox::activated, this, [this](int index) { state_.Common().COM_Blow = index; });
    connect(speed_, &QLineEdit::editingFinished, this, [this] {
        const layer_entry::Entry entry =
            layer_entry::EnterLayerSpeed(speed_->text().toStdString(), SpeedInMmPerS());
        state_.Common().COM_Speed = entry.stored;
        speed_->setText(QString::fromStdString(entry.shown));
    });
    std::array<double LayerCommonParams::*, 4> powerFields{
        &LayerCommonParams::COM_Pmin1, &LayerCommonParams::COM_Pmax1, &LayerCommonParams::COM_Pmin2,
        &LayerCommonParams::COM_Pmax2};
    for (std::size_t index = 0; index < powers_.size(); ++index) {
        QLineEdit* edit = powers_[index];
        double LayerCommonParams::*field = powerFields[index];
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] {
            const layer_entry::Entry entry =
                layer_entry::EnterRounded(layer_entry::kPowerPercent, edit->text().toStdString());
            state_.Common().*field = entry.stored;
            edit->setText(QString::fromStdString(entry.shown));
        });
    }
    connect(speedDefault_, &QCheckBox::clicked, this, [this](bool checked) {
        state_.Common().COM_SpeedDefault = checked ? 1 : 0;
        speed_->setEnabled(!checked);
    });
    connect(powerDefault_, &QCheckBox::clicked, this, [this] { ApplyPowerEnabling(); });
    connect(mode_, &QComboBox::activated, this, [this](int index) {
        state_.ChooseMode(index);
        ApplyPowerEnabling();
        ShowPage(state_.ShownPage());
    });
}

bool CDlgLayerPara::Open() {
    if (!state_.BeginEdit()) {
        return false;
    }
    layers_->setRowCount(state_.RowCount());
    for (int row = 0; row < state_.RowCount(); ++row) {
        layers_->setItem(row, 0, new QTableWidgetItem());
    }
    Refresh();
    return true;
}

int CDlgLayerPara::exec() {
    if (!Open()) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

void CDlgLayerPara::Refresh() {
    const LayerCommonParams& common = state_.Common();
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, ColourOf(common.COM_Color));
    swatch_->setPalette(palette);
    layers_->selectRow(state_.SelectedRow());

    output_->setCurrentIndex(common.COM_Output != 0 ? 1 : 0);
    blow_->setCurrentIndex(common.COM_Blow != 0 ? 1 : 0);
    speed_->setText(QString::fromStdString(layer_entry::ShowLayerSpeed(common.COM_Speed, SpeedInMmPerS())));
    speedDefault_->setChecked(common.COM_SpeedDefault != 0);
    speed_->setEnabled(common.COM_SpeedDefault == 0);
    const std::array<double, 4> powers{common.COM_Pmin1, common.COM_Pmax1, common.COM_Pmin2,
                                       common.COM_Pmax2};
    for (std::size_t index = 0; index < powers_.size(); ++index) {
        powers_[index]->setText(QString::fromStdString(layer_entry::ShowStored(powers[index])));
    }
    powerDefault_->setChecked(common.COM_PowerDefault != 0);

    // The mode list follows the kind of the layer shown.
    const QStringList modeTexts{LayerText("D"), LayerText("E"), LayerText("F"), LayerText("G")};
    mode_->clear();
    for (LayerPage page : state_.ModeItems()) {
        mode_->addItem(modeTexts[static_cast<int>(page)]);
    }
    mode_->setCurrentIndex(state_.ModeSelection());
    ApplyPowerEnabling();
    ShowPage(state_.ShownPage());
    for (CLayerPage* page : pages_) {
        page->Refresh();
    }
}

void CDlgLayerPara::ShowPage(LayerPage page) {
    for (CLayerPage* each : pages_) {
        each->setEnabled(each == &Page(page));
    }
    pageFrame_->setCurrentWidget(&Page(page));
}

// The pen rule first: a pen layer has no powers and no other parameters; otherwise the default box
// decides.
void CDlgLayerPara::ApplyPowerEnabling() {
    const bool powersAllowed = state_.PowerControlsEnabled();
    powerDefault_->setEnabled(powersAllowed);
    advance_->setEnabled(powersAllowed);
    if (powersAllowed) {
        state_.Common().COM_PowerDefault = powerDefault_->isChecked() ? 1 : 0;
    }
    for (QLineEdit* edit : powers_) {
        edit->setEnabled(powersAllowed && !powerDefault_->isChecked());
    }
}

void CDlgLayerPara::ScrollList(int rows) {
    QScrollBar* bar = layers_->verticalScrollBar();
    bar->setValue(bar->value() + rows * bar->singleStep());
}

void CDlgLayerPara::accept() {
    dialogkit::CommitFocusedEdit(*this);
    dialogs::ApplyToDrawing(manager_, [this](CCadMgr&) { state_.CommitEdit(); });
    QDialog::accept();
}
