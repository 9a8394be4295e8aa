// CLayerPenPage: the pen mode's page of the layer parameter dialog: the waits after the pen goes down
// and after it goes up.
#pragma once

#include "LayerPage.h"

class CLayerPenPage : public CLayerPage {
  public:
    static constexpr int kDownDelayEdit = 1089;
    static constexpr int kUpDelayEdit = 1090;

    CLayerPenPage(QWidget* parent, LayerEditState& state);
    void Refresh() override;

  private:
    QLineEdit* downDelay_;
    QLineEdit* upDelay_;
};
