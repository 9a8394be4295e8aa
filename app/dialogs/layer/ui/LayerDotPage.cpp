#include "LayerDotPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

#include "CadVectorLayer.h"
#include "DialogControls.h"
#include "LayerEditState.h"

CLayerDotPage::CLayerDotPage(QWidget* parent, LayerEditState& state) : CLayerPage(parent, state) {
    auto* grid = new QGridLayout(this);
    time_ = AddEditRow(*grid, 0, 1195, LayerText("1Q"), kTimeEdit, "s");
    interval_ = AddEditRow(*grid, 1, 1197, LayerText("1R"), kIntervalEdit, "mm");
    length_ = AddEditRow(*grid, 2, 1200, LayerText("1T"), kLengthEdit, "mm");
    centre_ = dialogkit::MakeCheck(this, kCentreCheck, LayerText("1S"));
    grid->addWidget(centre_, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);

    auto vector = [&state] { return state.Vector(); };
    BindRoundedEntry(time_, layer_entry::kDotTimeS,
                     [vector] { return vector() ? &vector()->Dot_Time : nullptr; });
    BindRoundedEntry(interval_, layer_entry::kDotLengthMm,
                     [vector] { return vector() ? &vector()->Dot_Space : nullptr; });
    BindRoundedEntry(length_, layer_entry::kDotLengthMm,
                     [vector] { return vector() ? &vector()->Dot_Len : nullptr; });
    BindCheck<std::uint16_t>(centre_, [vector] { return vector() ? &vector()->Dot_EnCenter : nullptr; });
}

void CLayerDotPage::Refresh() {
    const VectorLayerParams* vector = state_.Vector();
    if (vector == nullptr) {
        return;
    }
    ShowStored(time_, vector->Dot_Time);
    ShowStored(interval_, vector->Dot_Space);
    ShowStored(length_, vector->Dot_Len);
    centre_->setChecked(vector->Dot_EnCenter != 0);
}
