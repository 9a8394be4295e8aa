// CScanCutAdvDlg: the cut after a scan: whether the outlines are cut once the scan is done, with that
// cut's own speed, powers, blowing, seal and laser delays. It writes the edit copy of the edited layer on
// OK, each value held by the same rule as the layer's own speed, powers and delays.
#pragma once

#include <array>

#include <QDialog>

class LayerEditState;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CScanCutAdvDlg : public QDialog {
  public:
    static constexpr int kCutAfterScanCheck = 1212;
    static constexpr int kSpeedEdit = 1215;
    static constexpr int kSpeedDefaultCheck = 1065;
    static constexpr int kMinPower1Edit = 1217;
    static constexpr int kMaxPower1Edit = 1219;
    static constexpr int kMinPower2Edit = 1228;
    static constexpr int kMaxPower2Edit = 1229;
    static constexpr int kPowerDefaultCheck = 1066;
    static constexpr int kBlowList = 1227;
    static constexpr int kSealEdit = 1221;
    static constexpr int kOnDelayEdit = 1223;
    static constexpr int kOffDelayEdit = 1225;

    CScanCutAdvDlg(QWidget* parent, LayerEditState& state);

    void accept() override;

  private:
    // The scan-cut fields of either kind's block.
    template <typename Block>
    void Fill(const Block& block);
    template <typename Block>
    void Store(Block& block, const std::array<double, 8>& numbers) const;
    void EnableByChecks();

    LayerEditState& state_;
    QCheckBox* cutAfterScan_;
    QCheckBox* speedDefault_;
    QCheckBox* powerDefault_;
    QComboBox* blow_;
    // Speed, min 1, max 1, min 2, max 2, seal, on delay, off delay.
    std::array<QLineEdit*, 8> edits_{};
};
