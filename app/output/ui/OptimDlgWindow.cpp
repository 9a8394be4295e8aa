#include "OptimDlgWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CutrixAssert.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LanguageTexts.h"

namespace output::ui {

namespace {

using Form = ::COptimDlg;

QString Text(const char* section, const char* key) {
    return QString::fromStdString(GetLangText(section, key));
}

QComboBox* MakeCombo(QWidget* parent, int id) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    return combo;
}

template <typename Control>
Control& ControlOf(const QWidget& window, int id) {
    Control* control = dialogkit::Find<Control>(window, id);
    CUTRIX_ASSERT(control != nullptr);
    return *control;
}

// Each box with its text key, in the order the dialog shows them.
struct CheckText {
    int id;
    const char* key;
};
constexpr CheckText kCheckTexts[] = {
    {Form::kLayerOrderCheck, "1"},
    {Form::kInsideToOutsideCheck, "2"},
    {Form::kAutoStartDirCheck, "9"},
    {Form::kStartPointCheck, "8"},
};
constexpr const char* kInnerModeKeys[] = {"B", "C"};
constexpr const char* kDirectionKeys[] = {"D", "E", "F", "G"};

}  // namespace

COptimDlg::COptimDlg(QWidget* parent, OptimSettings& settings, CCadMgr& manager)
    : QDialog(parent), settings_(settings), manager_(manager) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dialogkit::MakeCheck(this, Form::kLayerOrderCheck, {}));
    auto* nestingRow = new QHBoxLayout;
    nestingRow->addWidget(dialogkit::MakeCheck(this, Form::kInsideToOutsideCheck, {}));
    nestingRow->addWidget(MakeCombo(this, Form::kInnerModeCombo), 1);
    layout->addLayout(nestingRow);

    QGroupBox* block = dialogkit::MakeGroup(this, Form::kBlockFrame, {});
    auto* blockGrid = new QGridLayout(block);
    blockGrid->addWidget(dialogkit::MakeLabel(block, Form::kHeightLabel, {}), 0, 0);
    blockGrid->addWidget(dialogkit::MakeEdit(block, Form::kBandHeightEdit), 0, 1);
    blockGrid->addWidget(dialogkit::MakeLabel(block, Form::kDirectionLabel, {}), 1, 0);
    blockGrid->addWidget(MakeCombo(block, Form::kDirectionCombo), 1, 1);
    layout->addWidget(block);

    layout->addWidget(dialogkit::MakeCheck(this, Form::kAutoStartDirCheck, {}));
    layout->addWidget(dialogkit::MakeCheck(this, Form::kStartPointCheck, {}));
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = dialogkit::MakeButton(this, dialogkit::kOkButton, {});
    QPushButton* cancel = dialogkit::MakeButton(this, dialogkit::kCancelButton, {});
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &COptimDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COptimDlg::reject);

    LoadLangText();
    LoadSettings();
    ConnectHandlers();
}

void COptimDlg::LoadLangText() {
    setWindowTitle(Text("OptimDlg", "A"));
    for (const CheckText& check : kCheckTexts) {
        ControlOf<QCheckBox>(*this, check.id).setText(Text("OptimDlg", check.key));
    }
    ControlOf<QGroupBox>(*this, Form::kBlockFrame).setTitle(Text("OptimDlg", "3"));
    ControlOf<QLabel>(*this, Form::kHeightLabel).setText(Text("OptimDlg", "5"));
    ControlOf<QLabel>(*this, Form::kDirectionLabel).setText(Text("OptimDlg", "6"));
    ControlOf<QPushButton>(*this, dialogkit::kOkButton).setText(Text("ItemCommon", "1"));
    ControlOf<QPushButton>(*this, dialogkit::kCancelButton).setText(Text("ItemCommon", "2"));
    for (const char* key : kInnerModeKeys) {
        ControlOf<QComboBox>(*this, Form::kInnerModeCombo).addItem(Text("OptimDlg", key));
    }
    for (const char* key : kDirectionKeys) {
        ControlOf<QComboBox>(*this, Form::kDirectionCombo).addItem(Text("OptimDlg", key));
    }
}

void COptimDlg::LoadSettings() {
    form_.LoadSettings(settings_);
    const OptimSettings& shown = form_.Edited();
    ControlOf<QCheckBox>(*this, Form::kLayerOrderCheck).setChecked(shown.orderOfLayer != 0);
    ControlOf<QCheckBox>(*this, Form::kInsideToOutsideCheck).setChecked(shown.insideToOutside != 0);
    ControlOf<QCheckBox>(*this, Form::kAutoStartDirCheck).setChecked(shown.autoStartPointAndDirection != 0);
    ControlOf<QCheckBox>(*this, Form::kStartPointCheck).setChecked(shown.startPointOptimise != 0);
    ControlOf<QComboBox>(*this, Form::kInnerModeCombo)
        .setCurrentIndex(shown.insideToOutsideMode == Form::kFindCuttingPort ? 1 : 0);
    ControlOf<QComboBox>(*this, Form::kDirectionCombo)
        .setCurrentIndex(std::min<int>(shown.blockDirection, Form::kLastDirection));
    constexpr int kHeightDecimals = 3;
    dialogkit::ShowNumber(ControlOf<QLineEdit>(*this, Form::kBandHeightEdit), shown.blockHeightMm,
                          kHeightDecimals);
    UpdateEnables();
}

void COptimDlg::UpdateEnables() {
    for (const dialogkit::ControlState& state : form_.UpdateEnables()) {
        ControlOf<QWidget>(*this, state.controlId).setEnabled(state.enabled);
    }
}

void COptimDlg::ConnectHandlers() {
    const auto onCheck = [this](int id, void (Form::*handler)(bool)) {
        connect(&ControlOf<QCheckBox>(*this, id), &QCheckBox::toggled, this, [this, handler](bool checked) {
            (form_.*handler)(checked);
            UpdateEnables();
        });
    };
    onCheck(Form::kLayerOrderCheck, &Form::OnLayerOrder);
    onCheck(Form::kInsideToOutsideCheck, &Form::OnInsideToOutside);
    onCheck(Form::kAutoStartDirCheck, &Form::OnAutoStartDir);
    onCheck(Form::kStartPointCheck, &Form::OnStartPointOptimize);
    connect(&ControlOf<QComboBox>(*this, Form::kInnerModeCombo), &QComboBox::currentIndexChanged, this,
            [this](int selection) {
                form_.OnInnerModeChange(selection);
                UpdateEnables();
            });
}

void COptimDlg::accept() {
    auto& heightEdit = ControlOf<QLineEdit>(*this, Form::kBandHeightEdit);
    const std::optional<dialogkit::FormProblem> problem =
        form_.OnOK(dialogkit::ReadNumber(heightEdit),
                   ControlOf<QComboBox>(*this, Form::kDirectionCombo).currentIndex(), settings_, manager_);
    if (problem) {
        heightEdit.setFocus();
        dialogkit::ShowDialogMessage(this, dialogkit::ProblemText(*problem));
        return;
    }
    QDialog::accept();
}

}  // namespace output::ui
