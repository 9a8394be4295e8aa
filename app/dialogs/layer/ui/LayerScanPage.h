// CLayerScanPage: the scan mode's page of the layer parameter dialog, for bitmap layers and for vector
// layers in scan mode: scan direction and line interval, ramp, overstriking, independent output and,
// by kind, negative engraving, optimised scanning and direct output (bitmaps) or the handling of small
// circles (vectors).
#pragma once

#include "LayerPage.h"

class QComboBox;

class CLayerScanPage : public CLayerPage {
  public:
    static constexpr int kInvertCheck = 1200;
    static constexpr int kOptimiseCheck = 1201;
    static constexpr int kRampCheck = 1202;
    static constexpr int kRampEdit = 1204;
    static constexpr int kOverstrikeList = 1206;
    static constexpr int kScanModeList = 1208;
    static constexpr int kIntervalEdit = 1210;
    static constexpr int kDirectCheck = 1212;
    static constexpr int kIndependentCheck = 1213;
    static constexpr int kCircleCheck = 1253;
    static constexpr int kCircleMaxEdit = 1230;
    static constexpr int kCircleAltEdit = 1232;
    static constexpr int kAdvanceButton = 1211;

    CLayerScanPage(QWidget* parent, LayerEditState& state);
    void Refresh() override;

  private:
    // Direct output sends the grey levels as they are: no ramp and no overstriking then.
    void ApplyDirectOutputRule();
    void EnableCircleControls(bool kindHasCircles);

    QCheckBox* invert_;
    QCheckBox* optimise_;
    QCheckBox* ramp_;
    QLineEdit* rampLength_;
    QComboBox* overstrike_;
    QComboBox* scanMode_;
    QLineEdit* interval_;
    QCheckBox* direct_;
    QCheckBox* independent_;
    QCheckBox* circle_;
    QLineEdit* circleMax_;
    QLineEdit* circleAlt_;
    QWidget* circleLabels_[2];
};
