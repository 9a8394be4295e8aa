#include "LayerCutPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "CadVectorLayer.h"
#include "CutExDlg.h"
#include "DialogControls.h"
#include "LayerEditState.h"

CLayerCutPage::CLayerCutPage(QWidget* parent, LayerEditState& state) : CLayerPage(parent, state) {
    auto* grid = new QGridLayout(this);
    seal_ = AddEditRow(*grid, 0, 1189, LayerText("1N"), kSealEdit, "mm");
    onDelay_ = AddEditRow(*grid, 1, 1191, LayerText("1O"), kOnDelayEdit, "ms");
    offDelay_ = AddEditRow(*grid, 2, 1193, LayerText("1P"), kOffDelayEdit, "ms");
    throughMode_ = dialogkit::MakeCheck(this, kThroughModeCheck, LayerText("20"));
    grid->addWidget(throughMode_, 3, 0, 1, 2);
    QPushButton* advance = dialogkit::MakeButton(this, kAdvanceButton, LayerText("16"));
    grid->addWidget(advance, 4, 0);
    grid->setRowStretch(5, 1);

    auto vector = [&state] { return state.Vector(); };
    BindRoundedEntry(seal_, layer_entry::kSealMm,
                     [vector] { return vector() ? &vector()->Cut_Close : nullptr; });
    BindRoundedEntry(onDelay_, layer_entry::kDelayMs,
                     [vector] { return vector() ? &vector()->Cut_OnDelay : nullptr; });
    BindRoundedEntry(offDelay_, layer_entry::kDelayMs,
                     [vector] { return vector() ? &vector()->Cut_OffDelay : nullptr; });
    BindCheck<std::int32_t>(throughMode_,
                            [vector] { return vector() ? &vector()->Cut_ThroughMode : nullptr; });
    connect(advance, &QPushButton::clicked, this, [this] {
        CCutExDlg dialog(this, state_);
        dialog.exec();
    });
}

void CLayerCutPage::Refresh() {
    const VectorLayerParams* vector = state_.Vector();
    if (vector == nullptr) {
        return;
    }
    ShowStored(seal_, vector->Cut_Close);
    ShowStored(onDelay_, vector->Cut_OnDelay);
    ShowStored(offDelay_, vector->Cut_OffDelay);
    throughMode_->setChecked(vector->Cut_ThroughMode != 0);
}
