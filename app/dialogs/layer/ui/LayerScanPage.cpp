#include "LayerScanPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "DialogControls.h"
#include "LayerEditState.h"
#include "Numbers.h"
#include "ScanCutAdvDlg.h"
#include "WindowMessage.h"

namespace {

// The scan fields that both kinds carry, each in its own block.
template <typename Field>
Field* ScanField(const LayerEditState& state, Field VectorLayerParams::*inVector,
                 Field BitmapLayerParams::*inBitmap) {
    if (VectorLayerParams* vector = state.Vector()) {
        return &(vector->*inVector);
    }
    if (BitmapLayerParams* bitmap = state.Bitmap()) {
        return &(bitmap->*inBitmap);
    }
    return nullptr;
}

QComboBox* MakeList(QWidget* parent, int id, const QStringList& items) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    list->addItems(items);
    return list;
}

}  // namespace

CLayerScanPage::CLayerScanPage(QWidget* parent, LayerEditState& state) : CLayerPage(parent, state) {
    auto* grid = new QGridLayout(this);
    invert_ = dialogkit::MakeCheck(this, kInvertCheck, LayerText("S"));
    optimise_ = dialogkit::MakeCheck(this, kOptimiseCheck, LayerText("T"));
    direct_ = dialogkit::MakeCheck(this, kDirectCheck, LayerText("1U"));
    independent_ = dialogkit::MakeCheck(this, kIndependentCheck, LayerText("1Z"));
    grid->addWidget(invert_, 0, 0);
    grid->addWidget(optimise_, 0, 1);
    grid->addWidget(direct_, 1, 0);
    grid->addWidget(independent_, 1, 1);
    ramp_ = dialogkit::MakeCheck(this, kRampCheck, LayerText("U"));
    grid->addWidget(ramp_, 2, 0);
    rampLength_ = AddEditRow(*grid, 3, 1203, LayerText("V"), kRampEdit, "mm");
    grid->addWidget(dialogkit::MakeLabel(this, 1205, LayerText("W")), 4, 0);
    overstrike_ = MakeList(this, kOverstrikeList, {LayerText("X"), LayerText("Y"), LayerText("Z")});
    grid->addWidget(overstrike_, 4, 1);
    grid->addWidget(dialogkit::MakeLabel(this, 1207, LayerText("10")), 5, 0);
    scanMode_ =
        MakeList(this, kScanModeList, {LayerText("11"), LayerText("12"), LayerText("13"), LayerText("14")});
    grid->addWidget(scanMode_, 5, 1);
    interval_ = AddEditRow(*grid, 6, 1209, LayerText("15"), kIntervalEdit);
    circle_ = dialogkit::MakeCheck(this, kCircleCheck, LayerText("22"));
    grid->addWidget(circle_, 7, 0, 1, 2);
    circleMax_ = AddEditRow(*grid, 8, 1231, LayerText("23"), kCircleMaxEdit, "mm");
    circleAlt_ = AddEditRow(*grid, 9, 1233, LayerText("24"), kCircleAltEdit, "mm");
    circleLabels_[0] = dialogkit::Find<QWidget>(*this, 1231);
    circleLabels_[1] = dialogkit::Find<QWidget>(*this, 1233);
    QPushButton* advance = dialogkit::MakeButton(this, kAdvanceButton, LayerText("16"));
    grid->addWidget(advance, 10, 0);
    grid->setRowStretch(11, 1);
    connect(advance, &QPushButton::clicked, this, [this] {
        CScanCutAdvDlg dialog(this, state_);
        dialog.exec();
    });

    LayerEditState* edited = &state;
    auto bitmap = [edited] { return edited->Bitmap(); };
    auto vector = [edited] { return edited->Vector(); };
    BindCheck<std::int32_t>(invert_, [bitmap] { return bitmap() ? &bitmap()->Eng_Invert : nullptr; });
    BindCheck<std::int32_t>(optimise_, [bitmap] { return bitmap() ? &bitmap()->Eng_EnOptim : nullptr; });
    BindCheck<std::int32_t>(independent_, [edited] {
        return ScanField(*edited, &VectorLayerParams::Eng_OptMode, &BitmapLayerParams::Eng_OptMode);
    });
    BindCheck<std::int32_t>(ramp_, [edited] {
        return ScanField(*edited, &VectorLayerParams::Eng_EnSlope, &BitmapLayerParams::Eng_EnSlope);
    });
    connect(ramp_, &QCheckBox::clicked, this, [this] { rampLength_->setEnabled(ramp_->isChecked()); });
    BindRoundedEntry(rampLength_, layer_entry::kRampLengthMm, [edited] {
        return ScanField(*edited, &VectorLayerParams::Eng_SlopeLen, &BitmapLayerParams::Eng_SlopeLen);
    });
    BindRoundedEntry(interval_, layer_entry::kScanIntervalMm, [edited] {
        return ScanField(*edited, &VectorLayerParams::Eng_Space, &BitmapLayerParams::Eng_Space);
    });
    connect(overstrike_, &QComboBox::activated, this, [edited](int index) {
        if (auto* field =
                ScanField(*edited, &VectorLayerParams::Eng_ThickFont, &BitmapLayerParams::Eng_ThickFont)) {
            *field = static_cast<std::uint16_t>(index);
        }
    });
    connect(scanMode_, &QComboBox::activated, this, [edited](int index) {
        if (auto* field = ScanField(*edited, &VectorLayerParams::Eng_Type, &BitmapLayerParams::Eng_Type)) {
            *field = static_cast<std::uint8_t>(index);
        }
    });
    connect(direct_, &QCheckBox::clicked, this, [this] {
        if (state_.Bitmap() != nullptr) {
            ApplyDirectOutputRule();
        }
    });
    BindCheck<std::int32_t>(circle_, [vector] { return vector() ? &vector()->Eng_EnCircle : nullptr; });
    connect(circle_, &QCheckBox::clicked, this, [this] {
        if (state_.Vector() != nullptr) {
            circleMax_->setEnabled(circle_->isChecked());
            circleAlt_->setEnabled(circle_->isChecked());
        }
    });
    // The diameters are stored by their rule while the edit keeps the text as typed.
    for (auto [edit, member] : {std::pair{circleMax_, &VectorLayerParams::Eng_CircleMaxDia},
                                std::pair{circleAlt_, &VectorLayerParams::Eng_CircleDia}}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, member] {
            if (VectorLayerParams* layer = state_.Vector()) {
                layer->*member = layer_entry::ApplyRounded(
                    layer_entry::kCircleDiameterMm, layer_entry::EnteredNumber(edit->text().toStdString()));
            }
        });
    }
}

