// CLayerDotPage: the dot mode's page of the layer parameter dialog: how long the laser fires at each
// dot, the distance between dots and their length, and a single dot at the centre.
#pragma once

#include "LayerPage.h"

class CLayerDotPage : public CLayerPage {
  public:
    static constexpr int kTimeEdit = 1196;
    static constexpr int kIntervalEdit = 1198;
    static constexpr int kLengthEdit = 1201;
    static constexpr int kCentreCheck = 1199;

    CLayerDotPage(QWidget* parent, LayerEditState& state);
    void Refresh() override;

  private:
    QLineEdit* time_;
    QLineEdit* interval_;
    QLineEdit* length_;
    QCheckBox* centre_;
};
