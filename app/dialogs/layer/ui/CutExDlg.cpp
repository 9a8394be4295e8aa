#include "CutExDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CadVectorLayer.h"
#include "DialogControls.h"
#include "LayerEditState.h"
#include "LayerEntryRules.h"
#include "LayerPage.h"
#include "WindowMessage.h"

namespace {

QString CutExText(std::string_view key) {
    return LangText("CutExDlg", key);
}

}  // namespace

CCutExDlg::CCutExDlg(QWidget* parent, LayerEditState& state) : QDialog(parent), state_(state) {
    setWindowTitle(CutExText("6"));
    auto* grid = new QGridLayout(this);
    enable_ = dialogkit::MakeCheck(this, kEnableCheck, CutExText("1"));
    grid->addWidget(enable_, 0, 0, 1, 3);
    grid->addWidget(dialogkit::MakeLabel(this, 1066, CutExText("2")), 1, 0);
    direction_ = new QComboBox(this);
    platform::SetControlId(*direction_, kDirectionList);
    direction_->addItems({CutExText("4"), CutExText("5")});
    grid->addWidget(direction_, 1, 1);
    grid->addWidget(dialogkit::MakeLabel(this, 1045, CutExText("3")), 2, 0);
    width_ = dialogkit::MakeEdit(this, kWidthEdit);
    grid->addWidget(width_, 2, 1);
    grid->addWidget(new QLabel("mm", this), 2, 2);
    QPushButton* ok = dialogkit::MakeOkButton(this);
    ok->setDefault(true);
    grid->addWidget(ok, 3, 1);
    grid->addWidget(dialogkit::MakeCancelButton(this), 3, 2);
    connect(ok, &QPushButton::clicked, this, &CCutExDlg::accept);
    connect(dialogkit::Find<QPushButton>(*this, dialogkit::kCancelButton), &QPushButton::clicked, this,
            &CCutExDlg::reject);
    connect(enable_, &QCheckBox::clicked, this, &CCutExDlg::EnableByCheck);
    connect(width_, &QLineEdit::editingFinished, this, [this] {
        width_->setText(
            QString::fromStdString(layer_entry::EnterKerfWidth(width_->text().toStdString()).shown));
    });

    VectorLayerParams* layer = CutLayer();
    if (layer == nullptr) {
        return;
    }
    enable_->setChecked(layer->Cut_EnSew != 0);
    direction_->setCurrentIndex(layer->Cut_SewDir);
    layer->Cut_SewWidth = layer_entry::ClampKerfWidthMm(layer->Cut_SewWidth);
    width_->setText(QString::fromStdString(layer_entry::ShowStored(layer->Cut_SewWidth)));
    EnableByCheck();
}

VectorLayerParams* CCutExDlg::CutLayer() const {
    VectorLayerParams* vector = state_.Vector();
    return vector != nullptr && vector->COM_WorkType == VectorLayerParams::kCut ? vector : nullptr;
}

void CCutExDlg::EnableByCheck() {
    direction_->setEnabled(enable_->isChecked());
    width_->setEnabled(enable_->isChecked());
}

void CCutExDlg::accept() {
    dialogkit::CommitFocusedEdit(*this);
    if (VectorLayerParams* layer = CutLayer()) {
        layer->Cut_EnSew = enable_->isChecked() ? 1 : 0;
        layer->Cut_SewDir = static_cast<std::uint16_t>(std::max(direction_->currentIndex(), 0));
        layer->Cut_SewWidth = layer_entry::EnterKerfWidth(width_->text().toStdString()).stored;
    }
    QDialog::accept();
}
