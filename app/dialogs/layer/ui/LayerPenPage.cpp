#include "LayerPenPage.h"

#include <QGridLayout>
#include <QLineEdit>

#include "CadVectorLayer.h"
#include "LayerEditState.h"

CLayerPenPage::CLayerPenPage(QWidget* parent, LayerEditState& state) : CLayerPage(parent, state) {
    auto* grid = new QGridLayout(this);
    downDelay_ = AddEditRow(*grid, 0, 1087, LayerText("1X"), kDownDelayEdit, "ms");
    upDelay_ = AddEditRow(*grid, 1, 1088, LayerText("1Y"), kUpDelayEdit, "ms");
    grid->setRowStretch(2, 1);

    auto vector = [&state] { return state.Vector(); };
    BindRoundedEntry(downDelay_, layer_entry::kDelayMs,
                     [vector] { return vector() ? &vector()->Pen_DownDelay : nullptr; });
    BindRoundedEntry(upDelay_, layer_entry::kDelayMs,
                     [vector] { return vector() ? &vector()->Pen_UpDelay : nullptr; });
}

void CLayerPenPage::Refresh() {
    const VectorLayerParams* vector = state_.Vector();
    if (vector == nullptr) {
        return;
    }
    ShowStored(downDelay_, vector->Pen_DownDelay);
    ShowStored(upDelay_, vector->Pen_UpDelay);
}
