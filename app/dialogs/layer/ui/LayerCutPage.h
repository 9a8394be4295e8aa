// CLayerCutPage: the cut mode's page of the layer parameter dialog: seal, laser on and off delays, the
// laser through mode, and the kerf compensation dialog behind "Advance...".
#pragma once

#include "LayerPage.h"

class QCheckBox;
class QLineEdit;

class CLayerCutPage : public CLayerPage {
  public:
    static constexpr int kSealEdit = 1190;
    static constexpr int kOnDelayEdit = 1192;
    static constexpr int kOffDelayEdit = 1194;
    static constexpr int kThroughModeCheck = 1131;
    static constexpr int kAdvanceButton = 1211;

    CLayerCutPage(QWidget* parent, LayerEditState& state);
    void Refresh() override;

  private:
    QLineEdit* seal_;
    QLineEdit* onDelay_;
    QLineEdit* offDelay_;
    QCheckBox* throughMode_;
};