void CLayerScanPage::ApplyDirectOutputRule() {
    const bool direct = direct_->isChecked();
    ramp_->setEnabled(!direct);
    overstrike_->setEnabled(!direct);
    rampLength_->setEnabled(!direct && ramp_->isChecked());
    if (BitmapLayerParams* bitmap = state_.Bitmap()) {
        bitmap->Eng_OptDirect = direct ? 1 : 0;
    }
}

void CLayerScanPage::EnableCircleControls(bool kindHasCircles) {
    circle_->setEnabled(kindHasCircles);
    circleLabels_[0]->setEnabled(kindHasCircles);
    circleLabels_[1]->setEnabled(kindHasCircles);
    circleMax_->setEnabled(kindHasCircles && circle_->isChecked());
    circleAlt_->setEnabled(kindHasCircles && circle_->isChecked());
}

void CLayerScanPage::Refresh() {
    if (const BitmapLayerParams* bitmap = state_.Bitmap()) {
        invert_->setEnabled(true);
        optimise_->setEnabled(true);
        direct_->setEnabled(true);
        invert_->setChecked(bitmap->Eng_Invert != 0);
        optimise_->setChecked(bitmap->Eng_EnOptim != 0);
        ramp_->setChecked(bitmap->Eng_EnSlope != 0);
        direct_->setChecked(bitmap->Eng_OptDirect != 0);
        independent_->setChecked(bitmap->Eng_OptMode != 0);
        ApplyDirectOutputRule();
        circle_->setChecked(false);
        EnableCircleControls(false);
        ShowStored(rampLength_, bitmap->Eng_SlopeLen);
        ShowStored(interval_, bitmap->Eng_Space);
        scanMode_->setCurrentIndex(bitmap->Eng_Type);
        overstrike_->setCurrentIndex(bitmap->Eng_ThickFont);
        return;
    }
    const VectorLayerParams* vector = state_.Vector();
    if (vector == nullptr) {
        return;
    }
    invert_->setEnabled(false);
    optimise_->setEnabled(false);
    direct_->setEnabled(false);
    overstrike_->setEnabled(true);
    ramp_->setEnabled(true);
    ramp_->setChecked(vector->Eng_EnSlope != 0);
    rampLength_->setEnabled(vector->Eng_EnSlope != 0);
    independent_->setChecked(vector->Eng_OptMode != 0);
    circle_->setChecked(vector->Eng_EnCircle != 0);
    EnableCircleControls(true);
    circleMax_->setText(QString::fromStdString(platform::FormatFixed(vector->Eng_CircleMaxDia, 3)));
    circleAlt_->setText(QString::fromStdString(platform::FormatFixed(vector->Eng_CircleDia, 3)));
    ShowStored(rampLength_, vector->Eng_SlopeLen);
    ShowStored(interval_, vector->Eng_Space);
    scanMode_->setCurrentIndex(vector->Eng_Type);
    overstrike_->setCurrentIndex(vector->Eng_ThickFont);
}
